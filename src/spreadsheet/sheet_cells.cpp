#include "spreadsheet/sheet_cells.h"

#include <unordered_map>
#include <variant>

namespace tabulo::spreadsheet {
namespace {

bool WholeRows(const RangeRef& a) {
  return a.first.column == 1 && a.last.column == kMaxColumns;
}
bool WholeColumns(const RangeRef& a) {
  return a.first.row == 1 && a.last.row == kMaxRows;
}

// Format indexes mapped through `change`, each worked out once.
class FormatChanger {
 public:
  FormatChanger(WorkbookDocument& document, const std::function<void(CellFormat&)>& change)
      : document_(document), change_(change) {}
  std::uint32_t operator()(std::uint32_t from) {
    auto it = done_.find(from);
    if (it != done_.end()) return it->second;
    CellFormat format = from < document_.model.formats.size() ? document_.model.formats[from]
                                                              : document_.model.formats[0];
    change_(format);
    std::uint32_t to = document_.internFormat(format);
    done_.emplace(from, to);
    return to;
  }

 private:
  WorkbookDocument& document_;
  const std::function<void(CellFormat&)>& change_;
  std::unordered_map<std::uint32_t, std::uint32_t> done_;
};

}  // namespace

std::uint32_t FormatIndexAt(const Worksheet& sheet, CellRef cell) {
  if (auto it = sheet.cells.find(cell); it != sheet.cells.end()) return it->second.format;
  if (auto it = sheet.rowFormats.find(cell.row); it != sheet.rowFormats.end()) return it->second;
  if (auto it = sheet.columnFormats.find(cell.column); it != sheet.columnFormats.end())
    return it->second;
  return 0;
}

const CellFormat& FormatAt(const Workbook& workbook, const Worksheet& sheet, CellRef cell) {
  const std::uint32_t index = FormatIndexAt(sheet, cell);
  return index < workbook.formats.size() ? workbook.formats[index] : workbook.formats[0];
}

const CellValue& ValueAt(const Worksheet& sheet, CellRef cell) {
  static const CellValue kEmpty;
  auto it = sheet.cells.find(cell);
  return it == sheet.cells.end() ? kEmpty : it->second.value;
}

void SetValueAt(WorkbookDocument& document, Worksheet& sheet, CellRef cell, CellValue value) {
  auto it = sheet.cells.find(cell);
  if (it == sheet.cells.end()) {
    if (std::holds_alternative<std::monostate>(value)) return;
    it = sheet.cells.emplace(cell, Cell{{}, FormatIndexAt(sheet, cell), false}).first;
  }
  it->second.value = std::move(value);
  it->second.hasFormula = false;
  document.touch();
}

void ChangeFormat(WorkbookDocument& document, Worksheet& sheet, const RangeRef& area,
                  const std::function<void(CellFormat&)>& change) {
  FormatChanger changed(document, change);
  document.touch();
  auto changeCell = [&](CellRef ref) {
    auto it = sheet.cells.find(ref);
    if (it != sheet.cells.end())
      it->second.format = changed(it->second.format);
    else
      sheet.cells.emplace(ref, Cell{{}, changed(FormatIndexAt(sheet, ref)), false});
  };

  if (WholeColumns(area)) {
    // Listed cells and the crossings with formatted rows change one by one; every
    // other cell of the columns shows its column's format.
    for (auto& [ref, cell] : sheet.cells)
      if (ref.column >= area.first.column && ref.column <= area.last.column)
        cell.format = changed(cell.format);
    for (const auto& [row, format] : sheet.rowFormats)
      for (std::int32_t c = area.first.column; c <= area.last.column; ++c)
        if (!sheet.cells.count({row, c})) changeCell({row, c});
    for (std::int32_t c = area.first.column; c <= area.last.column; ++c) {
      auto it = sheet.columnFormats.find(c);
      sheet.columnFormats[c] = changed(it == sheet.columnFormats.end() ? 0 : it->second);
    }
    return;
  }
  if (WholeRows(area)) {
    for (auto& [ref, cell] : sheet.cells)
      if (ref.row >= area.first.row && ref.row <= area.last.row) cell.format = changed(cell.format);
    for (const auto& [column, format] : sheet.columnFormats)
      for (std::int32_t r = area.first.row; r <= area.last.row; ++r)
        if (!sheet.cells.count({r, column}) && !sheet.rowFormats.count(r)) changeCell({r, column});
    for (std::int32_t r = area.first.row; r <= area.last.row; ++r) {
      auto it = sheet.rowFormats.find(r);
      sheet.rowFormats[r] = changed(it == sheet.rowFormats.end() ? 0 : it->second);
    }
    return;
  }
  for (std::int32_t r = area.first.row; r <= area.last.row; ++r)
    for (std::int32_t c = area.first.column; c <= area.last.column; ++c) changeCell({r, c});
}

double RowHeightAt(const Worksheet& sheet, std::int32_t row) {
  if (auto it = sheet.hiddenRows.find(row); it != sheet.hiddenRows.end() && it->second) return 0.0;
  auto it = sheet.rowHeights.find(row);
  return it == sheet.rowHeights.end() ? sheet.defaultRowHeight : it->second;
}

std::int32_t ColumnPixelsAt(const Worksheet& sheet, std::int32_t column) {
  auto it = sheet.columnPixels.find(column);
  return it == sheet.columnPixels.end() ? sheet.defaultColumnPixels : it->second;
}

double ColumnPointsAt(const Worksheet& sheet, std::int32_t column) {
  return ColumnPixelsAt(sheet, column) * 0.75;
}

double RowsHeight(const Worksheet& sheet, std::int32_t first, std::int32_t last) {
  double sum = 0.0;
  for (std::int32_t r = first; r <= last; ++r) sum += RowHeightAt(sheet, r);
  return sum;
}

double ColumnsWidth(const Worksheet& sheet, std::int32_t first, std::int32_t last) {
  std::int64_t pixels = 0;
  for (std::int32_t c = first; c <= last; ++c) pixels += ColumnPixelsAt(sheet, c);
  return static_cast<double>(pixels) * 0.75;
}

void SetRowsHeight(Worksheet& sheet, std::int32_t first, std::int32_t last, double points) {
  if (first == 1 && last == kMaxRows) {
    sheet.defaultRowHeight = points;
    sheet.rowHeights.clear();
    sheet.hiddenRows.clear();
    return;
  }
  for (std::int32_t r = first; r <= last; ++r) {
    sheet.rowHeights[r] = points;
    sheet.hiddenRows.erase(r);
  }
}

void SetColumnsPixels(Worksheet& sheet, std::int32_t first, std::int32_t last,
                      std::int32_t pixels) {
  if (first == 1 && last == kMaxColumns) {
    sheet.defaultColumnPixels = pixels;
    sheet.columnPixels.clear();
    return;
  }
  for (std::int32_t c = first; c <= last; ++c) sheet.columnPixels[c] = pixels;
}

}  // namespace tabulo::spreadsheet
