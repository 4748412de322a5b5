#pragma once
// Reads .xlsx workbooks (Office Open XML SpreadsheetML) into the model.
#include <filesystem>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet {

// Every sheet of the workbook with its cells, formats, row heights, column widths,
// merged areas and protection; the active sheet and date system. Colours become
// palette indexes (RGB and theme colours the nearest entry). Throws FileError naming
// the file and the reason when it cannot be read.
Workbook ReadXlsx(const std::filesystem::path& file);

}  // namespace tabulo::spreadsheet
