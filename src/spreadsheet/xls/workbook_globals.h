#pragma once
// What the workbook globals substream holds that the sheets need: sheet list,
// shared strings, fonts, number formats, XF records and the palette.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet::xls {

// BOUNDSHEET sheet types.
inline constexpr std::uint8_t kSheetTypeWorksheet = 0;

struct SheetEntry {
  std::string name;
  std::uint32_t offset = 0;  // of the sheet's BOF record in the workbook stream
  std::uint8_t type = kSheetTypeWorksheet;
};

// One XF record's fields as stored (BIFF8 codes, not yet the object model's).
struct XfRecord {
  std::uint16_t font = 0;       // FONT index (index 4 does not exist)
  std::uint16_t format = 0;     // number format id
  std::uint8_t horizontal = 0;  // 0 general .. 7 distributed
  std::uint8_t vertical = 2;    // 0 top .. 4 distributed
  bool wrap = false;
  // Border line styles (0 none, 1..13) and colour indexes.
  std::uint8_t leftStyle = 0, rightStyle = 0, topStyle = 0, bottomStyle = 0, diagonalStyle = 0;
  std::uint8_t leftColor = 64, rightColor = 64, topColor = 64, bottomColor = 64, diagonalColor = 64;
  bool diagonalDown = false;  // top left to bottom right
  bool diagonalUp = false;    // bottom left to top right
  std::uint8_t fillPattern = 0;
  std::uint8_t fillForeColor = 64;
  std::uint8_t fillBackColor = 65;
};

struct Globals {
  std::vector<SheetEntry> sheets;          // every BOUNDSHEET, in tab order
  std::optional<std::uint16_t> activeTab;  // WINDOW1: tab index of the active sheet
  bool date1904 = false;
  std::uint16_t codePage = 1200;  // CODEPAGE; BIFF8 strings are UTF-16 whatever it says
  std::vector<std::string> sharedStrings;
  std::vector<Font> fonts;  // in record order; FONT index n >= 4 is fonts[n - 1]
  std::map<std::uint16_t, std::string> numberFormats;  // FORMAT records by id
  std::vector<XfRecord> xfs;
  std::array<std::uint32_t, 56> palette = kDefaultPalette;  // 0xRRGGBB for indexes 1..56
};

}  // namespace tabulo::spreadsheet::xls
