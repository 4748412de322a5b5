#include "spreadsheet/merged_areas.h"

#include <algorithm>
#include <variant>

#include "spreadsheet/sheet_cells.h"

namespace tabulo::spreadsheet {

bool Intersects(const RangeRef& a, const RangeRef& b) {
  return a.first.row <= b.last.row && b.first.row <= a.last.row &&
         a.first.column <= b.last.column && b.first.column <= a.last.column;
}

std::optional<RangeRef> MergedAreaAt(const Worksheet& sheet, CellRef cell) {
  for (const RangeRef& area : sheet.mergedAreas)
    if (area.contains(cell)) return area;
  return std::nullopt;
}

RangeRef MergeAreaOf(const Worksheet& sheet, const RangeRef& range) {
  if (auto area = MergedAreaAt(sheet, range.first); area && area->contains(range.last))
    return *area;
  return range;
}

void MergeCells(WorkbookDocument& document, Worksheet& sheet, RangeRef area) {
  // Grow the area over every merged area it touches, until nothing more joins.
  for (bool grown = true; grown;) {
    grown = false;
    for (const RangeRef& other : sheet.mergedAreas) {
      if (!Intersects(area, other)) continue;
      RangeRef joined{
          {std::min(area.first.row, other.first.row),
           std::min(area.first.column, other.first.column)},
          {std::max(area.last.row, other.last.row), std::max(area.last.column, other.last.column)}};
      if (!(joined == area)) {
        area = joined;
        grown = true;
      }
    }
  }
  std::erase_if(sheet.mergedAreas, [&](const RangeRef& other) { return Intersects(area, other); });
  document.touch();
  if (area.first == area.last) return;

  // The kept value: the first non-empty one, row by row from the top-left.
  std::optional<CellRef> kept;
  for (std::int32_t r = area.first.row; r <= area.last.row && !kept; ++r) {
    for (auto it = sheet.cells.lower_bound({r, area.first.column});
         it != sheet.cells.end() && it->first.row == r && it->first.column <= area.last.column;
         ++it) {
      if (!std::holds_alternative<std::monostate>(it->second.value)) {
        kept = it->first;
        break;
      }
    }
  }

  const CellRef topLeft = area.first;
  if (kept && *kept != topLeft) {
    const Cell source = sheet.cells.at(*kept);
    CellFormat moved = FormatAt(document.model, sheet, *kept);
    moved.borders = FormatAt(document.model, sheet, topLeft).borders;
    const std::uint32_t format = document.internFormat(moved);
    Cell& target = sheet.cells[topLeft];
    target.value = source.value;
    target.hasFormula = source.hasFormula;
    target.format = format;
  }
  for (std::int32_t r = area.first.row; r <= area.last.row; ++r) {
    for (auto it = sheet.cells.lower_bound({r, area.first.column});
         it != sheet.cells.end() && it->first.row == r && it->first.column <= area.last.column;
         ++it) {
      if (it->first == topLeft) continue;
      it->second.value = std::monostate{};
      it->second.hasFormula = false;
    }
  }
  sheet.mergedAreas.push_back(area);
}

void UnmergeCells(WorkbookDocument& document, Worksheet& sheet, const RangeRef& range) {
  std::erase_if(sheet.mergedAreas, [&](const RangeRef& area) { return Intersects(area, range); });
  document.touch();
}

}  // namespace tabulo::spreadsheet
