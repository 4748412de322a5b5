// The load driver on a reduced drawing host and a sheet that accepts every call,
// so the logs show exactly what the driver read, wrote and showed.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "automation/activation.h"
#include "export/progress.h"
#include "fake_drawing.h"
#include "fake_entities.h"
#include "load/fill_sheet.h"
#include "load/load_state.h"
#include "platform/ui_recording.h"

namespace tabulo::load {
namespace {

using load::testing::FakeCollection;
using load::testing::FakeDrawing;
using load::testing::FakeLine;
using load::testing::FakeModelSpaceItem;
using load::testing::FakeMText;
using load::testing::FakeTableData;
using load::testing::SinkObject;
using load::testing::Writes;
using tabulo::testing::CallLog;
using tabulo::testing::RecordingObject;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Not;

constexpr const char* kLoadFailed = "ErrorBox: Error occured when loading Tabulo table.";

// A 3 × 2 table: rows 15, 20, 12.75 points; columns 48 and 64 points.
FakeTableData SmallTable() {
  return FakeTableData{{15.0, 20.0, 12.75}, {6.43, 8.71}, {48.0, 64.0}, {}};
}

class FillSheetDriverTest : public ::testing::Test {
 protected:
  FillSheetDriverTest() { previousUi = platform::SetCurrentUi(ui); }
  ~FillSheetDriverTest() override { platform::SetCurrentUi(previousUi); }

  void RegisterDrawingHost() {
    host = automation::RegisterActiveObject("AutoCAD.Application",
                                            RecordingObject::Wrap(drawing, "acad", log));
  }
  void Load(std::uint32_t objectId) {
    FillSheet(RecordingObject::Wrap(std::make_shared<SinkObject>(), "excel", log), objectId);
  }
  std::vector<std::string> Errors() const { return ui->EntriesStartingWith("ErrorBox"); }

