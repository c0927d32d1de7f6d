#include "library/carried_block_files.h"

#include "common/file_io.h"
#include "common/profile_file.h"
#include "library/block_file_format.h"
#include "library/block_library.h"

namespace luch {

CarriedBlockFiles::CarriedBlockFiles(const std::filesystem::path& data_dir,
                                     const std::vector<CarriedType>& extra, FileSystem& base)
    : base_(base), block_file_(data_dir / Utf8Path(kBlockFileName)) {
  ProfileFile file(block_file_, base_);
  // The new types follow the sections the library reads: up to the first
  // one without a key.
  int first = 0;
  while (first < kMaxBlockTypes && file.SectionExists(block_file::Section(first))) ++first;
  for (size_t k = 0; k < extra.size() && first + static_cast<int>(k) < kMaxBlockTypes; ++k) {
    const std::string section = block_file::Section(first + static_cast<int>(k));
    file.EraseSection(section);
    for (const auto& [key, value] : extra[k].keys) {
      file.WriteString(section, key, QuotedIfNeeded(value));
    }
  }
  bytes_ = file.ToBytes();
}

bool CarriedBlockFiles::ReadFile(const std::filesystem::path& path, std::string& bytes) {
  if (!IsBlockFile(path)) return base_.ReadFile(path, bytes);
  bytes = bytes_;
  return true;
}

bool CarriedBlockFiles::FileExists(const std::filesystem::path& path) {
  return IsBlockFile(path) || base_.FileExists(path);
}

bool CarriedBlockFiles::Exists(const std::filesystem::path& path) {
  return IsBlockFile(path) || base_.Exists(path);
}

FileStamp CarriedBlockFiles::Stamp(const std::filesystem::path& path) {
  if (!IsBlockFile(path)) return base_.Stamp(path);
  // Never changes: read once, then served from the library's cache.
  return FileStamp{.exists = true, .size = bytes_.size()};
}

}  // namespace luch
