#pragma once
#include <string>
#include <string_view>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet {

// The text a cell shows: its value rendered through its number format code, as the
// spreadsheet displays it with invariant (English) conventions. `date1904` selects
// the workbook's date system.
std::string DisplayText(const CellValue& value, std::string_view formatCode, bool date1904);

}  // namespace tabulo::spreadsheet
