#include "load/load_state.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tabulo::load {
namespace {

struct LookupCase {
  const char* name;
  std::vector<double> edges;
  double coordinate;
  std::int32_t exact;
  std::int32_t containing;
};

TEST(EdgeLookups, FirstHitFromEntryZeroAndZeroWhenNothingHits) {
  const std::vector<double> grid = {0.0, 48.0, 96.0};
  const std::vector<double> zeroHeightRow2 = {0.0, 15.0, 15.0, 30.0};
  const LookupCase cases[] = {
      {"origin", grid, 0.0, 0, 1},
      {"inside first", grid, 47.9, 0, 1},
      {"on an inner edge", grid, 48.0, 1, 2},
      {"on the last edge", grid, 96.0, 2, 0},
      {"beyond the last edge", grid, 200.0, 0, 0},
      {"negative", grid, -1.0, 0, 0},
      {"one bit above an edge", grid, std::nextafter(48.0, 100.0), 0, 2},
      {"one bit below an edge", grid, std::nextafter(48.0, 0.0), 0, 1},
      {"edge shared with a zero-height row", zeroHeightRow2, 15.0, 1, 3},
      {"no edges", {}, 5.0, 0, 0},
  };
  for (const LookupCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ExactEdge(c.edges, c.coordinate), c.exact);
    EXPECT_EQ(ContainingInterval(c.edges, c.coordinate), c.containing);
  }
}

}  // namespace
}  // namespace tabulo::load
