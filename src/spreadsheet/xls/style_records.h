#pragma once
// Handlers of the formatting records of the workbook globals: FONT, FORMAT, XF
// and PALETTE.
#include "spreadsheet/xls/biff_records.h"
#include "spreadsheet/xls/workbook_globals.h"

namespace tabulo::spreadsheet::xls {

void ReadFont(const Record& record, Globals& globals);
void ReadFormat(const Record& record, Globals& globals);
void ReadXf(const Record& record, Globals& globals);
void ReadPalette(const Record& record, Globals& globals);

}  // namespace tabulo::spreadsheet::xls
