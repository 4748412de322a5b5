#include "export/fixed_point.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "automation/error.h"

namespace tabulo::exporting {
namespace {

// Expected values are the exact results rounded once (half to even), worked out
// with rational arithmetic; several are near a half, where a double product would
// round a second time.
TEST(FixedPointTest, ProductsRoundOnceHalfToEven) {
  struct Case {
    std::int64_t factor;
    double value;
    std::int64_t expected;
  } cases[] = {
      {6500, 10.0, 65000},  // text height of a 10-point font: 6.5
      {3000, 6.5, 19500},   // horizontal margin: 1.95
      {3600, 6.5, 23400},   // vertical margin: 2.34
      {6500, 11.5, 74750},  // 7.475
      {2400, 11.5, 27600},  // wrap inset
      {6500, 7.123456, 46302},
      {2400, -3.3, -7920},
      {2, 1.25, 2},     // 2.5 -> 2
      {2, 1.75, 4},     // 3.5 -> 4
      {-2, 1.25, -2},   // -2.5 -> -2
      {2, -1.75, -4},   // -3.5 -> -4
      {-7, 11.5, -80},  // -80.5 -> -80
      {-7, 0.1, -1},    // -0.70000000000000004 -> -1
      {-7, -3.3, 23},
      {3600, 1e-9, 0},
      {6500, 0.0, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FixedMul(Fixed(c.factor), c.value).tenThousandths, c.expected)
        << c.factor << " x " << c.value;
}

TEST(FixedPointTest, SumsAndDifferencesAreExactBeforeTheirOneRounding) {
  struct Case {
    double value;
    std::int64_t addend;
    std::int64_t expected;
  } cases[] = {
      {15.75, 19500, 177000},
      {-45.0, -23400, -473400},
      {0.00005, 0, 1},  // the double is a hair above 0.00005: not a tie
      {-0.00005, 0, -1},
      {0.00015, 0, 1},  // a hair below 1.5 ticks
      {72.00005, 19500, 739501},
      {-72.00005, -23400, -743401},
      {12345.67895, 19500, 123476289},
      {-123.456789, 19500, -1215068},
      {14.4, -23400, 120600},
      {-0.3, 19500, 16500},
      {1e-300, -23400, -23400},
      {5e-324, 19500, 19500},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FixedAdd(c.value, Currency{c.addend}).tenThousandths, c.expected)
        << c.value << " + " << c.addend;
    EXPECT_EQ(FixedSub(c.value, Currency{-c.addend}).tenThousandths, c.expected)
        << c.value << " - " << -c.addend;
  }
}

TEST(FixedPointTest, ConvertsToTheNearestDouble) {
  EXPECT_EQ(ToDouble(Currency{19500}), 1.95);
  EXPECT_EQ(ToDouble(Currency{-424600}), -42.46);
  EXPECT_EQ(ToDouble(FixedSub(-15.0, Currency{23400})), -17.34);
}

TEST(FixedPointTest, ValuesOutsideTheCurrencyRangeFail) {
  EXPECT_THROW(FixedAdd(1e300, Currency{0}), automation::Error);
  EXPECT_THROW(FixedAdd(9.3e14, Currency{0}), automation::Error);
  EXPECT_THROW(FixedMul(Fixed(10000), std::numeric_limits<double>::quiet_NaN()), automation::Error);
  EXPECT_THROW(FixedMul(Fixed(10000), -INFINITY), automation::Error);
  EXPECT_EQ(FixedAdd(9.2e14, Currency{0}).tenThousandths, 9200000000000000000);
}

}  // namespace
}  // namespace tabulo::exporting
