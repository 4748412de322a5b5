// Values written as typed, displayed text, and merging that keeps one value.
#include <gtest/gtest.h>

#include "automation/error.h"
#include "object_model_fixture.h"
#include "spreadsheet/typed_value.h"

namespace tabulo::spreadsheet {
namespace {

using automation::Error;
using automation::Variant;

TEST(TypedValueTest, TextBecomesWhatTypingWouldMake) {
  struct Case {
    const char* typed;
    CellValue value;
    const char* format;  // implied number format, "" for none
  } cases[] = {
      {"", std::monostate{}, ""},
      {"12", 12.0, ""},
      {"-3.5", -3.5, ""},
      {"+7", 7.0, ""},
      {".5", 0.5, ""},
      {"5.", 5.0, ""},
      {" 42 ", 42.0, ""},
      {"007", 7.0, ""},
      {"-0", 0.0, ""},
      {"1e3", 1000.0, "0.00E+00"},
      {"2.5E-2", 0.025, "0.00E+00"},
      {"50%", 0.5, "0%"},
      {"12.5%", 0.125, "0.00%"},
      {"TRUE", true, ""},
      {"false", false, ""},
      {" True ", true, ""},
      {"'123", std::string("123"), ""},
      {"'", std::string(""), ""},
      {"Total", std::string("Total"), ""},
      {"Total\nSum", std::string("Total\nSum"), ""},
      {"1,234", std::string("1,234"), ""},
      {"1/2/2020", std::string("1/2/2020"), ""},
      {"12:30", std::string("12:30"), ""},
      {"=SUM(A1:A2)", std::string("=SUM(A1:A2)"), ""},
      {"$5", std::string("$5"), ""},
      {"1e", std::string("1e"), ""},
      {".", std::string("."), ""},
      {"-", std::string("-"), ""},
      {"1e999", std::string("1e999"), ""},
      {"inf", std::string("inf"), ""},
      {"0x10", std::string("0x10"), ""},
      {"5 %", 0.05, "0%"},
      {"1e2%", std::string("1e2%"), ""},
      {"\\fArial;x", std::string("\\fArial;x"), ""},
  };
  for (const Case& c : cases) {
    TypedEntry entry = ValueFromTyping(c.typed);
    EXPECT_EQ(entry.value, c.value) << '"' << c.typed << '"';
    EXPECT_EQ(entry.numberFormat.value_or(""), c.format) << '"' << c.typed << '"';
  }
}

struct ObjectModelValuesTest : ObjectModelTest {};

TEST_F(ObjectModelValuesTest, ItemWriteSetsTheValueFromText) {
  open();
  sheet.get("cells").put("item", 2, 3, "12.5");
  sheet.get("cells").put("item", 2, 4, "Total");
  sheet.put("cells", 2, 5, "50%");
  cell(2, 6).put("value", "true");
  cell(2, 7).put("Formula", 3);
  const auto& cells = liveSheet().cells;
  EXPECT_EQ(cells.at({2, 3}).value, CellValue(12.5));
  EXPECT_EQ(cells.at({2, 4}).value, CellValue(std::string("Total")));
  EXPECT_EQ(cells.at({2, 5}).value, CellValue(0.5));
  EXPECT_EQ(cells.at({2, 6}).value, CellValue(true));
  EXPECT_EQ(cells.at({2, 7}).value, CellValue(3.0));
  EXPECT_EQ(cell(2, 5).get("NumberFormat").toString(), "0%");
  EXPECT_EQ(cell(2, 3).get("value").toDouble(), 12.5);
  EXPECT_EQ(cell(2, 6).get("text").toString(), "TRUE");
  cell(2, 3).put("value", Variant());
  EXPECT_TRUE(cell(2, 3).get("value").value().isEmpty());
  EXPECT_THROW(cell(1, 1).put("value", Variant(automation::MakePoint(1, 2))), Error);
}

TEST_F(ObjectModelValuesTest, TypingKeepsANumberFormatTheCellHas) {
  CellFormat fixed;
  fixed.numberFormat = "0.000";
  set(1, 1, std::monostate{}, &fixed);
  open();
  cell(1, 1).put("value", "25%");
  EXPECT_EQ(cell(1, 1).get("NumberFormat").toString(), "0.000");
}

TEST_F(ObjectModelValuesTest, TextIsTheDisplayedText) {
  set(1, 1, std::string(" padded "));
  set(1, 2, 1234.5);
  set(1, 3, ErrorValue{"#DIV/0!"});
  open();
  EXPECT_EQ(cell(1, 1).get("text").toString(), " padded ");
  EXPECT_EQ(cell(1, 2).get("text").toString(), "1234.5");
  EXPECT_EQ(cell(1, 3).get("text").toString(), "#DIV/0!");
  EXPECT_EQ(cell(1, 4).get("text").toString(), "");
}

TEST_F(ObjectModelValuesTest, MergingKeepsTheUpperLeftMostValueInTheTopLeftCell) {
  CellFormat centred;
  centred.horizontalAlignment = xl::kHAlignCenter;
  centred.verticalAlignment = xl::kVAlignCenter;
  centred.font.size = 14;
  centred.borders[BorderSlot(xl::kEdgeTop)].lineStyle = xl::kContinuous;
  CellFormat framed;
  framed.borders[BorderSlot(xl::kEdgeLeft)].lineStyle = xl::kContinuous;
  set(2, 2, std::monostate{}, &framed);  // empty top-left with its own border
  set(3, 3, std::string("middle"), &centred);
  set(3, 4, std::string("later"));
  set(2, 5, std::string("outside"));
  open();
  sheet.get("range", "$B$2:$D$3").put("mergecells", true);

  EXPECT_EQ(cell(2, 2).get("text").toString(), "middle");
  EXPECT_EQ(cell(2, 2).get("horizontalalignment").toInt32(), xl::kHAlignCenter);
  EXPECT_EQ(cell(2, 2).get("verticalalignment").toInt32(), xl::kVAlignCenter);
  EXPECT_EQ(cell(2, 2).get("font").get("size").toDouble(), 14.0);
  // Borders stay with their cells.
  EXPECT_EQ(cell(2, 2).get("borders", xl::kEdgeLeft).get("LineStyle").toInt32(), xl::kContinuous);
  EXPECT_EQ(cell(2, 2).get("borders", xl::kEdgeTop).get("LineStyle").toInt32(), xl::kLineStyleNone);
  EXPECT_EQ(cell(3, 3).get("borders", xl::kEdgeTop).get("LineStyle").toInt32(), xl::kContinuous);
  EXPECT_EQ(cell(3, 3).get("text").toString(), "");
  EXPECT_EQ(cell(3, 4).get("text").toString(), "");
  EXPECT_EQ(cell(2, 5).get("text").toString(), "outside");
  EXPECT_EQ(cell(3, 4).get("MergeArea").get("address").toString(), "$B$2:$D$3");
  ASSERT_EQ(liveSheet().mergedAreas.size(), 1u);
}

TEST_F(ObjectModelValuesTest, MergingKeepsAValueAlreadyTopLeft) {
  set(1, 1, std::string("first"));
  set(1, 2, std::string("second"));
  set(2, 1, 5.0);
  open();
  sheet.get("range", "A1:B2").put("mergecells", true);
  EXPECT_EQ(cell(1, 1).get("text").toString(), "first");
  EXPECT_TRUE(cell(1, 2).get("value").value().isEmpty());
  EXPECT_TRUE(cell(2, 1).get("value").value().isEmpty());
}

TEST_F(ObjectModelValuesTest, OverlappingMergesJoinAndSingleCellsStayUnmerged) {
  model().mergedAreas.push_back(ParseA1("C3:D4"));
  open();
  sheet.get("range", "A1:C3").put("mergecells", true);
  EXPECT_EQ(cell(1, 1).get("MergeArea").get("address").toString(), "$A$1:$D$4");
  ASSERT_EQ(liveSheet().mergedAreas.size(), 1u);
  sheet.get("range", "F6").put("mergecells", true);
  EXPECT_EQ(liveSheet().mergedAreas.size(), 1u);
  cell(2, 2).put("mergecells", false);
  EXPECT_TRUE(liveSheet().mergedAreas.empty());
}

}  // namespace
}  // namespace tabulo::spreadsheet
