// The .ods reader on a document LibreOffice wrote, on one written part by part,
// and on damaged files.
#include "spreadsheet/ods_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fixture_dir.h"
#include "workbook_dump.h"

namespace tabulo::spreadsheet {
namespace {

namespace fs = std::filesystem;

const fs::path kLibreOfficeFixture =
    fs::path(TABULO_SOURCE_DIR) / "tests/spreadsheet/fixtures/libreoffice/formats.ods";

class OdsReader : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new testing::TempDir("ods-fixtures");
    testing::RunFixtureScript("make_ods_handmade.py", {dir_->path().string()});
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  static fs::path Fixture(const std::string& name) { return *dir_ / name; }
  static testing::TempDir* dir_;
};
testing::TempDir* OdsReader::dir_ = nullptr;

void ExpectCells(const Workbook& book, std::size_t sheet,
                 const std::vector<std::pair<std::string, std::string>>& expected) {
  for (const auto& [name, line] : expected) {
    SCOPED_TRACE(name);
    EXPECT_EQ(testing::CellLine(book, sheet, ParseA1(name).first),
              "cell " + std::to_string(sheet) + " " + name + " " + line);
  }
  EXPECT_EQ(book.sheets[sheet].cells.size(), expected.size());
}

// fixtures/make_ods_fixtures.py made this workbook; LibreOffice saved it as .ods.
TEST_F(OdsReader, DocumentWrittenByLibreOffice) {
  const Workbook book = ReadOds(kLibreOfficeFixture);
  ASSERT_EQ(book.sheets.size(), 2u);
  EXPECT_EQ(book.sheets[0].name, "Numbers");
  const Worksheet& sheet = book.sheets[1];
  EXPECT_EQ(sheet.name, "Formats");
  EXPECT_EQ(sheet.mergedAreas, std::vector<RangeRef>{ParseA1("A1:C2")});
  EXPECT_EQ(sheet.defaultRowHeight, 15);
  EXPECT_EQ(sheet.rowHeights, (std::map<std::int32_t, double>{{3, 30}}));
  EXPECT_EQ(sheet.hiddenRows, (std::map<std::int32_t, bool>{{4, true}}));
  // LibreOffice keeps widths as lengths: 2.4307in and 0.389in at 96 dpi.
  EXPECT_EQ(sheet.columnPixels, (std::map<std::int32_t, std::int32_t>{{1, 233}, {3, 37}, {6, 0}}));
  EXPECT_EQ(sheet.defaultColumnPixels, 80);

  const std::string plain = "Calibri|11|1|0|0|0|0";
  const std::string none =
      "-4142/2/-4105 -4142/2/-4105 -4142/2/-4105 -4142/2/-4105 -4142/2/-4105 -4142/2/-4105";
  const std::string general = "1 -4107 0";
  auto box = [](const std::string& edge) {
    return "-4142/2/-4105 -4142/2/-4105 " + edge + " " + edge + " " + edge + " " + edge;
  };
  ExpectCells(book, 1,
              {
                  {"A1", "s:Title across\tDejaVu Serif|14|3|1|0|0|0\t" + none + "\t-4108 -4108 0"},
                  {"A3", "s:wrapped text in a cell\tLiberation Mono|9|5|0|1|1|0\t" + none +
                             "\t-4131 -4160 1"},
                  {"B3", "n:1234.5\t" + plain + "\t" + none + "\t-4152 -4107 0"},
                  {"C3", "n:0.25\t" + plain + "\t" + none + "\t" + general},
                  {"D3", "n:1\t" + plain + "\t" + none + "\t" + general},  // =TRUE()
                  {"E3", "n:40000\t" + plain + "\t" + none + "\t" + general},
                  {"F3", "e:#DIV/0!\t" + plain + "\t" + none + "\t" + general},
                  {"B5", "s:thin\t" + plain + "\t" + box("1/2/1") + "\t" + general},
                  {"B7", "s:medium\t" + plain + "\t" + box("1/-4138/10") + "\t" + general},
                  {"B9", "s:thick\t" + plain + "\t" + box("1/4/13") + "\t" + general},
                  {"B11", "s:double\t" + plain + "\t" + box("-4119/4/5") + "\t" + general},
                  {"B13", "s:dashed\t" + plain + "\t" + box("-4115/2/46") + "\t" + general},
                  {"B15", "s:dotted\t" + plain + "\t" + box("-4118/2/18") + "\t" + general},
                  {"B17", "s:hair\t" + plain + "\t" + box("1/1/16") + "\t" + general},
                  {"D5", "-\t" + plain +
                             "\t1/2/3 -4142/2/-4105 -4142/2/-4105 -4142/2/-4105 -4142/2/-4105 "
                             "-4142/2/-4105\t" +
                             general},
                  {"D7", "-\t" + plain +
                             "\t-4142/2/-4105 1/-4138/5 -4142/2/-4105 -4142/2/-4105 -4142/2/-4105 "
                             "-4142/2/-4105\t" +
                             general},
                  {"D9", "-\t" + plain +
                             "\t1/2/1 1/2/1 -4142/2/-4105 -4142/2/-4105 -4142/2/-4105 "
                             "-4142/2/-4105\t" +
                             general},
                  {"E5", "s:multi\\nline\t" + plain + "\t" + none + "\t" + general},
              });
  auto format = [&](const char* name) {
    return book.formats[sheet.cells.at(ParseA1(name).first).format];
  };
  EXPECT_EQ(format("B3").numberFormat, "#,##0.00");
  EXPECT_EQ(format("C3").numberFormat, "0%");
  EXPECT_EQ(format("E3").numberFormat, "yyyy-mm-dd");
  EXPECT_EQ(format("E5").fillColorIndex, 6);
  EXPECT_TRUE(sheet.cells.at(ParseA1("F3").first).hasFormula);
}

TEST_F(OdsReader, HandWrittenDocument) {
  const Workbook book = ReadOds(Fixture("handmade.ods"));
  ASSERT_EQ(book.sheets.size(), 2u);
  EXPECT_EQ(book.activeSheet, 1u);  // settings.xml
  EXPECT_TRUE(book.date1904);
  EXPECT_EQ(book.formats[0].font.name, "DejaVu Sans");  // font face, quotes dropped
  const Worksheet& sheet = book.sheets[1];
  EXPECT_TRUE(sheet.protection.isProtected);
  EXPECT_TRUE(sheet.protection.hasPassword);
  EXPECT_EQ(sheet.mergedAreas, std::vector<RangeRef>{ParseA1("A1:B2")});
  // 2.54cm is 96 pixels, 36pt 48; the most common width is the default.
  EXPECT_EQ(sheet.defaultColumnPixels, 96);
  EXPECT_EQ(sheet.columnPixels, (std::map<std::int32_t, std::int32_t>{{2, 48}, {3, 48}, {4, 0}}));
  // 0.5cm (14.17pt) and 10mm (28.35pt) as whole pixels.
  EXPECT_EQ(sheet.defaultRowHeight, 14.25);
  EXPECT_EQ(sheet.rowHeights, (std::map<std::int32_t, double>{{1, 28.5}}));
  EXPECT_EQ(sheet.hiddenRows, (std::map<std::int32_t, bool>{{4, true}}));

  const std::string font = "DejaVu Sans|10|-4105|0|0|0|0";
  const std::string none =
      "-4142/2/-4105 -4142/2/-4105 -4142/2/-4105 -4142/2/-4105 -4142/2/-4105 -4142/2/-4105";
  const std::string general = "1 -4107 0";
  const std::string day = "n:2.25\tDejaVu Sans|10|-4105|0|1|0|1\t" + none + "\t" + general;
  const std::string elapsed = "n:1.1041666666666665\t" + font + "\t" + none + "\t" + general;
  ExpectCells(book, 1,
              {
                  // Paragraphs joined by line feeds; spaces, tabs and breaks kept. The left
                  // edge overrides the parent style's red box.
                  {"A1",
                   "s:a   b\\tc\\nsecond\\nthird\tDejaVu Sans|10|10|1|0|0|0\t"
                   "-4142/2/-4105 -4142/2/-4105 -4115/-4138/5 1/2/3 1/2/3 1/2/3\t"
                   "-4108 -4108 1"},
                  {"C1", "n:-1234.5\t" + font + "\t" + none + "\t" + general},
                  {"C2", elapsed},  // repeated row
                  {"D2", day},
                  {"E2", "-\t" + font + "\t" + none + "\t" + general},
                  {"F2", "-\t" + font + "\t" + none + "\t" + general},
                  {"C3", elapsed},
                  {"D3", day},
                  {"E3", "-\t" + font + "\t" + none + "\t" + general},
                  {"F3", "-\t" + font + "\t" + none + "\t" + general},
                  {"A4", "b:1\t" + font + "\t" + none + "\t" + general},
                  {"B4", "e:#DIV/0!\t" + font + "\t" + none + "\t" + general},
                  {"C4", "n:0.0025000000000000001\t" + font + "\t" + none + "\t" + general},
              });
  auto format = [&](const char* name) {
    return book.formats[sheet.cells.at(ParseA1(name).first).format];
  };
  EXPECT_EQ(format("C1").numberFormat, "#,##0.00;-#,##0.00\" EUR\"");
  EXPECT_EQ(format("C2").numberFormat, "[h]:mm");
  EXPECT_EQ(format("D2").numberFormat, "dddd, d. mmmm yyyy");
  // Empty cells that only repeat their column's default style are not listed: the
  // column's format answers for them, as for B4 whose value sits in such a column.
  EXPECT_EQ(format("B4").fillColorIndex, 6);
  EXPECT_EQ(book.formats[sheet.columnFormats.at(2)].fillColorIndex, 6);
  EXPECT_FALSE(sheet.cells.count(ParseA1("B3").first));
}

TEST_F(OdsReader, DamagedAndForeignFilesGiveClearErrors) {
  testing::TempDir dir;
  std::ifstream in(kLibreOfficeFixture, std::ios::binary);
  const std::string good((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto write = [&](const std::string& name, const std::string& bytes) {
    std::ofstream(dir / name, std::ios::binary) << bytes;
    return dir / name;
  };
  const std::vector<std::pair<fs::path, std::string>> cases = {
      {write("empty.ods", ""), "not a zip archive"},
      {write("half.ods", good.substr(0, good.size() / 2)), "not a zip archive"},
      {Fixture("other.odt"), "not a spreadsheet"},
      {Fixture("badxml.ods"), "\"content.xml\" is not well-formed XML"},
  };
  for (const auto& [file, reason] : cases) {
    SCOPED_TRACE(file.filename().string());
    try {
      ReadOds(file);
      ADD_FAILURE() << "no error";
    } catch (const FileError& e) {
      EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
    }
  }
  for (std::size_t at = 0; at < good.size(); at += good.size() / 97 + 1) {
    std::string bytes = good;
    bytes[at] = static_cast<char>(~bytes[at]);
    const fs::path file = write("flipped.ods", bytes);
    try {
      ReadOds(file);
    } catch (const FileError& e) {
      EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace tabulo::spreadsheet
