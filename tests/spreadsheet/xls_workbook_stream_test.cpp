// A workbook stream read into the model: the records xlwt never writes (LABEL,
// RSTRING, MULRK, STRING, every FORMULA result), layout rules, XF resolution, the
// active sheet, and the errors that name what is wrong with a stream.
#include <gtest/gtest.h>

#include "spreadsheet/xls/biff_error.h"
#include "spreadsheet/xls/workbook_stream.h"
#include "xls_test_support.h"

namespace tabulo::spreadsheet::xls {
namespace {

using namespace xls_test;

Bytes Cell(std::uint16_t row, std::uint16_t column, std::uint16_t xf = 15) {
  return Bytes().u16(row).u16(column).u16(xf);
}

// Formula result bytes for a non-number: type, value, 0xFFFF.
Bytes Formula(std::uint16_t row, std::uint16_t column, std::uint8_t type, std::uint8_t value) {
  return Cell(row, column).u8(type).u8(0).u8(value).u8(0).u16(0).u16(0xFFFF).u16(0).u32(0).u16(0);
}

// Sixteen XFs with font 0: the 15 style XFs and the default cell XF.
std::vector<std::vector<std::uint8_t>> BasicGlobals() {
  std::vector<std::vector<std::uint8_t>> records = {FontRecord("Arial")};
  for (int i = 0; i < 16; ++i) records.push_back(XfRecord(0));
  return records;
}

Workbook Read(const std::vector<std::uint8_t>& stream) {
  return ReadWorkbookStream(stream);
}

Workbook ReadOneSheet(const std::vector<std::vector<std::uint8_t>>& sheetRecords,
                      std::vector<std::vector<std::uint8_t>> globals = BasicGlobals()) {
  return Read(BuildStream(globals, {{"Sheet1", sheetRecords}}));
}

TEST(XlsWorkbookStream, EveryKindOfCellRecord) {
  auto globals = BasicGlobals();
  globals.push_back(Rec(0x00FC, Bytes().u32(1).u32(1).string16("shared")));
  const Workbook book = ReadOneSheet(
      {
          Rec(0x00FD, Cell(0, 0).u32(0)),                          // LABELSST
          Rec(0x0204, Cell(0, 1).string16("label")),               // LABEL
          Rec(0x00D6, Cell(0, 2).string16("rich").u16(1).u32(0)),  // RSTRING
          Rec(0x0203, Cell(1, 0).f64(-2.5)),                       // NUMBER
          Rec(0x027E, Cell(1, 1).u32((7u << 2) | 2)),              // RK
          Rec(0x00BD,
              Bytes().u16(2).u16(3).u16(15).u32((1u << 2) | 2).u16(15).u32(0x3FF00001).u16(4)),
          Rec(0x0205, Cell(3, 0).u8(1).u8(0)),                        // BOOLERR true
          Rec(0x0205, Cell(3, 1).u8(0x07).u8(1)),                     // BOOLERR #DIV/0!
          Rec(0x0006, Cell(4, 0).f64(3.0).u16(0).u32(0).u16(0)),      // FORMULA number
          Rec(0x0006, Formula(4, 1, 0, 0)),                           // string result...
          Rec(0x04BC, Bytes().u32(0).u16(0).u16(0)),                  // ...past a SHRFMLA...
          Rec(0x0207, Bytes().string16("from STRING")),               // ...in STRING
          Rec(0x0006, Formula(4, 2, 1, 1)),                           // Boolean result
          Rec(0x0006, Formula(4, 3, 2, 0x2A)),                        // error result
          Rec(0x0006, Formula(4, 4, 3, 0)),                           // empty string result
          Rec(0x0201, Cell(5, 0)),                                    // BLANK
          Rec(0x00BE, Bytes().u16(5).u16(2).u16(15).u16(15).u16(3)),  // MULBLANK
          Rec(0x0204, Cell(6, 256).string16("beyond column IV")),
          Rec(0x0207, Bytes().string16("a STRING without its FORMULA")),
      },
      globals);
  const auto& cells = book.sheets.at(0).cells;
  auto value = [&](std::int32_t row, std::int32_t column) {
    return cells.at(CellRef{row, column}).value;
  };
  EXPECT_EQ(value(1, 1), CellValue(std::string("shared")));
  EXPECT_EQ(value(1, 2), CellValue(std::string("label")));
  EXPECT_EQ(value(1, 3), CellValue(std::string("rich")));
  EXPECT_EQ(value(2, 1), CellValue(-2.5));
  EXPECT_EQ(value(2, 2), CellValue(7.0));
  EXPECT_EQ(value(3, 4), CellValue(1.0));
  EXPECT_EQ(value(3, 5), CellValue(0.01));
  EXPECT_EQ(value(4, 1), CellValue(true));
  EXPECT_EQ(value(4, 2), CellValue(ErrorValue{"#DIV/0!"}));
  EXPECT_EQ(value(5, 1), CellValue(3.0));
  EXPECT_EQ(value(5, 2), CellValue(std::string("from STRING")));
  EXPECT_EQ(value(5, 3), CellValue(true));
  EXPECT_EQ(value(5, 4), CellValue(ErrorValue{"#N/A"}));
  EXPECT_EQ(value(5, 5), CellValue(std::string()));
  EXPECT_TRUE(cells.at(CellRef{5, 2}).hasFormula);
  EXPECT_FALSE(cells.at(CellRef{4, 1}).hasFormula);
  EXPECT_EQ(value(6, 1), CellValue());
  EXPECT_EQ(value(6, 3), CellValue());
  EXPECT_EQ(value(6, 4), CellValue());
  EXPECT_EQ(cells.size(), 17u);  // nothing beyond column IV
}

TEST(XlsWorkbookStream, RowsColumnsAndTheirDefaults) {
  const Workbook book = ReadOneSheet({
      Rec(0x0225, Bytes().u16(0).u16(300)),  // DEFAULTROWHEIGHT 15 pt
      Rec(0x0055, Bytes().u16(10)),          // DEFCOLWIDTH
      Rec(0x0099, Bytes().u16(12 * 256)),    // STANDARDWIDTH wins
      Rec(0x007D, Bytes().u16(2).u16(256).u16(5 * 256).u16(15).u16(0).u16(0)),
      Rec(0x007D, Bytes().u16(0).u16(0).u16(5 * 256).u16(15).u16(1).u16(0)),  // hidden
      Rec(0x0208, Bytes().u16(0).u16(0).u16(1).u16(500).u32(0).u16(0x0140).u16(15)),
      Rec(0x0208, Bytes().u16(1).u16(0).u16(1).u16(0x8000 | 600).u32(0).u16(0x0100).u16(15)),
      Rec(0x0208, Bytes().u16(2).u16(0).u16(1).u16(400).u32(0).u16(0x0120).u16(15)),
      Rec(0x0208, Bytes().u16(3).u16(0).u16(1).u16(255).u32(0).u16(0x0180).u16(16)),
  });
  const Worksheet& sheet = book.sheets.at(0);
  EXPECT_EQ(sheet.defaultRowHeight, 15.0);
  EXPECT_EQ(sheet.defaultColumnPixels, 84);  // 12 stored characters of 7 pixels
  EXPECT_EQ(sheet.rowHeights, (std::map<std::int32_t, double>{{1, 25.0}, {3, 20.0}, {4, 12.75}}));
  EXPECT_EQ(sheet.hiddenRows, (std::map<std::int32_t, bool>{{3, true}}));
  EXPECT_EQ(sheet.rowFormats.count(4), 1u);
  EXPECT_EQ(sheet.rowFormats.size(), 1u);
  EXPECT_EQ(sheet.columnPixels.size(), 255u);  // A and C..IV
  EXPECT_EQ(sheet.columnPixels.at(1), 0);
  EXPECT_EQ(sheet.columnPixels.at(3), 35);
  EXPECT_EQ(sheet.columnPixels.at(256), 35);
  EXPECT_EQ(sheet.columnPixels.count(2), 0u);
}

TEST(XlsWorkbookStream, DefaultWidthFromDefColWidthAndHiddenDefaultRows) {
  const Workbook book = ReadOneSheet({
      Rec(0x0225, Bytes().u16(0x0002).u16(300)),  // default rows hidden
      Rec(0x0055, Bytes().u16(10)),
  });
  EXPECT_EQ(book.sheets[0].defaultRowHeight, 0.0);
  EXPECT_EQ(book.sheets[0].defaultColumnPixels, 80);
}

TEST(XlsWorkbookStream, MergedAreasDimensionsAndProtection) {
  const Workbook book = ReadOneSheet({
      Rec(0x0200, Bytes().u32(2).u32(10).u16(1).u16(4).u16(0)),
      Rec(0x00E5, Bytes()
                      .u16(3)
                      .u16(0)
                      .u16(1)
                      .u16(0)
                      .u16(3)
                      .u16(5)
                      .u16(4)
                      .u16(0)
                      .u16(0)
                      .u16(2)
                      .u16(2)
                      .u16(0)
                      .u16(300)),  // the 2nd is inverted, the 3rd beyond IV
      Rec(0x0012, Bytes().u16(1)),
      Rec(0x0013, Bytes().u16(0xCE4A)),
  });
  const Worksheet& sheet = book.sheets.at(0);
  EXPECT_EQ(sheet.mergedAreas, (std::vector<RangeRef>{{{1, 1}, {2, 4}}}));
  EXPECT_EQ(sheet.recordedDimensions, (RangeRef{{3, 2}, {10, 4}}));
  EXPECT_TRUE(sheet.protection.isProtected);
  EXPECT_TRUE(sheet.protection.hasPassword);
  EXPECT_EQ(sheet.protection.passwordHash, 0xCE4A);
}

TEST(XlsWorkbookStream, XfRecordsBecomeDeduplicatedFormats) {
  auto globals = std::vector<std::vector<std::uint8_t>>{
      FontRecord("Arial"), FontRecord("Bold", 240, 0x0002, 10, 700, 1), FontRecord("F2"),
      FontRecord("F3"), FontRecord("F5 (the fifth record)", 180, 0x0008, 0x7FFF, 400, 0)};
  for (int i = 0; i < 16; ++i) globals.push_back(XfRecord(0));
  globals.push_back(Rec(0x041E, Bytes().u16(164).string16("0.0\" m\"")));
  // XF 16: bold font, custom format, right/top/wrap, thin red left, double
  // automatic bottom, both diagonals dashed in palette 1, solid fill in palette 5.
  globals.push_back(XfRecord(1, 164, 0x03 | 0x08 | 0x00,
                             0x0001 | (6 << 12) | (10u << 16) | (64u << 23) | 0xC0000000u,
                             (64u << 7) | (8u << 14) | (3u << 21) | (1u << 26), 12));
  globals.push_back(XfRecord(1, 164, 0x03 | 0x08,
                             0x0001 | (6 << 12) | (10u << 16) | (64u << 23) | 0xC0000000u,
                             (64u << 7) | (8u << 14) | (3u << 21) | (1u << 26), 12));
  globals.push_back(XfRecord(5, 14));  // FONT index 5 is the fifth record
  const Workbook book = ReadOneSheet(
      {
          Rec(0x0201, Cell(0, 0, 16)),
          Rec(0x0201, Cell(0, 1, 17)),
          Rec(0x0201, Cell(0, 2, 18)),
          Rec(0x0201, Cell(0, 3, 999)),  // no such XF
          Rec(0x0201, Cell(0, 4, 15)),
      },
      globals);
  const auto& cells = book.sheets.at(0).cells;
  const std::uint32_t styled = cells.at(CellRef{1, 1}).format;
  EXPECT_EQ(cells.at(CellRef{1, 2}).format, styled);
  EXPECT_EQ(cells.at(CellRef{1, 4}).format, 0u);
  EXPECT_EQ(cells.at(CellRef{1, 5}).format, 0u);
  EXPECT_EQ(book.formats.size(), 3u);

  const CellFormat& format = book.formats.at(styled);
  EXPECT_EQ(format.font, (Font{"Bold", 12.0, 3, true, true, true, false}));
  EXPECT_EQ(format.numberFormat, "0.0\" m\"");
  EXPECT_EQ(format.horizontalAlignment, xl::kHAlignRight);
  EXPECT_EQ(format.verticalAlignment, xl::kVAlignTop);
  EXPECT_TRUE(format.wrapText);
  const Border dashed{xl::kDash, xl::kThin, 1};
  EXPECT_EQ(format.borders[BorderSlot(xl::kDiagonalDown)], dashed);
  EXPECT_EQ(format.borders[BorderSlot(xl::kDiagonalUp)], dashed);
  EXPECT_EQ(format.borders[BorderSlot(xl::kEdgeLeft)], (Border{xl::kContinuous, xl::kThin, 3}));
  EXPECT_EQ(format.borders[BorderSlot(xl::kEdgeBottom)],
            (Border{xl::kDouble, xl::kThick, xl::kColorIndexAutomatic}));
  EXPECT_EQ(format.borders[BorderSlot(xl::kEdgeTop)], Border{});
  EXPECT_EQ(format.fillColorIndex, 5);

  const CellFormat& fifth = book.formats.at(cells.at(CellRef{1, 3}).format);
  EXPECT_EQ(fifth.font.name, "F5 (the fifth record)");
  EXPECT_TRUE(fifth.font.strikethrough);
  EXPECT_EQ(fifth.numberFormat, "m/d/yyyy");
  EXPECT_EQ(fifth.fillColorIndex, xl::kColorIndexNone);
}

TEST(XlsWorkbookStream, ActiveSheet) {
  const auto window1 = [](std::uint16_t tab) {
    return Rec(0x003D,
               Bytes().u16(0).u16(0).u16(100).u16(100).u16(0x38).u16(tab).u16(tab).u16(1).u16(600));
  };
  const auto window2 = [](bool shown) {
    return Rec(0x023E, Bytes().u16(shown ? 0x06B6 : 0x00B6).u16(0).u16(0).u32(0x40));
  };
  const std::vector<SheetSpec> sheets = {{"A", {window2(false)}},
                                         {"Chart", {}, 2, kChartBof},
                                         {"B", {window2(true)}},
                                         {"C", {window2(false)}}};
  auto with = [&](std::vector<std::vector<std::uint8_t>> extra) {
    auto globals = BasicGlobals();
    globals.insert(globals.end(), extra.begin(), extra.end());
    return Read(BuildStream(globals, sheets));
  };
  const Workbook byWindow1 = with({window1(3)});
  ASSERT_EQ(byWindow1.sheets.size(), 3u);  // the chart sheet is not a worksheet
  EXPECT_EQ(byWindow1.sheets[byWindow1.activeSheet].name, "C");
  EXPECT_EQ(with({}).sheets[with({}).activeSheet].name, "B");  // WINDOW2 of the shown sheet
  EXPECT_EQ(with({window1(1)}).activeSheet, 1u);               // the chart: fall back to B
  EXPECT_EQ(with({window1(9)}).activeSheet, 1u);
}

TEST(XlsWorkbookStream, SubstreamsInsideASheetAreSkipped) {
  auto chart = BofRecord(kChartBof);
  const Workbook book = ReadOneSheet({
      Rec(0x0204, Cell(0, 0).string16("sheet")),
      chart,
      Rec(0x0204, Cell(5, 5).string16("inside the chart")),
      EofRecord(),
      Rec(0x0204, Cell(1, 0).string16("after the chart")),
  });
  EXPECT_EQ(book.sheets[0].cells.size(), 2u);
}

struct ErrorCase {
  const char* name;
  std::vector<std::uint8_t> stream;
  const char* message;
};

TEST(XlsWorkbookStream, StreamsThatCannotBeReadSayWhy) {
  std::vector<std::uint8_t> noEof = BofRecord(kGlobalsBof);
  auto truncatedSheet = BuildStream(BasicGlobals(), {{"S", {}}});
  truncatedSheet.resize(truncatedSheet.size() - 4);
  auto movedSheet = BuildStream(BasicGlobals(), {{"S", {}}});
  movedSheet.insert(movedSheet.end() - 20 - 4, {0x04, 0x02, 0x00, 0x00});
  auto farSheet = BuildStream(BasicGlobals(), {});
  {
    const auto bound = Rec(0x0085, Bytes().u32(1u << 30).u8(0).u8(0).string8("Far"));
    farSheet.insert(farSheet.end() - 4, bound.begin(), bound.end());
  }
  auto globalsWith = [](std::vector<std::uint8_t> record) {
    auto globals = BasicGlobals();
    globals.insert(globals.begin(), record);
    return BuildStream(globals, {{"S", {}}});
  };
  const std::vector<ErrorCase> cases = {
      {"empty stream", {}, "its workbook stream is empty (the file is damaged)"},
      {"no BOF", Rec(0x0204, Bytes().u32(0)),
       "it is not an Excel workbook (its workbook stream does not start with a BOF record)"},
      {"BIFF5", BofRecord(kGlobalsBof, 0x0500),
       "it is in the Excel 5.0/95 format (BIFF5/BIFF7), which is not supported; open it in the "
       "spreadsheet application and save it as an Excel 97-2003 workbook (.xls) or as .xlsx"},
      {"BIFF4", Rec(0x0409, Bytes().u16(0).u16(0x0005).u16(0)),
       "it is in the Excel 4.0 format (BIFF4), which is not supported"},
      {"unknown version", BofRecord(kGlobalsBof, 0x0700),
       "it is in an unknown BIFF version (0x0700), not the Excel 97-2003 format (BIFF8)"},
      {"workspace", BofRecord(0x0100), "it is a workspace file"},
      {"a lone worksheet", BofRecord(kWorksheetBof), "it is not a workbook"},
      {"encrypted", globalsWith(Rec(0x002F, Bytes().u16(1).u16(1).u16(1))),
       "it is encrypted with a password to open"},
      {"globals without EOF", noEof, "its workbook globals end before their EOF record"},
      {"sheet without EOF", truncatedSheet, "the sheet \"S\" ends before its EOF record"},
      {"sheet not at its offset", movedSheet,
       "the sheet \"S\" does not start where the workbook says"},
      {"sheet beyond the stream", farSheet,
       "the sheet \"Far\" starts beyond the end of the workbook stream"},
      {"no worksheet", BuildStream(BasicGlobals(), {{"Chart", {}, 2, kChartBof}}),
       "it contains no worksheet"},
      {"shared string out of range",
       BuildStream(BasicGlobals(), {{"S", {Rec(0x00FD, Cell(0, 0).u32(3))}}}),
       "refers to shared string 3 of only 0 (the file is damaged)"},
      {"short XF", globalsWith(Rec(0x00E0, Bytes().u16(0).u16(0))),
       "the XF record at offset 20 is shorter than its contents (the file is damaged)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    try {
      Read(c.stream);
      ADD_FAILURE() << "no error";
    } catch (const BiffError& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
    }
  }
}

}  // namespace
}  // namespace tabulo::spreadsheet::xls
