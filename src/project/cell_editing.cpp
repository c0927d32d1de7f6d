#include "project/cell_editing.h"

#include "common/savable_text.h"
#include "library/block_library.h"
#include "library/cable_library.h"
#include "project/typed_length.h"

namespace luch {
namespace {

constexpr int kBlockMenuLimit = 1024;  // the block menu lists indices 0..1024
constexpr int kRegimeMenuLimit = 32;   // the regime menu lists regimes 1..32

char Separator(const CellEditContext& ctx) { return ctx.platform.locale->DecimalSeparator(); }

bool EditAddress(CellEditContext& ctx, int row) {
  const bool typed = !ctx.typed.empty();
  const std::optional<std::string> answer =
      AskSavable(ctx.platform, "Адрес блока ", "Введите адрес расположения блока",
                 typed ? ctx.typed : ctx.table.Address(row), typed);
  if (answer) ctx.table.SetAddress(row, *answer);
  return answer.has_value();
}

bool EditLength(CellEditContext& ctx, int row) {
  const char* caption = row == 1 ? "Длина кабеля от КМУ" : "Длина кабеля от предыдущего блока";
  const bool typed = !ctx.typed.empty();
  const std::optional<int32_t> length =
      AskLength(ctx.platform, caption, "Введите длину кабеля в метрах",
                typed ? ctx.typed : std::to_string(ctx.table.LengthM(row)), typed);
  if (length) ctx.table.SetLengthM(row, *length);
  ctx.table.UpdateResistance(row, ctx.cables, Separator(ctx));
  return length.has_value();
}

}  // namespace

ChoiceMenu BuildCableMenu(const CableLibrary& cables) {
  ChoiceMenu menu{ChoiceMenuKind::kCable, {}};
  for (int i = 1; i <= cables.CableCount(); ++i) menu.items.push_back({cables.CableNameAt(i), i});
  return menu;
}

ChoiceMenu BuildBlockMenu(const BlockLibrary& blocks) {
  const BlockLibrary::Batch batch(blocks);  // one look at the file for the whole menu
  ChoiceMenu menu{ChoiceMenuKind::kBlock, {}};
  for (int b = 0; b <= kBlockMenuLimit; ++b) {
    std::string name = blocks.BlockNameAt(b);
    if (name.empty()) break;
    menu.items.push_back({std::move(name), b});
  }
  return menu;
}

ChoiceMenu BuildRegimeMenu(const BlockLibrary& blocks, const std::string& block_name) {
  const BlockLibrary::Batch batch(blocks);
  const int b = blocks.BlockIndexByName(block_name);
  if (b == -1) return {};
  ChoiceMenu menu{ChoiceMenuKind::kRegime, {}};
  for (int r = 1; r <= kRegimeMenuLimit; ++r) {
    std::string name = blocks.RegimeNameAt(b, r);
    if (name.empty()) break;
    menu.items.push_back({std::move(name), b});
  }
  return menu;
}

bool OpensPrompt(int col) { return col == kAddress || col == kLengthM; }

ChoiceMenu StringGrid1DblClick(CellEditContext& ctx) {
  const int row = ctx.clicked.row;
  if (row < 1 || row > ctx.table.BlockCount()) return {};
  if (!ctx.typed.empty() && !OpensPrompt(ctx.clicked.col)) return {};
  ChoiceMenu done;
  switch (ctx.clicked.col) {
    case kAddress:
      done.edited = EditAddress(ctx, row);
      return done;
    case kCableName:
      return BuildCableMenu(ctx.cables);
    case kLengthM:
      done.edited = EditLength(ctx, row);
      return done;
    case kResistanceOhm:
      ctx.table.UpdateResistance(row, ctx.cables, Separator(ctx));
      break;
    case kBlockName:
      return BuildBlockMenu(ctx.blocks);
    case kRegimeName:
      return BuildRegimeMenu(ctx.blocks, ctx.table.BlockName(row));
    case kHasZB:
      ctx.table.SetHasZB(row, !ctx.table.HasZB(row));
      done.edited = true;
      return done;
    default:
      break;
  }
  return {};
}

void CableMenuClick(CellEditContext& ctx, const ChoiceItem& item) {
  const int row = ctx.clicked.row;
  ctx.table.SetCableName(row, ctx.cables.CableNameAt(item.tag));
  ctx.table.UpdateResistance(row, ctx.cables, Separator(ctx));
}

void BlockMenuClick(CellEditContext& ctx, const ChoiceItem& item) {
  const int row = ctx.clicked.row;
  const int b = item.tag;
  ctx.table.SetBlockName(row, item.caption);
  ctx.table.SetRegimeName(row, ctx.blocks.RegimeNameAt(b, 1));
  ctx.table.SetPowerMW(row, ctx.blocks.RegimePowerAt(b, 1));
  ctx.table.SetCurrentMA(row, static_cast<float>(ctx.blocks.RegimeCurrentAt(b, 1)));
}

void RegimeMenuClick(CellEditContext& ctx, const ChoiceItem& item) {
  const int row = ctx.clicked.row;
  const int b = item.tag;
  ctx.table.SetRegimeName(row, item.caption);
  ctx.table.SetPowerMW(row, ctx.blocks.RegimePowerByName(b, item.caption));
  ctx.table.SetCurrentMA(row, static_cast<float>(ctx.blocks.RegimeCurrentByName(b, item.caption)));
}

}  // namespace luch
