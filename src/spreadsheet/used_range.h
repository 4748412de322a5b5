#pragma once
#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet {

// The sheet's used range as the spreadsheet reports it: the smallest area holding
// every cell with a value or a format other than the workbook's default, and
// every merged area. A sheet with none of these reports A1 alone. Row and column
// formats, sizes and the dimensions a file records play no part.
RangeRef UsedRange(const Workbook& workbook, const Worksheet& sheet);

}  // namespace tabulo::spreadsheet
