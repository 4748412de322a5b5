#pragma once
#include <optional>

#include "spreadsheet/workbook.h"
#include "spreadsheet/workbook_document.h"

namespace tabulo::spreadsheet {

bool Intersects(const RangeRef& a, const RangeRef& b);

// The merged area holding the cell, if it is merged.
std::optional<RangeRef> MergedAreaAt(const Worksheet& sheet, CellRef cell);
// A range's merge area: the merged area holding the whole range, else the range.
RangeRef MergeAreaOf(const Worksheet& sheet, const RangeRef& range);

// Merges `area`. Merged areas it overlaps join it (the result is the smallest area
// holding them all). One value is kept, in the top-left cell, as workbook files
// store merged cells: the upper-left-most non-empty value (row by row, left to
// right); when it lies elsewhere, it moves to the top-left cell together with its
// font, alignment, wrapping and number format, so a text centred in the middle of
// the area stays as it was shown. Borders stay with their cells. Other values in
// the area are cleared. A single cell is not merged.
void MergeCells(WorkbookDocument& document, Worksheet& sheet, RangeRef area);

// Unmerges every merged area that overlaps `range`.
void UnmergeCells(WorkbookDocument& document, Worksheet& sheet, const RangeRef& range);

}  // namespace tabulo::spreadsheet
