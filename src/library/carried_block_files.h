// The computer's files as luch-calc --project-types reads them: Блок.ini
// reads as itself followed by a received project's block types, and nothing
// is ever written.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "common/file_system.h"
#include "library/carried_types.h"

namespace luch {

class CarriedBlockFiles : public FileSystem {
 public:
  // Блок.ini of `data_dir` from `base`, with `extra` appended as the block
  // window's AddTypes would append them.
  CarriedBlockFiles(const std::filesystem::path& data_dir, const std::vector<CarriedType>& extra,
                    FileSystem& base = RealFileSystem());

  bool ReadFile(const std::filesystem::path& path, std::string& bytes) override;
  bool FileExists(const std::filesystem::path& path) override;
  bool Exists(const std::filesystem::path& path) override;
  bool IsDirectory(const std::filesystem::path& path) override { return base_.IsDirectory(path); }
  bool RemoveFile(const std::filesystem::path&) override { return false; }
  FileStamp Stamp(const std::filesystem::path& path) override;
  int64_t NowNs() override { return base_.NowNs(); }
  std::unique_ptr<WritableFile> OpenForWriting(const std::filesystem::path&, bool,
                                               OpenFailure& failure) override {
    failure = OpenFailure::kNoRight;
    return nullptr;
  }
  bool Rename(const std::filesystem::path&, const std::filesystem::path&) override { return false; }
  std::filesystem::path WriteTarget(const std::filesystem::path&) override { return {}; }
  bool MayWrite(const std::filesystem::path&) override { return false; }
  bool KeepAttributes(const std::filesystem::path&, const std::filesystem::path&) override {
    return false;
  }
  std::unique_ptr<FileLock> TryLock(const std::filesystem::path&, std::string_view) override {
    return nullptr;
  }

 private:
  bool IsBlockFile(const std::filesystem::path& path) const { return path == block_file_; }

  FileSystem& base_;
  std::filesystem::path block_file_;
  std::string bytes_;
};

}  // namespace luch
