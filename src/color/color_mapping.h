#pragma once
#include <array>
#include <cstdint>

namespace tabulo::color {

// One entry of the spreadsheet's 56-colour palette and the drawing colour it exports as.
struct TExcelColor {
  std::int32_t ExcelIndex;  // 1..56, equal to the record's position
  std::int32_t Aci;         // AutoCAD Color Index for this palette entry
  std::int32_t Rgb;         // 0xRRGGBB, reference only: read by no operation
};

// Spreadsheet colour index k (1..56) is record k - 1.
extern const std::array<TExcelColor, 56> ExcelColorTable;
// Spreadsheet colour index for each ACI 0..255; every value is in 1..56.
extern const std::array<std::uint8_t, 256> AciToExcelTable;

// Export direction: the ACI for a spreadsheet colour index. The low 8 bits are
// used; a value outside 1..56 (automatic -4105, none -4142) counts as 1.
std::int32_t AciForExcelColor(std::int32_t excelIndex);
// Load direction: the spreadsheet colour index for an ACI; the low 8 bits are
// used, so ByLayer (256) maps like ByBlock (0).
std::uint8_t ExcelColorForAci(std::int32_t aci);

}  // namespace tabulo::color
