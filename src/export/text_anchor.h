#pragma once
// Where a cell's text entity is attached: the cell's horizontal and vertical
// alignment choose the attachment point (1..9 as the drawing host numbers them)
// and the insertion point inside the text rectangle, kept off the rectangle's
// sides by the margins.
#include <cstdint>
#include <optional>
#include <string_view>

#include "automation/variant.h"

namespace tabulo::exporting {

// The spreadsheet's alignment values.
namespace align {
inline constexpr std::int32_t kGeneral = 1;
inline constexpr std::int32_t kLeft = -4131;
inline constexpr std::int32_t kCentre = -4108;
inline constexpr std::int32_t kRight = -4152;
inline constexpr std::int32_t kTop = -4160;
inline constexpr std::int32_t kMiddle = -4108;
inline constexpr std::int32_t kBottom = -4107;
}  // namespace align

// The attachment point a text entity gets at creation and keeps when its
// alignments match no row of the table.
inline constexpr std::int32_t kDefaultAttachmentPoint = 7;

enum class HorizontalClass { Left, Centre, Right, None };

// The class of a horizontal alignment. General goes right when the cell shows a
// plain number (decided on the displayed text) and left otherwise; fill, justify,
// distributed and the like have no class.
HorizontalClass ClassifyHorizontal(std::int32_t horizontalAlignment, std::string_view shownText,
                                   char decimalSeparator);

// The text rectangle in block units: left < right, bottom < top.
struct TextRect {
  double left = 0, top = 0, right = 0, bottom = 0;
};

struct TextAnchor {
  // The point to set, or nothing to keep kDefaultAttachmentPoint.
  std::optional<std::int32_t> attachmentPoint;
  automation::Point3 insertion;
};

// The anchor for vertical alignment `vertical` and horizontal class `horizontal`,
// with the margins mx (horizontal) and my (vertical). Coordinates that add or
// subtract a margin are fixed-point; the centres are plain double arithmetic.
// Alignments that match no row keep attachment point 7 with the insertion point
// at (left + mx, bottom + my), inside the cell's own rectangle.
TextAnchor AnchorText(std::int32_t vertical, HorizontalClass horizontal, const TextRect& rect,
                      automation::Currency mx, automation::Currency my);

}  // namespace tabulo::exporting
