#pragma once
// Reads .ods workbooks (OpenDocument spreadsheets) into the model.
#include <filesystem>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet {

// Every table of the document with its cells, formats, row heights, column widths
// and merged areas; the active sheet from settings.xml (else the first). Colours
// become the nearest palette index. Throws FileError naming the file and the reason.
Workbook ReadOds(const std::filesystem::path& file);

}  // namespace tabulo::spreadsheet
