#pragma once
#include <filesystem>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet {

// Reads an Excel 97-2003 workbook (.xls: BIFF8 records in an OLE2 compound file):
// values, formats, row heights, column widths, merged areas, protection and the
// active sheet. Throws FileError naming the file and the reason when it cannot be
// read: damaged, encrypted, of an older Excel version or not a workbook at all.
Workbook ReadXls(const std::filesystem::path& path);

}  // namespace tabulo::spreadsheet
