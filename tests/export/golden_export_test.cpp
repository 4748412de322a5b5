// A whole export of a small formatted sheet, entity by entity, with its table
// reference and table data. The expected values are worked out by hand from the
// sheet below.
#include <gtest/gtest.h>

#include "export_fixture.h"

namespace tabulo::exporting::test {
namespace {

// Rows 20, 15 and 12.75 points; columns 48, 75 and 48 points.
//   A1:B1 merged "Report": centre/centre, Arial 12, colour 5; outline in black
//          (A1 top, left, bottom; B1 top, right, bottom)
//   A2 "Item": left/top, Arial 10, automatic colour; left edge black
//   B2 12.5: general/bottom, Times New Roman 10, colour 10; right edge colour 10
//   A3 "Line1<LF>Line2": wrapped, general/bottom; bottom edge automatic
//   C3 no value: falling diagonal, colour 3
Workbook FormattedSheet() {
  CellFormat title;
  title.horizontalAlignment = xl::kHAlignCenter;
  title.verticalAlignment = xl::kVAlignCenter;
  title.font = {"Arial", 12, 5};
  for (std::int32_t edge : {xl::kEdgeTop, xl::kEdgeLeft, xl::kEdgeBottom})
    title = WithBorder(title, edge, 1);
  CellFormat titleRight;
  for (std::int32_t edge : {xl::kEdgeTop, xl::kEdgeRight, xl::kEdgeBottom})
    titleRight = WithBorder(titleRight, edge, 1);

  CellFormat item;
  item.horizontalAlignment = xl::kHAlignLeft;
  item.verticalAlignment = xl::kVAlignTop;
  item = WithBorder(item, xl::kEdgeLeft, 1);

  CellFormat amount;
  amount.font = {"Times New Roman", 10, 10};
  amount = WithBorder(amount, xl::kEdgeRight, 10);

  CellFormat note;
  note.wrapText = true;
  note = WithBorder(note, xl::kEdgeBottom, xl::kColorIndexAutomatic);

  CellFormat crossed = WithBorder({}, xl::kDiagonalDown, 3);

  return SheetBuilder()
      .rowHeight(1, 20)
      .rowHeight(2, 15)
      .columnPixels(2, 100)
      .value(1, 1, "Report", title)
      .format(1, 2, titleRight)
      .merge("A1:B1")
      .value(2, 1, "Item", item)
      .value(2, 2, 12.5, amount)
      .value(3, 1, "Line1\nLine2", note)
      .format(3, 3, crossed)
      .build();
}

TEST_F(ExportTest, GoldenFormattedSheet) {
  useSettings(false, 2.5, false);
  exportSheet(FormattedSheet(), {100, 200, 0});

  EXPECT_EQ(blockEntities(), (std::vector<std::string>{
                                 // A1, anchor of A1:B1
                                 "LINE (0, 0) -> (48, 0) color 0",
                                 "LINE (48, -20) -> (0, -20) color 0",
                                 "LINE (0, 0) -> (0, -20) color 0",
                                 "MTEXT ap 5 at (61.5, -10) height 7.8 width 0 color 5 "
                                 "\"\\fArial;Report\"",
                                 // B1, covered
                                 "LINE (48, 0) -> (123, 0) color 0",
                                 "LINE (123, 0) -> (123, -20) color 0",
                                 "LINE (123, -20) -> (48, -20) color 0",
                                 // A2
                                 "LINE (0, -20) -> (0, -35) color 0",
                                 "MTEXT ap 1 at (1.95, -22.34) height 6.5 width 0 color 0 "
                                 "\"\\fArial;Item\"",
                                 // B2
                                 "LINE (123, -20) -> (123, -35) color 96",
                                 "MTEXT ap 9 at (121.05, -32.66) height 6.5 width 0 color 96 "
                                 "\"\\fTimes New Roman;12.5\"",
                                 // A3
                                 "LINE (48, -47.75) -> (0, -47.75) color 0",
                                 "MTEXT ap 7 at (1.95, -45.41) height 6.5 width 45.6 color 0 "
                                 "\"\\fArial;Line1\\PLine2\"",
                                 // C3
                                 "LINE (123, -35) -> (171, -47.75) color 1",
                             }));

  ASSERT_EQ(modelSpaceCount(), 1);
  Dispatch reference = lastReference();
  EXPECT_EQ(reference.get("objectname").toString(), "AcDbBlockReference");
  EXPECT_EQ(reference.get("name").toString(), "TabuloBk001");
  EXPECT_EQ(automation::ToPoint(reference.get("insertionpoint").value()), (Point3{100, 200, 0}));
  for (const char* factor : {"xscalefactor", "yscalefactor", "zscalefactor"})
    EXPECT_EQ(reference.get(factor).toDouble(), 0.32051282051282054) << factor;
  EXPECT_EQ(reference.get("rotation").toDouble(), 0);

  XData data = tableData(reference);
  EXPECT_EQ(data.codes, (std::vector<std::int32_t>{1001, 1070, 1070, 1040, 1040, 1040, 1040, 1040,
                                                   1040, 1040, 1040, 1040, 1000, 1040}));
  std::vector<std::string> values;
  for (const Variant& value : data.values) values.push_back(value.toString());
  EXPECT_EQ(values, (std::vector<std::string>{"Tabulo", "3", "3", "20", "15", "12.75", "8.43",
                                              "13.57", "8.43", "48", "75", "48", "$A$1:$B$1",
                                              Variant(8.43 / 48).toString()}));

  std::vector<std::string> positions;
  for (int p : {11, 22, 33, 44, 56, 67, 78, 89, 100})
    positions.push_back("Progress: position " + std::to_string(p));
  EXPECT_EQ(ui->EntriesStartingWith("Progress: position"), positions);
  EXPECT_EQ(ui->EntriesStartingWith("ErrorBox"), std::vector<std::string>{});
  EXPECT_EQ(excel->quitCount(), 1);
  EXPECT_FALSE(excel->displayAlerts());
  EXPECT_EQ(log->countOf("update"), 1u);
}

}  // namespace
}  // namespace tabulo::exporting::test
