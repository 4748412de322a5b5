// Border lines: which edges become lines, in which order and direction, and with
// which colour.
#include <gtest/gtest.h>

#include "export_fixture.h"

namespace tabulo::exporting::test {
namespace {

using Lines = std::vector<std::string>;

CellFormat Edges(std::initializer_list<std::int32_t> indexes, std::int32_t colorIndex,
                 std::int32_t style = xl::kContinuous) {
  CellFormat format;
  for (std::int32_t index : indexes) format = WithBorder(format, index, colorIndex, style);
  return format;
}

class BorderTest : public ExportTest {
 protected:
  BorderTest() { useSettings(false, 2.5, true); }
};

TEST_F(BorderTest, SingleCellGivesFourEdgesInOrder) {
  exportSheet(SheetBuilder().format(1, 1, Boxed(3)).rowHeight(1, 15).build());
  // Colour index 3 is ACI 1.
  EXPECT_EQ(blockEntities(),
            (Lines{"LINE (0, 0) -> (48, 0) color 1", "LINE (48, 0) -> (48, -15) color 1",
                   "LINE (48, -15) -> (0, -15) color 1", "LINE (0, 0) -> (0, -15) color 1"}));
}

TEST_F(BorderTest, ColoursByLayerReadNoColourIndex) {
  useSettings(true, 2.5, true);
  exportSheet(SheetBuilder().format(1, 1, Boxed(3)).rowHeight(1, 15).build());
  EXPECT_EQ(blockEntities(),
            (Lines{"LINE (0, 0) -> (48, 0) color 256", "LINE (48, 0) -> (48, -15) color 256",
                   "LINE (48, -15) -> (0, -15) color 256", "LINE (0, 0) -> (0, -15) color 256"}));
  EXPECT_FALSE(log->called("colorindex")) << log->dump();
  EXPECT_FALSE(log->called("color"));
}

TEST_F(BorderTest, UpperCellsBottomEdgeStandsForTheLowerCellsTop) {
  exportSheet(SheetBuilder().format(1, 1, Boxed(3)).format(2, 1, Boxed(5)).build());
  EXPECT_EQ(
      blockEntities(),
      (Lines{"LINE (0, 0) -> (48, 0) color 1", "LINE (48, 0) -> (48, -12.75) color 1",
             "LINE (48, -12.75) -> (0, -12.75) color 1", "LINE (0, 0) -> (0, -12.75) color 1",
             // A2: no top edge of its own.
             "LINE (48, -12.75) -> (48, -25.5) color 5", "LINE (48, -25.5) -> (0, -25.5) color 5",
             "LINE (0, -12.75) -> (0, -25.5) color 5"}));
}

TEST_F(BorderTest, NeighbourRules) {
  struct Case {
    const char* name;
    Workbook book;
    Lines expected;
  } cases[] = {
      {"top edge drawn when the cell above has no bottom edge",
       SheetBuilder().format(2, 1, Edges({xl::kEdgeTop}, 5)).build(),
       {"LINE (0, -12.75) -> (48, -12.75) color 5"}},
      {"left cell's right edge wins over the right cell's left edge",
       SheetBuilder()
           .format(1, 1, Edges({xl::kEdgeRight}, 3))
           .format(1, 2, Edges({xl::kEdgeLeft}, 5))
           .build(),
       {"LINE (48, 0) -> (48, -12.75) color 1"}},
      {"left edge drawn when the left cell has no right edge",
       SheetBuilder().format(1, 2, Edges({xl::kEdgeLeft}, 5)).build(),
       {"LINE (48, 0) -> (48, -12.75) color 5"}},
      {"lower cell's top edge yields to the upper cell's bottom edge whatever its style",
       SheetBuilder()
           .format(1, 1, Edges({xl::kEdgeBottom}, 3, xl::kDouble))
           .format(2, 1, Edges({xl::kEdgeTop}, 5, xl::kDash))
           .build(),
       {"LINE (48, -12.75) -> (0, -12.75) color 1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    newDrawing();
    exportSheet(c.book);
    EXPECT_EQ(blockEntities(), c.expected);
  }
}

TEST_F(BorderTest, MergedAreaOutlineCellByCellAndOneDiagonalFromTheAnchor) {
  exportSheet(SheetBuilder()
                  .format(1, 1, Edges({xl::kEdgeTop, xl::kEdgeLeft, xl::kDiagonalDown}, 3))
                  .format(1, 2, Edges({xl::kEdgeTop, xl::kEdgeRight}, 3))
                  .format(2, 1, Edges({xl::kEdgeBottom, xl::kEdgeLeft}, 3))
                  // A diagonal on a covered cell is not drawn.
                  .format(2, 2, Edges({xl::kEdgeBottom, xl::kEdgeRight, xl::kDiagonalUp}, 3))
                  .merge("A1:B2")
                  .build());
  EXPECT_EQ(
      blockEntities(),
      (Lines{"LINE (0, 0) -> (48, 0) color 1", "LINE (0, 0) -> (0, -12.75) color 1",
             "LINE (0, 0) -> (96, -25.5) color 1", "LINE (48, 0) -> (96, 0) color 1",
             "LINE (96, 0) -> (96, -12.75) color 1", "LINE (48, -25.5) -> (0, -25.5) color 1",
             "LINE (0, -12.75) -> (0, -25.5) color 1", "LINE (96, -12.75) -> (96, -25.5) color 1",
             "LINE (96, -25.5) -> (48, -25.5) color 1"}));
}

TEST_F(BorderTest, RisingDiagonalStartsTopRight) {
  exportSheet(SheetBuilder().format(1, 1, Edges({xl::kDiagonalUp, xl::kDiagonalDown}, 10)).build());
  EXPECT_EQ(blockEntities(), (Lines{"LINE (0, 0) -> (48, -12.75) color 96",
                                    "LINE (48, 0) -> (0, -12.75) color 96"}));
}

TEST_F(BorderTest, AutomaticColourIsByBlock) {
  exportSheet(SheetBuilder().format(1, 1, Edges({xl::kEdgeTop}, xl::kColorIndexAutomatic)).build());
  EXPECT_EQ(blockEntities(), (Lines{"LINE (0, 0) -> (48, 0) color 0"}));
}

TEST_F(BorderTest, ZeroHeightRowStillGivesItsSideLines) {
  exportSheet(SheetBuilder()
                  .format(1, 1, Edges({xl::kEdgeLeft, xl::kEdgeRight}, 3))
                  .rowHeight(1, 0)
                  .build());
  EXPECT_EQ(blockEntities(),
            (Lines{"LINE (48, 0) -> (48, 0) color 1", "LINE (0, 0) -> (0, 0) color 1"}));
}

TEST_F(BorderTest, AFailingBorderEndsOnlyThatCell) {
  // A1's right edge cannot be read: A1 keeps its top line and loses the rest,
  // its text included; B1 is drawn in full.
  log->failWhen({"Item", "cells.item(1, 1).borders", std::nullopt, 2}, "Unable to get the border.");
  exportSheet(SheetBuilder().value(1, 1, "lost", Boxed(3)).format(1, 2, Boxed(3)).build());
  EXPECT_EQ(
      blockEntities(),
      (Lines{"LINE (0, 0) -> (48, 0) color 1", "LINE (48, 0) -> (96, 0) color 1",
             "LINE (96, 0) -> (96, -12.75) color 1", "LINE (96, -12.75) -> (48, -12.75) color 1"}));
  EXPECT_EQ(ui->EntriesStartingWith("ErrorBox"), Lines{});
}

}  // namespace
}  // namespace tabulo::exporting::test
