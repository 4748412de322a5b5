#include "spreadsheet/xls/format_table.h"

#include <algorithm>

#include "spreadsheet/number_format.h"
#include "spreadsheet/xls/biff_codes.h"

namespace tabulo::spreadsheet::xls {

namespace {

// FONT index 4 is never written; indexes above it are one record further back.
constexpr std::uint16_t kMissingFont = 4;

Font FontOf(const XfRecord& xf, const Globals& globals) {
  if (xf.font == kMissingFont) return Font{};
  const std::size_t index = xf.font < kMissingFont ? xf.font : xf.font - 1u;
  return index < globals.fonts.size() ? globals.fonts[index] : Font{};
}

}  // namespace

CellFormat MakeCellFormat(const XfRecord& xf, const Globals& globals) {
  CellFormat format;
  format.font = FontOf(xf, globals);
  format.borders[BorderSlot(xl::kDiagonalDown)] =
      xf.diagonalDown ? BorderFromBiff(xf.diagonalStyle, xf.diagonalColor) : Border{};
  format.borders[BorderSlot(xl::kDiagonalUp)] =
      xf.diagonalUp ? BorderFromBiff(xf.diagonalStyle, xf.diagonalColor) : Border{};
  format.borders[BorderSlot(xl::kEdgeLeft)] = BorderFromBiff(xf.leftStyle, xf.leftColor);
  format.borders[BorderSlot(xl::kEdgeTop)] = BorderFromBiff(xf.topStyle, xf.topColor);
  format.borders[BorderSlot(xl::kEdgeBottom)] = BorderFromBiff(xf.bottomStyle, xf.bottomColor);
  format.borders[BorderSlot(xl::kEdgeRight)] = BorderFromBiff(xf.rightStyle, xf.rightColor);
  format.horizontalAlignment = HorizontalAlignmentFromBiff(xf.horizontal);
  format.verticalAlignment = VerticalAlignmentFromBiff(xf.vertical);
  format.wrapText = xf.wrap;
  const auto custom = globals.numberFormats.find(xf.format);
  format.numberFormat = custom != globals.numberFormats.end()
                            ? custom->second
                            : std::string(BuiltinFormatCode(xf.format));
  format.fillColorIndex =
      xf.fillPattern == 0 ? xl::kColorIndexNone : ColorIndexFromBiff(xf.fillForeColor);
  return format;
}

FormatTable::FormatTable(const Globals& globals, std::vector<CellFormat>& formats)
    : globals_(globals), formats_(formats), byXf_(globals.xfs.size()) {
  formats_.assign(1, CellFormat{});
  if (kDefaultCellXf < globals_.xfs.size()) {
    formats_[0] = MakeCellFormat(globals_.xfs[kDefaultCellXf], globals_);
    byXf_[kDefaultCellXf] = 0;
  }
}

std::uint32_t FormatTable::indexOf(std::uint16_t xf) {
  if (xf >= byXf_.size()) return 0;
  if (byXf_[xf]) return *byXf_[xf];
  CellFormat format = MakeCellFormat(globals_.xfs[xf], globals_);
  auto found = std::find(formats_.begin(), formats_.end(), format);
  if (found == formats_.end()) {
    formats_.push_back(std::move(format));
    found = formats_.end() - 1;
  }
  const auto index = static_cast<std::uint32_t>(found - formats_.begin());
  byXf_[xf] = index;
  return index;
}

}  // namespace tabulo::spreadsheet::xls
