#include "load/line_to_border.h"

#include <cmath>

#include "color/color_mapping.h"

namespace tabulo::load {
namespace {

using automation::Dispatch;

constexpr std::int32_t kEdgeLeft = 7;
constexpr std::int32_t kEdgeTop = 8;
constexpr std::int32_t kContinuous = 1;

// Restores one edge border: a continuous line in the line's colour.
void SetEdgeBorder(const Dispatch& sheet, const Dispatch& line, std::int32_t row,
                   std::int32_t column, std::int32_t borderIndex) {
  Dispatch border =
      sheet.get("cells").call("item", row, column).get("borders").call("Item", borderIndex);
  border.put("LineStyle", kContinuous);
  border.put("colorindex", color::ExcelColorForAci(line.get("color").toInt32()));
}

}  // namespace

void LineToBorder(const Dispatch& sheet, const Dispatch& line, LoadState& state) {
  const automation::Point3 s = automation::ToPoint(line.get("startpoint").value());
  const automation::Point3 e = automation::ToPoint(line.get("endpoint").value());

  if (s.x == e.x) {
    // Vertical (also a line whose ends coincide): left border of the next column.
    std::int32_t colIdx = ExactEdge(state.ColumnEdges, s.x);
    double mid = (s.y + e.y) / 2;
    std::int32_t rowIdx = ContainingInterval(state.RowEdges, std::fabs(mid));
    SetEdgeBorder(sheet, line, rowIdx, colIdx + 1, kEdgeLeft);
  } else if (s.y == e.y) {
    // Horizontal: top border of the next row.
    std::int32_t rowIdx = ExactEdge(state.RowEdges, std::fabs(s.y));
    double mid = (s.x + e.x) / 2;
    std::int32_t colIdx = ContainingInterval(state.ColumnEdges, std::fabs(mid));
    SetEdgeBorder(sheet, line, rowIdx + 1, colIdx, kEdgeTop);
  } else {
    // Diagonal: the export starts both kinds on the top side of their area, so the
    // start point names the area's top-right (rising) or top-left (falling) cell.
    std::int32_t colIdx = ExactEdge(state.ColumnEdges, s.x);
    std::int32_t rowIdx = ExactEdge(state.RowEdges, std::fabs(s.y));
    double slope = (s.y - e.y) / (s.x - e.x);
    auto aciLowBits = static_cast<std::uint8_t>(line.get("color").toInt32() & 0xFF);
    if (slope > 0)
      state.DiagonalUpBorders.push_back({rowIdx + 1, colIdx, aciLowBits});
    else
      state.DiagonalDownBorders.push_back({rowIdx + 1, colIdx + 1, aciLowBits});
  }
}

}  // namespace tabulo::load
