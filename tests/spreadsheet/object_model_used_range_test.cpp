// The used range and the grid extent the export reads from it.
#include <gtest/gtest.h>

#include "object_model_fixture.h"

namespace tabulo::spreadsheet {
namespace {

struct ObjectModelUsedRangeTest : ObjectModelTest {
  // LastRow and LastColumn, read as the cell walk reads them.
  std::int32_t lastRow() {
    automation::Dispatch used = sheet.get("usedrange");
    return used.get("rows", used.get("rows").get("count").toInt32()).get("row").toInt32();
  }
  std::int32_t lastColumn() {
    automation::Dispatch used = sheet.get("usedrange");
    return used.get("Columns", used.get("Columns").get("Count").toInt32()).get("column").toInt32();
  }
  std::string address() { return sheet.get("usedrange").get("address").toString(); }
};

TEST_F(ObjectModelUsedRangeTest, ValuesAwayFromA1) {
  set(5, 3, "a");
  set(6, 4, 2.0);
  open();
  EXPECT_EQ(address(), "$C$5:$D$6");
  EXPECT_EQ(lastRow(), 6);
  EXPECT_EQ(lastColumn(), 4);
  EXPECT_EQ(sheet.get("usedrange").get("rows").get("count").toInt32(), 2);
  EXPECT_EQ(sheet.get("usedrange").get("Columns").get("Count").toInt32(), 2);
}

TEST_F(ObjectModelUsedRangeTest, EmptySheetIsA1) {
  open();
  EXPECT_EQ(address(), "$A$1");
  EXPECT_EQ(lastRow(), 1);
  EXPECT_EQ(lastColumn(), 1);
}

TEST_F(ObjectModelUsedRangeTest, FormattedEmptyCellsAndMergedAreasCount) {
  CellFormat bordered;
  bordered.borders[BorderSlot(xl::kEdgeBottom)].lineStyle = xl::kContinuous;
  set(2, 2, "x");
  set(7, 1, std::monostate{}, &bordered);
  model().mergedAreas.push_back(ParseA1("C3:E4"));
  open();
  EXPECT_EQ(address(), "$A$2:$E$7");
}

TEST_F(ObjectModelUsedRangeTest, CellsListedWithTheDefaultFormatDoNotCount) {
  CellFormat plain;  // equal to the default, though stored under another index
  set(2, 2, "x");
  set(9, 9, std::monostate{}, &plain);
  set(8, 8, std::monostate{});
  model().rowHeights[20] = 30;
  model().columnPixels[20] = 100;
  open();
  EXPECT_EQ(address(), "$B$2");
}

TEST_F(ObjectModelUsedRangeTest, FollowsChangesMadeThroughTheObjectModel) {
  set(1, 1, "x");
  open();
  EXPECT_EQ(address(), "$A$1");
  cell(3, 4).put("value", "new");
  EXPECT_EQ(address(), "$A$1:$D$3");
  cell(3, 4).put("value", automation::Variant());
  EXPECT_EQ(address(), "$A$1");
  cell(5, 2).get("font").put("bold", true);
  EXPECT_EQ(address(), "$A$1:$B$5");
  sheet.get("range", "F2:G3").put("mergecells", true);
  EXPECT_EQ(address(), "$A$1:$G$5");
}

}  // namespace
}  // namespace tabulo::spreadsheet
