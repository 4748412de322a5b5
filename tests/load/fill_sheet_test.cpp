// The load on the stand-in drawing host and spreadsheet: tables drawn directly in
// the drawing (as an earlier export would have left them), loaded into a sheet
// that checks every cell address as the spreadsheet does.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "automation/activation.h"
#include "automation/dispatch.h"
#include "drawing/application.h"
#include "export/progress.h"
#include "fake_drawing.h"
#include "load/fill_sheet.h"
#include "platform/ui_recording.h"
#include "spreadsheet/application.h"
#include "support/recording_object.h"

namespace tabulo::load {
namespace {

using automation::Dispatch;
using automation::MakePoint;
using automation::ObjectPtr;
using automation::Variant;
using load::testing::FakeTableData;
using ::testing::ElementsAre;

constexpr const char* kLoadFailed = "ErrorBox: Error occured when loading Tabulo table.";

class FillSheetTest : public ::testing::Test {
 protected:
  FillSheetTest() { previousUi = platform::SetCurrentUi(ui); }
  ~FillSheetTest() override { platform::SetCurrentUi(previousUi); }

  Dispatch Document() const { return Dispatch(ObjectPtr(acad)).get("activedocument"); }
  Dispatch Sheet() const { return Dispatch(ObjectPtr(excel)).get("activesheet"); }
  Dispatch Cell(std::int32_t r, std::int32_t c) const {
    return Sheet().get("cells").call("item", r, c);
  }

  // A table block named `name` filled by `draw`, inserted in model space with
  // `data` as its table data; returns the reference's object id.
  std::uint32_t DrawTable(const FakeTableData& data, const std::function<void(Dispatch)>& draw,
                          const std::string& name = "TabuloBk001") {
    Document().get("RegisteredApplications").call("Add", "Tabulo");
    Dispatch block = Document().get("blocks").call("add", MakePoint(0, 0), name);
    draw(block);
    Dispatch reference =
        Document().get("modelspace").call("insertblock", MakePoint(10, 10), name, 1.0, 1.0, 1.0, 0);
    Variant codes, values;
    data.Fill(codes, values);
    reference.call("setxdata", codes, values);
    return static_cast<std::uint32_t>(reference.get("ObjectID").toInt32());
  }
  static void Line(const Dispatch& block, double x1, double y1, double x2, double y2) {
    block.call("addline", MakePoint(x1, y1), MakePoint(x2, y2));
  }

