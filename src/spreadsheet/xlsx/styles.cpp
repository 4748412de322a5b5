#include "spreadsheet/xlsx/styles.h"

#include <map>
#include <string>
#include <string_view>

#include "spreadsheet/number_format.h"
#include "spreadsheet/xml_part.h"

namespace tabulo::spreadsheet::xlsx {

namespace {

// Children of `parent` with local name `name`, in order.
std::vector<pugi::xml_node> Children(pugi::xml_node parent, std::string_view name) {
  std::vector<pugi::xml_node> nodes;
  for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling())
    if (child.type() == pugi::node_element && LocalName(child.name()) == name)
      nodes.push_back(child);
  return nodes;
}

// <b/>, <b val="1"/> and <b val="true"/> are on; <b val="0"/> is off.
bool Flag(pugi::xml_node parent, std::string_view name) {
  pugi::xml_node node = ChildByLocalName(parent, name);
  if (!node) return false;
  pugi::xml_attribute val = node.attribute("val");
  return !val || val.as_bool();
}

Font ReadFont(pugi::xml_node node, const ColorResolver& colors) {
  Font font;
  font.name = "Calibri";
  font.size = 11.0;
  if (pugi::xml_node name = ChildByLocalName(node, "name"))
    font.name = name.attribute("val").value();
  if (pugi::xml_node sz = ChildByLocalName(node, "sz"))
    font.size = sz.attribute("val").as_double(11.0);
  font.colorIndex = colors.colorIndex(ChildByLocalName(node, "color"));
  font.bold = Flag(node, "b");
  font.italic = Flag(node, "i");
  if (pugi::xml_node u = ChildByLocalName(node, "u")) {
    std::string_view val = u.attribute("val").value();
    font.underline = val != "none";
  }
  font.strikethrough = Flag(node, "strike");
  return font;
}

Border ReadEdge(pugi::xml_node edge, const ColorResolver& colors) {
  Border border;
  if (!edge) return border;
  auto [lineStyle, weight] = BorderStyleFromName(edge.attribute("style").value());
  border.lineStyle = lineStyle;
  border.weight = weight;
  if (lineStyle != xl::kLineStyleNone)
    border.colorIndex = colors.colorIndex(ChildByLocalName(edge, "color"));
  return border;
}

std::array<Border, 6> ReadBorders(pugi::xml_node node, const ColorResolver& colors) {
  std::array<Border, 6> borders;
  auto edge = [&](std::string_view name, std::string_view alias) {
    pugi::xml_node e = ChildByLocalName(node, name);
    return e ? e : ChildByLocalName(node, alias);
  };
  borders[BorderSlot(xl::kEdgeLeft)] = ReadEdge(edge("left", "start"), colors);
  borders[BorderSlot(xl::kEdgeRight)] = ReadEdge(edge("right", "end"), colors);
  borders[BorderSlot(xl::kEdgeTop)] = ReadEdge(ChildByLocalName(node, "top"), colors);
  borders[BorderSlot(xl::kEdgeBottom)] = ReadEdge(ChildByLocalName(node, "bottom"), colors);
  const Border diagonal = ReadEdge(ChildByLocalName(node, "diagonal"), colors);
  if (node.attribute("diagonalDown").as_bool()) borders[BorderSlot(xl::kDiagonalDown)] = diagonal;
  if (node.attribute("diagonalUp").as_bool()) borders[BorderSlot(xl::kDiagonalUp)] = diagonal;
  return borders;
}

std::int32_t FillColor(pugi::xml_node fill, const ColorResolver& colors) {
  pugi::xml_node pattern = ChildByLocalName(fill, "patternFill");
  if (!pattern) return xl::kColorIndexNone;
  std::string_view type = pattern.attribute("patternType").value();
  if (type.empty() || type == "none") return xl::kColorIndexNone;
  pugi::xml_node color = ChildByLocalName(pattern, "fgColor");
  const std::int32_t index = colors.colorIndex(color);
  return index == xl::kColorIndexAutomatic ? xl::kColorIndexNone : index;
}

std::int32_t HorizontalAlignment(std::string_view name) {
  static const std::map<std::string_view, std::int32_t> kValues = {
      {"general", xl::kHAlignGeneral},
      {"left", xl::kHAlignLeft},
      {"center", xl::kHAlignCenter},
      {"right", xl::kHAlignRight},
      {"fill", xl::kHAlignFill},
      {"justify", xl::kHAlignJustify},
      {"centerContinuous", xl::kHAlignCenterAcrossSelection},
      {"distributed", xl::kHAlignDistributed},
  };
  auto it = kValues.find(name);
  return it == kValues.end() ? xl::kHAlignGeneral : it->second;
}

std::int32_t VerticalAlignment(std::string_view name) {
  static const std::map<std::string_view, std::int32_t> kValues = {
      {"top", xl::kVAlignTop},
      {"center", xl::kVAlignCenter},
      {"bottom", xl::kVAlignBottom},
      {"justify", xl::kVAlignJustify},
      {"distributed", xl::kVAlignDistributed},
  };
  auto it = kValues.find(name);
  return it == kValues.end() ? xl::kVAlignBottom : it->second;
}

}  // namespace

