#pragma once
#include <filesystem>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet {

// Reads a workbook file, choosing the reader by the file's content (an OLE2
// compound file is .xls, a zip package .xlsx or .ods), not by its extension.
// Throws FileError naming the file and the reason.
Workbook ReadWorkbookFile(const std::filesystem::path& path);

}  // namespace tabulo::spreadsheet
