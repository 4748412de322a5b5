#include "spreadsheet/displayed_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tabulo::spreadsheet {
namespace {

struct Case {
  CellValue value;
  const char* code;
  const char* expected;
};

void ExpectAll(const std::vector<Case>& cases, bool date1904 = false) {
  for (const Case& c : cases) {
    EXPECT_EQ(DisplayText(c.value, c.code, date1904), c.expected) << "code " << c.code;
  }
}

TEST(DisplayText, NonNumbersIgnoreNumberFormats) {
  ExpectAll({
      {std::monostate{}, "General", ""},
      {std::monostate{}, "0.00;-0.00;\"zero\"", ""},
      {true, "General", "TRUE"},
      {false, "0.00", "FALSE"},
      {ErrorValue{"#DIV/0!"}, "0.00", "#DIV/0!"},
      {ErrorValue{"#N/A"}, "General", "#N/A"},
      {std::string("abc"), "General", "abc"},
      {std::string("abc"), "0.00", "abc"},
      {std::string(" padded "), "#,##0", " padded "},
  });
}

TEST(DisplayText, GeneralFitsElevenCharacters) {
  ExpectAll({
      {0.0, "General", "0"},
      {1.0, "General", "1"},
      {-1.5, "General", "-1.5"},
      {0.1 + 0.2, "General", "0.3"},
      {1.0 / 3, "General", "0.333333333"},
      {2.0 / 3, "General", "0.666666667"},
      {-1.0 / 3, "General", "-0.333333333"},
      {1234567890123.0, "General", "1.23457E+12"},
      {123456789012.0, "General", "1.23457E+11"},
      {12345678901.0, "General", "12345678901"},
      {99999999999.5, "General", "1E+11"},
      {-1234567890.5, "General", "-1234567891"},
      {1234.56789012345, "General", "1234.56789"},
      {0.000012345, "General", "1.2345E-05"},
      {0.00001, "General", "1E-05"},
      {0.0001, "General", "0.0001"},
      {0.000123456789, "General", "0.000123457"},
      {1e100, "General", "1E+100"},
      {1.5e-300, "General", "1.5E-300"},
      {123456.0, "", "123456"},
      {42.0, "@", "42"},
  });
}

TEST(DisplayText, FixedThousandsPercentScientific) {
  ExpectAll({
      {1234.567, "0", "1235"},
      {0.4, "0", "0"},
      {-0.4, "0", "-0"},
      {1.005, "0.00", "1.01"},
      {2.5, "0", "3"},
      {-2.5, "0", "-3"},
      {1234567.891, "#,##0", "1,234,568"},
      {1234567.891, "#,##0.00", "1,234,567.89"},
      {-1234.5, "#,##0.00", "-1,234.50"},
      {999.999, "#,##0.00", "1,000.00"},
      {5.0, "0,000", "0,005"},
      {0.0, "#,##0", "0"},
      {0.5, "#.##", ".5"},
      {0.0, "#.##", "."},
      {1.0, "0.#", "1."},
      {12.5, ".00", "12.50"},
      {7.0, "0000", "0007"},
      {1.5, "0.0?", "1.5 "},
      {1.25, "0.0#", "1.25"},
      {1.5, "??0.0", "  1.5"},
      {1234567.0, "#,##0,", "1,235"},
      {1234567.0, "0.0,,\"M\"", "1.2M"},
      {0.1234, "0%", "12%"},
      {0.1234, "0.00%", "12.34%"},
      {-0.005, "0.0%", "-0.5%"},
      {12345.678, "0.00E+00", "1.23E+04"},
      {0.00012, "0.00E+00", "1.20E-04"},
      {0.0, "0.00E+00", "0.00E+00"},
      {9.999, "0.00E+00", "1.00E+01"},
      {-12345.678, "0.00E+00", "-1.23E+04"},
      {12345.0, "00.00E+00", "12.35E+03"},
      {12345.0, "##0.0E+0", "12.3E+3"},
      {1234567.0, "##0.0E+0", "1.2E+6"},
      {0.001, "##0.0E+0", "1.0E-3"},
      {123.0, "0.0E-00", "1.2E02"},
      {0.0123, "0.0E-00", "1.2E-02"},
  });
}

TEST(DisplayText, LiteralsEscapesPaddingAndFill) {
  ExpectAll({
      {5.0, "0\" kg\"", "5 kg"},
      {5.0, "\\$0.00", "$5.00"},
      {-5.0, "$#,##0.00", "-$5.00"},
      {1234.0, "_(* #,##0_)", " 1,234 "},
      {5.0, "**0", "5"},
      {8675309.0, "###-####", "867-5309"},
      {2813308004.0, "(###) ###-####", "(281) 330-8004"},
      {5.0, "[$EUR] 0.00", "EUR 5.00"},
      {5.0, "[$\xE2\x82\xAC-407] #,##0.00", "\xE2\x82\xAC 5.00"},
      {5.0, "[$-409]0.0", "5.0"},
      {5.0, "[Red]0.0", "5.0"},
      {5.0, "[Color10]0", "5"},
      {5.0, "\"Total: \"General", "Total: 5"},
      {-5.0, "General\" units\"", "-5 units"},
      {5.0, "\"abc\"", "abc"},
  });
}
}  // namespace
}  // namespace tabulo::spreadsheet
