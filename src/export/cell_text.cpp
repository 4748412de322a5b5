#include "export/cell_text.h"

#include <exception>
#include <vector>

#include "color/color_mapping.h"
#include "export/fixed_point.h"
#include "export/text_anchor.h"
#include "platform/ui.h"

namespace tabulo::exporting {

using automation::Dispatch;
using automation::Variant;

bool IsBlankText(std::string_view text) {
  for (char ch : text)
    if (static_cast<unsigned char>(ch) > 32) return false;
  return true;
}

std::string ContentString(std::string_view shownText, std::optional<std::string_view> fontName) {
  std::string built;
  if (fontName) {
    built = "\\f";
    built += *fontName;
    built += ';';
  }
  built += shownText;
  std::string contents;
  contents.reserve(built.size());
  for (char ch : built) {
    if (ch == '\n')
      contents += "\\P";
    else
      contents += ch;
  }
  return contents;
}

namespace {

// The colour index of the cell's font; a read that fails counts as index 1.
std::int32_t FontColorIndex(const Dispatch& cell) {
  try {
    return cell.get("Font").get("colorindex").toInt32();
  } catch (const std::exception&) {
    return 1;
  }
}

}  // namespace

void AddCellText(const Dispatch& sheet, const Dispatch& tableBlock, std::int32_t r, std::int32_t c,
                 double cellLeft, double rowTop, const Dispatch& mergeArea, bool colorByLayer,
                 bool fontByLayer) {
  Dispatch cell = sheet.get("cells").call("item", r, c);
  if (IsBlankText(cell.get("text").toString())) return;

  TextRect rect;
  rect.left = cellLeft;
  rect.top = rowTop;
  rect.right = rect.left + mergeArea.get("Width").toDouble();
  rect.bottom = rect.top - mergeArea.get("height").toDouble();

  Dispatch formatCell = mergeArea.get("cells").call("item", 1, 1);
  Variant width(0.0);
  if (formatCell.get("WrapText").toBool()) {
    Currency inset =
        FixedMul(Fixed(kWrapPaddingPerPoint), formatCell.get("font").get("size").toDouble());
    width = ToDouble(FixedSub(mergeArea.get("width").toDouble(), inset));
  }

  std::string shownText = cell.get("text").toString();
  std::optional<std::string> fontName;
  if (!fontByLayer) fontName = cell.get("font").get("name").toString();
  Variant contents(ContentString(shownText, fontName));

  Variant insertion(automation::MakePoint(rect.left, rect.bottom));
  std::vector<Variant> args{Variant::RefTo(insertion), Variant::RefTo(width),
                            Variant::RefTo(contents)};
  Dispatch text = tableBlock.invoke("addmtext", args);
  text.put("AttachmentPoint", kDefaultAttachmentPoint);
  text.put("height",
           FixedMul(Fixed(kHeightPerPoint), formatCell.get("font").get("size").toDouble()));

  if (!colorByLayer) {
    Variant aci(color::AciForExcelColor(FontColorIndex(cell)));
    text.put("color", Variant::RefTo(aci));
  }

  std::int32_t horizontal = formatCell.get("horizontalalignment").toInt32();
  std::int32_t vertical = formatCell.get("verticalalignment").toInt32();
  HorizontalClass horizontalClass =
      ClassifyHorizontal(horizontal, shownText, platform::CurrentUi().DecimalSeparator());
  double height = text.get("height").toDouble();
  Currency mx = FixedMul(Fixed(kHorizontalMargin), height);
  Currency my = FixedMul(Fixed(kVerticalMargin), height);
  TextAnchor anchor = AnchorText(vertical, horizontalClass, rect, mx, my);
  if (anchor.attachmentPoint) text.put("AttachmentPoint", *anchor.attachmentPoint);
  Variant point(automation::MakePoint(anchor.insertion.x, anchor.insertion.y, anchor.insertion.z));
  text.put("insertionpoint", Variant::RefTo(point));
}

}  // namespace tabulo::exporting
