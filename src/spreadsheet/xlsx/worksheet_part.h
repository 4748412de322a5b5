#pragma once
// A worksheet part (xl/worksheets/sheetN.xml) into the model's Worksheet.
#include <cstdint>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet::xlsx {

struct WorksheetContext {
  const std::vector<std::string>& sharedStrings;
  // Workbook::formats index of each cellXfs entry; out-of-range `s` uses entry 0.
  const std::vector<std::uint32_t>& formatOfXf;
  std::int32_t maxDigitWidth = 7;
  bool date1904 = false;
  // Default row height (points) when the part gives none.
  double fallbackRowHeight = 15.0;
  // Names the file and part in error messages: "\"book.xlsx\", part \"xl/...\"".
  std::string where;
};

// Fills `sheet` (whose name the caller set) from the part's root element; throws
// FileError for references and values that cannot be read.
void ReadWorksheetPart(const pugi::xml_node& root, const WorksheetContext& context,
                       Worksheet& sheet);

// Pixels of a sheet's default column: the defaultColWidth (characters with padding)
// when given, else baseColWidth characters plus 5 pixels of padding rounded up to a
// multiple of 8 pixels, as the spreadsheet lays out its standard width.
std::int32_t DefaultColumnPixels(const pugi::xml_node& sheetFormatPr, std::int32_t mdw);

}  // namespace tabulo::spreadsheet::xlsx
