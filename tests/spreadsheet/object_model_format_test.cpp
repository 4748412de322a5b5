// Fonts, alignment, wrapping and borders of cells and ranges.
#include <gtest/gtest.h>

#include <functional>

#include "automation/error.h"
#include "object_model_fixture.h"

namespace tabulo::spreadsheet {
namespace {

using automation::Error;
using automation::Variant;

struct ObjectModelFormatTest : ObjectModelTest {
  automation::Dispatch border(std::int32_t row, std::int32_t column, std::int32_t index) {
    return cell(row, column).get("borders").call("Item", index);
  }
  const CellFormat& formatOf(std::int32_t row, std::int32_t column) {
    return live().formats.at(liveSheet().cells.at({row, column}).format);
  }
};

TEST_F(ObjectModelFormatTest, ReadsTheFormatFilesGive) {
  CellFormat f;
  f.font = Font{"Times New Roman", 14, 3, true, false, false, false};
  f.horizontalAlignment = xl::kHAlignCenter;
  f.verticalAlignment = xl::kVAlignTop;
  f.wrapText = true;
  set(1, 1, "x", &f);
  open();
  automation::Dispatch a1 = cell(1, 1);
  EXPECT_EQ(a1.get("Font").get("name").toString(), "Times New Roman");
  EXPECT_EQ(a1.get("font").get("size").toDouble(), 14.0);
  EXPECT_EQ(a1.get("font").get("colorindex").toInt32(), 3);
  EXPECT_TRUE(a1.get("font").get("Bold").toBool());
  EXPECT_EQ(a1.get("horizontalalignment").toInt32(), xl::kHAlignCenter);
  EXPECT_EQ(a1.get("verticalalignment").toInt32(), xl::kVAlignTop);
  EXPECT_TRUE(a1.get("WrapText").toBool());
  // A cell never written shows the defaults.
  automation::Dispatch b1 = cell(1, 2);
  EXPECT_EQ(b1.get("font").get("colorindex").toInt32(), xl::kColorIndexAutomatic);
  EXPECT_EQ(b1.get("horizontalalignment").toInt32(), xl::kHAlignGeneral);
  EXPECT_EQ(b1.get("verticalalignment").toInt32(), xl::kVAlignBottom);
  EXPECT_FALSE(b1.get("WrapText").toBool());
}

TEST_F(ObjectModelFormatTest, WritesReachOnlyTheirCell) {
  open();
  automation::Dispatch c2 = cell(2, 3);
  c2.get("font").put("name", "Arial Narrow");
  c2.get("font").put("size", std::int32_t{12});
  c2.get("font").put("colorindex", std::uint8_t{5});
  c2.put("WrapText", true);
  c2.put("horizontalalignment", std::int16_t{xl::kHAlignRight});
  c2.put("verticalalignment", std::int16_t{xl::kVAlignCenter});
  const CellFormat& f = formatOf(2, 3);
  EXPECT_EQ(f.font.name, "Arial Narrow");
  EXPECT_EQ(f.font.size, 12.0);
  EXPECT_EQ(f.font.colorIndex, 5);
  EXPECT_TRUE(f.wrapText);
  EXPECT_EQ(f.horizontalAlignment, xl::kHAlignRight);
  EXPECT_EQ(f.verticalAlignment, xl::kVAlignCenter);
  EXPECT_EQ(cell(2, 2).get("font").get("name").toString(), "Arial");
  EXPECT_EQ(cell(3, 3).get("horizontalalignment").toInt32(), xl::kHAlignGeneral);
  cell(4, 4).get("font").put("name", "Arial Narrow");
  cell(4, 4).get("font").put("size", 12.0);
  cell(4, 4).get("font").put("colorindex", 5);
  cell(4, 4).put("WrapText", true);
  cell(4, 4).put("horizontalalignment", xl::kHAlignRight);
  cell(4, 4).put("verticalalignment", xl::kVAlignCenter);
  EXPECT_EQ(liveSheet().cells.at({4, 4}).format, liveSheet().cells.at({2, 3}).format);
}

TEST_F(ObjectModelFormatTest, InvalidFormatValuesAreRefused) {
  open();
  struct Case {
    const char* what;
    std::function<void()> write;
  } cases[] = {
      {"alignment", [&] { cell(1, 1).put("horizontalalignment", 12345); }},
      {"vertical alignment", [&] { cell(1, 1).put("verticalalignment", xl::kHAlignLeft); }},
      {"font colour 0", [&] { cell(1, 1).get("font").put("colorindex", 0); }},
      {"font colour 57", [&] { cell(1, 1).get("font").put("colorindex", 57); }},
      {"font size 0", [&] { cell(1, 1).get("font").put("size", 0.0); }},
      {"line style", [&] { border(1, 1, xl::kEdgeTop).put("LineStyle", 99); }},
      {"border weight", [&] { border(1, 1, xl::kEdgeTop).put("Weight", 3); }},
      {"border colour", [&] { border(1, 1, xl::kEdgeTop).put("colorindex", 60); }},
      {"border 4", [&] { border(1, 1, 4); }},
      {"border 11", [&] { border(1, 1, 11); }},
  };
  for (const Case& c : cases) {
    try {
      c.write();
      ADD_FAILURE() << c.what << " should be refused";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()).rfind("Unable to ", 0), 0u) << c.what << ": " << e.what();
    }
  }
  EXPECT_EQ(live().formats.size(), 1u);
}

