// Displayed text against an independent renderer: cases rendered by LibreOffice
// (fixtures/numfmt/make_expectations.py), with Excel's text where the two differ.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "spreadsheet/displayed_text.h"

namespace tabulo::spreadsheet {
namespace {

struct Expectation {
  int line = 0;
  std::string kind, value, code, libreoffice, expected, note;
  bool date1904 = false;
};

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
    fields.push_back(line.substr(start, tab - start));
  }
  fields.push_back(line.substr(start));
  return fields;
}

std::vector<Expectation> ReadExpectations() {
  std::ifstream in(TABULO_SOURCE_DIR "/tests/spreadsheet/fixtures/numfmt/expectations.tsv");
  std::vector<Expectation> cases;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line[0] == '#' || line.rfind("kind\t", 0) == 0) continue;
    const auto f = SplitTabs(line);
    if (f.size() != 7) ADD_FAILURE() << "line " << number << " has " << f.size() << " fields";
    if (f.size() != 7) continue;
    cases.push_back({number, f[0], f[1], f[2], f[4], f[5], f[6], f[3] == "1"});
  }
  return cases;
}

CellValue ValueOf(const Expectation& c) {
  if (c.kind == "n") return std::strtod(c.value.c_str(), nullptr);
  if (c.kind == "b") return c.value == "True";
  return c.value;
}

TEST(NumfmtLibreOffice, AgreesWithRecordedRendering) {
  const auto cases = ReadExpectations();
  ASSERT_GT(cases.size(), 500u) << "expectations.tsv missing or short";
  for (const auto& c : cases) {
    EXPECT_EQ(DisplayText(ValueOf(c), c.code, c.date1904), c.expected)
        << "expectations.tsv line " << c.line << ": " << c.kind << " " << c.value << " code "
        << c.code << (c.date1904 ? " (1904)" : "") << " LibreOffice \"" << c.libreoffice << "\""
        << (c.note.empty() ? "" : " Excel: " + c.note);
  }
}

}  // namespace
}  // namespace tabulo::spreadsheet
