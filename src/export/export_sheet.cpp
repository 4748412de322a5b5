#include "export/export_sheet.h"

#include <cstdint>
#include <string>
#include <vector>

#include "automation/activation.h"
#include "automation/dispatch.h"
#include "automation/error.h"
#include "export/cell_borders.h"
#include "export/cell_text.h"
#include "export/cell_walk.h"
#include "export/progress.h"
#include "export/table_block.h"
#include "export/table_data.h"
#include "host/settings_store.h"
#include "platform/ui.h"

namespace tabulo::exporting {

using automation::Dispatch;
using automation::Variant;

namespace {

// AttachTableData has told the user already; this only ends the export.
class AttachFailed : public automation::Error {
 public:
  AttachFailed() : automation::Error(std::string(kAttachError)) {}
};

void Unprotect(const Dispatch& sheet) {
  Variant password = Variant::Missing();
  std::vector<Variant> args{Variant::RefTo(password)};
  sheet.invoke("Unprotect", args);
}

}  // namespace

void ExportSheetToDrawing(const automation::ObjectPtr& excelApp, double x, double y, double z) {
  const host::ExportSettings settings = host::ReadExportSettings();
  const automation::Point3 insertion{x, y, z};
  std::int64_t cellCounter = 0;
  std::vector<std::string> mergedAreas;

  Dispatch application(excelApp);
  Dispatch sheet = application.get("activesheet");
  Unprotect(sheet);
  const std::int32_t lastRow = ReadLastRow(sheet);
  const std::int64_t totalCells = std::int64_t{lastRow} * ReadLastColumn(sheet);
  if (totalCells <= 0) return;

  // Declared before the handler so that an error box appears while the window is
  // still on screen; the window goes when this call ends.
  ProgressWindowGuard progress;
  try {
    Dispatch drawing(automation::GetActiveObject(kDrawingProgId));
    Dispatch modelSpace = drawing.get("activedocument").get("modelspace");
    Dispatch blocks = drawing.get("activedocument").get("blocks");

    RemoveUnusedTableBlocks(blocks);
    const std::string blockName = ChooseTableBlockName(blocks);
    Dispatch tableBlock = CreateTableBlock(blocks, blockName);

    TfrmProgress& window = progress.Create();
    CellVisitor visitor;
    visitor.StartCell = [&] {
      ++cellCounter;
      window.SetPosition(ProgressPosition(cellCounter, totalCells));
      platform::CurrentUi().ProcessMessages();
    };
    visitor.CellWork = [&](const CellPlace& place) {
      AddCellBorders(sheet, tableBlock, place, settings.ColorByLayer);
      AddCellText(sheet, tableBlock, place.r, place.c, place.CellLeft, place.RowTop,
                  place.MergeArea, settings.ColorByLayer, settings.FontByLayer);
    };
    WalkCells(sheet, lastRow, mergedAreas, visitor);

    Dispatch tableReference =
        InsertTableReference(modelSpace, insertion, blockName, InsertScale(settings.OutputScale));
    if (!AttachTableData(sheet, tableReference, mergedAreas)) throw AttachFailed();
    tableReference.get("update");

    application.put("DisplayAlerts", false);
    application.get("quit");
  } catch (...) {
    platform::CurrentUi().ErrorBox(kExportError);
  }
}

}  // namespace tabulo::exporting
