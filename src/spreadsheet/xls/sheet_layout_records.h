#pragma once
// Handlers of a worksheet's layout records: row heights, column widths and their
// defaults, merged areas, recorded dimensions, protection and the window.
#include <cstdint>

#include "spreadsheet/xls/biff_records.h"
#include "spreadsheet/xls/sheet_context.h"

namespace tabulo::spreadsheet::xls {

void ReadRow(const Record& record, SheetContext& context);
void ReadColInfo(const Record& record, SheetContext& context);
void ReadDefColWidth(const Record& record, SheetContext& context);
void ReadStandardWidth(const Record& record, SheetContext& context);
void ReadDefaultRowHeight(const Record& record, SheetContext& context);
void ReadMergedCells(const Record& record, SheetContext& context);
void ReadDimensions(const Record& record, SheetContext& context);
void ReadProtect(const Record& record, SheetContext& context);
void ReadPassword(const Record& record, SheetContext& context);
void ReadWindow2(const Record& record, SheetContext& context);

// Sets the sheet's default column width from STANDARDWIDTH or DEFCOLWIDTH, once
// all its records are read.
void SetDefaultColumnWidth(SheetContext& context);

// Pixels of the default column width for DEFCOLWIDTH `characters` (without
// padding): the characters and their padding, rounded up to a multiple of 8 pixels
// as the spreadsheet does (8 characters of a 7-pixel digit: 64 pixels).
std::int32_t DefaultColumnPixels(std::int32_t characters, std::int32_t maxDigitWidth);

}  // namespace tabulo::spreadsheet::xls
