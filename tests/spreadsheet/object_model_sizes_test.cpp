// Row heights, column widths and the sizes of ranges, in the spreadsheet's units.
#include <gtest/gtest.h>

#include "automation/error.h"
#include "object_model_fixture.h"

namespace tabulo::spreadsheet {
namespace {

using automation::Error;

struct ObjectModelSizesTest : ObjectModelTest {
  automation::Dispatch column(std::int32_t j) { return sheet.get("Columns", j); }
  automation::Dispatch row(std::int32_t i) { return sheet.get("rows", i); }
};

TEST_F(ObjectModelSizesTest, DefaultColumnIs64PixelsAnd8Point43Characters) {
  open();
  EXPECT_EQ(column(1).get("Width").toDouble(), 48.0);
  EXPECT_EQ(column(1).get("ColumnWidth").toDouble(), 8.43);
  EXPECT_EQ(row(1).get("rowheight").toDouble(), 12.75);
  EXPECT_EQ(sheet.get("StandardWidth").toDouble(), 8.43);
}

TEST_F(ObjectModelSizesTest, ColumnWidthInCharactersBecomesWholePixels) {
  // Character widths as a user types them, for the usual 7-pixel digit.
  struct Case {
    double chars;
    double points;  // whole pixels x 0.75
    double readBack;
  } cases[] = {{8.43, 48.0, 8.43}, {10, 56.25, 10},       {1, 9.0, 1},
               {0.5, 4.5, 0.5},    {20.5, 111.75, 20.57}, {0, 0.0, 0}};
  open();
  for (const Case& c : cases) {
    column(2).put("ColumnWidth", c.chars);
    EXPECT_EQ(column(2).get("Width").toDouble(), c.points) << c.chars;
    EXPECT_EQ(column(2).get("ColumnWidth").toDouble(), c.readBack) << c.chars;
  }
}

TEST_F(ObjectModelSizesTest, WidthsOfAreasAreExactSumsOfColumnWidths) {
  model().columnPixels[2] = 75;   // 56.25 pt
  model().columnPixels[3] = 0;    // hidden
  model().columnPixels[4] = 131;  // 98.25 pt
  model().rowHeights[2] = 15;
  model().rowHeights[3] = 30.75;
  model().hiddenRows[4] = true;
  model().rowHeights[4] = 20;
  model().mergedAreas.push_back(ParseA1("B2:D4"));
  open();
  automation::Dispatch area = cell(2, 2).get("MergeArea");
  double left = 0;
  for (int j = 2; j <= 4; ++j) left += column(j).get("Width").toDouble();
  EXPECT_EQ(area.get("Width").toDouble(), left);  // bit for bit
  EXPECT_EQ(area.get("Width").toDouble(), 154.5);
  EXPECT_EQ(area.get("height").toDouble(), 45.75);
  EXPECT_EQ(column(3).get("Width").toDouble(), 0.0);
  EXPECT_EQ(column(3).get("ColumnWidth").toDouble(), 0.0);
  EXPECT_EQ(row(4).get("rowheight").toDouble(), 0.0);
  EXPECT_EQ(cell(4, 1).get("height").toDouble(), 0.0);
}

TEST_F(ObjectModelSizesTest, OtherDigitWidthsChangeTheConversion) {
  book.maxDigitWidth = 8;  // e.g. an 11-point default font of another face
  model().columnPixels[1] = StoredWidthToPixels(10.7109375, 8);
  open();
  EXPECT_EQ(column(1).get("Width").toDouble(), 86 * 0.75);
  column(2).put("ColumnWidth", 10.0);
  EXPECT_EQ(column(2).get("Width").toDouble(), 85 * 0.75);  // 10 x 8 + 5 pixels padding
}

TEST_F(ObjectModelSizesTest, WritesChangeTheModel) {
  open();
  row(3).put("rowheight", 30.0);
  column(2).put("ColumnWidth", 10.0);
  EXPECT_EQ(liveSheet().rowHeights.at(3), 30.0);
  EXPECT_EQ(liveSheet().columnPixels.at(2), 75);
  EXPECT_EQ(row(3).get("height").toDouble(), 30.0);
  row(3).put("rowheight", 0.0);
  EXPECT_EQ(row(3).get("rowheight").toDouble(), 0.0);
  sheet.get("range", "A5:C6").put("rowheight", 18.0);
  EXPECT_EQ(row(6).get("rowheight").toDouble(), 18.0);
}

TEST_F(ObjectModelSizesTest, OutOfRangeSizesAreRefused) {
  open();
  EXPECT_THROW(row(1).put("rowheight", 410.0), Error);
  EXPECT_THROW(row(1).put("rowheight", -1.0), Error);
  EXPECT_THROW(column(1).put("ColumnWidth", 256.0), Error);
  EXPECT_THROW(column(1).put("Width", 10.0), Error);  // Width is read-only
  EXPECT_EQ(row(1).get("rowheight").toDouble(), 12.75);
}

}  // namespace
}  // namespace tabulo::spreadsheet
