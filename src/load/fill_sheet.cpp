#include "load/fill_sheet.h"

#include <optional>

#include "automation/activation.h"
#include "automation/dispatch.h"
#include "automation/error.h"
#include "color/color_mapping.h"
#include "export/progress.h"
#include "load/line_to_border.h"
#include "load/load_state.h"
#include "load/mtext_to_cell.h"
#include "load/table_data.h"
#include "platform/ui.h"

namespace tabulo::load {
namespace {

using automation::Dispatch;
using automation::Variant;

constexpr std::int32_t kDiagonalDown = 5;
constexpr std::int32_t kDiagonalUp = 6;
constexpr std::int32_t kContinuous = 1;

void ShowError(const std::string& text) noexcept {
  try {
    platform::CurrentUi().ErrorBox(text);
  } catch (...) {
    // Nothing is left to tell the user with.
  }
}

// The same 32-bit pattern as objectId: the host reports ids as signed 32-bit
// integers, a stand-in may report the unsigned value.
bool IsObjectId(const Variant& id, std::uint32_t objectId) {
  if (const auto* i = id.getIf<std::int32_t>()) return static_cast<std::uint32_t>(*i) == objectId;
  double d = id.toDouble();
  return d >= -2147483648.0 && d < 4294967296.0 &&
         d == static_cast<double>(static_cast<std::int64_t>(d)) &&
         static_cast<std::uint32_t>(static_cast<std::int64_t>(d)) == objectId;
}

// The first model-space object with that id, by a linear scan in index order.
std::optional<Dispatch> FindTableReference(const Dispatch& modelSpace, std::uint32_t objectId) {
  const std::int32_t count = modelSpace.get("count").toInt32();
  for (std::int32_t i = 0; i < count; ++i) {
    Dispatch item = modelSpace.call("item", i);
    if (IsObjectId(item.get("ObjectID").value(), objectId)) return item;
  }
  return std::nullopt;
}

// Row heights and column widths written to the sheet; edges as running double sums formed
// one addition at a time, as the export formed its coordinates.
void RestoreGrid(const Dispatch& sheet, const TableData& data, LoadState& state) {
  const std::int32_t n = data.rowCount(), m = data.columnCount();
  for (std::int32_t i = 1; i <= n; ++i) sheet.get("rows", i).put("rowheight", data.rowHeight(i));
  for (std::int32_t j = 1; j <= m; ++j)
    sheet.get("Columns", j).put("ColumnWidth", data.columnWidth(j));

  state.ColumnEdges.assign(1, 0.0);
  double x = 0.0;
  for (std::int32_t j = 1; j <= m; ++j) {
    x = x + data.columnPoints(j).toDouble();
    state.ColumnEdges.push_back(x);
  }
  state.RowEdges.assign(1, 0.0);
  double y = 0.0;
  for (std::int32_t i = 1; i <= n; ++i) {
    y = y + data.rowHeight(i).toDouble();
    state.RowEdges.push_back(y);
  }
}

// Every entity of the table block, lines and texts to their handlers, with the
// progress bar moved before each one; other entities are skipped.
void WalkBlock(const Dispatch& sheet, const Dispatch& block, exporting::TfrmProgress& progress,
               LoadState& state) {
  const std::int32_t bound = block.get("count").toInt32();
  std::int32_t counter = 0;
  for (std::int32_t k = 0; k < bound; ++k) {
    ++counter;
    platform::CurrentUi().ProcessMessages();
    progress.SetPosition(exporting::ProgressPosition(counter, block.get("count").toInt32()));
    Dispatch entity = block.call("item", k);
    if (entity.get("objectname").toString() == "AcDbLine")
      LineToBorder(sheet, entity, state);
    else if (entity.get("objectname").toString() == "AcDbMText")
      MTextToCell(sheet, entity, state);
  }
}

void ApplyDiagonals(const Dispatch& sheet, const std::vector<TDiagonalBorder>& diagonals,
                    std::int32_t borderIndex) {
  for (const TDiagonalBorder& d : diagonals) {
    Dispatch border = sheet.get("cells")
                          .call("item", d.Row, d.Col)
                          .get("MergeArea")
                          .get("borders")
                          .call("item", borderIndex);
    border.put("LineStyle", kContinuous);
    border.put("colorindex", color::ExcelColorForAci(d.Color));
  }
}

// Everything but the clean-up. Returns false when the object id was not found (the user has
// been told); throws for every other failure.
bool Load(const automation::ObjectPtr& excelApp, std::uint32_t objectId,
          exporting::ProgressWindowGuard& progressWindow) {
  LoadState& state = ModuleLoadState();
  state.DiagonalUpBorders.clear();
  state.DiagonalDownBorders.clear();

  const Dispatch sheet = Dispatch(excelApp).get("activesheet");
  const Dispatch acad(automation::GetActiveObject("AutoCAD.Application"));
  const Dispatch modelSpace = acad.get("activedocument").get("modelspace");

  std::optional<Dispatch> reference = FindTableReference(modelSpace, objectId);
  if (!reference) {
    ShowError(BlockNotFoundMessage(objectId));
    return false;
  }

  const TableData data = TableData::Read(*reference);
  RestoreGrid(sheet, data, state);

  const Dispatch blocks = acad.get("activedocument").get("blocks");
  const Dispatch block = blocks.call("item", reference->get("name").toString());

  WalkBlock(sheet, block, progressWindow.Create(), state);

  // Merges after every border and text, diagonals after the merges (rising first)
  // so that a diagonal spans the whole merged area of its cell.
  for (std::int32_t q = data.firstMerge(); q <= data.lastMerge(); ++q)
    sheet.get("range", data.mergeAddress(q)).put("mergecells", true);
  ApplyDiagonals(sheet, state.DiagonalUpBorders, kDiagonalUp);
  ApplyDiagonals(sheet, state.DiagonalDownBorders, kDiagonalDown);
  return true;
}

}  // namespace

std::string BlockNotFoundMessage(std::uint32_t objectId) {
  return "Can't find the Block(Id:" + std::to_string(objectId) + ")";
}

void FillSheet(automation::ObjectPtr excelApp, std::uint32_t objectId) noexcept {
  bool told = false;
  {
    exporting::ProgressWindowGuard progressWindow;  // destroyed before visible := true
    try {
      told = !Load(excelApp, objectId, progressWindow);
    } catch (...) {
      ShowError(kLoadFailedMessage);
      told = true;
    }
  }
  try {
    Dispatch(excelApp).put("visible", true);
  } catch (...) {
    // A spreadsheet that cannot be shown after a message was already given is not
    // worth a second box.
    if (!told) ShowError(kLoadFailedMessage);
  }
}

}  // namespace tabulo::load
