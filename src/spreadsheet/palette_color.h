#pragma once
#include <cstdint>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet {

// A palette index (1..56, or automatic) as the object model's Color property
// gives it: 0xBBGGRR; automatic reads as black.
std::int32_t PaletteColor(const Workbook& workbook, std::int32_t colorIndex);
// The palette index nearest to a Color value (0xBBGGRR).
std::int32_t ColorToPaletteIndex(const Workbook& workbook, std::int32_t color);
// True for a palette index the object model accepts (1..56).
inline bool IsPaletteIndex(std::int32_t index) {
  return index >= 1 && index <= 56;
}

}  // namespace tabulo::spreadsheet
