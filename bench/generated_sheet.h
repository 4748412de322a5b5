#pragma once
#include <cstdint>

#include <benchmark/benchmark.h>

#include "spreadsheet/workbook.h"

namespace tabulo::bench {

// A one-sheet workbook of `rows` × `columns` (both at least 1) shaped like a
// formatted report, the same shape make_workbook.py writes:
//   row 1       header texts, bold, centred, wrapped, blue box, 30 points high;
//   column 1    "Item n" labels, 120 pixels wide; every 4th column 80 pixels;
//   other cells numbers, "#,##0.00" (every 3rd column "0.0%"), thin box;
//   every 10th  row: "Subtotal ..." merged over columns 1..3, red box, centred;
//   every 7th   row: a falling diagonal in the last column.
spreadsheet::Workbook MakeFormattedSheet(std::int32_t rows, std::int32_t columns);

// The sheet sizes every grid benchmark runs, so export and load read side by side:
// rows grow with columns fixed, then columns with rows fixed. The largest are near
// what the table data can carry (16 KiB of extended data: about 1,500 rows here).
void GridSizes(benchmark::internal::Benchmark* benchmark);

}  // namespace tabulo::bench
