// The BIFF8 record layer: framing with CONTINUE, bounds-checked reading, strings
// (compressed, UTF-16, split over CONTINUE, rich and phonetic parts skipped) and
// the code tables that turn BIFF values into the object model's.
#include <gtest/gtest.h>

#include "spreadsheet/xls/biff_codes.h"
#include "spreadsheet/xls/biff_error.h"
#include "spreadsheet/xls/biff_records.h"
#include "spreadsheet/xls/cell_records.h"
#include "spreadsheet/xls/record_reader.h"
#include "spreadsheet/xls/shared_strings.h"
#include "spreadsheet/xls/sheet_layout_records.h"
#include "xls_test_support.h"

namespace tabulo::spreadsheet::xls {
namespace {

using xls_test::Bytes;
using xls_test::Rec;

std::vector<std::uint8_t> Join(const std::vector<std::vector<std::uint8_t>>& records) {
  std::vector<std::uint8_t> stream;
  for (const auto& record : records) stream.insert(stream.end(), record.begin(), record.end());
  return stream;
}

TEST(XlsRecordStream, GathersContinueFragmentsAndStopsAtTrailingBytes) {
  auto stream = Join({Rec(0x00FC, Bytes().u8(1).u8(2)), Rec(record::kContinue, Bytes().u8(3)),
                      Rec(record::kContinue, Bytes()), Rec(record::kEof, Bytes())});
  stream.push_back(0);  // padding shorter than a header
  RecordStream records(stream);
  auto sst = records.next();
  ASSERT_TRUE(sst);
  EXPECT_EQ(sst->id, 0x00FC);
  EXPECT_EQ(sst->continuations.size(), 2u);
  EXPECT_EQ(sst->size(), 3u);
  auto eof = records.next();
  ASSERT_TRUE(eof);
  EXPECT_EQ(eof->id, record::kEof);
  EXPECT_EQ(eof->offset, 4u + 2 + 4 + 1 + 4);
  EXPECT_FALSE(records.next());
}

TEST(XlsRecordStream, RecordRunningPastTheEndIsAnError) {
  std::vector<std::uint8_t> stream = {0xE0, 0x00, 0x14, 0x00, 1, 2, 3};
  RecordStream records(stream);
  try {
    records.next();
    FAIL() << "no error";
  } catch (const BiffError& error) {
    EXPECT_STREQ(error.what(),
                 "the XF record at offset 0 runs past the end of the workbook stream (the file "
                 "is truncated or damaged)");
  }
}

TEST(XlsRecordReader, ReadsAcrossFragmentsAndNamesTheRecordWhenShort) {
  const auto stream =
      Join({Rec(0x0031, Bytes().u8(0x34)), Rec(record::kContinue, Bytes().u8(0x12).u16(0xBEEF))});
  RecordStream records(stream);
  const auto font = records.next();
  RecordReader reader(*font);
  EXPECT_EQ(reader.u16(), 0x1234);
  EXPECT_EQ(reader.remaining(), 2u);
  EXPECT_EQ(reader.u16(), 0xBEEF);
  try {
    reader.u8();
    FAIL() << "no error";
  } catch (const BiffError& error) {
    EXPECT_STREQ(error.what(),
                 "the FONT record at offset 0 is shorter than its contents (the file is damaged)");
  }
}

struct SstCase {
  const char* name;
  std::vector<std::vector<std::uint8_t>> records;  // SST and its CONTINUEs
  std::vector<std::string> expected;
};

Bytes SstHeader(std::uint32_t count) {
  return Bytes().u32(count).u32(count);
}

TEST(XlsSharedStrings, DecodesEveryStringShape) {
  const std::vector<SstCase> cases = {
      {"compressed and UTF-16",
       {Rec(0x00FC, SstHeader(2).string16("abc").u16(2).u8(1).utf16(u"\u4e2d\u6587"))},
       {"abc", "\xE4\xB8\xAD\xE6\x96\x87"}},
      {"compressed bytes are Latin-1, not the code page",
       {Rec(0x00FC, SstHeader(1).u16(2).u8(0).u8(0xE9).u8(0x80))},
       {"\xC3\xA9\xC2\x80"}},
      {"surrogate pair and lone surrogates",
       {Rec(0x00FC, SstHeader(2)
                        .u16(2)
                        .u8(1)
                        .utf16(u"\U0001F600")
                        .u16(3)
                        .u8(1)
                        .u16(0xD800)
                        .u16('a')
                        .u16(0xDC00))},
       {"\xF0\x9F\x98\x80",
        "\xEF\xBF\xBD"
        "a\xEF\xBF\xBD"}},
      {"split from compressed into UTF-16",
       {Rec(0x00FC, SstHeader(2).u16(6).u8(0).latin1("abc")),
        Rec(0x003C, Bytes().u8(1).utf16(u"d\u00e9f").string16("next"))},
       {"abcd\xC3\xA9"
        "f",
        "next"}},
      {"split from UTF-16 into compressed",
       {Rec(0x00FC, SstHeader(1).u16(4).u8(1).utf16(u"\u0416\u0416")),
        Rec(0x003C, Bytes().u8(0).latin1("xy"))},
       {"\xD0\x96\xD0\x96xy"}},
      {"header at the end of a record, characters in the next",
       {Rec(0x00FC, SstHeader(1).u16(2).u8(0)), Rec(0x003C, Bytes().u8(1).utf16(u"ok"))},
       {"ok"}},
      {"string ending with its record, next starting the CONTINUE",
       {Rec(0x00FC, SstHeader(2).string16("one")), Rec(0x003C, Bytes().string16("two"))},
       {"one", "two"}},
      {"rich-text runs and phonetic data skipped, even across a CONTINUE",
       {Rec(0x00FC, SstHeader(2).u16(2).u8(0x0C).u16(2).u32(5).latin1("ri").u32(0x00010000)),
        Rec(0x003C, Bytes().u32(0x00020001).u8(1).u8(2).u8(3).u8(4).u8(5).string16("after"))},
       {"ri", "after"}},
      {"an overstated count ends with the data",
       {Rec(0x00FC, Bytes().u32(9).u32(9).string16("only"))},
       {"only"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto stream = Join(c.records);
    RecordStream records(stream);
    Globals globals;
    ReadSst(*records.next(), globals);
    EXPECT_EQ(globals.sharedStrings, c.expected);
  }
}

TEST(XlsSharedStrings, StringCutShortIsAnError) {
  const auto stream = Join({Rec(0x00FC, SstHeader(1).u16(10).u8(0).latin1("abc"))});
  RecordStream records(stream);
  Globals globals;
  EXPECT_THROW(ReadSst(*records.next(), globals), BiffError);
}

TEST(XlsCodes, RkValues) {
  const struct {
    std::uint32_t rk;
    double expected;
  } cases[] = {
      {0x3FF00000, 1.0},                                  // IEEE high bits
      {0x3FF00001, 0.01},                                 // IEEE / 100
      {(42u << 2) | 2, 42.0},                             // integer
      {(static_cast<std::uint32_t>(-5) << 2) | 2, -5.0},  // negative integer
      {(12345u << 2) | 3, 123.45},                        // integer / 100
      {0xC0240000, -10.0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(DecodeRk(c.rk), c.expected) << std::hex << c.rk;
}

TEST(XlsCodes, ErrorTexts) {
  const std::pair<std::uint8_t, const char*> cases[] = {
      {0x00, "#NULL!"}, {0x07, "#DIV/0!"}, {0x0F, "#VALUE!"}, {0x17, "#REF!"},
      {0x1D, "#NAME?"}, {0x24, "#NUM!"},   {0x2A, "#N/A"},    {0x99, "#N/A"}};
  for (const auto& [code, text] : cases) EXPECT_EQ(ErrorText(code), text) << int(code);
}

TEST(XlsCodes, ColorIndexes) {
  const std::pair<std::uint16_t, std::int32_t> cases[] = {
      {0, 1},   {2, 3},      {7, 8},      {8, 1},      {10, 3},
      {63, 56}, {64, -4105}, {65, -4105}, {81, -4105}, {0x7FFF, -4105}};
  for (const auto& [biff, index] : cases) EXPECT_EQ(ColorIndexFromBiff(biff), index) << biff;
}

TEST(XlsCodes, BorderLineStyles) {
  const struct {
    std::uint8_t biff;
    std::int32_t style;
    std::int32_t weight;
  } cases[] = {
      {0, xl::kLineStyleNone, xl::kThin},
      {1, xl::kContinuous, xl::kThin},
      {2, xl::kContinuous, xl::kMedium},
      {3, xl::kDash, xl::kThin},
      {4, xl::kDot, xl::kThin},
      {5, xl::kContinuous, xl::kThick},
      {6, xl::kDouble, xl::kThick},
      {7, xl::kContinuous, xl::kHairline},
      {8, xl::kDash, xl::kMedium},
      {9, xl::kDashDot, xl::kThin},
      {10, xl::kDashDot, xl::kMedium},
      {11, xl::kDashDotDot, xl::kThin},
      {12, xl::kDashDotDot, xl::kMedium},
      {13, xl::kSlantDashDot, xl::kMedium},
      {14, xl::kLineStyleNone, xl::kThin},
  };
  for (const auto& c : cases) {
    const Border border = BorderFromBiff(c.biff, 10);
    EXPECT_EQ(border.lineStyle, c.style) << int(c.biff);
    EXPECT_EQ(border.weight, c.weight) << int(c.biff);
    EXPECT_EQ(border.colorIndex, c.style == xl::kLineStyleNone ? -4105 : 3) << int(c.biff);
  }
}

TEST(XlsCodes, Alignments) {
  const std::int32_t horizontal[] = {1, -4131, -4108, -4152, 5, -4130, 7, -4117, 1};
  for (std::uint8_t code = 0; code < 9; ++code)
    EXPECT_EQ(HorizontalAlignmentFromBiff(code), horizontal[code]) << int(code);
  const std::int32_t vertical[] = {-4160, -4108, -4107, -4130, -4117, -4107};
  for (std::uint8_t code = 0; code < 6; ++code)
    EXPECT_EQ(VerticalAlignmentFromBiff(code), vertical[code]) << int(code);
}

TEST(XlsCodes, DefaultColumnWidthRoundsUpToEightPixels) {
  const struct {
    std::int32_t characters, mdw, pixels;
  } cases[] = {{8, 7, 64}, {10, 7, 80}, {0, 7, 8}, {1, 7, 16}, {8, 8, 72}, {8, 6, 56}};
  for (const auto& c : cases)
    EXPECT_EQ(DefaultColumnPixels(c.characters, c.mdw), c.pixels) << c.characters << " " << c.mdw;
}

}  // namespace
}  // namespace tabulo::spreadsheet::xls
