#include "spreadsheet/sheet_password.h"

namespace tabulo::spreadsheet {

std::uint16_t LegacyPasswordHash(std::string_view password) {
  // Each character, last first, is xored into a 15-bit value rotated left by one.
  auto rotate = [](std::uint32_t h) { return ((h >> 14) & 0x01) | ((h << 1) & 0x7FFF); };
  std::uint32_t hash = 0;
  for (auto it = password.rbegin(); it != password.rend(); ++it)
    hash = rotate(hash) ^ static_cast<unsigned char>(*it);
  hash = rotate(hash) ^ static_cast<std::uint32_t>(password.size()) ^ 0xCE4B;
  return static_cast<std::uint16_t>(hash);
}

}  // namespace tabulo::spreadsheet
