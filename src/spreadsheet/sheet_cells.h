#pragma once
// Reading and changing cells, rows and columns of a worksheet in the data model,
// as the object model does it. Rows and columns count from 1.
#include <cstdint>
#include <functional>

#include "spreadsheet/workbook.h"
#include "spreadsheet/workbook_document.h"

namespace tabulo::spreadsheet {

// Format index a cell shows: its own when listed, else its row's, else its
// column's, else the default (0).
std::uint32_t FormatIndexAt(const Worksheet& sheet, CellRef cell);
const CellFormat& FormatAt(const Workbook& workbook, const Worksheet& sheet, CellRef cell);
// The cell's value; empty for a cell not listed.
const CellValue& ValueAt(const Worksheet& sheet, CellRef cell);

// Sets a cell's value, keeping the format it shows. An empty value clears it.
void SetValueAt(WorkbookDocument& document, Worksheet& sheet, CellRef cell, CellValue value);

// Applies `change` to the format of every cell of `area`. Whole rows change their
// row formats and whole columns their column formats, so the cells not listed
// show the change too. `change` runs once per distinct format, not per cell.
void ChangeFormat(WorkbookDocument& document, Worksheet& sheet, const RangeRef& area,
                  const std::function<void(CellFormat&)>& change);

// Height of a row in points; 0 for a hidden row.
double RowHeightAt(const Worksheet& sheet, std::int32_t row);
// Width of a column in whole pixels at 96 dpi; 0 for a hidden column.
std::int32_t ColumnPixelsAt(const Worksheet& sheet, std::int32_t column);
// Width of a column in points: its pixels times 0.75, a multiple of 0.75.
double ColumnPointsAt(const Worksheet& sheet, std::int32_t column);

// Sums over rows first..last (heights, points) and columns first..last (points),
// formed in order; exact for widths, which are whole pixels.
double RowsHeight(const Worksheet& sheet, std::int32_t first, std::int32_t last);
double ColumnsWidth(const Worksheet& sheet, std::int32_t first, std::int32_t last);

// Sets the height (points) of rows first..last; 0 hides them, any other height
// shows them again. All rows at once set the sheet's default height.
void SetRowsHeight(Worksheet& sheet, std::int32_t first, std::int32_t last, double points);
// Sets the width (pixels) of columns first..last; 0 hides them. All columns at
// once set the sheet's default width.
void SetColumnsPixels(Worksheet& sheet, std::int32_t first, std::int32_t last, std::int32_t pixels);

}  // namespace tabulo::spreadsheet
