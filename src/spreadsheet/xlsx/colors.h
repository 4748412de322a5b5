#pragma once
// SpreadsheetML colours (<color indexed|rgb|theme tint auto>) to palette indexes.
#include <array>
#include <cstdint>
#include <optional>
#include <pugixml.hpp>
#include <string_view>

namespace tabulo::spreadsheet::xlsx {

// The twelve theme colours as 0xRRGGBB, in the order the `theme` attribute counts
// them: lt1, dk1, lt2, dk2, accent1..6, hlink, folHlink.
using ThemeColors = std::array<std::uint32_t, 12>;

// The colours of the default Office theme, used when a workbook has no theme part.
extern const ThemeColors kDefaultThemeColors;

// Reads the colour scheme of a theme part (a:theme); missing entries keep the default.
ThemeColors ReadThemeColors(const pugi::xml_node& themeRoot);

// Applies a tint (-1..1) to a colour the way the spreadsheet does: the luminance
// in HLS space moves towards black (negative) or white (positive).
std::uint32_t ApplyTint(std::uint32_t rgb, double tint);

// "FFRRGGBB" or "RRGGBB" to 0xRRGGBB; nothing when it is not hex.
std::optional<std::uint32_t> ParseArgb(std::string_view text);

class ColorResolver {
 public:
  ColorResolver(const std::array<std::uint32_t, 56>& palette, const ThemeColors& theme)
      : palette_(palette), theme_(theme) {}
  // Palette index 1..56 of a <color> element, or -4105 (automatic) for auto="1",
  // the system colours (indexed 64, 65 ...) and an absent element.
  std::int32_t colorIndex(const pugi::xml_node& color) const;

 private:
  const std::array<std::uint32_t, 56>& palette_;
  const ThemeColors& theme_;
};

}  // namespace tabulo::spreadsheet::xlsx
