#pragma once
#include <cstdint>
#include <string_view>

namespace tabulo::spreadsheet {

// The legacy 16-bit hash under which workbook files store a sheet-protection
// password (BIFF PASSWORD record, xlsx sheetProtection@password).
std::uint16_t LegacyPasswordHash(std::string_view password);

}  // namespace tabulo::spreadsheet
