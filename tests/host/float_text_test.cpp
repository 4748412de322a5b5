#include "host/float_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace tabulo::host {
namespace {

struct ParseCase {
  const char* text;
  char separator;
  std::optional<double> value;  // nothing: not a number
};

TEST(FloatText, NumberTest) {
  const std::vector<ParseCase> cases = {
      {"12.5", '.', 12.5},
      {"5.", '.', 5.0},
      {".5", '.', 0.5},
      {".", '.', 0.0},
      {",", ',', 0.0},
      {"  12  ", '.', 12.0},
      {"+1", '.', 1.0},
      {"-1", '.', -1.0},
      {"007", '.', 7.0},
      {"1e", '.', 1.0},
      {"1E+", '.', 1.0},
      {"1e-3", '.', 0.001},
      {" -.5e2 ", '.', -50.0},
      {".e5", '.', 0.0},
      {"2,5", ',', 2.5},
      {"1e308", '.', 1e308},
      {"1e-400", '.', 0.0},
      {"0e99999999999", '.', 0.0},
      {"", '.', std::nullopt},
      {"   ", '.', std::nullopt},
      {"-", '.', std::nullopt},
      {"+ 1", '.', std::nullopt},
      {"e5", '.', std::nullopt},
      {"2.5", ',', std::nullopt},
      {"1,250.00", '.', std::nullopt},
      {"12%", '.', std::nullopt},
      {"$5", '.', std::nullopt},
      {"12/05/2020", '.', std::nullopt},
      {"7 kg", '.', std::nullopt},
      {"\t12", '.', std::nullopt},
      {"12\n", '.', std::nullopt},
      {"1 2", '.', std::nullopt},
      {"--1", '.', std::nullopt},
      {"1.2.3", '.', std::nullopt},
      {"1e5x", '.', std::nullopt},
      {"1e400", '.', std::nullopt},
      {"-1.8e308", '.', std::nullopt},
      {"1e99999999999", '.', std::nullopt},
      {"inf", '.', std::nullopt},
      {"0x10", '.', std::nullopt},
  };
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.text + "\" with " + c.separator);
    EXPECT_EQ(ParseFloatText(c.text, c.separator), c.value);
    EXPECT_EQ(IsFloatText(c.text, c.separator), c.value.has_value());
  }
}

TEST(FloatText, LongMantissaConvertsExactly) {
  std::string text = "0." + std::string(400, '0') + "1e401";
  EXPECT_EQ(ParseFloatText(text, '.'), 1.0);
  EXPECT_FALSE(IsFloatText(std::string(400, '9'), '.'));
}

TEST(FloatText, GeneralFormat) {
  struct Case {
    double value;
    char separator;
    const char* text;
  };
  const std::vector<Case> cases = {
      {2.5, '.', "2.5"},
      {2.5, ',', "2,5"},
      {4.75, '.', "4.75"},
      {-2.5, '.', "-2.5"},
      {0.0, '.', "0"},
      {100.0, '.', "100"},
      {0.1 + 0.2, '.', "0.3"},
      {1.0 / 3.0, '.', "0.333333333333333"},
      {2.0 / 3.0, '.', "0.666666666666667"},
      {123456789012345.0, '.', "123456789012345"},
      {1e15, '.', "1E15"},
      {1.5e20, '.', "1.5E20"},
      {0.0001, '.', "0.0001"},
      {0.00012, '.', "0.00012"},
      {1e-5, '.', "1E-5"},
      {1.5e-7, ',', "1,5E-7"},
      {std::numeric_limits<double>::infinity(), '.', "INF"},
      {-std::numeric_limits<double>::infinity(), '.', "-INF"},
      {std::nan(""), '.', "NAN"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(FormatFloatGeneral(c.value, c.separator), c.text);
  }
}

TEST(FloatText, FormattedNumbersPassTheTest) {
  for (double value : {2.5, -1e-7, 1e300, 123.456, 7.0, 0.001}) {
    for (char separator : {'.', ','}) {
      std::string text = FormatFloatGeneral(value, separator);
      SCOPED_TRACE(text);
      auto parsed = ParseFloatText(text, separator);
      ASSERT_TRUE(parsed.has_value());
      EXPECT_DOUBLE_EQ(*parsed, value);
    }
  }
}

}  // namespace
}  // namespace tabulo::host