TEST_F(ObjectModelFormatTest, EachCellKeepsItsOwnBorders) {
  CellFormat rightRed;
  rightRed.borders[BorderSlot(xl::kEdgeRight)] = Border{xl::kContinuous, xl::kThin, 3};
  set(1, 1, std::monostate{}, &rightRed);
  open();
  EXPECT_EQ(border(1, 1, xl::kEdgeRight).get("LineStyle").toInt32(), xl::kContinuous);
  EXPECT_EQ(border(1, 1, xl::kEdgeRight).get("colorindex").toInt32(), 3);
  // B1's left edge is B1's own: not set, whatever A1's right edge is.
  EXPECT_EQ(border(1, 2, xl::kEdgeLeft).get("LineStyle").toInt32(), xl::kLineStyleNone);
  EXPECT_EQ(border(1, 2, xl::kEdgeLeft).get("colorindex").toInt32(), xl::kColorIndexNone);

  border(2, 2, xl::kEdgeLeft).put("LineStyle", 1);
  border(2, 2, xl::kEdgeLeft).put("colorindex", std::uint8_t{5});
  EXPECT_EQ(border(2, 2, xl::kEdgeLeft).get("colorindex").toInt32(), 5);
  EXPECT_EQ(border(2, 1, xl::kEdgeRight).get("LineStyle").toInt32(), xl::kLineStyleNone);
  EXPECT_EQ(border(2, 2, xl::kEdgeTop).get("LineStyle").toInt32(), xl::kLineStyleNone);
}

TEST_F(ObjectModelFormatTest, BorderWritesFollowTheSpreadsheetsRules) {
  open();
  automation::Dispatch top = border(1, 1, xl::kEdgeTop);
  top.put("colorindex", 4);  // a colour draws a continuous line
  EXPECT_EQ(top.get("LineStyle").toInt32(), xl::kContinuous);
  top.put("Weight", xl::kThick);
  top.put("LineStyle", xl::kDash);
  EXPECT_EQ(top.get("Weight").toInt32(), xl::kThick);
  EXPECT_EQ(top.get("LineStyle").toInt32(), xl::kDash);
  top.put("LineStyle", xl::kLineStyleNone);  // no line: colour and weight go too
  EXPECT_EQ(top.get("colorindex").toInt32(), xl::kColorIndexNone);
  EXPECT_EQ(formatOf(1, 1), live().formats[0]);
  automation::Dispatch diagonal = cell(3, 3).get("Borders").call("item", xl::kDiagonalUp);
  diagonal.put("LineStyle", 1);
  EXPECT_EQ(diagonal.get("colorindex").toInt32(), xl::kColorIndexAutomatic);
}

TEST_F(ObjectModelFormatTest, BordersOfAnAreaBelongToItsEdgeCells) {
  model().mergedAreas.push_back(ParseA1("B2:D3"));
  open();
  automation::Dispatch area = cell(2, 2).get("MergeArea");
  area.get("borders").call("item", xl::kDiagonalUp).put("LineStyle", 1);
  area.get("borders").call("item", xl::kDiagonalUp).put("colorindex", std::uint8_t{7});
  area.get("borders", xl::kEdgeRight).put("LineStyle", 1);
  for (int r = 2; r <= 3; ++r) {
    for (int c = 2; c <= 4; ++c) {
      EXPECT_EQ(border(r, c, xl::kDiagonalUp).get("colorindex").toInt32(), 7) << r << c;
      EXPECT_EQ(border(r, c, xl::kEdgeRight).get("LineStyle").toInt32(),
                c == 4 ? xl::kContinuous : xl::kLineStyleNone)
          << r << c;
    }
  }
  EXPECT_EQ(border(2, 2, xl::kDiagonalDown).get("LineStyle").toInt32(), xl::kLineStyleNone);
  EXPECT_EQ(border(1, 2, xl::kDiagonalUp).get("LineStyle").toInt32(), xl::kLineStyleNone);
}

TEST_F(ObjectModelFormatTest, FontColourAsRgbUsesThePalette) {
  open();
  cell(1, 1).get("font").put("color", 0x0000FF);  // red, as 0xBBGGRR
  EXPECT_EQ(cell(1, 1).get("font").get("colorindex").toInt32(), 3);
  EXPECT_EQ(cell(1, 1).get("font").get("color").toInt32(), 0x0000FF);
}

TEST_F(ObjectModelFormatTest, WholeColumnFormatsReachCellsNotListed) {
  set(3, 2, "x");
  open();
  sheet.get("Columns", 2).get("font").put("bold", true);
  EXPECT_TRUE(cell(3, 2).get("font").get("bold").toBool());
  EXPECT_TRUE(cell(500000, 2).get("font").get("bold").toBool());
  EXPECT_FALSE(cell(3, 3).get("font").get("bold").toBool());
  EXPECT_LT(liveSheet().cells.size(), 3u);
}

}  // namespace
}  // namespace tabulo::spreadsheet
