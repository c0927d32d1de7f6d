// The block library (Блок.ini): block types with their regimes and minimum
// voltage. Every lookup sees the file's current content: the parsed file is
// cached and the cache is dropped when the program writes the file (Invalidate)
// or when the file's size, modification time, change time or inode change.
// Where timestamps are coarse, a rewrite of the same size within the
// timestamp's granularity would keep all of them: a cache read while the
// file's modification time was less than kStampGranularity old is therefore
// not trusted, and the next check compares the file's bytes too, until the
// file has been that old at a check.
//
// Block types are addressed by 0-based index (sections Блок0, Блок1, ...),
// regimes by 1-based number (keys Режим1.., P1.., I1..). Name lookups compare
// byte for byte and take the first match; they search types 0..1023 and
// regimes 1..31 only. The lookups by index read any index and number.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/file_system.h"

namespace luch {

inline constexpr const char* kBlockFileName = "Блок.ini";
inline constexpr int kMaxBlockTypes = 1024;  // the name lookups search 0..1023
inline constexpr int kMaxRegimes = 31;       // and regimes 1..31
// The coarsest modification-time step of the file systems in use (FAT: 2 s).
inline constexpr std::chrono::seconds kStampGranularity{2};

class BlockLibrary {
 public:
  // The library of Блок.ini in `data_dir`, read from `files` (which must
  // outlive it). Nothing is read until a lookup.
  explicit BlockLibrary(const std::filesystem::path& data_dir,
                        FileSystem& files = RealFileSystem());
  ~BlockLibrary();
  BlockLibrary(const BlockLibrary&) = delete;
  BlockLibrary& operator=(const BlockLibrary&) = delete;

  const std::filesystem::path& file_path() const { return path_; }

  // The name of section Блок+b; the empty text when the section or key is missing.
  std::string BlockNameAt(int b) const;
  // For b = 0..1023, stopping at the first section without any key: the first
  // b whose name equals `name` exactly; -1 when none.
  int BlockIndexByName(std::string_view name) const;
  // "Режим"+r of section Блок+b; the empty text when missing.
  std::string RegimeNameAt(int b, int r) const;
  // "P"+r as a whole number; 100 when missing or not a whole number.
  int32_t RegimePowerAt(int b, int r) const;
  // "I"+r as a real (mA); 0 when missing or unreadable.
  double RegimeCurrentAt(int b, int r) const;
  // "Umin" as a real (V); 8.0 when missing or unreadable.
  double BlockUmin(int b) const;
  // For r = 1..31, stopping at the first empty "Режим"+r: the first regime
  // named `regime` gives "P"+r (0 when missing or not a whole number); 0 when
  // no regime has that name.
  int32_t RegimePowerByName(int b, std::string_view regime) const;
  // The same search; gives "I"+r (0 when missing); 0 when none.
  double RegimeCurrentByName(int b, std::string_view regime) const;

  // The keys of section Блок+b in file order, with their values as written.
  std::vector<std::pair<std::string, std::string>> SectionKeys(int b) const;
  // Whether the name search above finds `regime` among the regimes of type b.
  bool HasRegime(int b, std::string_view regime) const;

  // The number of types as the window lists them: sections Блок0, Блок1, ...
  // up to the first one missing or without any key (0..1024).
  int BlockCount() const;

  // Drops the cache; the program calls it after it writes Блок.ini.
  void Invalidate() const;

  // For a command that makes thousands of lookups in one go (the calculation):
  // while a Batch lives, the file is checked for changes once, by the first
  // lookup, and not again; Invalidate still drops the cache at once.
  //   { BlockLibrary::Batch batch(library); for (...) library.BlockUmin(b); }
  class Batch {
   public:
    explicit Batch(const BlockLibrary& library);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    const BlockLibrary& library_;
  };

 private:
  struct Data;
  const Data& Current() const;
  // Whether the cache still holds the file as it is on disk now.
  bool CacheHolds(const FileStamp& stamp) const;

  std::filesystem::path path_;
  FileSystem& files_;
  mutable std::shared_ptr<const Data> cache_;
  mutable FileStamp cached_stamp_;
  mutable bool cache_valid_ = false;
  // The cached stamp alone tells a change: the file's modification time was
  // kStampGranularity old when it was last found unchanged.
  mutable bool stamp_trusted_ = false;
  mutable int batch_depth_ = 0;
  mutable bool checked_in_batch_ = false;
};

}  // namespace luch
