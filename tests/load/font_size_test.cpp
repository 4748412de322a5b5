#include "load/font_size.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <map>
#include <random>

#include "automation/error.h"
#include "automation/variant.h"

namespace tabulo::load {
namespace {

TEST(FontSizeForHeight, QuotientRoundedHalfToEven) {
  const struct {
    double height;
    std::int32_t size;
  } cases[] = {
      {7.475, 12},  // 11.5 points: the extended quotient becomes exactly 11.5
      {6.825, 10},  // 10.5 points
      {4.875, 8},   // 7.5 rounds to even 8
      {1.625, 2},   // 2.5 rounds to even 2
      {7.15, 11},  {6.5, 10}, {7.8, 12}, {0.0, 0}, {0.2, 0}, {265.85, 409}, {-7.475, -12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.height);
    EXPECT_EQ(FontSizeForHeight(c.height), c.size);
  }
}

TEST(FontSizeForHeight, ElevenAndAHalfNeedsTheExtendedQuotient) {
  // A plain double division falls just below 11.5 and would give 11.
  EXPECT_LT(7.475 / 0.65, 11.5);
  EXPECT_EQ(ExtendedSizeQuotient(7.475), 11.5);
}

// Every size the spreadsheet offers in half points, exported as the export writes
// text heights (size × 0.65 to four decimals, handed over as a currency value),
// comes back as the size rounded half to even, except where the extended quotient
// misses the half: there it lands on the other neighbour, as the arithmetic says.
TEST(FontSizeForHeight, ExportedHalfPointSizes) {
  const std::map<double, std::int32_t> quotientMissesTheHalf = {
      {14.5, 15},   {15.5, 15},   {26.5, 27},   {49.5, 49},   {50.5, 51},   {59.5, 59},
      {60.5, 61},   {98.5, 99},   {101.5, 101}, {108.5, 109}, {111.5, 111}, {118.5, 119},
      {121.5, 121}, {204.5, 205}, {205.5, 205}, {214.5, 215}, {215.5, 215}, {224.5, 225},
      {225.5, 225}, {234.5, 235}, {235.5, 235}, {244.5, 245}, {245.5, 245}, {254.5, 255},
      {255.5, 255}, {396.5, 397}, {403.5, 403}, {406.5, 407}};
  for (int halfPoints = 2; halfPoints <= 818; ++halfPoints) {
    const double size = halfPoints / 2.0;
    const std::int64_t tenThousandths = 3250 * std::int64_t{halfPoints};  // size × 0.65
    const double height = automation::Variant(automation::Currency{tenThousandths}).toDouble();
    SCOPED_TRACE(size);
    auto miss = quotientMissesTheHalf.find(size);
    EXPECT_EQ(FontSizeForHeight(height), miss != quotientMissesTheHalf.end()
                                             ? miss->second
                                             : static_cast<std::int32_t>(std::nearbyint(size)));
  }
}

// Where long double is the x87 extended format, the emulation must agree with the
// hardware bit for bit, also on the ties of each rounding step.
TEST(ExtendedSizeQuotient, MatchesX87ExtendedArithmetic) {
  if constexpr (std::numeric_limits<long double>::digits != 64) {
    GTEST_SKIP() << "long double is not the 64-bit-mantissa extended format here";
  } else {
    auto native = [](double h) {
      volatile long double product = static_cast<long double>(h) * 10000.0L;
      volatile long double quotient = product / 6500.0L;
      return static_cast<double>(quotient);
    };
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> heights(0.0, 300.0);
    std::uniform_int_distribution<int> exponents(-60, 60);
    for (int i = 0; i < 200000; ++i) {
      double h = i % 2 ? heights(random)
                       : std::ldexp(1.0 + static_cast<double>(random() >> 12) * 0x1p-52,
                                    exponents(random));
      ASSERT_EQ(std::bit_cast<std::uint64_t>(ExtendedSizeQuotient(h)),
                std::bit_cast<std::uint64_t>(native(h)))
          << "height " << h;
    }
    // Heights in ten-thousandths, as every exported height is.
    for (std::int64_t t = 1; t <= 3000000; t += 7) {
      double h = static_cast<double>(t) / 10000.0;
      ASSERT_EQ(ExtendedSizeQuotient(h), native(h)) << "height " << h;
    }
  }
}

TEST(FontSizeForHeight, HeightsWithoutASizeFail) {
  for (double h :
       {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e300}) {
    SCOPED_TRACE(h);
    EXPECT_THROW(FontSizeForHeight(h), automation::Error);
  }
}

}  // namespace
}  // namespace tabulo::load
