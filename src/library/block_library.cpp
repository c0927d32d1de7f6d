#include "library/block_library.h"

#include <chrono>
#include <optional>
#include <unordered_map>
#include <vector>

#include "common/file_io.h"
#include "common/number_text.h"
#include "common/profile_file.h"
#include "library/block_file_format.h"

namespace luch {

// The parsed file: one entry per index 0..1023 with regimes 1..31, absent
// sections included, so that the lookups by index answer as the file reads
// even beyond a gap; indices and numbers beyond those read the file itself.
struct BlockLibrary::Data {
  struct BlockRegime {
    std::string name;
    std::optional<int32_t> power;  // mW; empty when missing or not a whole number
    double current = 0.0;          // mA
  };
  struct BlockType {
    std::string name;
    std::vector<BlockRegime> regimes;  // 1..n; n is the last regime with any key
    double umin = block_file::kDefaultUmin;
  };
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };

  std::string bytes;  // the file as read
  ProfileFile file;
  std::vector<BlockType> types;  // kMaxBlockTypes entries
  int count = 0;                 // sections read before the first one without a key
  std::unordered_map<std::string, int, NameHash, std::equal_to<>> first_index;

  const BlockType* Type(int b) const {
    return b >= 0 && b < static_cast<int>(types.size()) ? &types[static_cast<size_t>(b)] : nullptr;
  }
  // A regime of the table; nullptr when missing there.
  const BlockRegime* Regime(int b, int r) const {
    const BlockType* type = Type(b);
    if (!type || r < 1 || r > static_cast<int>(type->regimes.size())) return nullptr;
    return &type->regimes[static_cast<size_t>(r - 1)];
  }
  // Whether (b, r) lies in the table: the lookups of anything else read `file`.
  static bool InTable(int b, int r = 1) {
    return b >= 0 && b < kMaxBlockTypes && r >= 1 && r <= kMaxRegimes;
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

using block_file::Section;

}  // namespace

BlockLibrary::BlockLibrary(const std::filesystem::path& data_dir, FileSystem& files)
    : path_(data_dir / Utf8Path(kBlockFileName)), files_(files) {}

BlockLibrary::~BlockLibrary() = default;

bool BlockLibrary::CacheHolds(const FileStamp& stamp) const {
  if (!cache_valid_ || !(stamp == cached_stamp_)) return false;
  if (stamp_trusted_ || !stamp.exists) return true;
  // The time taken before the bytes: a file found unchanged now, whose stamp
  // was then old enough, cannot change later without a new stamp.
  const int64_t now = files_.NowNs();
  std::string bytes;
  if (!files_.ReadFile(path_, bytes) || bytes != cache_->bytes) return false;
  stamp_trusted_ = now - stamp.modified_ns >=
                   std::chrono::duration_cast<std::chrono::nanoseconds>(kStampGranularity).count();
  return true;
}

const BlockLibrary::Data& BlockLibrary::Current() const {
  if (cache_valid_ && batch_depth_ > 0 && checked_in_batch_) return *cache_;
  // The stamp is taken before the file is read: a change in between makes the
  // next lookup read the file again, never miss it.
  const FileStamp stamp = files_.Stamp(path_);
  if (batch_depth_ > 0) checked_in_batch_ = true;
  if (CacheHolds(stamp)) return *cache_;

  const int64_t read_at = files_.NowNs();
  auto data = std::make_shared<Data>();
  data->types.resize(kMaxBlockTypes);
  if (stamp.exists && files_.ReadFile(path_, data->bytes)) {
    data->file = ProfileFile::FromBytes(data->bytes);
  }
  const ProfileFile& file = data->file;
  bool contiguous = true;
  for (int b = 0; b < kMaxBlockTypes; ++b) {
    const std::string section = Section(b);
    if (!file.SectionExists(section)) {
      contiguous = false;
      continue;
    }
    Data::BlockType& type = data->types[static_cast<size_t>(b)];
    type.name = file.ReadString(section, block_file::kName, "");
    type.umin = file.ReadReal(section, block_file::kUmin, block_file::kDefaultUmin);
    for (int r = 1; r <= kMaxRegimes; ++r) {
      const std::string name_key = block_file::RegimeKey(r);
      const std::string power_key = block_file::PowerKey(r);
      const std::string current_key = block_file::CurrentKey(r);
      Data::BlockRegime regime;
      regime.name = file.ReadString(section, name_key, "");
      regime.power = ReadOptionalInteger(file, section, power_key);
      regime.current = file.ReadReal(section, current_key, block_file::kDefaultCurrent);
      const bool any_key = file.KeyExists(section, name_key) ||
                           file.KeyExists(section, power_key) ||
                           file.KeyExists(section, current_key);
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
  stamp_trusted_ = read_at - stamp.modified_ns >=
                   std::chrono::duration_cast<std::chrono::nanoseconds>(kStampGranularity).count();
  return *cache_;
}

void BlockLibrary::Invalidate() const {
  cache_valid_ = false;
  stamp_trusted_ = false;
  checked_in_batch_ = false;
}

BlockLibrary::Batch::Batch(const BlockLibrary& library) : library_(library) {
  if (library_.batch_depth_++ == 0) library_.checked_in_batch_ = false;
}

BlockLibrary::Batch::~Batch() {
  if (--library_.batch_depth_ == 0) library_.checked_in_batch_ = false;
}

std::string BlockLibrary::BlockNameAt(int b) const {
  const Data& data = Current();
  if (!Data::InTable(b)) return data.file.ReadString(Section(b), block_file::kName, "");
  return data.Type(b)->name;
}

int BlockLibrary::BlockIndexByName(std::string_view name) const {
  const Data& data = Current();
  const auto it = data.first_index.find(name);
  return it == data.first_index.end() ? -1 : it->second;
}

std::string BlockLibrary::RegimeNameAt(int b, int r) const {
  const Data& data = Current();
  if (!Data::InTable(b, r)) {
    return data.file.ReadString(Section(b), block_file::RegimeKey(r), "");
  }
  const Data::BlockRegime* regime = data.Regime(b, r);
  return regime ? regime->name : std::string();
}

int32_t BlockLibrary::RegimePowerAt(int b, int r) const {
  const Data& data = Current();
  if (!Data::InTable(b, r)) {
    return ReadOptionalInteger(data.file, Section(b), block_file::PowerKey(r))
        .value_or(block_file::kDefaultPower);
  }
  const Data::BlockRegime* regime = data.Regime(b, r);
  return regime && regime->power ? *regime->power : block_file::kDefaultPower;
}

double BlockLibrary::RegimeCurrentAt(int b, int r) const {
  const Data& data = Current();
  if (!Data::InTable(b, r)) {
    return data.file.ReadReal(Section(b), block_file::CurrentKey(r), block_file::kDefaultCurrent);
  }
  const Data::BlockRegime* regime = data.Regime(b, r);
  return regime ? regime->current : 0.0;
}

double BlockLibrary::BlockUmin(int b) const {
  const Data& data = Current();
  if (!Data::InTable(b)) {
    return data.file.ReadReal(Section(b), block_file::kUmin, block_file::kDefaultUmin);
  }
  return data.Type(b)->umin;
}

int32_t BlockLibrary::RegimePowerByName(int b, std::string_view regime) const {
  const Data::BlockRegime* found = Current().RegimeByName(b, regime);
  return found && found->power ? *found->power : 0;
}

double BlockLibrary::RegimeCurrentByName(int b, std::string_view regime) const {
  const Data::BlockRegime* found = Current().RegimeByName(b, regime);
  return found ? found->current : 0.0;
}

std::vector<std::pair<std::string, std::string>> BlockLibrary::SectionKeys(int b) const {
  return Current().file.SectionKeys(Section(b));
}

bool BlockLibrary::HasRegime(int b, std::string_view regime) const {
  return Current().RegimeByName(b, regime) != nullptr;
}

int BlockLibrary::BlockCount() const { return Current().count; }

}  // namespace luch
