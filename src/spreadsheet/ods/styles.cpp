#include "spreadsheet/ods/styles.h"

#include <sstream>
#include <string_view>
#include <vector>

#include "spreadsheet/ods/lengths.h"
#include "spreadsheet/ods/number_styles.h"

namespace tabulo::spreadsheet::ods {

namespace {

constexpr const char* kBorderSides[] = {"fo:border-left", "fo:border-top", "fo:border-bottom",
                                        "fo:border-right"};

std::optional<std::uint32_t> ParseHexColor(std::string_view text) {
  if (text.size() != 7 || text.front() != '#') return std::nullopt;
  std::uint32_t value = 0;
  for (char c : text.substr(1)) {
    int d = c >= '0' && c <= '9'   ? c - '0'
            : c >= 'a' && c <= 'f' ? c - 'a' + 10
            : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                   : -1;
    if (d < 0) return std::nullopt;
    value = value << 4 | static_cast<std::uint32_t>(d);
  }
  return value;
}

// Copies the attributes of the property elements of a style into `properties`;
// a shorthand border replaces the sides its parents set one by one.
void CollectProperties(const pugi::xml_node& style,
                       std::map<std::string, std::string>& properties) {
  for (pugi::xml_node element : style.children()) {
    const std::string_view name = element.name();
    if (name != "style:table-cell-properties" && name != "style:paragraph-properties" &&
        name != "style:text-properties")
      continue;
    if (element.attribute("fo:border"))
      for (const char* side : kBorderSides) properties.erase(side);
    for (pugi::xml_attribute a : element.attributes()) properties[a.name()] = a.value();
  }
  if (pugi::xml_attribute data = style.attribute("style:data-style-name"))
    properties["style:data-style-name"] = data.value();
}

std::string Get(const std::map<std::string, std::string>& p, const std::string& key) {
  auto it = p.find(key);
  return it == p.end() ? std::string() : it->second;
}

std::string Unquoted(std::string family) {
  if (family.size() >= 2 && (family.front() == '\'' || family.front() == '"') &&
      family.back() == family.front())
    family = family.substr(1, family.size() - 2);
  return family;
}

}  // namespace

Border ParseBorder(std::string_view text, const std::array<std::uint32_t, 56>& palette) {
  Border border;
  std::istringstream words{std::string(text)};
  std::optional<double> width;
  std::string style;
  std::optional<std::uint32_t> color;
  for (std::string word; words >> word;) {
    if (auto length = LengthInPoints(word)) {
      width = length;
    } else if (auto rgb = ParseHexColor(word)) {
      color = rgb;
    } else if (word == "thin") {
      width = 0.75;
    } else if (word == "medium") {
      width = 1.75;
    } else if (word == "thick") {
      width = 2.5;
    } else {
      style = word;
    }
  }
  if (style.empty() || style == "none" || style == "hidden" || (width && *width <= 0))
    return border;
  const double w = width.value_or(0.75);
  // Widths as LibreOffice draws the spreadsheet's weights: 0.05 pt hairline,
  // 0.75 pt thin, 1.75 pt medium, 2.5 pt thick.
  const std::int32_t weight = w < 0.4    ? xl::kHairline
                              : w < 1.25 ? xl::kThin
                              : w < 2.1  ? xl::kMedium
                                         : xl::kThick;
  const bool heavy = weight == xl::kMedium || weight == xl::kThick;
  if (style == "solid") {
    border.lineStyle = xl::kContinuous;
    border.weight = weight;
  } else if (style.rfind("double", 0) == 0) {
    border.lineStyle = xl::kDouble;
    border.weight = xl::kThick;
  } else if (style == "dashed" || style == "fine-dashed" || style == "long-dash") {
    border.lineStyle = xl::kDash;
    border.weight = heavy ? xl::kMedium : xl::kThin;
  } else if (style == "dotted") {
    border.lineStyle = xl::kDot;
    border.weight = xl::kThin;
  } else if (style == "dash-dot") {
    border.lineStyle = xl::kDashDot;
    border.weight = heavy ? xl::kMedium : xl::kThin;
  } else if (style == "dash-dot-dot") {
    border.lineStyle = xl::kDashDotDot;
    border.weight = heavy ? xl::kMedium : xl::kThin;
  } else {
    // Groove, ridge, inset, outset and the like draw as continuous lines.
    border.lineStyle = xl::kContinuous;
    border.weight = weight;
  }
  border.colorIndex = color ? NearestPaletteIndex(palette, *color) : xl::kColorIndexAutomatic;
  return border;
}

void Styles::add(const pugi::xml_node& container) {
  ReadNumberStyles(container, numberCodes_);
  for (pugi::xml_node node : container.children()) {
    const std::string_view name = node.name();
    if (name == "style:font-face") {
      fontFamilies_[node.attribute("style:name").value()] =
          Unquoted(node.attribute("svg:font-family").value());
      continue;
    }
    const std::string_view family = node.attribute("style:family").value();
    if (name == "style:default-style" && family == "table-cell") {
      CollectProperties(node, defaultCell_);
    } else if (name == "style:style" && family == "table-cell") {
      Style& style = cellStyles_[node.attribute("style:name").value()];
      style.parent = node.attribute("style:parent-style-name").value();
      CollectProperties(node, style.properties);
    } else if (name == "style:style" && family == "table-column") {
      if (auto width = LengthInPoints(
              node.child("style:table-column-properties").attribute("style:column-width").value()))
        columnWidths_[node.attribute("style:name").value()] = *width;
    } else if (name == "style:style" && family == "table-row") {
      if (auto height = LengthInPoints(
              node.child("style:table-row-properties").attribute("style:row-height").value()))
        rowHeights_[node.attribute("style:name").value()] = *height;
    }
  }
}

void Styles::resolve(const std::string& name, Properties& into, int depth) const {
  auto it = cellStyles_.find(name);
  if (it == cellStyles_.end() || depth > 32) return;  // unknown name, or a loop of parents
  resolve(it->second.parent, into, depth + 1);
  if (it->second.properties.count("fo:border"))
    for (const char* side : kBorderSides) into.erase(side);
  for (const auto& [key, value] : it->second.properties) into[key] = value;
}

CellFormat Styles::cellFormat(const std::string& styleName) const {
  Properties p = defaultCell_;
  // Cells without a style of their own show the "Default" common style.
  resolve(styleName.empty() || !cellStyles_.count(styleName) ? "Default" : styleName, p, 0);

  CellFormat f;
  std::string fontName = Get(p, "style:font-name");
  auto face = fontFamilies_.find(fontName);
  if (face != fontFamilies_.end() && !face->second.empty())
    fontName = face->second;
  else if (fontName.empty())
    fontName = Unquoted(Get(p, "fo:font-family"));
  if (!fontName.empty()) f.font.name = fontName;
  if (auto size = LengthInPoints(Get(p, "fo:font-size"))) f.font.size = *size;
  const auto color = ParseHexColor(Get(p, "fo:color"));
  f.font.colorIndex = color && Get(p, "style:use-window-font-color") != "true"
                          ? NearestPaletteIndex(palette_, *color)
                          : xl::kColorIndexAutomatic;
  f.font.bold =
      Get(p, "fo:font-weight") == "bold" || std::atoi(Get(p, "fo:font-weight").c_str()) >= 600;
  f.font.italic = Get(p, "fo:font-style") == "italic" || Get(p, "fo:font-style") == "oblique";
  const std::string underline = Get(p, "style:text-underline-style");
  f.font.underline = !underline.empty() && underline != "none";
  const std::string strike = Get(p, "style:text-line-through-style");
  f.font.strikethrough = !strike.empty() && strike != "none";

  const std::string all = Get(p, "fo:border");
  const std::pair<std::int32_t, const char*> sides[] = {
      {xl::kEdgeLeft, "fo:border-left"},
      {xl::kEdgeTop, "fo:border-top"},
      {xl::kEdgeBottom, "fo:border-bottom"},
      {xl::kEdgeRight, "fo:border-right"},
  };
  for (auto [index, key] : sides) {
    const std::string side = p.count(key) ? Get(p, key) : all;
    f.borders[BorderSlot(index)] = ParseBorder(side, palette_);
  }
  f.borders[BorderSlot(xl::kDiagonalDown)] = ParseBorder(Get(p, "style:diagonal-tl-br"), palette_);
  f.borders[BorderSlot(xl::kDiagonalUp)] = ParseBorder(Get(p, "style:diagonal-bl-tr"), palette_);

  if (Get(p, "style:text-align-source") != "value-type") {
    const std::string align = Get(p, "fo:text-align");
    if (align == "start" || align == "left")
      f.horizontalAlignment = xl::kHAlignLeft;
    else if (align == "end" || align == "right")
      f.horizontalAlignment = xl::kHAlignRight;
    else if (align == "center")
      f.horizontalAlignment = xl::kHAlignCenter;
    else if (align == "justify")
      f.horizontalAlignment = xl::kHAlignJustify;
  }
  const std::string vertical = Get(p, "style:vertical-align");
  if (vertical == "top")
    f.verticalAlignment = xl::kVAlignTop;
  else if (vertical == "middle")
    f.verticalAlignment = xl::kVAlignCenter;
  f.wrapText = Get(p, "fo:wrap-option") == "wrap";
  if (auto fill = ParseHexColor(Get(p, "fo:background-color")))
    f.fillColorIndex = NearestPaletteIndex(palette_, *fill);

  const std::string data = Get(p, "style:data-style-name");
  auto code = numberCodes_.find(data);
  if (code != numberCodes_.end()) f.numberFormat = code->second;
  return f;
}

std::optional<double> Styles::columnWidth(const std::string& styleName) const {
  auto it = columnWidths_.find(styleName);
  return it == columnWidths_.end() ? std::nullopt : std::optional<double>(it->second);
}

std::optional<double> Styles::rowHeight(const std::string& styleName) const {
  auto it = rowHeights_.find(styleName);
  return it == rowHeights_.end() ? std::nullopt : std::optional<double>(it->second);
}

}  // namespace tabulo::spreadsheet::ods
