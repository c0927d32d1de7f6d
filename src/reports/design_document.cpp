#include "reports/design_document.h"

#include "calc/project_setup.h"
#include "common/file_io.h"
#include "library/block_library.h"
#include "reports/document_texts.h"

namespace luch {

namespace t = document_texts;

namespace {

std::vector<std::pair<std::string, std::string>> Inputs(const ProjectParameters& params) {
  const ProjectSetup shown(params);
  const auto limit = [](const std::string& text, float value) {
    return value == 0.0f ? text + t::kNoCheck : text;
  };
  return {
      {t::kSupply, params.EditU},
      {setup_texts::kGroupZB, shown.EditRZB},
      {setup_texts::kGroupStep, shown.EditStep},
      {setup_texts::kGroupImax, shown.EditImax},
      {setup_texts::kGroupC, limit(shown.EditC, params.MaxCapacitance)},
      {setup_texts::kGroupL, limit(shown.EditL, params.MaxInductance)},
  };
}

}  // namespace

DesignDocument BuildDesignDocument(const DesignSources& s) {
  DesignDocument doc;
  doc.caption = t::kCaption;
  doc.project = std::string(t::kProject) +
                (s.project_file.empty() ? std::string(t::kNewProject) : FileNameOf(s.project_file));
  doc.project_path = s.project_file;
  doc.date_time = s.date_time;
  doc.inputs = Inputs(s.params);
  doc.results = {s.status.bar2[0], s.status.bar2[1], s.status.bar2[2], s.status.bar2[3],
                 s.status.bar1[1], s.status.bar1[2], s.status.bar1[3], s.status.bar1[4]};
  for (const char* header : kColumnHeaders) {
    std::string text = header;
    if (!text.empty() && text.front() == ' ') text.erase(0, 1);
    doc.headers.push_back(std::move(text));
  }
  const int n = s.table.BlockCount();
  doc.rows.reserve(static_cast<size_t>(n));
  doc.voltage.reserve(static_cast<size_t>(n));
  BlockLibrary::Batch batch(s.blocks);
  for (int row = 1; row <= n; ++row) {
    doc.rows.push_back(s.table.GetRow(row));
    doc.voltage.push_back(VoltageCellColours(s.table, s.blocks, kVoltageV, row, false));
  }
  for (const Problem& problem : s.problems) doc.problems.push_back(problem.text);
  if (doc.problems.empty()) doc.problems.emplace_back(t::kNoProblems);
  doc.profile = BuildVoltageProfile(s.table, s.params, s.blocks, s.decimal_separator);
  const Quantities quantities = CountQuantities(s.table, s.cables, s.blocks);
  doc.quantities = QuantityTable(quantities);
  doc.quantities_marked = quantities.any_unknown;
  return doc;
}

}  // namespace luch
