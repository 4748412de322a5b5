// Addresses, cells, rows, columns, ranges and merge areas of the stand-in sheet.
#include <gtest/gtest.h>

#include "automation/error.h"
#include "object_model_fixture.h"
#include "spreadsheet/range_address.h"

namespace tabulo::spreadsheet {
namespace {

using automation::Error;

struct ObjectModelNavigationTest : ObjectModelTest {
  void SetUp() override {
    model().mergedAreas.push_back(ParseA1("B2:D3"));
    open();
  }
};

TEST_F(ObjectModelNavigationTest, AddressesAreAbsoluteA1) {
  struct Case {
    std::int32_t row, column;
    const char* address;
  } cases[] = {
      {1, 1, "$A$1"}, {2, 2, "$B$2"}, {10, 27, "$AA$10"}, {1048576, 16384, "$XFD$1048576"}};
  for (const Case& c : cases) EXPECT_EQ(cell(c.row, c.column).get("address").toString(), c.address);
  EXPECT_EQ(sheet.get("range", "b2:$d$3").get("address").toString(), "$B$2:$D$3");
  EXPECT_EQ(sheet.get("range", "D3:B2").get("address").toString(), "$B$2:$D$3");
  EXPECT_EQ(sheet.get("rows", 3).get("address").toString(), "$3:$3");
  EXPECT_EQ(sheet.get("Columns", 2).get("address").toString(), "$B:$B");
  EXPECT_EQ(sheet.get("Columns", "B:D").get("address").toString(), "$B:$D");
  EXPECT_EQ(cell(2, 3).get("address", false, false).toString(), "C2");
}

TEST_F(ObjectModelNavigationTest, MergeAreaIsTheAreaOrTheCellItself) {
  // Anchor, covered and unmerged cells, as the cell walk tells them apart.
  struct Case {
    std::int32_t row, column;
    const char* area;
  } cases[] = {{2, 2, "$B$2:$D$3"}, {3, 4, "$B$2:$D$3"}, {2, 3, "$B$2:$D$3"},
               {1, 1, "$A$1"},      {4, 2, "$B$4"},      {2, 5, "$E$2"}};
  for (const Case& c : cases)
    EXPECT_EQ(cell(c.row, c.column).get("MergeArea").get("address").toString(), c.area)
        << c.row << "," << c.column;
  EXPECT_TRUE(cell(3, 3).get("mergecells").toBool());
  EXPECT_FALSE(cell(1, 1).get("MergeCells").toBool());
  EXPECT_EQ(sheet.get("range", "$B$2:$D$3").get("MergeArea").get("address").toString(),
            "$B$2:$D$3");
}

TEST_F(ObjectModelNavigationTest, CellsCountFromTheRangesFirstCell) {
  automation::Dispatch area = sheet.get("range", "$B$2:$D$3");
  EXPECT_EQ(area.get("cells").call("item", 1, 1).get("address").toString(), "$B$2");
  EXPECT_EQ(area.get("cells", 2, 3).get("address").toString(), "$D$3");
  EXPECT_EQ(area.get("cells").call("item", 5).get("address").toString(), "$C$3");
  EXPECT_EQ(area.get("rows", 2).get("address").toString(), "$B$3:$D$3");
  EXPECT_EQ(area.get("Columns", 3).get("address").toString(), "$D$2:$D$3");
  EXPECT_EQ(sheet.get("cells", 2, "C").get("address").toString(), "$C$2");
}

TEST_F(ObjectModelNavigationTest, CountsFollowHowTheRangeWasReached) {
  automation::Dispatch area = sheet.get("range", "B2:D3");
  EXPECT_EQ(area.get("count").toInt32(), 6);
  EXPECT_EQ(area.get("rows").get("count").toInt32(), 2);
  EXPECT_EQ(area.get("Columns").get("Count").toInt32(), 3);
  EXPECT_EQ(area.get("rows", 1).get("count").toInt32(), 1);
  EXPECT_EQ(area.get("rows", 1).get("cells").get("count").toInt32(), 3);
  EXPECT_EQ(area.get("row").toInt32(), 2);
  EXPECT_EQ(area.get("column").toInt32(), 2);
  EXPECT_EQ(sheet.get("rows").get("count").toInt32(), kMaxRows);
  EXPECT_THROW(sheet.get("cells").get("count"), Error);  // more cells than a Long holds
  EXPECT_DOUBLE_EQ(sheet.get("cells").get("CountLarge").toDouble(), 17179869184.0);
}

TEST_F(ObjectModelNavigationTest, MemberNamesIgnoreCase) {
  for (const char* name : {"ADDRESS", "Address", "aDdReSs"})
    EXPECT_EQ(sheet.get("CELLS").call("Item", 1, 2).get(name).toString(), "$B$1");
  EXPECT_EQ(sheet.get("usedRange").get("ROWS").get("COUNT").toInt32(), 2);
  EXPECT_EQ(cell(1, 1).get("Font").get("NAME").toString(),
            cell(1, 1).get("font").get("name").toString());
}

TEST_F(ObjectModelNavigationTest, CellsOutsideTheSheetAndBadAddressesFail) {
  struct Case {
    std::int32_t row, column;
  } outside[] = {{0, 1}, {1, 0}, {-1, 1}, {kMaxRows + 1, 1}, {1, kMaxColumns + 1}};
  for (const Case& c : outside) {
    try {
      cell(c.row, c.column);
      ADD_FAILURE() << c.row << "," << c.column << " should fail";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find("outside the sheet"), std::string::npos) << e.what();
    }
  }
  for (const char* bad : {"bad", "", "A0", "$B$2:", "XFE1", "A1048577", "1:Z"}) {
    try {
      sheet.get("range", bad);
      ADD_FAILURE() << "range(\"" << bad << "\") should fail";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find("Method 'Range' of object '_Worksheet' failed"),
                std::string::npos)
          << e.what();
    }
  }
  EXPECT_THROW(sheet.get("nosuchmember"), Error);
}

TEST(RangeAddressTest, WritesAndParsesEveryForm) {
  struct Case {
    const char* text;
    RangeRef area;
    const char* written;
  } cases[] = {
      {"B2", {{2, 2}, {2, 2}}, "$B$2"},
      {"$B$2:$D$3", {{2, 2}, {3, 4}}, "$B$2:$D$3"},
      {"2:3", {{2, 1}, {3, kMaxColumns}}, "$2:$3"},
      {"$B:$D", {{1, 2}, {kMaxRows, 4}}, "$B:$D"},
      {"1:1048576", {{1, 1}, {kMaxRows, kMaxColumns}}, "$1:$1048576"},
  };
  for (const Case& c : cases) {
    auto parsed = ParseRangeAddress(c.text);
    ASSERT_TRUE(parsed.has_value()) << c.text;
    EXPECT_EQ(*parsed, c.area) << c.text;
    EXPECT_EQ(RangeAddress(c.area), c.written) << c.text;
  }
  EXPECT_FALSE(ParseRangeAddress("B").has_value());
  EXPECT_FALSE(ParseRangeAddress("0:1").has_value());
  EXPECT_EQ(ColumnNumber("xfd"), kMaxColumns);
  EXPECT_EQ(ColumnNumber("XFE"), 0);
}

}  // namespace
}  // namespace tabulo::spreadsheet
