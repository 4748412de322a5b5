#pragma once
#include "spreadsheet/xls/biff_records.h"
#include "spreadsheet/xls/workbook_globals.h"

namespace tabulo::spreadsheet::xls {

// SST with its CONTINUE fragments: the shared strings as UTF-8, rich-text runs and
// phonetic data skipped.
void ReadSst(const Record& record, Globals& globals);

}  // namespace tabulo::spreadsheet::xls
