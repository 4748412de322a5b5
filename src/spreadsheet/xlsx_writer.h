#pragma once
// Saves the model as an .xlsx workbook with libxlsxwriter.
#include <cstddef>
#include <filesystem>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet {

// Writes every sheet of `workbook` to `file`: values (numbers as numbers, texts as
// texts, Booleans as Booleans), row heights, column widths, fonts, colours (the
// palette's RGB), borders with diagonals, alignment, wrapping, number formats and
// merged areas. The file is written beside the target and renamed over it, so a
// failure leaves any existing file untouched. Throws FileError naming the file and
// the reason.
void WriteXlsx(const Workbook& workbook, const std::filesystem::path& file);

// As above, with only sheet `sheetIndex` (0-based) in the written workbook.
void WriteXlsx(const Workbook& workbook, std::size_t sheetIndex, const std::filesystem::path& file);

}  // namespace tabulo::spreadsheet
