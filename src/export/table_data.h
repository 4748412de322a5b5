#pragma once
// The table data: extended data under the application "Tabulo" on the table
// reference, keeping the grid's row heights, column widths and merged areas so a
// load can rebuild the sheet.
//
// Record layout (n = 4 + nRows + 2 × nCols + m items, group code / value):
//   0                                1001  "Tabulo"
//   1, 2                             1070  nRows, nCols
//   2 + i, i = 1..nRows              1040  rowheight of sheet row i (points)
//   2 + nRows + j, j = 1..nCols      1040  ColumnWidth of sheet column j (characters)
//   2 + nRows + nCols + j            1040  width of sheet column j (points)
//   3 + nRows + 2 × nCols + k        1000  merged area k, as $B$2:$D$3
//   n - 1                            1040  ColumnWidth / width of column 1
// nRows and nCols span the whole exported grid from A1 (the used range's last row
// and column), so a used range that does not start at A1 still loads back.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "automation/dispatch.h"

namespace tabulo::exporting {

inline constexpr std::string_view kTableDataApplication = "Tabulo";
inline constexpr std::string_view kAttachError = "Error occured when attaching data.";

// The two parallel arrays of the record, both from index 0.
struct TableDataRecord {
  automation::Array codes;   // 16-bit group codes
  automation::Array values;  // variants
};

// Reads the record for the sheet's grid and merged areas.
TableDataRecord BuildTableData(const automation::Dispatch& sheet,
                               const std::vector<std::string>& mergedAreas);

// Registers "Tabulo" in the reference's document and writes the record onto the
// table reference in one call. On any failure shows "Error occured when attaching
// data." and returns false; nothing is written then.
bool AttachTableData(const automation::Dispatch& sheet, const automation::Dispatch& tableReference,
                     const std::vector<std::string>& mergedAreas);

}  // namespace tabulo::exporting
