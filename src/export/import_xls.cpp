#include "export/import_xls.h"

#include <optional>
#include <string>
#include <vector>

#include "automation/activation.h"
#include "automation/dispatch.h"
#include "export/export_sheet.h"
#include "platform/ui.h"

namespace tabulo::exporting {

using automation::Dispatch;
using automation::Variant;

namespace {

// Ends the instance without prompts; the new workbook is discarded. Quit is tried
// even when switching the alerts off failed, so no instance is left running.
void CloseSpreadsheet(const automation::ObjectPtr& excelApp) noexcept {
  try {
    Dispatch(excelApp).put("DisplayAlerts", false);
  } catch (...) {
  }
  try {
    Dispatch(excelApp).get("quit");
  } catch (...) {
  }
}

}  // namespace

void ImportXls(double x, double y, double z) noexcept {
  automation::ObjectPtr excelApp;
  try {
    std::optional<std::string> file = platform::CurrentUi().OpenFileDialog(kWorkbookFilter);
    if (!file) return;
    excelApp = automation::CreateObject(kSpreadsheetProgId);
    Variant path(*file);
    std::vector<Variant> args{Variant::RefTo(path)};
    Dispatch(excelApp).get("workbooks").invoke("add", args);
    ExportSheetToDrawing(excelApp, x, y, z);
  } catch (...) {
    // The export has shown what the user must know; the rest ends quietly.
  }
  if (excelApp) CloseSpreadsheet(excelApp);
}

}  // namespace tabulo::exporting
