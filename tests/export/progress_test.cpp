#include "export/progress.h"

#include <gtest/gtest.h>

#include <vector>

namespace tabulo::exporting {
namespace {

std::vector<int> Positions(int total) {
  std::vector<int> positions;
  for (int counter = 1; counter <= total; ++counter)
    positions.push_back(ProgressPosition(counter, total));
  return positions;
}

TEST(ProgressPositionTest, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(Positions(8), (std::vector<int>{12, 25, 38, 50, 62, 75, 88, 100}));
  EXPECT_EQ(Positions(3), (std::vector<int>{33, 67, 100}));
  EXPECT_EQ(Positions(1), (std::vector<int>{100}));
  struct Case {
    int counter, total, position;
  } cases[] = {{1, 200, 0}, {3, 200, 2}, {5, 200, 2}, {1, 40, 2}, {3, 40, 8}, {0, 5, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(ProgressPosition(c.counter, c.total), c.position) << c.counter << "/" << c.total;
}

TEST(ProgressPositionTest, NoCellsGiveZero) {
  EXPECT_EQ(ProgressPosition(0, 0), 0);
}

}  // namespace
}  // namespace tabulo::exporting
