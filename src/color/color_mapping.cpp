#include "color/color_mapping.h"

namespace tabulo::color {

// Rgb is reference only. Records 2 (white) and 19 (ivory) hold the colours those
// palette entries render as.
const std::array<TExcelColor, 56> ExcelColorTable = {{
    {1, 0, 0x000000},    {2, 7, 0xFFFFFF},    {3, 1, 0xFF0000},    {4, 3, 0x00FF00},
    {5, 5, 0x0000FF},    {6, 2, 0xFFFF00},    {7, 6, 0xFF00FF},    {8, 4, 0x00FFFF},
    {9, 16, 0x7F0000},   {10, 96, 0x007F00},  {11, 176, 0x00007F}, {12, 56, 0x7F7F00},
    {13, 216, 0x7F007F}, {14, 136, 0x007F7F}, {15, 9, 0xBFBFBF},   {16, 8, 0x7F7F7F},
    {17, 161, 0x9097FF}, {18, 237, 0x903060}, {19, 7, 0xFFFFCC},   {20, 254, 0xC0FFFF},
    {21, 218, 0x600060}, {22, 11, 0xFF7F7F},  {23, 152, 0x0060C0}, {24, 254, 0xCFC8FF},
    {25, 176, 0x00007F}, {26, 6, 0xFF00FF},   {27, 2, 0xFFFF00},   {28, 4, 0x00FFFF},
    {29, 216, 0x7F007F}, {30, 16, 0x7F0000},  {31, 136, 0x007F7F}, {32, 5, 0x0000FF},
    {33, 140, 0x00C8FF}, {34, 254, 0xC0FFFF}, {35, 254, 0xCFFFCF}, {36, 51, 0xFFFF90},
    {37, 151, 0x90C8FF}, {38, 221, 0xFF98CF}, {39, 191, 0xCF98FF}, {40, 31, 0xFFC890},
    {41, 150, 0x2F60FF}, {42, 132, 0x2FC8C0}, {43, 62, 0x90C800},  {44, 40, 0xFFC800},
    {45, 30, 0xFF9700},  {46, 30, 0xFF6700},  {47, 165, 0x606790}, {48, 252, 0x909790},
    {49, 148, 0x003060}, {50, 105, 0x309860}, {51, 98, 0x002F00},  {52, 48, 0x303000},
    {53, 24, 0x903000},  {54, 237, 0x902F5F}, {55, 177, 0x303090}, {56, 250, 0x2F302F},
}};

// Entry a is the palette index for ACI a; where several palette entries share an
// ACI the last of them wins, and ACIs no entry names give 1 (black).
const std::array<std::uint8_t, 256> AciToExcelTable = {
    1,  3,  27, 4,  28, 32, 26, 19, 16, 15, 1,  22, 1,  1,  1,  1,   // 0
    30, 1,  1,  1,  1,  1,  1,  1,  53, 1,  1,  1,  1,  1,  46, 40,  // 16
    1,  1,  1,  1,  1,  1,  1,  1,  44, 1,  1,  1,  1,  1,  1,  1,   // 32
    52, 1,  1,  36, 1,  1,  1,  1,  12, 1,  1,  1,  1,  1,  43, 1,   // 48
    1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,   // 64
    1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,   // 80
    10, 1,  51, 1,  1,  1,  1,  1,  1,  50, 1,  1,  1,  1,  1,  1,   // 96
    1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,   // 112
    1,  1,  1,  1,  42, 1,  1,  1,  31, 1,  1,  1,  33, 1,  1,  1,   // 128
    1,  1,  1,  1,  49, 1,  41, 37, 23, 1,  1,  1,  1,  1,  1,  1,   // 144
    1,  17, 1,  1,  1,  47, 1,  1,  1,  1,  1,  1,  1,  1,  1,  1,   // 160
    25, 55, 1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  39,  // 176
    1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,   // 192
    1,  1,  1,  1,  1,  1,  1,  1,  29, 1,  21, 1,  1,  38, 1,  1,   // 208
    1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  54, 1,  1,   // 224
    1,  1,  1,  1,  1,  1,  1,  1,  1,  1,  56, 1,  48, 1,  35, 1,   // 240
};

std::int32_t AciForExcelColor(std::int32_t excelIndex) {
  // Only the low byte counts: automatic (-4105) becomes 247 and none (-4142) 210,
  // both outside the palette, so they take record 1.
  unsigned k = static_cast<std::uint32_t>(excelIndex) & 0xFFu;
  if (k < 1 || k > 56) k = 1;
  return ExcelColorTable[k - 1].Aci;
}

std::uint8_t ExcelColorForAci(std::int32_t aci) {
  return AciToExcelTable[static_cast<std::uint32_t>(aci) & 0xFFu];
}

}  // namespace tabulo::color
