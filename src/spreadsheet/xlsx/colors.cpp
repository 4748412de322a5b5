#include "spreadsheet/xlsx/colors.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "spreadsheet/workbook.h"
#include "spreadsheet/xml_part.h"

namespace tabulo::spreadsheet::xlsx {

const ThemeColors kDefaultThemeColors = {
    0xFFFFFF, 0x000000, 0xEEECE1, 0x1F497D, 0x4F81BD, 0xC0504D,
    0x9BBB59, 0x8064A2, 0x4BACC6, 0xF79646, 0x0000FF, 0x800080,
};

namespace {

// BIFF colour indexes 0..7: black, white, red, green, blue, yellow, magenta, cyan.
constexpr std::array<std::uint32_t, 8> kEgaColors = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
};

}  // namespace

std::optional<std::uint32_t> ParseArgb(std::string_view text) {
  if (text.size() != 8 && text.size() != 6) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      return std::nullopt;
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return value & 0xFFFFFF;
}

ThemeColors ReadThemeColors(const pugi::xml_node& themeRoot) {
  ThemeColors colors = kDefaultThemeColors;
  pugi::xml_node scheme =
      ChildByLocalName(ChildByLocalName(themeRoot, "themeElements"), "clrScheme");
  // Scheme order in the part, and the slot each takes in the `theme` numbering.
  static constexpr std::pair<std::string_view, int> kSlots[] = {
      {"dk1", 1},     {"lt1", 0},     {"dk2", 3},     {"lt2", 2},
      {"accent1", 4}, {"accent2", 5}, {"accent3", 6}, {"accent4", 7},
      {"accent5", 8}, {"accent6", 9}, {"hlink", 10},  {"folHlink", 11},
  };
  for (auto [name, slot] : kSlots) {
    pugi::xml_node entry = ChildByLocalName(scheme, name);
    if (!entry) continue;
    if (pugi::xml_node srgb = ChildByLocalName(entry, "srgbClr")) {
      if (auto rgb = ParseArgb(srgb.attribute("val").value())) colors[slot] = *rgb;
    } else if (pugi::xml_node sys = ChildByLocalName(entry, "sysClr")) {
      if (auto rgb = ParseArgb(sys.attribute("lastClr").value())) colors[slot] = *rgb;
    }
  }
  return colors;
}

std::uint32_t ApplyTint(std::uint32_t rgb, double tint) {
  if (tint == 0.0) return rgb;
  double r = ((rgb >> 16) & 0xFF) / 255.0, g = ((rgb >> 8) & 0xFF) / 255.0,
         b = (rgb & 0xFF) / 255.0;
  const double maxC = std::max({r, g, b}), minC = std::min({r, g, b});
  double h = 0, s = 0, l = (maxC + minC) / 2;
  const double delta = maxC - minC;
  if (delta > 0) {
    s = l < 0.5 ? delta / (maxC + minC) : delta / (2 - maxC - minC);
    if (maxC == r)
      h = (g - b) / delta + (g < b ? 6 : 0);
    else if (maxC == g)
      h = (b - r) / delta + 2;
    else
      h = (r - g) / delta + 4;
    h /= 6;
  }
  l = tint < 0 ? l * (1 + tint) : l * (1 - tint) + tint;
  l = std::clamp(l, 0.0, 1.0);
  auto hueToRgb = [](double p, double q, double t) {
    if (t < 0) t += 1;
    if (t > 1) t -= 1;
    if (t < 1.0 / 6) return p + (q - p) * 6 * t;
    if (t < 0.5) return q;
    if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
    return p;
  };
  if (s == 0) {
    r = g = b = l;
  } else {
    const double q = l < 0.5 ? l * (1 + s) : l + s - l * s, p = 2 * l - q;
    r = hueToRgb(p, q, h + 1.0 / 3);
    g = hueToRgb(p, q, h);
    b = hueToRgb(p, q, h - 1.0 / 3);
  }
  auto byte = [](double v) { return static_cast<std::uint32_t>(std::lround(v * 255)); };
  return byte(r) << 16 | byte(g) << 8 | byte(b);
}

std::int32_t ColorResolver::colorIndex(const pugi::xml_node& color) const {
  if (!color) return xl::kColorIndexAutomatic;
  if (color.attribute("auto").as_bool()) return xl::kColorIndexAutomatic;
  const double tint = color.attribute("tint").as_double(0.0);
  std::optional<std::uint32_t> rgb;
  if (pugi::xml_attribute indexed = color.attribute("indexed")) {
    const int n = indexed.as_int(-1);
    if (n >= 8 && n <= 63 && tint == 0.0) return n - 7;
    if (n >= 8 && n <= 63)
      rgb = palette_[static_cast<std::size_t>(n - 8)];
    else if (n >= 0 && n < 8)
      rgb = kEgaColors[static_cast<std::size_t>(n)];
    else
      return xl::kColorIndexAutomatic;
  } else if (pugi::xml_attribute theme = color.attribute("theme")) {
    const int n = theme.as_int(-1);
    if (n < 0 || n >= static_cast<int>(theme_.size())) return xl::kColorIndexAutomatic;
    rgb = theme_[static_cast<std::size_t>(n)];
  } else if (pugi::xml_attribute argb = color.attribute("rgb")) {
    rgb = ParseArgb(argb.value());
  }
  if (!rgb) return xl::kColorIndexAutomatic;
  return NearestPaletteIndex(palette_, ApplyTint(*rgb, tint));
}

}  // namespace tabulo::spreadsheet::xlsx
