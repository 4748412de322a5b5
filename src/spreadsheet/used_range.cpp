#include "spreadsheet/used_range.h"

#include <algorithm>
#include <variant>
#include <vector>

namespace tabulo::spreadsheet {

RangeRef UsedRange(const Workbook& workbook, const Worksheet& sheet) {
  // Which formats count as formatting, worked out once per format, not per cell.
  std::vector<bool> formatted(workbook.formats.size(), false);
  for (std::size_t i = 1; i < workbook.formats.size(); ++i)
    formatted[i] = !(workbook.formats[i] == workbook.formats[0]);

  bool any = false;
  RangeRef used{{kMaxRows, kMaxColumns}, {1, 1}};
  auto include = [&](CellRef first, CellRef last) {
    any = true;
    used.first.row = std::min(used.first.row, first.row);
    used.first.column = std::min(used.first.column, first.column);
    used.last.row = std::max(used.last.row, last.row);
    used.last.column = std::max(used.last.column, last.column);
  };
  for (const auto& [ref, cell] : sheet.cells) {
    const bool hasValue = !std::holds_alternative<std::monostate>(cell.value);
    const bool hasFormat = cell.format < formatted.size() && formatted[cell.format];
    if (hasValue || hasFormat) include(ref, ref);
  }
  for (const RangeRef& area : sheet.mergedAreas) include(area.first, area.last);
  if (!any) return RangeRef{{1, 1}, {1, 1}};
  return used;
}

}  // namespace tabulo::spreadsheet
