// The block library (Блок.ini): block types with their regimes and minimum
// voltage. Every lookup sees the file's current content: the parsed file is
// cached and the cache is dropped when the program writes the file (Invalidate)
// or when the file's size or modification time changes.
//
// Block types are addressed by 0-based index (sections Блок0, Блок1, ...),
// regimes by 1-based number (keys Режим1.., P1.., I1..). Name lookups compare
// byte for byte and take the first match. An index outside 0..1023 or a regime
// outside 1..31 reads as missing: the lookup gives its default.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace luch {

inline constexpr const char* kBlockFileName = "Блок.ini";
inline constexpr int kMaxBlockTypes = 1024;  // indices 0..1023 are read
inline constexpr int kMaxRegimes = 31;       // regimes 1..31 are read

class BlockLibrary {
 public:
  // The library of Блок.ini in `data_dir`. Nothing is read until a lookup.
  explicit BlockLibrary(const std::filesystem::path& data_dir);
  ~BlockLibrary();
  BlockLibrary(const BlockLibrary&) = delete;
  BlockLibrary& operator=(const BlockLibrary&) = delete;

  const std::filesystem::path& file_path() const { return path_; }

  // "Название" of section Блок+b; the empty text when the section or key is missing.
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
  // What identifies one version of the file on disk.
  struct FileStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    int64_t modified_ns = 0;
    int64_t changed_ns = 0;  // status change time where the system has one
    std::uintmax_t inode = 0;
    bool operator==(const FileStamp&) const = default;
  };
  static FileStamp StampOf(const std::filesystem::path& path);
  const Data& Current() const;

  std::filesystem::path path_;
  mutable std::shared_ptr<const Data> cache_;
  mutable FileStamp cached_stamp_;
  mutable bool cache_valid_ = false;
  mutable int batch_depth_ = 0;
  mutable bool checked_in_batch_ = false;
};

}  // namespace luch
