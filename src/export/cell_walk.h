#pragma once
// The cell walk: rows 1..LastRow, each from column 1 to LastColumn, with every
// cell's rectangle in table-block units (points; origin at the top-left corner of
// A1, y upward so rows lie at negative y, z = 0).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "automation/dispatch.h"

namespace tabulo::exporting {

using automation::Point3;

enum class CellKind {
  Unmerged,  // not part of a merged area
  Anchor,    // top-left cell of a merged area
  Covered,   // any other cell of a merged area
};

// One cell of the walk, as its border and text steps see it.
struct CellPlace {
  std::int32_t r = 0;  // sheet row, from 1
  std::int32_t c = 0;  // sheet column, from 1
  double CellLeft = 0;
  double RowTop = 0;
  Point3 TopLeft, TopRight, BottomRight, BottomLeft;
  // The merge area's rectangle; set for unmerged and anchor cells only.
  Point3 AreaTopLeft, AreaTopRight, AreaBottomRight, AreaBottomLeft;
  CellKind kind = CellKind::Unmerged;
  automation::Dispatch MergeArea;  // the cell itself when it is not merged
};

// Row number of the used range's last row.
std::int32_t ReadLastRow(const automation::Dispatch& sheet);
// Column number of the used range's last column.
std::int32_t ReadLastColumn(const automation::Dispatch& sheet);

// The kind of a cell from its own address and its merge area's address
// (case-sensitive: "$B$2" begins "$B$2:$D$3", so B2 is that area's anchor).
CellKind ClassifyCell(std::string_view cellAddress, std::string_view areaAddress);

// What the walk does for one cell. StartCell comes first (the progress update),
// then CellWork; both run inside the per-cell guard.
struct CellVisitor {
  std::function<void()> StartCell;
  std::function<void(const CellPlace&)> CellWork;
};

// Walks the sheet's grid from A1 down to row lastRow (read once by the caller;
// LastColumn is read afresh for every row), appending each merged area's address to
// mergedAreas when its anchor cell is met. A failure in one cell's own work ends
// that cell silently; the next cell still lies at its proper place. Failures
// outside the cells' work (the extent, a width or height that moves the walk on)
// pass to the caller.
void WalkCells(const automation::Dispatch& sheet, std::int32_t lastRow,
               std::vector<std::string>& mergedAreas, const CellVisitor& visitor);

// Scale of the table reference: the text of a 12-point font (7.8 block units)
// becomes outputScale drawing units high.
double InsertScale(double outputScale);

}  // namespace tabulo::exporting
