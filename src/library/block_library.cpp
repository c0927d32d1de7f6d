#include "library/block_library.h"

#include <chrono>
#include <optional>
#include <unordered_map>
#include <vector>

#include "common/file_io.h"
#include "common/number_text.h"
#include "common/profile_file.h"

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

namespace luch {

// The parsed file: one entry per index 0..1023, absent sections included, so
// that the direct lookups (by index) answer as the file reads even beyond a gap.
struct BlockLibrary::Data {
  struct BlockRegime {
    std::string name;
    std::optional<int32_t> power;  // mW; empty when missing or not a whole number
    double current = 0.0;          // mA
  };
  struct BlockType {
    std::string name;
    std::vector<BlockRegime> regimes;  // 1..n; n is the last regime with any key
    double umin = 8.0;
  };
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };

  std::vector<BlockType> types;  // kMaxBlockTypes entries
  int count = 0;                 // sections read before the first one without a key
  std::unordered_map<std::string, int, NameHash, std::equal_to<>> first_index;

  const BlockType* Type(int b) const {
    return b >= 0 && b < static_cast<int>(types.size()) ? &types[static_cast<size_t>(b)] : nullptr;
  }
  const BlockRegime* Regime(int b, int r) const {
    const BlockType* type = Type(b);
    if (!type || r < 1 || r > static_cast<int>(type->regimes.size())) return nullptr;
    return &type->regimes[static_cast<size_t>(r - 1)];
  }
  // The first regime named `regime` among 1..31, up to the first empty name.
  const BlockRegime* RegimeByName(int b, std::string_view regime) const {
    const BlockType* type = Type(b);
    if (!type) return nullptr;
    for (const BlockRegime& candidate : type->regimes) {
      if (candidate.name.empty()) return nullptr;
      if (candidate.name == regime) return &candidate;
    }
    return nullptr;
  }
};

namespace {

std::optional<int32_t> ReadOptionalInteger(const ProfileFile& file, const std::string& section,
                                           const std::string& key) {
  if (!file.KeyExists(section, key)) return std::nullopt;
  int32_t value = 0;
  if (!ParseInteger(file.ReadString(section, key, ""), value)) return std::nullopt;
  return value;
}

}  // namespace

BlockLibrary::BlockLibrary(const std::filesystem::path& data_dir)
    : path_(data_dir / Utf8Path(kBlockFileName)) {}

BlockLibrary::~BlockLibrary() = default;

BlockLibrary::FileStamp BlockLibrary::StampOf(const std::filesystem::path& path) {
  FileStamp stamp;
#if defined(_WIN32)
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return stamp;
  const auto time = std::filesystem::last_write_time(path, error);
  if (error) return stamp;
  stamp.exists = true;
  stamp.size = size;
  stamp.modified_ns =
      std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count();
#else
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return stamp;
  stamp.exists = true;
  stamp.size = static_cast<std::uintmax_t>(info.st_size);
  stamp.modified_ns = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  stamp.changed_ns = static_cast<int64_t>(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec;
  stamp.inode = static_cast<std::uintmax_t>(info.st_ino);
#endif
  return stamp;
}

const BlockLibrary::Data& BlockLibrary::Current() const {
  if (cache_valid_ && batch_depth_ > 0 && checked_in_batch_) return *cache_;
  // The stamp is taken before the file is read: a change in between makes the
  // next lookup read the file again, never miss it.
  const FileStamp stamp = StampOf(path_);
  if (batch_depth_ > 0) checked_in_batch_ = true;
  if (cache_valid_ && stamp == cached_stamp_) return *cache_;

  auto data = std::make_shared<Data>();
  data->types.resize(kMaxBlockTypes);
  const ProfileFile file = stamp.exists ? ProfileFile(path_) : ProfileFile();
  bool contiguous = true;
  for (int b = 0; b < kMaxBlockTypes; ++b) {
    const std::string section = "Блок" + std::to_string(b);
    if (!file.SectionExists(section)) {
      contiguous = false;
      continue;
    }
    Data::BlockType& type = data->types[static_cast<size_t>(b)];
    type.name = file.ReadString(section, "Название", "");
    type.umin = file.ReadReal(section, "Umin", 8.0);
    for (int r = 1; r <= kMaxRegimes; ++r) {
      const std::string n = std::to_string(r);
      Data::BlockRegime regime;
      regime.name = file.ReadString(section, "Режим" + n, "");
      regime.power = ReadOptionalInteger(file, section, "P" + n);
      regime.current = file.ReadReal(section, "I" + n, 0.0);
      const bool any_key = file.KeyExists(section, "Режим" + n) ||
                           file.KeyExists(section, "P" + n) || file.KeyExists(section, "I" + n);
      if (any_key) {
        type.regimes.resize(static_cast<size_t>(r));
        type.regimes.back() = std::move(regime);
      }
    }
    if (contiguous) {
      data->count = b + 1;
      data->first_index.try_emplace(type.name, b);
    }
  }
  cache_ = std::move(data);
  cached_stamp_ = stamp;
  cache_valid_ = true;
  return *cache_;
}

void BlockLibrary::Invalidate() const {
  cache_valid_ = false;
  checked_in_batch_ = false;
}

BlockLibrary::Batch::Batch(const BlockLibrary& library) : library_(library) {
  if (library_.batch_depth_++ == 0) library_.checked_in_batch_ = false;
}

BlockLibrary::Batch::~Batch() {
  if (--library_.batch_depth_ == 0) library_.checked_in_batch_ = false;
}

std::string BlockLibrary::BlockNameAt(int b) const {
  const Data::BlockType* type = Current().Type(b);
  return type ? type->name : std::string();
}

int BlockLibrary::BlockIndexByName(std::string_view name) const {
  const Data& data = Current();
  const auto it = data.first_index.find(name);
  return it == data.first_index.end() ? -1 : it->second;
}

std::string BlockLibrary::RegimeNameAt(int b, int r) const {
  const Data::BlockRegime* regime = Current().Regime(b, r);
  return regime ? regime->name : std::string();
}

int32_t BlockLibrary::RegimePowerAt(int b, int r) const {
  const Data::BlockRegime* regime = Current().Regime(b, r);
  return regime && regime->power ? *regime->power : 100;
}

double BlockLibrary::RegimeCurrentAt(int b, int r) const {
  const Data::BlockRegime* regime = Current().Regime(b, r);
  return regime ? regime->current : 0.0;
}

double BlockLibrary::BlockUmin(int b) const {
  const Data::BlockType* type = Current().Type(b);
  return type ? type->umin : 8.0;
}

int32_t BlockLibrary::RegimePowerByName(int b, std::string_view regime) const {
  const Data::BlockRegime* found = Current().RegimeByName(b, regime);
  return found && found->power ? *found->power : 0;
}

double BlockLibrary::RegimeCurrentByName(int b, std::string_view regime) const {
  const Data::BlockRegime* found = Current().RegimeByName(b, regime);
  return found ? found->current : 0.0;
}

int BlockLibrary::BlockCount() const { return Current().count; }

}  // namespace luch
