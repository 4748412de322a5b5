#pragma once
#include "automation/dispatch.h"
#include "export/cell_walk.h"

namespace tabulo::exporting {

// The spreadsheet's no-line style (xlNone): any other LineStyle draws a line.
inline constexpr std::int32_t kLineStyleNone = -4142;

// Adds the cell's set borders to the table block as lines, in this order: top,
// right, bottom, left edge, then (unmerged and anchor cells only) the falling and
// the rising diagonal across the merge area. An edge the upper or left neighbour
// has already drawn as its bottom or right edge is left out. With colorByLayer
// false each line gets the ACI of its border's colour index. A failing call ends
// the cell's work; lines added before it stay.
void AddCellBorders(const automation::Dispatch& sheet, const automation::Dispatch& tableBlock,
                    const CellPlace& place, bool colorByLayer);

}  // namespace tabulo::exporting
