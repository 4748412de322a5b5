// Cell text: which cells get a text entity, its contents, size, colour and where
// it is attached.
#include <gtest/gtest.h>

#include "export_fixture.h"
#include "load/fill_sheet.h"

namespace tabulo::exporting::test {
namespace {

using Lines = std::vector<std::string>;

CellFormat Aligned(std::int32_t horizontal, std::int32_t vertical) {
  CellFormat format;
  format.horizontalAlignment = horizontal;
  format.verticalAlignment = vertical;
  return format;
}

CellFormat NumberFormat(std::string code) {
  CellFormat format = Aligned(xl::kHAlignGeneral, xl::kVAlignTop);
  format.numberFormat = std::move(code);
  return format;
}

class CellTextTest : public ExportTest {
 protected:
  CellTextTest() { useSettings(true, 2.5, true); }

  // The one entity of a one-cell table.
  std::string only(const Workbook& book) {
    newDrawing();
    exportSheet(book);
    Lines entities = blockEntities();
    return entities.size() == 1 ? entities[0] : ::testing::PrintToString(entities);
  }
};

TEST_F(CellTextTest, BlankCellsGetNoText) {
  exportSheet(
      SheetBuilder().value(1, 1, "   ").value(1, 2, "\t\n\t").value(1, 3, "  word  ").build());
  EXPECT_EQ(blockEntities(),
            Lines{"MTEXT ap 7 at (97.95, -10.41) height 6.5 width 0 color 256 \"  word  \""});
}

TEST_F(CellTextTest, GeneralAlignmentFollowsTheShownText) {
  // Top-aligned, 10-point: height 6.5, margins 1.95 and 2.34 inside A1 (48 x 12.75).
  const std::string right = "MTEXT ap 3 at (46.05, -2.34) height 6.5 width 0 color 256 ";
  const std::string left = "MTEXT ap 1 at (1.95, -2.34) height 6.5 width 0 color 256 ";
  struct Case {
    spreadsheet::CellValue value;
    std::string format;
    std::string expected;
  } cases[] = {
      {12.5, "General", right + "\"12.5\""},
      {1250.0, "#,##0.00", left + "\"1,250.00\""},
      {0.12, "0%", left + "\"12%\""},
      {43963.0, "mm/dd/yyyy", left + "\"05/12/2020\""},
      {std::string("7 kg"), "General", left + "\"7 kg\""},
      {std::string("."), "General", right + "\".\""},
      {std::string("1E"), "General", right + "\"1E\""},
      {std::string("12.5"), "@", right + "\"12.5\""},  // a text that shows a number
  };
  for (const Case& c : cases)
    EXPECT_EQ(only(SheetBuilder().value(1, 1, c.value, NumberFormat(c.format)).build()),
              c.expected);
}

TEST_F(CellTextTest, NumberTestUsesTheUsersDecimalSeparator) {
  ui->SetDecimalSeparator(',');
  EXPECT_EQ(only(SheetBuilder().value(1, 1, 12.5, NumberFormat("General")).build()),
            "MTEXT ap 1 at (1.95, -2.34) height 6.5 width 0 color 256 \"12.5\"");
  EXPECT_EQ(only(SheetBuilder().value(1, 1, "12,5", NumberFormat("General")).build()),
            "MTEXT ap 3 at (46.05, -2.34) height 6.5 width 0 color 256 \"12,5\"");
}

TEST_F(CellTextTest, AttachmentFollowsBothAlignments) {
  struct Case {
    std::int32_t horizontal, vertical;
    std::string placed;
  } cases[] = {
      {xl::kHAlignLeft, xl::kVAlignCenter, "ap 4 at (1.95, -6.375)"},
      {xl::kHAlignCenter, xl::kVAlignCenter, "ap 5 at (24, -6.375)"},
      {xl::kHAlignRight, xl::kVAlignBottom, "ap 9 at (46.05, -10.41)"},
      {xl::kHAlignCenter, xl::kVAlignTop, "ap 2 at (24, -2.34)"},
      // No row of the table: attachment point 7 stays, inside the cell.
      {xl::kHAlignJustify, xl::kVAlignTop, "ap 7 at (1.95, -10.41)"},
      {xl::kHAlignDistributed, xl::kVAlignCenter, "ap 7 at (1.95, -10.41)"},
      {xl::kHAlignFill, xl::kVAlignBottom, "ap 7 at (1.95, -10.41)"},
      {xl::kHAlignCenterAcrossSelection, xl::kVAlignBottom, "ap 7 at (1.95, -10.41)"},
      {xl::kHAlignLeft, xl::kVAlignJustify, "ap 7 at (1.95, -10.41)"},
      {xl::kHAlignRight, xl::kVAlignDistributed, "ap 7 at (1.95, -10.41)"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(only(SheetBuilder().value(1, 1, "x", Aligned(c.horizontal, c.vertical)).build()),
              "MTEXT " + c.placed + " height 6.5 width 0 color 256 \"x\"")
        << c.horizontal << "/" << c.vertical;
}

TEST_F(CellTextTest, WrapWidthHeightAndFontCode) {
  useSettings(true, 2.5, false);
  CellFormat format = Aligned(xl::kHAlignLeft, xl::kVAlignTop);
  format.wrapText = true;
  format.font.name = "MS Sans Serif";
  format.font.size = 11.5;
  // Height 0.65 x 11.5 = 7.475; margins 2.2425 and 2.691; width 48 - 2.76.
  EXPECT_EQ(only(SheetBuilder().value(1, 1, "Total\nSum", format).build()),
            "MTEXT ap 1 at (2.2425, -2.691) height 7.475 width 45.24 color 256 "
            "\"\\fMS Sans Serif;Total\\PSum\"");
  Lines heightsPut;
  for (const auto& call : log->callsTo("height"))
    if (call.isPut()) heightsPut.push_back(call.renderedArgs.back());
  EXPECT_EQ(heightsPut, Lines{"7.475cy"});  // handed over as a currency value
}

TEST_F(CellTextTest, CarriageReturnPassesAndLineFeedBecomesAParagraph) {
  EXPECT_EQ(only(SheetBuilder().value(1, 1, "first\r\nsecond").build()),
            "MTEXT ap 7 at (1.95, -10.41) height 6.5 width 0 color 256 \"first\r\\Psecond\"");
}

TEST_F(CellTextTest, FontColourOnlyWhenColoursComeFromTheWorkbook) {
  CellFormat red = Aligned(xl::kHAlignLeft, xl::kVAlignBottom);
  red.font.colorIndex = 3;
  EXPECT_EQ(only(SheetBuilder().value(1, 1, "x", red).build()),
            "MTEXT ap 7 at (1.95, -10.41) height 6.5 width 0 color 256 \"x\"");
  EXPECT_FALSE(log->called("colorindex"));

  useSettings(false, 2.5, true);
  EXPECT_EQ(only(SheetBuilder().value(1, 1, "x", red).build()),
            "MTEXT ap 7 at (1.95, -10.41) height 6.5 width 0 color 1 \"x\"");
  red.font.colorIndex = xl::kColorIndexAutomatic;
  EXPECT_EQ(only(SheetBuilder().value(1, 1, "x", red).build()),
            "MTEXT ap 7 at (1.95, -10.41) height 6.5 width 0 color 0 \"x\"");

  // An unreadable colour index counts as 1 (ACI 0) and the text is still placed.
  red.font.colorIndex = 10;
  log->failMember("colorindex", "Unable to get the colour.");
  EXPECT_EQ(only(SheetBuilder().value(1, 1, "x", red).build()),
            "MTEXT ap 7 at (1.95, -10.41) height 6.5 width 0 color 0 \"x\"");
}

TEST_F(CellTextTest, MergedAreaTextSpansTheAreaWithTheAnchorsFormat) {
  CellFormat format = Aligned(xl::kHAlignCenter, xl::kVAlignCenter);
  format.wrapText = true;
  format.font.size = 12;
  exportSheet(SheetBuilder().value(2, 2, "merged", format).merge("B2:D3").build());
  // The area runs from x 48 to 192 and y -12.75 to -38.25; 12 points: height 7.8.
  EXPECT_EQ(blockEntities(),
            Lines{"MTEXT ap 5 at (120, -25.5) height 7.8 width 141.12 color 256 \"merged\""});
  // Drawn OutputScale (2.5) drawing units high once inserted.
  EXPECT_DOUBLE_EQ(7.8 * lastReference().get("xscalefactor").toDouble(), 2.5);
}

TEST_F(CellTextTest, FailingAlignmentLeavesTheTextWhereItWasCreated) {
  log->failMember("verticalalignment", "Unable to get the alignment.");
  EXPECT_EQ(
      only(SheetBuilder().value(1, 1, "x", Aligned(xl::kHAlignRight, xl::kVAlignTop)).build()),
      "MTEXT ap 7 at (0, -12.75) height 6.5 width 0 color 256 \"x\"");
}

TEST_F(CellTextTest, JustifiedTextInTheLastRowLoadsBackIntoItsOwnCell) {
  exportSheet(SheetBuilder()
                  .value(1, 1, "above")
                  .value(2, 1, "justified", Aligned(xl::kHAlignJustify, xl::kVAlignBottom))
                  .build());
  ASSERT_EQ(modelSpaceCount(), 1);
  auto objectId = static_cast<std::uint32_t>(lastReference().get("ObjectID").toInt32());

  auto target = std::make_shared<spreadsheet::Application>(SheetBuilder().build());
  load::FillSheet(target, objectId);
  EXPECT_EQ(ui->EntriesStartingWith("ErrorBox"), Lines{});
  Dispatch cells = Dispatch(ObjectPtr(target)).get("activesheet").get("cells");
  EXPECT_EQ(cells.call("item", 1, 1).get("text").toString(), "above");
  EXPECT_EQ(cells.call("item", 2, 1).get("text").toString(), "justified");
}

}  // namespace
}  // namespace tabulo::exporting::test
