// tabulo export: the workbook opened in the stand-in spreadsheet, the drawing in the
// stand-in drawing host, and the same ImportXls the Windows hosts call.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>

#include "automation/activation.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/session.h"
#include "cli/table_references.h"
#include "drawing/application.h"
#include "drawing/dxf_reader.h"
#include "drawing/dxf_writer.h"
#include "drawing/xdata.h"
#include "export/import_xls.h"
#include "export/table_data.h"
#include "spreadsheet/application.h"
#include "spreadsheet/used_range.h"
#include "spreadsheet/workbook_file.h"

namespace tabulo::cli {
namespace fs = std::filesystem;

namespace {

// The table data keeps a height per row and two widths per column; a large grid
// does not fit in the extended data a drawing entity may carry, and the export's
// own message cannot say so.
void ExplainRefusedTableData(const std::vector<std::string>& errors,
                             const spreadsheet::Workbook& workbook,
                             const spreadsheet::Worksheet& sheet) {
  if (std::find(errors.begin(), errors.end(), exporting::kAttachError) == errors.end()) return;
  const spreadsheet::RangeRef used = spreadsheet::UsedRange(workbook, sheet);
  const std::size_t rows = static_cast<std::size_t>(used.last.row);
  const std::size_t columns = static_cast<std::size_t>(used.last.column);
  // Each real takes 9 bytes (code and value), each 16-bit count 3.
  const std::size_t bytes = 2 * 3 + (rows + 2 * columns + 1) * 9;
  if (bytes <= drawing::kXDataCapacity) return;
  std::fprintf(stderr,
               "tabulo export: a table of %zu rows and %zu columns needs at least %zu bytes of "
               "table data, more than the %zu bytes a drawing entity may carry; export a sheet "
               "with fewer rows and columns.\n",
               rows, columns, bytes, drawing::kXDataCapacity);
}

}  // namespace

int RunExport(const std::vector<std::string>& args) {
  Arguments a(args, {"--at"}, {});
  a.expectOperands(2, "a workbook and a drawing: tabulo export WORKBOOK DRAWING.dxf");
  const fs::path workbookPath = fs::absolute(a.operands()[0]);
  const fs::path drawingPath = a.operands()[1];
  const Point at = a.value("--at") ? ParsePoint(*a.value("--at"), "--at") : Point{};

  // Read the workbook before anything else, so a file the spreadsheet cannot open
  // gets its reason instead of the export's silence about it.
  spreadsheet::Workbook workbook = spreadsheet::ReadWorkbookFile(workbookPath);
  const auto& sheet = workbook.sheets.at(workbook.activeSheet);
  if (sheet.protection.isProtected && sheet.protection.hasPassword)
    throw CommandError("the active sheet \"" + sheet.name + "\" of '" + workbookPath.string() +
                       "' is protected with a password; unprotect it in the spreadsheet and "
                       "export again. Nothing was exported.");

  std::error_code ec;
  const bool existing = fs::exists(drawingPath, ec);
  auto drawing = existing ? drawing::ReadDxf(drawingPath) : drawing::Drawing::New();

  Session session;
  auto drawingApp = drawing::MakeApplication(drawing);
  automation::Registration host =
      automation::RegisterActiveObject("AutoCAD.Application", drawingApp);
  automation::Registration spreadsheetFactory =
      automation::RegisterFactory("Excel.Application", [&workbook, workbookPath] {
        return std::make_shared<spreadsheet::Application>(
            [&workbook, workbookPath](const std::string& path) {
              // The file the dialog chose was read above; anything else is read afresh.
              if (fs::path(path) == workbookPath) return workbook;
              return spreadsheet::ReadWorkbookFile(path);
            });
      });

  std::set<std::uint32_t> before;
  for (const TableReference& t : FindTableReferences(drawingApp)) before.insert(t.id);

  session.ui().SetFileDialogAnswer(workbookPath.string());
  exporting::ImportXls(at.x, at.y, at.z);
  if (session.exitStatus() != 0) {
    ExplainRefusedTableData(session.ui().errorTexts(), workbook, sheet);
    std::fprintf(stderr, "tabulo export: nothing was saved; '%s' is unchanged.\n",
                 drawingPath.string().c_str());
    return 1;
  }

  const TableReference* added = nullptr;
  std::vector<TableReference> after = FindTableReferences(drawingApp);
  for (const TableReference& t : after)
    if (!before.count(t.id)) added = &t;
  if (!added)
    throw CommandError("the sheet \"" + sheet.name +
                       "\" gave no table (the spreadsheet refused to read it); '" +
                       drawingPath.string() + "' is unchanged");

  drawing::WriteDxf(*drawing, drawingPath);
  std::printf("%s: table %s, id %u, handle %s, inserted at (%g, %g, %g) in %s\n",
              workbookPath.filename().string().c_str(), added->block.c_str(), added->id,
              added->handle.c_str(), at.x, at.y, at.z, drawingPath.string().c_str());
  return 0;
}

}  // namespace tabulo::cli