std::pair<std::int32_t, std::int32_t> BorderStyleFromName(std::string_view style) {
  static const std::map<std::string_view, std::pair<std::int32_t, std::int32_t>> kStyles = {
      {"thin", {xl::kContinuous, xl::kThin}},
      {"medium", {xl::kContinuous, xl::kMedium}},
      {"dashed", {xl::kDash, xl::kThin}},
      {"dotted", {xl::kDot, xl::kThin}},
      {"thick", {xl::kContinuous, xl::kThick}},
      {"double", {xl::kDouble, xl::kThick}},
      {"hair", {xl::kContinuous, xl::kHairline}},
      {"mediumDashed", {xl::kDash, xl::kMedium}},
      {"dashDot", {xl::kDashDot, xl::kThin}},
      {"mediumDashDot", {xl::kDashDot, xl::kMedium}},
      {"dashDotDot", {xl::kDashDotDot, xl::kThin}},
      {"mediumDashDotDot", {xl::kDashDotDot, xl::kMedium}},
      {"slantDashDot", {xl::kSlantDashDot, xl::kMedium}},
  };
  auto it = kStyles.find(style);
  return it == kStyles.end() ? std::pair{xl::kLineStyleNone, xl::kThin} : it->second;
}

std::array<std::uint32_t, 56> ReadPalette(const pugi::xml_node& styleSheet) {
  std::array<std::uint32_t, 56> palette = kDefaultPalette;
  pugi::xml_node indexed =
      ChildByLocalName(ChildByLocalName(styleSheet, "colors"), "indexedColors");
  std::size_t n = 0;
  for (pugi::xml_node entry : Children(indexed, "rgbColor")) {
    if (n >= 8 && n < 64)
      if (auto rgb = ParseArgb(entry.attribute("rgb").value())) palette[n - 8] = *rgb;
    ++n;
  }
  return palette;
}

std::vector<CellFormat> ReadCellFormats(const pugi::xml_node& styleSheet,
                                        const ColorResolver& colors) {
  std::map<int, std::string> customCodes;
  for (pugi::xml_node numFmt : Children(ChildByLocalName(styleSheet, "numFmts"), "numFmt"))
    customCodes[numFmt.attribute("numFmtId").as_int(-1)] = numFmt.attribute("formatCode").value();

  std::vector<Font> fonts;
  for (pugi::xml_node font : Children(ChildByLocalName(styleSheet, "fonts"), "font"))
    fonts.push_back(ReadFont(font, colors));
  std::vector<std::int32_t> fills;
  for (pugi::xml_node fill : Children(ChildByLocalName(styleSheet, "fills"), "fill"))
    fills.push_back(FillColor(fill, colors));
  std::vector<std::array<Border, 6>> borders;
  for (pugi::xml_node border : Children(ChildByLocalName(styleSheet, "borders"), "border"))
    borders.push_back(ReadBorders(border, colors));

  auto at = [](const auto& list, pugi::xml_attribute index, auto fallback) {
    const unsigned i = index.as_uint(0);
    return i < list.size() ? list[i] : fallback;
  };
  const Font defaultFont = fonts.empty() ? ReadFont({}, colors) : fonts.front();

  std::vector<CellFormat> formats;
  for (pugi::xml_node xf : Children(ChildByLocalName(styleSheet, "cellXfs"), "xf")) {
    CellFormat format;
    format.font = at(fonts, xf.attribute("fontId"), defaultFont);
    format.fillColorIndex = at(fills, xf.attribute("fillId"), xl::kColorIndexNone);
    format.borders = at(borders, xf.attribute("borderId"), std::array<Border, 6>{});
    const int numFmtId = xf.attribute("numFmtId").as_int(0);
    auto custom = customCodes.find(numFmtId);
    format.numberFormat =
        custom != customCodes.end() ? custom->second : std::string(BuiltinFormatCode(numFmtId));
    if (pugi::xml_node alignment = ChildByLocalName(xf, "alignment")) {
      format.horizontalAlignment = HorizontalAlignment(alignment.attribute("horizontal").value());
      format.verticalAlignment = VerticalAlignment(alignment.attribute("vertical").value());
      format.wrapText = alignment.attribute("wrapText").as_bool();
    }
    formats.push_back(std::move(format));
  }
  if (formats.empty()) {
    CellFormat format;
    format.font = defaultFont;
    formats.push_back(format);
  }
  return formats;
}

}  // namespace tabulo::spreadsheet::xlsx
