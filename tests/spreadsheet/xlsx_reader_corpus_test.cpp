// Every .xlsx of the shared corpus read by our reader and by openpyxl: sheets,
// used ranges, merged areas, row heights, column widths, protection and, for every
// cell openpyxl lists, value, font, borders and alignment must agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "python_tool.h"
#include "spreadsheet/xlsx_reader.h"
#include "workbook_dump.h"

namespace tabulo::spreadsheet {
namespace {

std::vector<std::string> CorpusWorkbooks() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(TABULO_CORPUS_DIR))
    if (entry.path().extension() == ".xlsx") files.push_back(entry.path().filename().string());
  std::sort(files.begin(), files.end());
  return files;
}

class XlsxCorpus : public ::testing::TestWithParam<std::string> {};

TEST_P(XlsxCorpus, AgreesWithOpenpyxl) {
  const std::filesystem::path file = std::filesystem::path(TABULO_CORPUS_DIR) / GetParam();
  const Workbook book = ReadXlsx(file);
  std::istringstream reference(testing::RunFixtureScript("openpyxl_dump.py", {file.string()}));

  std::vector<std::string> expectedSheetLines;
  std::map<std::pair<std::size_t, CellRef>, std::string> expectedCells;
  for (std::string line; std::getline(reference, line);) {
    if (line.rfind("cell ", 0) != 0) {
      expectedSheetLines.push_back(line);
      continue;
    }
    std::istringstream fields(line);
    std::string word, sheet, name;
    fields >> word >> sheet >> name;
    const RangeRef at = ParseA1(name);
    expectedCells[{std::stoul(sheet), at.first}] = line;
  }
  std::sort(expectedSheetLines.begin(), expectedSheetLines.end());
  EXPECT_EQ(testing::SheetLines(book), expectedSheetLines);

  int mismatches = 0;
  for (const auto& [key, expected] : expectedCells) {
    const std::string actual = testing::CellLine(book, key.first, key.second);
    if (actual != expected && ++mismatches <= 10)
      ADD_FAILURE() << "expected: " << expected << "\n  actual: " << actual;
  }
  EXPECT_EQ(mismatches, 0);
  // Nothing openpyxl does not see either.
  for (std::size_t s = 0; s < book.sheets.size(); ++s)
    for (const auto& [at, cell] : book.sheets[s].cells)
      EXPECT_TRUE(expectedCells.count({s, at}))
          << "sheet " << s << " cell " << testing::CellName(at) << " only in our reading";
}

INSTANTIATE_TEST_SUITE_P(Corpus, XlsxCorpus, ::testing::ValuesIn(CorpusWorkbooks()),
                         [](const auto& info) {
                           std::string name = info.param.substr(0, info.param.rfind('.'));
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
}  // namespace tabulo::spreadsheet
