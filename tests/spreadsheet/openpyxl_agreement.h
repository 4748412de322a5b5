#pragma once
// Checks a workbook model against what openpyxl reads from the same .xlsx file
// (fixtures/openpyxl_dump.py): sheets, used ranges, merged areas, row heights,
// column widths, protection and, for every cell openpyxl lists, value, font,
// borders and alignment.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>

#include "python_tool.h"
#include "workbook_dump.h"

namespace tabulo::spreadsheet::testing {

inline void ExpectAgreesWithOpenpyxl(const Workbook& book, const std::filesystem::path& file) {
  std::istringstream reference(RunFixtureScript("openpyxl_dump.py", {file.string()}));
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
    expectedCells[{std::stoul(sheet), ParseA1(name).first}] = line;
  }
  std::sort(expectedSheetLines.begin(), expectedSheetLines.end());
  EXPECT_EQ(SheetLines(book), expectedSheetLines);

  int mismatches = 0;
  for (const auto& [key, expected] : expectedCells) {
    const std::string actual = CellLine(book, key.first, key.second);
    if (actual != expected && ++mismatches <= 10)
      ADD_FAILURE() << "openpyxl: " << expected << "\n     ours: " << actual;
  }
  EXPECT_EQ(mismatches, 0);
  for (std::size_t s = 0; s < book.sheets.size(); ++s)
    for (const auto& [at, cell] : book.sheets[s].cells)
      EXPECT_TRUE(expectedCells.count({s, at}))
          << "sheet " << s << " cell " << CellName(at) << " only in our reading";
}

}  // namespace tabulo::spreadsheet::testing
