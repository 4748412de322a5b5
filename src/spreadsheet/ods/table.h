#pragma once
// One table:table of an OpenDocument spreadsheet into the model's Worksheet.
#include <map>
#include <pugixml.hpp>
#include <string>

#include "spreadsheet/format_interner.h"
#include "spreadsheet/ods/styles.h"
#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet::ods {

struct TableContext {
  const Styles& styles;
  FormatInterner& formats;
  bool date1904 = false;
  // Names the file in error messages: "workbook 'book.ods'".
  std::string where;
  // Format index of each cell style name met so far.
  std::map<std::string, std::uint32_t> formatOfStyle;
};

// Fills `sheet` from a table:table element: cells (with repeats), merged areas
// (spans), column widths and row heights (the most common becomes the default),
// hidden rows and columns, protection. Throws FileError for a table too large to hold.
void ReadTable(const pugi::xml_node& table, TableContext& context, Worksheet& sheet);

}  // namespace tabulo::spreadsheet::ods
