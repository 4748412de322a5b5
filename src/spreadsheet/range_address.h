#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet {

// An area's address as the spreadsheet writes it: "$B$2" for one cell,
// "$B$2:$D$3" for an area, "$2:$3" for whole rows, "$B:$D" for whole columns.
// Clearing an absolute flag drops the "$" of rows or of columns ("B2").
std::string RangeAddress(const RangeRef& area, bool rowAbsolute = true, bool columnAbsolute = true);

// The area an address names, as the sheet's `range` accepts it: "B2", "$b$2",
// "B2:D3", whole rows "2:3" and whole columns "B:D" (each part may carry "$").
// Empty when the text is no such reference.
std::optional<RangeRef> ParseRangeAddress(std::string_view text);

// Column number of a column name ("A" 1 .. "XFD" 16384, any case); 0 if it is none.
std::int32_t ColumnNumber(std::string_view name);

}  // namespace tabulo::spreadsheet
