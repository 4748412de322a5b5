#pragma once
#include "automation/dispatch.h"
#include "load/load_state.h"

namespace tabulo::load {

// Turns one line entity of the table block into a border of `sheet`. A vertical
// line at column edge j becomes the left border of column j + 1 in the row holding
// its middle; a horizontal line at row edge i the top border of row i + 1 in the
// column holding its middle. Diagonals are only recorded in `state` (rising in
// DiagonalUpBorders at the area's top-right cell, falling in DiagonalDownBorders at
// its top-left cell), to be applied after the merges. Reads the edges of `state`,
// never writes them. A failing automation call passes up to the caller.
void LineToBorder(const automation::Dispatch& sheet, const automation::Dispatch& line,
                  LoadState& state);

}  // namespace tabulo::load
