// The .xlsx writer: what it writes is read back by openpyxl and by our reader.
#include "spreadsheet/xlsx_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fixture_dir.h"
#include "python_tool.h"
#include "spreadsheet/format_interner.h"
#include "spreadsheet/xlsx_reader.h"
#include "workbook_dump.h"

namespace tabulo::spreadsheet {
namespace {

namespace fs = std::filesystem;

using testing::TempDir;

Border Line(std::int32_t style, std::int32_t weight, std::int32_t color) {
  return Border{style, weight, color};
}

// A sheet like the one the load fills: texts and numbers with fonts, colours,
// borders (every line style the writer maps, and diagonals), alignments, wrapping,
// merged areas, row heights and column widths.
Workbook SampleWorkbook() {
  Workbook book;
  FormatInterner formats(book);
  Worksheet& sheet = book.sheets.emplace_back();
  sheet.name = "Table";
  sheet.defaultRowHeight = 15;

  CellFormat title;
  title.font = Font{"Times New Roman", 14, 3, true, false, false, false};
  title.horizontalAlignment = xl::kHAlignCenter;
  title.verticalAlignment = xl::kVAlignCenter;
  title.borders[BorderSlot(xl::kEdgeTop)] = Line(xl::kContinuous, xl::kThick, 5);
  title.borders[BorderSlot(xl::kEdgeBottom)] = Line(xl::kDouble, xl::kThick, 10);
  sheet.cells[{1, 1}] = Cell{std::string("Quarterly report"), formats.intern(title)};
  sheet.mergedAreas.push_back(ParseA1("A1:D1"));
  // A covered cell keeps its own format, as the spreadsheet keeps it.
  CellFormat covered;
  covered.borders[BorderSlot(xl::kEdgeRight)] = Line(xl::kContinuous, xl::kMedium, 1);
  sheet.cells[{1, 4}] = Cell{std::monostate{}, formats.intern(covered)};

  const std::pair<std::int32_t, std::int32_t> lines[] = {
      {xl::kContinuous, xl::kHairline}, {xl::kContinuous, xl::kThin},
      {xl::kContinuous, xl::kMedium},   {xl::kDash, xl::kThin},
      {xl::kDash, xl::kMedium},         {xl::kDot, xl::kThin},
      {xl::kDashDot, xl::kThin},        {xl::kDashDot, xl::kMedium},
      {xl::kDashDotDot, xl::kThin},     {xl::kDashDotDot, xl::kMedium},
      {xl::kSlantDashDot, xl::kMedium},
  };
  std::int32_t row = 2;
  for (auto [style, weight] : lines) {
    CellFormat f;
    f.font = Font{"Arial", 10, 46, false, row % 2 == 0, row % 3 == 0, row == 4};
    f.borders[BorderSlot(xl::kEdgeLeft)] = Line(style, weight, 12);
    f.borders[BorderSlot(xl::kEdgeRight)] = Line(style, weight, 53);
    f.horizontalAlignment = row % 2 ? xl::kHAlignRight : xl::kHAlignLeft;
    f.verticalAlignment = row % 2 ? xl::kVAlignTop : xl::kVAlignBottom;
    f.numberFormat = row % 2 ? "0.00" : "General";
    sheet.cells[{row, 2}] = Cell{row * 1.25, formats.intern(f)};
    ++row;
  }
  CellFormat diagonals;
  diagonals.borders[BorderSlot(xl::kDiagonalDown)] = Line(xl::kContinuous, xl::kThin, 3);
  diagonals.borders[BorderSlot(xl::kDiagonalUp)] = Line(xl::kContinuous, xl::kThin, 3);
  sheet.cells[{row, 1}] = Cell{std::monostate{}, formats.intern(diagonals)};
  CellFormat up;
  up.borders[BorderSlot(xl::kDiagonalUp)] = Line(xl::kDash, xl::kMedium, 45);
  up.wrapText = true;
  up.font.colorIndex = 32;  // the same blue as 5: the index itself must survive
  sheet.cells[{row, 2}] = Cell{std::string("two\nlines"), formats.intern(up)};
  sheet.cells[{row, 3}] = Cell{true, 0};
  sheet.cells[{row, 4}] = Cell{std::string("-12.5"), 0};  // a text stays a text
  sheet.mergedAreas.push_back(RangeRef{{row + 1, 1}, {row + 2, 3}});
  sheet.cells[{row + 1, 1}] = Cell{-0.000125, formats.intern(title)};

  sheet.rowHeights = {{1, 27.75}, {3, 6}, {5, 409.5}};
  sheet.hiddenRows[6] = true;
  sheet.columnPixels = {{1, 120}, {2, 9}, {3, 0}, {4, 64}, {5, 1000}};
  return book;
}

TEST(XlsxWriter, OpenpyxlReadsWhatWasWritten) {
  TempDir dir;
  const Workbook book = SampleWorkbook();
  WriteXlsx(book, dir / "out.xlsx");
  std::istringstream reference(
      testing::RunFixtureScript("openpyxl_dump.py", {(dir / "out.xlsx").string()}));
  std::vector<std::string> expectedSheet, expectedCells;
  for (std::string line; std::getline(reference, line);)
    (line.rfind("cell ", 0) == 0 ? expectedCells : expectedSheet).push_back(line);
  std::sort(expectedSheet.begin(), expectedSheet.end());

  EXPECT_EQ(expectedSheet, testing::SheetLines(book));

  std::vector<std::string> cellLines;
  for (const auto& [at, cell] : book.sheets[0].cells)
    cellLines.push_back(testing::CellLine(book, 0, at));
  EXPECT_EQ(expectedCells, cellLines);
}

TEST(XlsxWriter, OurReaderReadsBackTheSameModel) {
  TempDir dir;
  const Workbook book = SampleWorkbook();
  WriteXlsx(book, dir / "out.xlsx");
  const Workbook back = ReadXlsx(dir / "out.xlsx");
  ASSERT_EQ(back.sheets.size(), 1u);
  const Worksheet& sheet = back.sheets[0];
  const Worksheet& original = book.sheets[0];
  EXPECT_EQ(sheet.name, "Table");
  EXPECT_EQ(sheet.columnPixels, original.columnPixels);
  EXPECT_EQ(sheet.mergedAreas, original.mergedAreas);
  for (const auto& [r, h] : original.rowHeights) EXPECT_EQ(sheet.rowHeights.at(r), h) << r;
  EXPECT_TRUE(sheet.hiddenRows.at(6));
  ASSERT_EQ(sheet.cells.size(), original.cells.size());
  for (const auto& [at, cell] : original.cells) {
    SCOPED_TRACE(testing::CellName(at));
    const Cell& read = sheet.cells.at(at);
    EXPECT_EQ(read.value, cell.value);
    EXPECT_EQ(back.formats[read.format], book.formats[cell.format]);
  }
  // Equal formats are written once.
  std::set<std::uint32_t> used;
  for (const auto& [at, cell] : sheet.cells) used.insert(cell.format);
  std::set<std::uint32_t> usedOriginal;
  for (const auto& [at, cell] : original.cells) usedOriginal.insert(cell.format);
  EXPECT_EQ(used.size(), usedOriginal.size());
}

TEST(XlsxWriter, ColumnWidthsInPixelsSurviveTheRoundTrip) {
  TempDir dir;
  Workbook book;
  Worksheet& sheet = book.sheets.emplace_back();
  sheet.name = "Widths";
  for (std::int32_t px = 1; px <= 400; ++px) sheet.columnPixels[px] = px;
  WriteXlsx(book, dir / "widths.xlsx");
  EXPECT_EQ(ReadXlsx(dir / "widths.xlsx").sheets[0].columnPixels, sheet.columnPixels);
}

TEST(XlsxWriter, DefaultRowHeightAndColumnWidthAreKept) {
  TempDir dir;
  Workbook book;
  Worksheet& sheet = book.sheets.emplace_back();
  sheet.name = "Defaults";
  sheet.defaultRowHeight = 12.75;
  sheet.defaultColumnPixels = 80;
  sheet.columnPixels[2] = 30;
  sheet.cells[{3, 3}] = Cell{1.0, 0};
  WriteXlsx(book, dir / "defaults.xlsx");
  const Worksheet back = ReadXlsx(dir / "defaults.xlsx").sheets[0];
  EXPECT_EQ(back.defaultRowHeight, 12.75);
  EXPECT_EQ(back.columnPixels.at(1), 80);
  EXPECT_EQ(back.columnPixels.at(2), 30);
  EXPECT_EQ(back.columnPixels.at(3), 80);
}

TEST(XlsxWriter, WritesOneSheetOrAllAndKeepsTheActiveSheet) {
  TempDir dir;
  Workbook book;
  for (const char* name : {"First", "Second", "Third"}) {
    Worksheet& sheet = book.sheets.emplace_back();
    sheet.name = name;
    sheet.cells[{1, 1}] = Cell{std::string(name), 0};
  }
  book.activeSheet = 2;
  WriteXlsx(book, dir / "all.xlsx");
  const Workbook all = ReadXlsx(dir / "all.xlsx");
  ASSERT_EQ(all.sheets.size(), 3u);
  EXPECT_EQ(all.activeSheet, 2u);

  WriteXlsx(book, 1, dir / "one.xlsx");
  const Workbook one = ReadXlsx(dir / "one.xlsx");
  ASSERT_EQ(one.sheets.size(), 1u);
  EXPECT_EQ(one.sheets[0].name, "Second");
  EXPECT_EQ(one.sheets[0].cells.at({1, 1}).value, CellValue(std::string("Second")));
  EXPECT_THROW(WriteXlsx(book, 3, dir / "none.xlsx"), FileError);
}

TEST(XlsxWriter, FailureLeavesTheExistingFileAndNoTemporaryFile) {
  TempDir dir;
  const fs::path target = dir / "keep.xlsx";
  std::ofstream(target) << "previous content";
  Workbook book;
  book.sheets.emplace_back().name = "bad/name";
  try {
    WriteXlsx(book, target);
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find(target.string()), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("bad/name"), std::string::npos) << e.what();
  }
  std::ifstream in(target);
  std::string content;
  std::getline(in, content);
  EXPECT_EQ(content, "previous content");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(XlsxWriter, UnwritableTargetNamesTheFile) {
  TempDir dir;
  Workbook book;
  book.sheets.emplace_back().name = "Sheet1";
  const fs::path target = dir / "missing-folder" / "out.xlsx";
  try {
    WriteXlsx(book, target);
    FAIL() << "no error";
  } catch (const FileError& e) {
    EXPECT_NE(std::string(e.what()).find(target.string()), std::string::npos) << e.what();
  }
}

TEST(XlsxWriter, LibreOfficeOpensTheFile) {
  if (!fs::exists("/usr/bin/soffice")) GTEST_SKIP() << "LibreOffice is not installed";
  TempDir dir;
  WriteXlsx(SampleWorkbook(), dir / "out.xlsx");
  const std::string command =
      "cd " + testing::ShellQuote(dir.path().string()) +
      " && HOME=" + testing::ShellQuote(dir.path().string()) +
      " /usr/bin/soffice --headless --convert-to csv out.xlsx >/dev/null 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream csv(dir / "out.csv");
  std::string first;
  std::getline(csv, first);
  EXPECT_EQ(first, "Quarterly report,,,");
}

}  // namespace
}  // namespace tabulo::spreadsheet
