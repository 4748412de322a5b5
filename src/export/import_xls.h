#pragma once
#include <string_view>

namespace tabulo::exporting {

inline constexpr std::string_view kSpreadsheetProgId = "Excel.Application";
inline constexpr std::string_view kWorkbookFilter = "Excel files(*.xls)|*.xls";

// The export command: lets the user choose a workbook, opens it as the template of
// a new workbook in a hidden spreadsheet instance of its own, exports the active
// sheet into the running drawing host as a table inserted at (x, y, z) (drawing
// units, world coordinates), and closes the instance without saving. A cancelled
// dialog starts nothing. No failure leaves this function; the ones the export
// reports have been shown by then.
void ImportXls(double x, double y, double z) noexcept;

}  // namespace tabulo::exporting
