#include "project/project_file.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/cp1251.h"
#include "common/file_io.h"
#include "common/number_text.h"
#include "common/numbers.h"
#include "common/profile_file.h"
#include "common/savable_text.h"
#include "project/row_format.h"

namespace luch {
namespace {

namespace ray = ray_format;  // the keys of section "Луч"
namespace row = row_format;  // the keys of a row section

constexpr double kDefaultVoltage = 28.0;
constexpr double kDefaultZB = 40.0;
constexpr double kDefaultAccuracy = 0.05;
constexpr double kDefaultCurrent = 1000.0;

// A parameter read as a 64-bit real, held as a 32-bit one. A value beyond the
// 32-bit range is kept at the largest 32-bit value of its sign rather than
// becoming infinite.
float ToParameter(double value) {
  if (value > FLT_MAX) return FLT_MAX;
  if (value < -FLT_MAX) return -FLT_MAX;
  return static_cast<float>(value);
}

// The count control's position: the stored whole number kept inside
// 1..4096. (Not cut to the control's 16 bits first: a count of 40000 would
// open one row of forty thousand without a word.)
int CountFromFile(int32_t stored) {
  if (stored < kMinBlockCount) return kMinBlockCount;
  if (stored > kMaxBlockCount) return kMaxBlockCount;
  return stored;
}

// Row k lives in section "Блок" + k.
std::string BlockSectionName(int row) { return "Блок" + std::to_string(row); }

}  // namespace

void WriteProjectKeys(ProfileFile& file, const ProjectTable& table, const ProjectParameters& params,
                      char decimal_separator) {
  file.WriteInteger(ray::kSection, ray::kCount, table.BlockCount());
  file.WriteReal(ray::kSection, ray::kVoltage, params.SupplyVoltage(), decimal_separator);
  // The five parameters are written as their 32-bit values widened, with the
  // widening error (0.05 -> 0.0500000007450581).
  file.WriteReal(ray::kSection, ray::kZB, static_cast<double>(params.ZBResistance),
                 decimal_separator);
  file.WriteReal(ray::kSection, ray::kAccuracy, static_cast<double>(params.AccuracyStep),
                 decimal_separator);
  file.WriteReal(ray::kSection, ray::kCurrent, static_cast<double>(params.MaxCurrent),
                 decimal_separator);
  file.WriteReal(ray::kSection, ray::kCapacitance, static_cast<double>(params.MaxCapacitance),
                 decimal_separator);
  file.WriteReal(ray::kSection, ray::kInductance, static_cast<double>(params.MaxInductance),
                 decimal_separator);

  for (int k = 1; k <= table.BlockCount(); ++k) {
    const std::string section = BlockSectionName(k);
    file.WriteString(section, row::kAddress, QuotedIfNeeded(table.Address(k)));
    file.WriteString(section, row::kCable, QuotedIfNeeded(table.CableName(k)));
    file.WriteInteger(section, row::kLength, table.LengthM(k));
    file.WriteString(section, row::kBlock, QuotedIfNeeded(table.BlockName(k)));
    file.WriteString(section, row::kRegime, QuotedIfNeeded(table.RegimeName(k)));
    file.WriteInteger(section, row::kPower, table.PowerMW(k));
    file.WriteBool(section, row::kZB, table.HasZB(k));
  }
}

bool SaveProjectFile(const std::filesystem::path& path, const ProjectTable& table,
                     const ProjectParameters& params, char decimal_separator, FileSystem& files,
                     const CarriedTypes* carried) {
  ProfileFile file(path, files);
  // An existing file that cannot be read would be replaced by one that lost
  // its other sections: refuse instead.
  if (!file.existed() && files.Exists(path)) {
    SetLastWriteNote(IsOtherThanFile(files, path) ? NotAFileText(PathToUtf8(path)) : "");
    return false;
  }
  WriteProjectKeys(file, table, params, decimal_separator);
  if (carried) WriteCarriedTypes(file, *carried);
  return file.Save();
}

ProjectLoadResult LoadProjectFile(const std::filesystem::path& path, ProjectTable& table,
                                  ProjectParameters& params, FileSystem& files) {
  if (IsOtherThanFile(files, path)) return {ProjectLoad::kNotAFile};
  if (!files.FileExists(path)) return {ProjectLoad::kMissing};
  const ProfileFile file(path, files);
  if (!file.existed()) {
    return {file.unreadable() ? ProjectLoad::kUnreadable : ProjectLoad::kMissing};
  }
  // An empty file, a text or binary junk would open as an empty project that
  // Save then mixes into the file.
  if (!file.SectionExists(ray::kSection) && !file.SectionExists(BlockSectionName(1))) {
    return {ProjectLoad::kNotAProject};
  }

  const int32_t stored_count = file.ReadInteger(ray::kSection, ray::kCount, 1);
  table.SetBlockCount(CountFromFile(stored_count));
  // ReadReal never gives an infinite or NaN value: overflow does not parse.
  params.EditU = CFormat("%2.2f", {file.ReadReal(ray::kSection, ray::kVoltage, kDefaultVoltage)});
  params.ZBResistance = ToParameter(file.ReadReal(ray::kSection, ray::kZB, kDefaultZB));
  params.AccuracyStep = ToParameter(file.ReadReal(ray::kSection, ray::kAccuracy, kDefaultAccuracy));
  params.MaxCurrent = ToParameter(file.ReadReal(ray::kSection, ray::kCurrent, kDefaultCurrent));
  params.MaxCapacitance = ToParameter(file.ReadReal(ray::kSection, ray::kCapacitance, 0.0));
  params.MaxInductance = ToParameter(file.ReadReal(ray::kSection, ray::kInductance, 0.0));

  for (int k = 1; k <= table.BlockCount(); ++k) {
    const std::string section = BlockSectionName(k);
    table.SetAddress(k, file.ReadString(section, row::kAddress, ""));
    table.SetCableName(k, file.ReadString(section, row::kCable, ""));
    table.SetLengthM(k, file.ReadInteger(section, row::kLength, 0));
    table.SetBlockName(k, file.ReadString(section, row::kBlock, ""));
    table.SetRegimeName(k, file.ReadString(section, row::kRegime, ""));
    table.SetPowerMW(k, file.ReadInteger(section, row::kPower, 0));
    table.SetHasZB(k, file.ReadBool(section, row::kZB, false));
  }
  return {ProjectLoad::kLoaded, stored_count, ReadCarriedTypes(file)};
}

namespace project_texts {

std::string NotAProject(std::string_view utf8_path) {
  return "Файл " + std::string(utf8_path) + " не является проектом луча.";
}

std::string FirstBlocksOnly(int32_t stored_count) {
  return "Блоков в проекте: " + std::to_string(stored_count) + "; открыты первые " +
         std::to_string(kMaxBlockCount) + ".";
}

}  // namespace project_texts

std::string UnsavableRowsMessage(const ProjectTable& table, int top, int bottom) {
  constexpr size_t kListedRows = 10;  // the rest counted, so that the box fits the screen
  std::string texts;                  // one per line: no character forms across two
  std::vector<int> rows;
  for (int r = std::max(top, 1); r <= std::min(bottom, table.BlockCount()); ++r) {
    bool unsavable = false;
    for (const std::string* text :
         {&table.Address(r), &table.CableName(r), &table.BlockName(r), &table.RegimeName(r)}) {
      if (FitsCp1251(*text)) continue;
      texts += *text + "\n";
      unsavable = true;
    }
    if (unsavable) rows.push_back(r);
  }
  if (rows.empty()) return {};
  std::string message = UnsavableMessage(texts) + "\nСтроки: ";
  for (size_t k = 0; k < rows.size() && k < kListedRows; ++k) {
    message += (k > 0 ? ", " : "") + std::to_string(rows[k]);
  }
  if (rows.size() > kListedRows) message += " и ещё " + std::to_string(rows.size() - kListedRows);
  return message;
}

}  // namespace luch
