#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "automation/dispatch.h"

namespace tabulo::exporting {

// Fixed-point constants of the text layout, in ten-thousandths.
inline constexpr std::int64_t kWrapPaddingPerPoint =
    2400;  // 0.24: wrap width inset per point of font size
inline constexpr std::int64_t kHeightPerPoint = 6500;    // 0.65: text height per point of font size
inline constexpr std::int64_t kHorizontalMargin = 3000;  // 0.30 × text height
inline constexpr std::int64_t kVerticalMargin = 3600;    // 0.36 × text height

// Whether a displayed text has nothing but characters of code 32 or less.
bool IsBlankText(std::string_view text);

// The text entity's contents: "\f<font>;" in front when a font name is given, then
// the displayed text, with every line feed written as "\P". Nothing else is
// escaped.
std::string ContentString(std::string_view shownText, std::optional<std::string_view> fontName);

// Adds the cell's text entity to the table block, unless the cell shows a blank
// text. The text rectangle starts at (cellLeft, rowTop) and is as large as the
// merge area; wrap flag, font size and alignments come from the merge area's
// top-left cell, text, font name and colour from cell (r, c). A failing call ends
// the cell's work; an entity already added stays.
void AddCellText(const automation::Dispatch& sheet, const automation::Dispatch& tableBlock,
                 std::int32_t r, std::int32_t c, double cellLeft, double rowTop,
                 const automation::Dispatch& mergeArea, bool colorByLayer, bool fontByLayer);

}  // namespace tabulo::exporting
