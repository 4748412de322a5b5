#pragma once
// Handlers of the cell records of a worksheet: values with their XF.
#include "spreadsheet/xls/biff_records.h"
#include "spreadsheet/xls/sheet_context.h"

namespace tabulo::spreadsheet::xls {

void ReadLabelSst(const Record& record, SheetContext& context);
void ReadLabel(const Record& record, SheetContext& context);
void ReadRString(const Record& record, SheetContext& context);
void ReadNumber(const Record& record, SheetContext& context);
void ReadRk(const Record& record, SheetContext& context);
void ReadMulRk(const Record& record, SheetContext& context);
void ReadBoolErr(const Record& record, SheetContext& context);
void ReadFormula(const Record& record, SheetContext& context);
void ReadString(const Record& record, SheetContext& context);
void ReadBlank(const Record& record, SheetContext& context);
void ReadMulBlank(const Record& record, SheetContext& context);

// The number an RK value encodes.
double DecodeRk(std::uint32_t rk);
// The displayed text of a BIFF error code (#DIV/0! ...).
std::string ErrorText(std::uint8_t code);

}  // namespace tabulo::spreadsheet::xls
