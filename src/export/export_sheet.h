#pragma once
#include <string_view>

#include "automation/object.h"

namespace tabulo::exporting {

// The running drawing host is looked up by this ProgID; the export never starts it.
inline constexpr std::string_view kDrawingProgId = "AutoCAD.Application";
inline constexpr std::string_view kExportError = "Error occured when exporting to AutoCAD.";

// Turns the active sheet of the spreadsheet application `excelApp` into a table
// block inserted into the running drawing host's model space at (x, y, z), with
// its table data, then makes the application quit. Reading the sheet's extent
// (unprotecting it included) may fail and passes to the caller; every failure on
// the drawing side is caught here and shown as "Error occured when exporting to
// AutoCAD.". The progress window lives from the table block's creation to the
// end of this call.
void ExportSheetToDrawing(const automation::ObjectPtr& excelApp, double x, double y, double z);

}  // namespace tabulo::exporting
