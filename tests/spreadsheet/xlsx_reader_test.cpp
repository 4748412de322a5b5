// The .xlsx reader on fixtures made by openpyxl and written part by part, and on
// damaged files.
#include "spreadsheet/xlsx_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fixture_dir.h"
#include "openpyxl_agreement.h"

namespace tabulo::spreadsheet {
namespace {

namespace fs = std::filesystem;

class XlsxReader : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new testing::TempDir("xlsx-fixtures");
    testing::RunFixtureScript("make_xlsx_fixtures.py", {dir_->path().string()});
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  static fs::path Fixture(const std::string& name) { return *dir_ / name; }
  static testing::TempDir* dir_;
};
testing::TempDir* XlsxReader::dir_ = nullptr;

TEST_F(XlsxReader, FeaturesAgreeWithOpenpyxl) {
  testing::ExpectAgreesWithOpenpyxl(ReadXlsx(Fixture("features.xlsx")), Fixture("features.xlsx"));
}

TEST_F(XlsxReader, FeaturesOpenpyxlCannotTell) {
  const Workbook book = ReadXlsx(Fixture("features.xlsx"));
  EXPECT_EQ(book.activeSheet, 1u);
  EXPECT_TRUE(book.date1904);
  EXPECT_EQ(book.palette[6], 0xFF8000u);  // the file's own palette
  const Worksheet& sheet = book.sheets.at(1);
  EXPECT_TRUE(sheet.protection.hasPassword);
  EXPECT_NE(sheet.protection.passwordHash, 0);
  EXPECT_EQ(sheet.defaultColumnPixels, 64);
  EXPECT_EQ(sheet.defaultRowHeight, 15);
  const CellFormat& b1 = book.formats[sheet.cells.at({1, 2}).format];
  EXPECT_EQ(b1.numberFormat, "0.000");
  const CellFormat& e1 = book.formats[sheet.cells.at({1, 5}).format];
  EXPECT_EQ(e1.numberFormat, "m/d/yyyy");  // built-in 14 as the spreadsheet shows it
  EXPECT_EQ(e1.fillColorIndex, 6);
  EXPECT_EQ(e1.font.colorIndex, 7);  // indexed 14 stays index 7 whatever its colour
  // A diagonal without a direction draws nothing: that cell's format is the default.
  EXPECT_FALSE(sheet.cells.count({2, 3}));
  for (std::size_t i = 0; i < book.formats.size(); ++i)
    for (std::size_t j = i + 1; j < book.formats.size(); ++j)
      EXPECT_FALSE(book.formats[i] == book.formats[j]) << "formats " << i << " and " << j;
}

TEST_F(XlsxReader, HandWrittenParts) {
  const Workbook book = ReadXlsx(Fixture("handmade.xlsx"));
  ASSERT_EQ(book.sheets.size(), 2u);
  EXPECT_EQ(book.sheets[0].name, "Chart");
  EXPECT_TRUE(book.sheets[0].cells.empty());
  EXPECT_EQ(book.activeSheet, 1u);
  const Worksheet& data = book.sheets[1];
  EXPECT_EQ(data.defaultColumnPixels, 80);          // baseColWidth 10: 75 pixels, rounded up to 8s
  EXPECT_EQ(book.formats[0].font.name, "Calibri");  // no styles part
  const std::pair<const char*, CellValue> expected[] = {
      {"A1", std::string("Bold and plain")},      // runs joined, phonetic text left out
      {"B1", std::string("line\rbreak_x0041_")},  // escapes decoded, _x005F_ is "_"
      {"C1", std::string("inline")},
      {"B3", false},
      {"C3", ErrorValue{"#N/A"}},
      {"D3", std::string("cached")},
      {"E3", 61.5},  // 1900-03-01 12:00
      {"F3", -0.0015},
  };
  for (const auto& [name, value] : expected) {
    SCOPED_TRACE(name);
    auto it = data.cells.find(ParseA1(name).first);
    ASSERT_NE(it, data.cells.end());
    EXPECT_EQ(it->second.value, value);
  }
  EXPECT_TRUE(data.cells.at(ParseA1("D3").first).hasFormula);
  EXPECT_EQ(data.cells.size(), std::size(expected));
}

// Damaged and foreign files give a FileError naming the file, never a crash.
TEST_F(XlsxReader, DamagedFilesGiveClearErrors) {
  testing::TempDir dir;
  std::ifstream in(Fixture("features.xlsx"), std::ios::binary);
  const std::string good((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto write = [&](const std::string& name, const std::string& bytes) {
    std::ofstream(dir / name, std::ios::binary) << bytes;
    return dir / name;
  };
  struct Case {
    std::string name;
    std::string bytes;
    std::string reason;  // part of the message
  };
  std::vector<Case> cases = {
      {"empty.xlsx", "", "not a zip archive"},
      {"text.xlsx", "just some text, not a workbook\n", "not a zip archive"},
      {"ole.xlsx", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(504, '\0'),
       "not a zip archive"},
      {"half.xlsx", good.substr(0, good.size() / 2), "not a zip archive"},
      {"short-tail.xlsx", good.substr(0, good.size() - 10), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path file = write(c.name, c.bytes);
    try {
      ReadXlsx(file);
      ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
      EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
    }
  }
  // Bytes flipped anywhere: read or refused with a FileError, nothing else.
  for (std::size_t at = 0; at < good.size(); at += good.size() / 97 + 1) {
    std::string bytes = good;
    bytes[at] = static_cast<char>(~bytes[at]);
    const fs::path file = write("flipped.xlsx", bytes);
    try {
      ReadXlsx(file);
    } catch (const FileError& e) {
      EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(ReadXlsx(dir / "missing.xlsx"), FileError);
  EXPECT_THROW(ReadXlsx(dir.path()), FileError);
}

TEST_F(XlsxReader, BrokenPartsNameThePartAndTheReason) {
  testing::TempDir dir;
  const std::string script = R"(
import sys, zipfile
src, dst, mode = sys.argv[1:4]
with zipfile.ZipFile(src) as z:
    parts = {n: z.read(n) for n in z.namelist()}
if mode == 'xml':
    parts['xl/worksheets/sheet2.xml'] = parts['xl/worksheets/sheet2.xml'][:-40]
elif mode == 'nosheet':
    del parts['xl/worksheets/sheet2.xml']
elif mode == 'noworkbook':
    del parts['xl/workbook.xml']
elif mode == 'badref':
    parts['xl/worksheets/sheet2.xml'] = parts['xl/worksheets/sheet2.xml'].replace(b'r="B1"', b'r="B1x"')
with zipfile.ZipFile(dst, 'w') as z:
    for n, d in parts.items():
        z.writestr(n, d)
)";
  std::ofstream(dir / "break.py") << script;
  const std::pair<const char*, const char*> cases[] = {
      {"xml", "xl/worksheets/sheet2.xml\" is not well-formed XML"},
      {"nosheet", "xl/worksheets/sheet2.xml\" is missing"},
      {"noworkbook", "xl/workbook.xml\" is missing"},
      {"badref", "\"B1x\""},
  };
  for (auto [mode, reason] : cases) {
    SCOPED_TRACE(mode);
    const fs::path file = dir / (std::string(mode) + ".xlsx");
    const std::string command = "/usr/bin/python3 " +
                                testing::ShellQuote((dir / "break.py").string()) + " " +
                                testing::ShellQuote(Fixture("features.xlsx").string()) + " " +
                                testing::ShellQuote(file.string()) + " " + mode;
    ASSERT_EQ(std::system(command.c_str()), 0);
    try {
      ReadXlsx(file);
      ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
      EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace tabulo::spreadsheet
