// The table data record on the table reference.
#include "export/table_data.h"

#include "export/table_block.h"

#include <gtest/gtest.h>

#include "export_fixture.h"
#include "load/fill_sheet.h"

namespace tabulo::exporting::test {
namespace {

using Codes = std::vector<std::int32_t>;

// The two arrays exactly as they were handed to setxdata.
struct Written {
  automation::Array codes, values;
};

class TableDataTest : public ExportTest {
 protected:
  Written written() const {
    auto calls = log->callsTo("setxdata");
    EXPECT_EQ(calls.size(), 1u);
    if (calls.empty()) return {};
    EXPECT_EQ(calls[0].renderedArgs.at(0).substr(0, 1), "&");
    EXPECT_EQ(calls[0].renderedArgs.at(1).substr(0, 1), "&");
    return {calls[0].args.at(0).toArray(), calls[0].args.at(1).toArray()};
  }
  static double ColumnWidthOf(std::int32_t pixels) {
    return spreadsheet::PixelsToColumnWidth(pixels, 7);
  }
};

TEST_F(TableDataTest, LayoutForA1B2WithA1B1Merged) {
  exportSheet(SheetBuilder()
                  .value(1, 1, "head")
                  .value(2, 2, 1.0)
                  .merge("A1:B1")
                  .rowHeight(1, 15)
                  .rowHeight(2, 30)
                  .columnPixels(2, 100)
                  .build());
  Written data = written();
  EXPECT_EQ(data.codes.elementType, automation::VarKind::Int16);
  EXPECT_EQ(data.codes.lowerBound, 0);
  EXPECT_EQ(data.values.lowerBound, 0);
  Codes codes;
  for (const Variant& code : data.codes.items) codes.push_back(code.toInt32());
  EXPECT_EQ(codes, (Codes{1001, 1070, 1070, 1040, 1040, 1040, 1040, 1040, 1040, 1000, 1040}));
  const auto& v = data.values.items;
  ASSERT_EQ(v.size(), 11u);
  EXPECT_EQ(v[0].toString(), "Tabulo");
  EXPECT_EQ(v[1].kind(), automation::VarKind::Int32);
  EXPECT_EQ(v[1].toInt32(), 2);
  EXPECT_EQ(v[2].toInt32(), 2);
  EXPECT_EQ(v[3].toDouble(), 15);
  EXPECT_EQ(v[4].toDouble(), 30);
  EXPECT_EQ(v[5].toDouble(), ColumnWidthOf(64));
  EXPECT_EQ(v[6].toDouble(), ColumnWidthOf(100));
  EXPECT_EQ(v[7].toDouble(), 48);
  EXPECT_EQ(v[8].toDouble(), 75);
  EXPECT_EQ(v[9].toString(), "$A$1:$B$1");
  EXPECT_EQ(v[10].toDouble(), ColumnWidthOf(64) / 48);

  // The drawing keeps what was written, under "Tabulo".
  XData stored = tableData(lastReference());
  EXPECT_EQ(stored.codes, codes);
}

TEST_F(TableDataTest, TheWholeWalkedGridIsRecordedWhenTheUsedRangeStartsLater) {
  exportSheet(SheetBuilder().value(5, 3, "c5").value(6, 4, "d6").rowHeight(6, 20).build());
  Written data = written();
  // nRows = 6, nCols = 4: n = 4 + 6 + 8.
  ASSERT_EQ(data.values.items.size(), 18u);
  EXPECT_EQ(data.values.items[1].toInt32(), 6);
  EXPECT_EQ(data.values.items[2].toInt32(), 4);
  EXPECT_EQ(data.values.items[8].toDouble(), 20);   // row 6
  EXPECT_EQ(data.values.items[16].toDouble(), 48);  // width of column 4

  // A load finds every text in its own cell.
  auto objectId = static_cast<std::uint32_t>(lastReference().get("ObjectID").toInt32());
  auto target = std::make_shared<spreadsheet::Application>(SheetBuilder().build());
  load::FillSheet(target, objectId);
  EXPECT_EQ(ui->EntriesStartingWith("ErrorBox"), std::vector<std::string>{});
  Dispatch sheet = Dispatch(ObjectPtr(target)).get("activesheet");
  EXPECT_EQ(sheet.get("cells").call("item", 5, 3).get("text").toString(), "c5");
  EXPECT_EQ(sheet.get("cells").call("item", 6, 4).get("text").toString(), "d6");
  EXPECT_EQ(sheet.get("rows", 6).get("rowheight").toDouble(), 20);
}

TEST_F(TableDataTest, NoMergedAreasNoStrings) {
  exportSheet(SheetBuilder().value(3, 2, "x").build());
  Written data = written();
  ASSERT_EQ(data.codes.items.size(), 4u + 3 + 2 * 2);
  for (const Variant& code : data.codes.items) EXPECT_NE(code.toInt32(), 1000);
}

TEST_F(TableDataTest, ApplicationIsRegisteredOnEveryExportBeforeTheDataIsWritten) {
  exportSheet(SheetBuilder().value(1, 1, "x").build());
  exportSheet(SheetBuilder().value(1, 1, "x").build());
  std::vector<std::size_t> registered, written;
  for (const auto& call : log->calls()) {
    if (call.member == "Add" && call.path.ends_with(".Document.RegisteredApplications")) {
      EXPECT_EQ(call.renderedArgs, std::vector<std::string>{"\"Tabulo\""});  // by value
      registered.push_back(call.number);
    }
    if (call.member == "setxdata") written.push_back(call.number);
  }
  ASSERT_EQ(registered.size(), 2u) << log->dump();
  ASSERT_EQ(written.size(), 2u);
  EXPECT_LT(registered[0], written[0]);
  EXPECT_LT(written[0], registered[1]);
  EXPECT_LT(registered[1], written[1]);
}

TEST_F(TableDataTest, FailingReadShowsTheBoxAndWritesNothing) {
  startDrawingHost();
  auto app = std::make_shared<spreadsheet::Application>(SheetBuilder().value(2, 2, "x").build());
  Dispatch sheet =
      Dispatch(ObjectPtr(testing::RecordingObject::Wrap(app, "excel", log))).get("activesheet");
  Dispatch modelSpace = document().get("modelspace");
  Variant name("TabuloBk001");
  std::vector<Variant> args{Variant(automation::MakePoint(0, 0, 0)), Variant::RefTo(name)};
  document().get("blocks").invoke("add", args);
  Dispatch reference = InsertTableReference(modelSpace, {0, 0, 0}, "TabuloBk001", 1.0);

  log->failMember("ColumnWidth", "Unable to get the column width.");
  EXPECT_FALSE(AttachTableData(sheet, reference, {}));
  EXPECT_EQ(ui->entries(), std::vector<std::string>{"ErrorBox: " + std::string(kAttachError)});
  EXPECT_TRUE(tableData(reference).codes.empty());
}

TEST_F(TableDataTest, HiddenFirstColumnRecordsARatioOfZeroAndStillExports) {
  exportSheet(SheetBuilder().value(1, 2, "x").columnPixels(1, 0).build());
  EXPECT_TRUE(ui->EntriesStartingWith("ErrorBox").empty());
  XData stored = tableData(lastReference());
  ASSERT_FALSE(stored.values.empty());
  EXPECT_EQ(stored.values.back().toDouble(), 0.0);
}

}  // namespace
}  // namespace tabulo::exporting::test
