// The export command from the file dialog to the closed spreadsheet: what is
// started, shown and left behind on each path.
#include <gtest/gtest.h>

#include "export/table_data.h"
#include "export_fixture.h"

namespace tabulo::exporting::test {
namespace {

const std::string kExportBox = "ErrorBox: Error occured when exporting to AutoCAD.";
const std::string kAttachBox = "ErrorBox: Error occured when attaching data.";
const std::string kDialog = "OpenFileDialog: Excel files(*.xls)|*.xls";

std::vector<std::string> Targets(const std::vector<testing::RecordedCall>& calls) {
  std::vector<std::string> out;
  for (const auto& call : calls) out.push_back(call.target());
  return out;
}

bool AnyCallOn(const testing::CallLog& log, std::string_view root) {
  for (const auto& call : log.calls())
    if (call.path.starts_with(root)) return true;
  return false;
}

TEST_F(ExportTest, ProgressMovesOncePerCellThenTheWindowGoes) {
  // Used range D2 alone: the grid A1:D2 has 8 cells.
  exportSheet(SheetBuilder().value(2, 4, "x").build());

  std::vector<std::string> expected{"Progress: create Exporting", "Progress: show"};
  for (int position : {12, 25, 38, 50, 62, 75, 88, 100}) {
    expected.push_back("Progress: position " + std::to_string(position));
    expected.push_back("ProcessMessages");
  }
  expected.push_back("Progress: destroy");
  EXPECT_EQ(ui->entries(), expected);
}

TEST_F(ExportTest, ImportOpensTheChosenFileAndClosesTheInstanceWithoutPrompts) {
  importXls(SheetBuilder().value(1, 1, "x").build(), "/data/report.xls", {10, 20, 0});

  EXPECT_EQ(instancesMade, 1);
  EXPECT_EQ(openedPath, "/data/report.xls");
  auto add = log->callsTo("add");
  ASSERT_FALSE(add.empty());
  EXPECT_EQ(add[0].target(), "excel.workbooks.add(&\"/data/report.xls\")");
  EXPECT_EQ(Targets(log->callsTo("Unprotect")),
            std::vector<std::string>{"excel.activesheet.Unprotect(&<missing>)"});
  // The export quits the instance itself, then ImportXls once more.
  EXPECT_EQ(excel->quitCount(), 2);
  EXPECT_FALSE(excel->displayAlerts());
  EXPECT_FALSE(excel->visible());
  std::vector<std::string> closing;
  for (const auto& call : log->calls())
    if (call.member == "DisplayAlerts" || call.member == "quit") closing.push_back(call.target());
  EXPECT_EQ(closing, (std::vector<std::string>{"excel.DisplayAlerts", "excel.quit",
                                               "excel.DisplayAlerts", "excel.quit"}));
  EXPECT_EQ(ui->EntriesStartingWith("ErrorBox"), std::vector<std::string>{});
  EXPECT_EQ(automation::ToPoint(lastReference().get("insertionpoint").value()),
            (Point3{10, 20, 0}));
}

TEST_F(ExportTest, CancelledDialogStartsNothing) {
  importXls(SheetBuilder().value(1, 1, "x").build(), std::nullopt);
  EXPECT_EQ(instancesMade, 0);
  EXPECT_EQ(ui->entries(), std::vector<std::string>{kDialog});
  EXPECT_TRUE(log->calls().empty()) << log->dump();
}

TEST_F(ExportTest, NoDrawingHostIsReportedAfterTheFileWasChosen) {
  noDrawingHost = true;
  importXls(SheetBuilder().value(1, 1, "x").build(), "/data/report.xls");
  EXPECT_EQ(ui->entries(), (std::vector<std::string>{kDialog, kExportBox}));
  ASSERT_EQ(instancesMade, 1);
  EXPECT_EQ(excel->quitCount(), 1);
  EXPECT_FALSE(excel->displayAlerts());
}

TEST_F(ExportTest, UnopenableWorkbookEndsQuietlyAndClosesTheInstance) {
  ui->QueueFileDialogAnswer("/data/broken.xls");
  startDrawingHost();
  auto registration = automation::RegisterFactory(kSpreadsheetProgId, [this] {
    excel = std::make_shared<spreadsheet::Application>([](const std::string& path) -> Workbook {
      throw spreadsheet::FileError(path + " is not a workbook.");
    });
    return ObjectPtr(testing::RecordingObject::Wrap(excel, "excel", log));
  });
  ImportXls(0, 0, 0);
  EXPECT_EQ(ui->entries(), std::vector<std::string>{kDialog});
  EXPECT_EQ(excel->quitCount(), 1);
  EXPECT_FALSE(AnyCallOn(*log, "acad")) << log->dump();
}

TEST_F(ExportTest, RefusedUnprotectEndsQuietlyWithNothingAdded) {
  importXls(SheetBuilder().value(1, 1, "x").protect(true).build(), "/data/locked.xls");
  ASSERT_TRUE(log->called("Unprotect"));
  EXPECT_TRUE(log->callsTo("Unprotect")[0].error.has_value());
  EXPECT_EQ(ui->entries(), std::vector<std::string>{kDialog});
  EXPECT_FALSE(AnyCallOn(*log, "acad")) << log->dump();
  EXPECT_EQ(modelSpaceCount(), 0);
  EXPECT_EQ(excel->quitCount(), 1);
}

TEST_F(ExportTest, AttachTableDataFailingShowsBothBoxesAndLeavesTheReferenceWithoutData) {
  log->failMember("setxdata", "The extended data is too large.");
  importXls(SheetBuilder().value(1, 1, "x").build(), "/data/report.xls");

  EXPECT_EQ(ui->EntriesStartingWith("ErrorBox"),
            (std::vector<std::string>{kAttachBox, kExportBox}));
  // Both boxes are shown while the progress window is still up.
  EXPECT_EQ(ui->entries().back(), "Progress: destroy");
  ASSERT_EQ(modelSpaceCount(), 1);
  EXPECT_TRUE(tableData(lastReference()).codes.empty());
  EXPECT_FALSE(log->called("update"));
  EXPECT_EQ(excel->quitCount(), 1);  // only ImportXls closed it
}

TEST_F(ExportTest, BlockCreationFailingIsReportedBeforeAnyProgressWindow) {
  log->failWhen({"add", "blocks", std::nullopt, 0}, "Invalid block name.");
  exportSheet(SheetBuilder().value(1, 1, "x").build());
  EXPECT_EQ(ui->entries(), std::vector<std::string>{kExportBox});
  EXPECT_EQ(modelSpaceCount(), 0);
}

TEST_F(ExportTest, EmptyExtentEndsWithoutConnectingToTheDrawingHost) {
  // A used range whose last row is reported as 0 (a spreadsheet double).
  auto sheetObject = std::make_shared<spreadsheet::Application>(SheetBuilder().build());
  struct ZeroRows : automation::Object {
    ObjectPtr inner;
    Variant invoke(std::string_view member, automation::CallKind kind,
                   std::vector<Variant>& args) override {
      if (automation::LowerCase(member) == "row") return Variant(std::int32_t{0});
      Variant result = inner->invoke(member, kind, args);
      if (auto* object = result.getIf<ObjectPtr>(); object && *object) {
        auto wrapped = std::make_shared<ZeroRows>();
        wrapped->inner = *object;
        return Variant(ObjectPtr(wrapped));
      }
      return result;
    }
  };
  auto zero = std::make_shared<ZeroRows>();
  zero->inner = sheetObject;
  startDrawingHost();
  ExportSheetToDrawing(zero, 0, 0, 0);
  EXPECT_TRUE(ui->entries().empty());
  EXPECT_FALSE(AnyCallOn(*log, "acad")) << log->dump();
  EXPECT_EQ(sheetObject->quitCount(), 0);
}

TEST_F(ExportTest, MissingSettingsGiveLayerColoursLayerFontsAndScale2_5) {
  exportSheet(SheetBuilder().value(1, 1, "x", Boxed(3)).build());
  auto insert = log->callsTo("insertblock");
  ASSERT_EQ(insert.size(), 1u);
  EXPECT_EQ(insert[0].renderedArgs,
            (std::vector<std::string>{"&[lb 0: 0.0, 0.0, 0.0]", "&\"TabuloBk001\"",
                                      "&0.32051282051282054", "&0.32051282051282054",
                                      "&0.32051282051282054", "0"}));
  EXPECT_FALSE(log->called("colorindex")) << log->dump();
  EXPECT_FALSE(log->called("color"));
  for (const std::string& entity : blockEntities())
    EXPECT_NE(entity.find("color 256"), std::string::npos) << entity;
  EXPECT_EQ(blockEntities().back().find("\\f"), std::string::npos);
}

TEST_F(ExportTest, OutputScale7_8InsertsTheTableInPoints) {
  useSettings(true, 7.8, true);
  exportSheet(SheetBuilder().value(1, 1, "x").build(), {1, 2, 3});
  Dispatch reference = lastReference();
  EXPECT_EQ(reference.get("name").toString(), "TabuloBk001");
  EXPECT_EQ(automation::ToPoint(reference.get("insertionpoint").value()), (Point3{1, 2, 3}));
  for (const char* factor : {"xscalefactor", "yscalefactor", "zscalefactor"})
    EXPECT_EQ(reference.get(factor).toDouble(), 1.0) << factor;
  EXPECT_EQ(reference.get("rotation").toDouble(), 0.0);
}

TEST_F(ExportTest, TheSheetIsUnprotectedWithoutAPassword) {
  importXls(SheetBuilder().value(1, 1, "x").protect(false).build(), "/data/open.xls");
  EXPECT_EQ(ui->EntriesStartingWith("ErrorBox"), std::vector<std::string>{});
  EXPECT_EQ(modelSpaceCount(), 1);
}

}  // namespace
}  // namespace tabulo::exporting::test
