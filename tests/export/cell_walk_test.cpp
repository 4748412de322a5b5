// The cell walk on the stand-in spreadsheet: which cells, in which order, where.
#include "export/cell_walk.h"

#include <gtest/gtest.h>

#include "export_fixture.h"

namespace tabulo::exporting::test {
namespace {

struct Visited {
  std::int32_t r, c;
  Point3 topLeft, topRight, bottomRight, bottomLeft;
  Point3 areaTopLeft, areaTopRight, areaBottomRight, areaBottomLeft;
  CellKind kind;
};

class CellWalkTest : public ::testing::Test {
 protected:
  // Walks the active sheet of `book`, the sheet reached through a recording
  // wrapper so tests can make chosen calls fail.
  std::vector<Visited> walk(const Workbook& book) {
    excel = std::make_shared<spreadsheet::Application>(book);
    Dispatch sheet =
        Dispatch(ObjectPtr(testing::RecordingObject::Wrap(excel, "excel", log))).get("activesheet");
    std::vector<Visited> visited;
    CellVisitor visitor;
    visitor.StartCell = [&] { ++started; };
    visitor.CellWork = [&](const CellPlace& p) {
      visited.push_back({p.r, p.c, p.TopLeft, p.TopRight, p.BottomRight, p.BottomLeft,
                         p.AreaTopLeft, p.AreaTopRight, p.AreaBottomRight, p.AreaBottomLeft,
                         p.kind});
    };
    WalkCells(sheet, ReadLastRow(sheet), mergedAreas, visitor);
    return visited;
  }

  std::shared_ptr<testing::CallLog> log = std::make_shared<testing::CallLog>();
  std::shared_ptr<spreadsheet::Application> excel;
  std::vector<std::string> mergedAreas;
  int started = 0;
};

TEST_F(CellWalkTest, UsedRangeC5D6IsWalkedFromA1) {
  auto visited = walk(SheetBuilder().value(5, 3, "a").value(6, 4, "b").build());
  ASSERT_EQ(visited.size(), 24u);
  EXPECT_EQ(started, 24);
  std::size_t i = 0;
  for (std::int32_t r = 1; r <= 6; ++r)
    for (std::int32_t c = 1; c <= 4; ++c, ++i) {
      EXPECT_EQ(visited[i].r, r);
      EXPECT_EQ(visited[i].c, c);
      // Every column 48 points, every row 12.75, summed one addition at a time.
      double x = 0, y = 0;
      for (int k = 1; k < c; ++k) x = x + 48.0;
      for (int k = 1; k < r; ++k) y = y - 12.75;
      EXPECT_EQ(visited[i].topLeft, (Point3{x, y, 0})) << r << "," << c;
    }
  EXPECT_TRUE(mergedAreas.empty());
  // LastColumn is read once per row (and, in the export, once more for the total).
  EXPECT_EQ(log->countOf("column"), 6u);
}

TEST_F(CellWalkTest, CornersFromRunningWidthsAndHeights) {
  auto visited = walk(SheetBuilder()
                          .value(2, 2, "x")
                          .rowHeight(1, 15)
                          .rowHeight(2, 30)
                          .columnPixels(1, 64)
                          .columnPixels(2, 128)
                          .build());
  ASSERT_EQ(visited.size(), 4u);
  const Visited& cell = visited[3];
  EXPECT_EQ(cell.topLeft, (Point3{48, -15, 0}));
  EXPECT_EQ(cell.topRight, (Point3{144, -15, 0}));
  EXPECT_EQ(cell.bottomRight, (Point3{144, -45, 0}));
  EXPECT_EQ(cell.bottomLeft, (Point3{48, -45, 0}));
  EXPECT_EQ(cell.areaBottomRight, cell.bottomRight);
  EXPECT_EQ(cell.kind, CellKind::Unmerged);
}

TEST_F(CellWalkTest, MergedAreaHasOneAnchorAndFiveCoveredCells) {
  auto visited = walk(SheetBuilder().value(2, 2, "m").merge("B2:D3").build());
  ASSERT_EQ(visited.size(), 12u);
  std::vector<std::string> kinds;
  for (const Visited& v : visited)
    kinds.push_back(v.kind == CellKind::Unmerged ? "u" : v.kind == CellKind::Anchor ? "A" : "c");
  EXPECT_EQ(kinds, (std::vector<std::string>{"u", "u", "u", "u",  //
                                             "u", "A", "c", "c",  //
                                             "u", "c", "c", "c"}));
  EXPECT_EQ(mergedAreas, std::vector<std::string>{"$B$2:$D$3"});
  const Visited& anchor = visited[5];
  EXPECT_EQ(anchor.areaTopLeft, (Point3{48, -12.75, 0}));
  EXPECT_EQ(anchor.areaTopRight, (Point3{192, -12.75, 0}));
  EXPECT_EQ(anchor.areaBottomRight, (Point3{192, -38.25, 0}));
  EXPECT_EQ(anchor.areaBottomLeft, (Point3{48, -38.25, 0}));
  EXPECT_EQ(anchor.bottomRight, (Point3{96, -25.5, 0}));
}

TEST_F(CellWalkTest, ZeroWidthColumnTakesNoSpace) {
  auto visited = walk(SheetBuilder().value(1, 3, "x").columnPixels(2, 0).build());
  ASSERT_EQ(visited.size(), 3u);
  EXPECT_EQ(visited[1].topLeft.x, 48);
  EXPECT_EQ(visited[1].topRight.x, 48);
  EXPECT_EQ(visited[2].topLeft.x, 48);
}

TEST_F(CellWalkTest, AFailingCellLeavesItsNeighboursInPlace) {
  log->failWhen({"address", "cells.item(1, 2)", std::nullopt, 0}, "Unable to get the address.");
  auto visited = walk(SheetBuilder().value(2, 3, "x").columnPixels(2, 100).build());
  std::vector<std::pair<int, int>> cells;
  for (const Visited& v : visited) cells.push_back({v.r, v.c});
  EXPECT_EQ(cells, (std::vector<std::pair<int, int>>{{1, 1}, {1, 3}, {2, 1}, {2, 2}, {2, 3}}));
  EXPECT_EQ(started, 6);  // the failing cell was started like the others
  EXPECT_EQ(visited[1].topLeft, (Point3{48 + 75, 0, 0}));
  EXPECT_EQ(visited[4].topLeft, (Point3{48 + 75, -12.75, 0}));
}

TEST_F(CellWalkTest, FailureOutsideTheCellsWorkEndsTheWalk) {
  log->failWhen({"rowheight", "rows(1)", std::nullopt, 2}, "Unable to get the row height.");
  EXPECT_THROW(walk(SheetBuilder().value(2, 1, "x").build()), automation::Error);
}

}  // namespace
}  // namespace tabulo::exporting::test
