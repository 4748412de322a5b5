#include "spreadsheet/palette_color.h"

namespace tabulo::spreadsheet {
namespace {
std::uint32_t SwapRedBlue(std::uint32_t c) {
  return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
}  // namespace

std::int32_t PaletteColor(const Workbook& workbook, std::int32_t colorIndex) {
  if (!IsPaletteIndex(colorIndex)) return 0;
  return static_cast<std::int32_t>(SwapRedBlue(workbook.palette[colorIndex - 1]));
}

std::int32_t ColorToPaletteIndex(const Workbook& workbook, std::int32_t color) {
  return NearestPaletteIndex(workbook.palette,
                             SwapRedBlue(static_cast<std::uint32_t>(color) & 0xFFFFFF));
}

}  // namespace tabulo::spreadsheet
