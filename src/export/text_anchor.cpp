#include "export/text_anchor.h"

#include "export/fixed_point.h"
#include "host/float_text.h"

namespace tabulo::exporting {

HorizontalClass ClassifyHorizontal(std::int32_t horizontalAlignment, std::string_view shownText,
                                   char decimalSeparator) {
  switch (horizontalAlignment) {
    case align::kLeft:
      return HorizontalClass::Left;
    case align::kCentre:
      return HorizontalClass::Centre;
    case align::kRight:
      return HorizontalClass::Right;
    case align::kGeneral:
      return host::IsFloatText(shownText, decimalSeparator) ? HorizontalClass::Right
                                                            : HorizontalClass::Left;
    default:
      return HorizontalClass::None;
  }
}

TextAnchor AnchorText(std::int32_t vertical, HorizontalClass horizontal, const TextRect& rect,
                      automation::Currency mx, automation::Currency my) {
  int row = 0;  // 0, 1, 2 for top, middle, bottom
  switch (vertical) {
    case align::kTop:
      row = 0;
      break;
    case align::kMiddle:
      row = 1;
      break;
    case align::kBottom:
      row = 2;
      break;
    default:
      horizontal = HorizontalClass::None;
  }
  if (horizontal == HorizontalClass::None) {
    // Still attached at the bottom left, but kept inside the cell as the
    // bottom-left row of the table does, so a load finds the text in its own cell.
    return {std::nullopt,
            {ToDouble(FixedAdd(rect.left, mx)), ToDouble(FixedAdd(rect.bottom, my)), 0}};
  }

  int column = 0;  // 0, 1, 2 for left, centre, right
  double x = 0;
  switch (horizontal) {
    case HorizontalClass::Left:
      x = ToDouble(FixedAdd(rect.left, mx));
      break;
    case HorizontalClass::Centre:
      column = 1;
      x = (rect.left + rect.right) / 2;
      break;
    default:
      column = 2;
      x = ToDouble(FixedSub(rect.right, mx));
      break;
  }
  double y = 0;
  switch (row) {
    case 0:
      y = ToDouble(FixedSub(rect.top, my));
      break;
    case 1:
      y = (rect.top + rect.bottom) / 2;
      break;
    default:
      y = ToDouble(FixedAdd(rect.bottom, my));
      break;
  }
  return {1 + 3 * row + column, {x, y, 0}};
}

}  // namespace tabulo::exporting