  std::shared_ptr<platform::RecordingUi> ui = std::make_shared<platform::RecordingUi>();
  std::shared_ptr<platform::Ui> previousUi;
  std::shared_ptr<drawing::Application> acad = drawing::MakeApplication();
  automation::Registration running = automation::RegisterActiveObject("AutoCAD.Application", acad);
  std::shared_ptr<spreadsheet::Application> excel =
      std::make_shared<spreadsheet::Application>(spreadsheet::NewWorkbook());
};

TEST_F(FillSheetTest, CellsTheBlockDoesNotMentionKeepTheirContent) {
  Sheet().get("cells").put("item", 1, 2, "kept");
  Cell(2, 1).get("borders").call("Item", 10).put("LineStyle", 1);
  std::uint32_t id = DrawTable({{15}, {8.43}, {48}, {}}, [](const Dispatch& block) {
    Line(block, 0, 0, 48, 0);
    block.call("addmtext", MakePoint(3, -12), 0.0, "new");
  });
  FillSheet(excel, id);
  EXPECT_THAT(ui->EntriesStartingWith("ErrorBox"), ::testing::IsEmpty());
  EXPECT_EQ(Cell(1, 1).get("text").toString(), "new");
  EXPECT_EQ(Cell(1, 1).get("borders").call("Item", 8).get("LineStyle").toInt32(), 1);
  EXPECT_EQ(Cell(1, 2).get("text").toString(), "kept");
  EXPECT_EQ(Cell(2, 1).get("borders").call("Item", 10).get("LineStyle").toInt32(), 1);
  EXPECT_TRUE(excel->visible());
  EXPECT_EQ(exporting::frmProgress, nullptr);
}

// A table exported before the table data covered the whole grid: the data holds
// rows 1..2 and columns 1..2 while the block draws rows 5..6 and columns 3..4.
// The first line falls beyond the last edge, the spreadsheet rejects column 0,
// and the load stops; the sizes already written stay.
TEST_F(FillSheetTest, TableDataShorterThanTheBlock) {
  std::uint32_t id = DrawTable({{15, 15}, {8.43, 8.43}, {48, 48}, {}}, [](const Dispatch& block) {
    Line(block, 96, -60, 144, -60);
    block.call("addmtext", MakePoint(100, -70), 0.0, "lost");
  });
  FillSheet(excel, id);
  EXPECT_THAT(ui->EntriesStartingWith("ErrorBox"), ElementsAre(kLoadFailed));
  EXPECT_EQ(Sheet().get("rows", 2).get("rowheight").toDouble(), 15.0);
  EXPECT_EQ(Cell(5, 3).get("text").toString(), "");
  EXPECT_TRUE(excel->visible());
  EXPECT_EQ(ui->entries().back(), "Progress: destroy");
}

TEST_F(FillSheetTest, RisingDiagonalOffTheGridFailsWhenApplied) {
  std::uint32_t id = DrawTable({{15, 15}, {8.43, 8.43}, {48, 48}, {"$A$1:$B$1"}},
                               [](const Dispatch& block) { Line(block, 50, 0, 0, -30); });
  FillSheet(excel, id);
  EXPECT_THAT(ui->EntriesStartingWith("ErrorBox"), ElementsAre(kLoadFailed));
  EXPECT_EQ(Cell(1, 1).get("MergeArea").get("address").toString(), "$A$1:$B$1");
}

TEST_F(FillSheetTest, DiagonalCoversTheWholeMergedArea) {
  std::uint32_t id = DrawTable({{15, 15, 15}, {8.43, 8.43, 8.43}, {48, 48, 48}, {"$B$2:$C$3"}},
                               [](const Dispatch& block) { Line(block, 48, -15, 144, -45); });
  FillSheet(excel, id);
  EXPECT_THAT(ui->EntriesStartingWith("ErrorBox"), ::testing::IsEmpty());
  Dispatch area = Cell(2, 2).get("MergeArea");
  EXPECT_EQ(area.get("address").toString(), "$B$2:$C$3");
  for (auto [r, c] : {std::pair{2, 2}, {2, 3}, {3, 2}, {3, 3}}) {
    SCOPED_TRACE(::testing::Message() << r << "," << c);
    EXPECT_EQ(Cell(r, c).get("borders").call("Item", 5).get("LineStyle").toInt32(), 1);
  }
  EXPECT_EQ(Cell(1, 1).get("borders").call("Item", 5).get("LineStyle").toInt32(), -4142);
}

TEST_F(FillSheetTest, ObjectWithoutTableData) {
  Dispatch line = Document().get("modelspace").call("addline", MakePoint(0, 0), MakePoint(1, 1));
  FillSheet(excel, static_cast<std::uint32_t>(line.get("ObjectID").toInt32()));
  EXPECT_THAT(ui->entries(), ElementsAre(kLoadFailed));
  EXPECT_TRUE(excel->visible());
}

TEST_F(FillSheetTest, SpreadsheetWithoutAWorkbook) {
  std::uint32_t id = DrawTable({{15}, {8.43}, {48}, {}}, [](const Dispatch&) {});
  auto empty = std::make_shared<spreadsheet::Application>();
  auto log = std::make_shared<tabulo::testing::CallLog>();
  running = automation::RegisterActiveObject(
      "AutoCAD.Application", tabulo::testing::RecordingObject::Wrap(acad, "acad", log));
  FillSheet(empty, id);
  EXPECT_THAT(ui->entries(), ElementsAre(kLoadFailed));
  EXPECT_TRUE(log->called("getxdata")) << log->dump();  // the drawing side ran
  EXPECT_TRUE(empty->visible());
}

TEST_F(FillSheetTest, NoDrawingHost) {
  running.reset();
  FillSheet(excel, 1);
  EXPECT_THAT(ui->entries(), ElementsAre(kLoadFailed));
  EXPECT_TRUE(excel->visible());
}

}  // namespace
}  // namespace tabulo::load