  std::shared_ptr<platform::RecordingUi> ui = std::make_shared<platform::RecordingUi>();
  std::shared_ptr<platform::Ui> previousUi;
  std::shared_ptr<CallLog> log = std::make_shared<CallLog>();
  std::shared_ptr<FakeDrawing> drawing = FakeDrawing::Make();
  automation::Registration host;
};

TEST_F(FillSheetDriverTest, UnknownIdsAreReportedInUnsignedDecimal) {
  drawing->AddOther(7);
  drawing->AddTable(8, "TabuloBk001", SmallTable());
  RegisterDrawingHost();
  for (std::uint32_t id : {12345u, 0xFFFFFFFFu}) {
    SCOPED_TRACE(id);
    ui->Clear();
    log->clear();
    Load(id);
    EXPECT_THAT(ui->entries(),
                ElementsAre("ErrorBox: Can't find the Block(Id:" + std::to_string(id) + ")"));
    EXPECT_THAT(Writes(*log), ElementsAre("excel.visible = True")) << log->dump();
    EXPECT_EQ(log->countOf("ObjectID"), 2u);
    EXPECT_EQ(log->countOf("count"), 1u);
  }
}

TEST_F(FillSheetDriverTest, SearchComparesTheBitPatternAndStopsAtTheFirstMatch) {
  drawing->AddOther(5);
  drawing->AddTable(-1, "TabuloBk001", SmallTable());
  drawing->AddTable(-1, "TabuloBk002", SmallTable());
  RegisterDrawingHost();
  Load(0xFFFFFFFFu);
  EXPECT_THAT(Errors(), IsEmpty()) << log->dump();
  EXPECT_EQ(log->countOf("ObjectID"), 2u);
  EXPECT_THAT(log->lines(), Contains("get acad.activedocument.blocks.item(\"TabuloBk001\") -> "
                                     "<acad.activedocument.blocks.item(\"TabuloBk001\")>"));
}

TEST_F(FillSheetDriverTest, FailuresBeforeTheWalkLeaveTheSheetUntouched) {
  const struct {
    const char* name;
    std::function<void(FakeDrawing&)> setUp;
  } cases[] = {
      {"no table data",
       [](FakeDrawing& d) {
         d.AddTable(1, "TabuloBk001", SmallTable());
         static_cast<FakeModelSpaceItem&>(*d.modelSpace->items[0]).tableData.reset();
       }},
      {"first value not Tabulo",
       [](FakeDrawing& d) {
         FakeTableData data = SmallTable();
         data.firstValue = "tabulo";
         d.AddTable(1, "TabuloBk001", data);
       }},
  };
  RegisterDrawingHost();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    drawing->modelSpace->items.clear();
    c.setUp(*drawing);
    ui->Clear();
    log->clear();
    Load(1);
    EXPECT_THAT(ui->entries(), ElementsAre(kLoadFailed));
    EXPECT_THAT(Writes(*log), ElementsAre("excel.visible = True")) << log->dump();
  }
}

TEST_F(FillSheetDriverTest, NoDrawingHost) {
  Load(1);
  EXPECT_THAT(ui->entries(), ElementsAre(kLoadFailed));
  EXPECT_THAT(log->lines(), ElementsAre("get excel.activesheet -> <excel.activesheet>",
                                        "put excel.visible = True"));
}

TEST_F(FillSheetDriverTest, SizesWrittenAndEdgesSummed) {
  drawing->AddTable(1, "TabuloBk001", SmallTable());
  RegisterDrawingHost();
  Load(1);
  EXPECT_THAT(Writes(*log), ElementsAre("excel.activesheet.rows(1).rowheight = 15.0",
                                        "excel.activesheet.rows(2).rowheight = 20.0",
                                        "excel.activesheet.rows(3).rowheight = 12.75",
                                        "excel.activesheet.Columns(1).ColumnWidth = 6.43",
                                        "excel.activesheet.Columns(2).ColumnWidth = 8.71",
                                        "excel.visible = True"));
  EXPECT_THAT(ModuleLoadState().ColumnEdges, ElementsAre(0.0, 48.0, 112.0));
  EXPECT_THAT(ModuleLoadState().RowEdges, ElementsAre(0.0, 15.0, 35.0, 47.75));
}

TEST_F(FillSheetDriverTest, EmptyTable) {
  drawing->AddTable(1, "TabuloBk001", FakeTableData{});
  RegisterDrawingHost();
  Load(1);
  EXPECT_THAT(Errors(), IsEmpty());
  EXPECT_THAT(Writes(*log), ElementsAre("excel.visible = True"));
  EXPECT_THAT(ModuleLoadState().ColumnEdges, ElementsAre(0.0));
  EXPECT_THAT(ModuleLoadState().RowEdges, ElementsAre(0.0));
}

TEST_F(FillSheetDriverTest, ProgressBarOverTheBlocksEntities) {
  const struct {
    int entities;
    std::vector<std::string> positions;
  } cases[] = {
      {8,
       {"Progress: position 12", "Progress: position 25", "Progress: position 38",
        "Progress: position 50", "Progress: position 62", "Progress: position 75",
        "Progress: position 88", "Progress: position 100"}},
      {3, {"Progress: position 33", "Progress: position 67", "Progress: position 100"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entities);
    drawing->modelSpace->items.clear();
    FakeCollection& block = drawing->AddTable(1, "TabuloBk001", FakeTableData{});
    for (int i = 0; i < c.entities; ++i)
      block.items.push_back(std::make_shared<FakeModelSpaceItem>());  // neither line nor text
    RegisterDrawingHost();
    ui->Clear();
    Load(1);
    EXPECT_EQ(ui->EntriesStartingWith("Progress: position"), c.positions);
    EXPECT_EQ(ui->EntriesStartingWith("ProcessMessages").size(), c.positions.size());
    EXPECT_EQ(exporting::frmProgress, nullptr);
  }
}

TEST_F(FillSheetDriverTest, WalkOrderAndWindowLifetime) {
  FakeCollection& block = drawing->AddTable(1, "TabuloBk001", SmallTable());
  block.items.push_back(std::make_shared<FakeModelSpaceItem>());
  block.items.push_back(
      std::make_shared<FakeLine>(automation::Point3{0, 0}, automation::Point3{48, 0}));
  RegisterDrawingHost();
  Load(1);
  EXPECT_THAT(ui->entries(),
              ElementsAre("Progress: create Exporting", "Progress: show", "ProcessMessages",
                          "Progress: position 50", "ProcessMessages", "Progress: position 100",
                          "Progress: destroy"));
  // The bound is read once, `count` again for every bar position; objectname is
  // read a second time for an entity that is not a line.
  std::vector<std::string> blockCalls;
  for (const auto& call : log->calls())
    if (call.path.starts_with("acad.activedocument.blocks.item("))
      blockCalls.push_back(call.target());
  const std::string b = "acad.activedocument.blocks.item(\"TabuloBk001\")";
  EXPECT_THAT(blockCalls,
              ElementsAre(b + ".count", b + ".count", b + ".item(0)", b + ".item(0).objectname",
                          b + ".item(0).objectname", b + ".count", b + ".item(1)",
                          b + ".item(1).objectname", b + ".item(1).startpoint",
                          b + ".item(1).endpoint", b + ".item(1).color"));
  EXPECT_EQ(Writes(*log).back(), "excel.visible = True");
}

TEST_F(FillSheetDriverTest, MergesThenRisingThenFallingDiagonals) {
  FakeTableData data = SmallTable();
  data.mergedAreas = {"$A$2:$B$3", "$A$1:$B$1"};
  FakeCollection& block = drawing->AddTable(1, "TabuloBk001", data);
  // Falling across A2:B3 first in the block, then rising across it.
  block.items.push_back(
      std::make_shared<FakeLine>(automation::Point3{0, -15}, automation::Point3{112, -47.75}, 1));
  block.items.push_back(
      std::make_shared<FakeLine>(automation::Point3{112, -15}, automation::Point3{0, -47.75}, 5));
  RegisterDrawingHost();
  Load(1);
  std::vector<std::string> writes = Writes(*log);
  writes.erase(writes.begin(), writes.begin() + 5);  // the sizes
  EXPECT_THAT(
      writes,
      ElementsAre("excel.activesheet.range(\"$A$2:$B$3\").mergecells = True",
                  "excel.activesheet.range(\"$A$1:$B$1\").mergecells = True",
                  "excel.activesheet.cells.item(2, 2).MergeArea.borders.item(6).LineStyle = 1",
                  "excel.activesheet.cells.item(2, 2).MergeArea.borders.item(6).colorindex = 32u8",
                  "excel.activesheet.cells.item(2, 1).MergeArea.borders.item(5).LineStyle = 1",
                  "excel.activesheet.cells.item(2, 1).MergeArea.borders.item(5).colorindex = 3u8",
                  "excel.visible = True"))
      << log->dump();
}

TEST_F(FillSheetDriverTest, ASecondLoadAppliesOnlyItsOwnDiagonals) {
  FakeCollection& first = drawing->AddTable(1, "TabuloBk001", SmallTable());
  first.items.push_back(
      std::make_shared<FakeLine>(automation::Point3{0, 0}, automation::Point3{48, -15}));
  drawing->AddTable(2, "TabuloBk002", SmallTable());
  RegisterDrawingHost();
  Load(1);
  EXPECT_TRUE(log->called("MergeArea"));
  log->clear();
  Load(2);
  EXPECT_FALSE(log->called("MergeArea")) << log->dump();
  EXPECT_THAT(ModuleLoadState().DiagonalDownBorders, IsEmpty());
}

TEST_F(FillSheetDriverTest, AFailingHandlerEndsTheLoad) {
  FakeTableData data = SmallTable();
  data.mergedAreas = {"$A$1:$B$1"};
  FakeCollection& block = drawing->AddTable(1, "TabuloBk001", data);
  block.items.push_back(
      std::make_shared<FakeLine>(automation::Point3{0, 0}, automation::Point3{48, 0}));
  block.items.push_back(
      std::make_shared<FakeLine>(automation::Point3{0, 0}, automation::Point3{0, -15}));
  RegisterDrawingHost();
  log->failWhen({"LineStyle", "", automation::CallKind::Put, 1},
                "Unable to set the LineStyle property");
  Load(1);
  EXPECT_THAT(ui->entries(), Contains(kLoadFailed));
  EXPECT_EQ(ui->entries().back(), "Progress: destroy");
  EXPECT_EQ(exporting::frmProgress, nullptr);
  EXPECT_FALSE(log->called("mergecells"));
  EXPECT_EQ(log->countOf("startpoint"), 1u);
  EXPECT_EQ(Writes(*log).back(), "excel.visible = True");
}

TEST_F(FillSheetDriverTest, ASpreadsheetThatCannotBeShown) {
  drawing->AddTable(1, "TabuloBk001", SmallTable());
  RegisterDrawingHost();
  log->failMember("visible", "The RPC server is unavailable.");
  Load(1);
  EXPECT_THAT(Errors(), ElementsAre(kLoadFailed));
  ui->Clear();
  Load(99);  // not found: the one box already told the user
  EXPECT_THAT(Errors(), ElementsAre("ErrorBox: Can't find the Block(Id:99)"));
}

}  // namespace
}  // namespace tabulo::load
