#pragma once
// BIFF8 codes translated into the object model's values: colour indexes, border
// line styles and weights, alignments.
#include <cstdint>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet::xls {

// A BIFF colour index as a palette index 1..56 or automatic: 8..63 are palette
// entries 1..56, 0..7 the fixed colours that are palette entries 1..8; 64 (system
// foreground), 65 (system background), 0x7FFF (automatic font colour) and anything
// unknown are automatic.
std::int32_t ColorIndexFromBiff(std::uint16_t biffIndex);

// A border from its BIFF line style (0 none, 1..13) and colour index. Style 0 and
// unknown styles are no line.
Border BorderFromBiff(std::uint8_t lineStyle, std::uint16_t biffColor);

// XF alignment codes (horizontal 0..7, vertical 0..4) as the object model's
// constants; unknown codes are general / bottom.
std::int32_t HorizontalAlignmentFromBiff(std::uint8_t code);
std::int32_t VerticalAlignmentFromBiff(std::uint8_t code);

}  // namespace tabulo::spreadsheet::xls
