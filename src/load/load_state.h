#pragma once
#include <cstdint>
#include <vector>

namespace tabulo::load {

// A diagonal border found among the table block's lines, applied after the merges
// so that it spans the whole merged area of its cell.
struct TDiagonalBorder {
  std::int32_t Row = 0;    // sheet row of one cell of the diagonal's area, from 1
  std::int32_t Col = 0;    // sheet column of that cell, from 1
  std::uint8_t Color = 0;  // low 8 bits of the line's ACI
  friend bool operator==(const TDiagonalBorder&, const TDiagonalBorder&) = default;
};

// What the load driver shares with the entity handlers. Cell (r, c) covers x from
// ColumnEdges[c - 1] to ColumnEdges[c] and the distances below the block origin
// from RowEdges[r - 1] to RowEdges[r], all in block units (points).
struct LoadState {
  std::vector<double> ColumnEdges;  // entry 0 is 0.0, entry j the right edge of column j
  std::vector<double> RowEdges;     // entry 0 is 0.0, entry i the bottom edge of row i
  std::vector<TDiagonalBorder> DiagonalUpBorders;    // rising, in the order found
  std::vector<TDiagonalBorder> DiagonalDownBorders;  // falling, in the order found
};

// The module's one load state: emptied and rebuilt by every load, kept until the
// library unloads.
LoadState& ModuleLoadState();

// Index of the first entry equal to `coordinate` (no tolerance: the export formed
// its coordinates by the same running sums); 0 when none is.
std::int32_t ExactEdge(const std::vector<double>& edges, double coordinate);
// Index of the first entry strictly greater than `coordinate`, so a coordinate on
// an edge belongs to the interval after it; 0 when none is.
std::int32_t ContainingInterval(const std::vector<double>& edges, double coordinate);

}  // namespace tabulo::load
