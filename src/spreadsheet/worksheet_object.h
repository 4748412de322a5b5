#pragma once
#include "automation/object.h"
#include "spreadsheet/workbook_document.h"

namespace tabulo::spreadsheet {

// A worksheet, as the object model's Worksheet.
//
// Members: name, index, Unprotect([password]), Protect([password]),
// ProtectContents, usedrange, cells / cells(row, column) (also written:
// cells(row, column) := value), rows / rows(i) / rows("2:3"), Columns /
// Columns(j) / Columns("B") / Columns("B:D"), range(address) / range(cell1,
// cell2), StandardWidth, StandardHeight, Activate.
//
// Unprotect: a sheet protected with a password refuses an unprotect without the
// right one. The password is checked against the 16-bit hash workbook files
// store; when the file's hash is not known (0), any non-empty password is taken.
class WorksheetObject : public automation::Object {
 public:
  explicit WorksheetObject(SheetRef sheet) : sheet_(std::move(sheet)) {}
  automation::Variant invoke(std::string_view member, automation::CallKind kind,
                             std::vector<automation::Variant>& args) override;

  const SheetRef& sheetRef() const { return sheet_; }

 private:
  SheetRef sheet_;
};

}  // namespace tabulo::spreadsheet
