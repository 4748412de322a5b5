#include "export/cell_borders.h"

#include <optional>

#include "color/color_mapping.h"

namespace tabulo::exporting {
namespace {

using automation::Dispatch;
using automation::Variant;

// Border indexes of borders.Item.
constexpr std::int32_t kDiagonalDown = 5;
constexpr std::int32_t kDiagonalUp = 6;
constexpr std::int32_t kEdgeLeft = 7;
constexpr std::int32_t kEdgeTop = 8;
constexpr std::int32_t kEdgeBottom = 9;
constexpr std::int32_t kEdgeRight = 10;

Dispatch BorderOf(const Dispatch& sheet, std::int32_t r, std::int32_t c, std::int32_t index) {
  return sheet.get("cells").call("item", r, c).get("borders").call("Item", index);
}

bool IsSet(const Dispatch& border) {
  return border.get("LineStyle").toInt32() != kLineStyleNone;
}

Variant PointVariant(const Point3& p) {
  return Variant(automation::MakePoint(p.x, p.y, p.z));
}

// The facing border of the cell above or to the left, visited earlier in the walk.
struct Neighbour {
  std::int32_t r, c, index;
};

// One step: the border of the cell at `index`, unless the neighbour's facing
// border is set and so already stands for the same segment.
void AddBorderLine(const Dispatch& sheet, const Dispatch& tableBlock, const CellPlace& place,
                   std::int32_t index, const Point3& from, const Point3& to, bool colorByLayer,
                   std::optional<Neighbour> neighbour = std::nullopt) {
  Dispatch border = BorderOf(sheet, place.r, place.c, index);
  if (!IsSet(border)) return;
  if (neighbour && IsSet(BorderOf(sheet, neighbour->r, neighbour->c, neighbour->index))) return;

  Variant start = PointVariant(from);
  Variant end = PointVariant(to);
  std::vector<Variant> args{Variant::RefTo(start), Variant::RefTo(end)};
  Dispatch line = tableBlock.invoke("addline", args);
  if (colorByLayer) return;
  Variant aci(color::AciForExcelColor(border.get("colorindex").toInt32()));
  line.put("color", Variant::RefTo(aci));
}

}  // namespace

void AddCellBorders(const Dispatch& sheet, const Dispatch& tableBlock, const CellPlace& place,
                    bool colorByLayer) {
  const std::int32_t r = place.r, c = place.c;
  std::optional<Neighbour> above, left;
  if (r > 1) above = Neighbour{r - 1, c, kEdgeBottom};
  if (c > 1) left = Neighbour{r, c - 1, kEdgeRight};
  AddBorderLine(sheet, tableBlock, place, kEdgeTop, place.TopLeft, place.TopRight, colorByLayer,
                above);
  AddBorderLine(sheet, tableBlock, place, kEdgeRight, place.TopRight, place.BottomRight,
                colorByLayer);
  AddBorderLine(sheet, tableBlock, place, kEdgeBottom, place.BottomRight, place.BottomLeft,
                colorByLayer);
  AddBorderLine(sheet, tableBlock, place, kEdgeLeft, place.TopLeft, place.BottomLeft, colorByLayer,
                left);
  if (place.kind == CellKind::Covered) return;
  AddBorderLine(sheet, tableBlock, place, kDiagonalDown, place.AreaTopLeft, place.AreaBottomRight,
                colorByLayer);
  AddBorderLine(sheet, tableBlock, place, kDiagonalUp, place.AreaTopRight, place.AreaBottomLeft,
                colorByLayer);
}

}  // namespace tabulo::exporting
