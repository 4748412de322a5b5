#include "load/mtext_to_cell.h"

#include <array>
#include <cmath>
#include <string>

#include "color/color_mapping.h"
#include "load/content_string.h"
#include "load/font_size.h"

namespace tabulo::load {
namespace {

using automation::Dispatch;

constexpr std::int16_t kLeft = -4131;
constexpr std::int16_t kCentre = -4108;
constexpr std::int16_t kRight = -4152;
constexpr std::int16_t kTop = -4160;
constexpr std::int16_t kBottom = -4107;

// By attachment point 1..9.
constexpr std::array<CellAlignment, 9> kAlignments = {{
    {kLeft, kTop},
    {kCentre, kTop},
    {kRight, kTop},
    {kLeft, kCentre},
    {kCentre, kCentre},
    {kRight, kCentre},
    {kLeft, kBottom},
    {kCentre, kBottom},
    {kRight, kBottom},
}};

}  // namespace

std::optional<CellAlignment> AlignmentForAttachment(std::int32_t attachmentPoint) {
  if (attachmentPoint < 1 || attachmentPoint > 9) return std::nullopt;
  return kAlignments[static_cast<std::size_t>(attachmentPoint - 1)];
}

void MTextToCell(const Dispatch& sheet, const Dispatch& text, const LoadState& state) {
  const automation::Point3 p = automation::ToPoint(text.get("InsertionPoint").value());
  const std::int32_t col = ContainingInterval(state.ColumnEdges, p.x);
  const std::int32_t row = ContainingInterval(state.RowEdges, std::fabs(p.y));
  auto cell = [&] { return sheet.get("cells").call("item", row, col); };

  CellContent content = ParseContentString(text.get("textstring").toString());
  if (content.fontName) cell().get("font").put("name", *content.fontName);
  sheet.get("cells").put("item", row, col, content.text);

  // A width of 0 leaves the cell's wrap setting as it is.
  if (text.get("width").toDouble() != 0) cell().put("WrapText", true);
  const std::int32_t size = FontSizeForHeight(text.get("height").toDouble());
  cell().get("font").put("size", size);
  const std::uint8_t colorIndex = color::ExcelColorForAci(text.get("color").toInt32());
  cell().get("font").put("colorindex", colorIndex);

  const std::int32_t attachmentPoint = text.get("AttachmentPoint").toInt32();
  if (auto alignment = AlignmentForAttachment(attachmentPoint)) {
    sheet.get("cells", row, col).put("horizontalalignment", alignment->horizontal);
    sheet.get("cells", row, col).put("verticalalignment", alignment->vertical);
  }
}

}  // namespace tabulo::load
