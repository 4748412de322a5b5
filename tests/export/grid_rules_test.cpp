// Small pure rules of the walk and the table block.
#include <gtest/gtest.h>

#include "export/cell_walk.h"
#include "export/table_block.h"

namespace tabulo::exporting {
namespace {

TEST(GridRulesTest, CellKindFromTheAddresses) {
  struct Case {
    std::string_view cell, area;
    CellKind kind;
  } cases[] = {
      {"$B$2", "$B$2", CellKind::Unmerged},     {"$B$2", "$B$2:$D$3", CellKind::Anchor},
      {"$C$2", "$B$2:$D$3", CellKind::Covered}, {"$D$3", "$B$2:$D$3", CellKind::Covered},
      {"$b$2", "$B$2:$D$3", CellKind::Covered},  // compared case-sensitively
  };
  for (const Case& c : cases) EXPECT_EQ(ClassifyCell(c.cell, c.area), c.kind) << c.cell;
}

TEST(GridRulesTest, InsertScaleDrawsA12PointFontOutputScaleHigh) {
  EXPECT_EQ(InsertScale(2.5), 0.32051282051282054);
  EXPECT_EQ(InsertScale(7.8), 1.0);
}

TEST(GridRulesTest, TableBlockNamesHaveAtLeastThreeDigits) {
  EXPECT_EQ(TableBlockName(1), "TabuloBk001");
  EXPECT_EQ(TableBlockName(42), "TabuloBk042");
  EXPECT_EQ(TableBlockName(999), "TabuloBk999");
  EXPECT_EQ(TableBlockName(1000), "TabuloBk1000");
  EXPECT_EQ(TableBlockName(123456), "TabuloBk123456");
}

}  // namespace
}  // namespace tabulo::exporting
