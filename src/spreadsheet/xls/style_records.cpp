#include "spreadsheet/xls/style_records.h"

#include <algorithm>

#include "spreadsheet/xls/biff_codes.h"
#include "spreadsheet/xls/record_reader.h"

namespace tabulo::spreadsheet::xls {

namespace {

constexpr double kTwipsPerPoint = 20.0;
constexpr std::uint16_t kBoldWeight = 700;

// FONT option bits.
constexpr std::uint16_t kFontItalic = 0x0002;
constexpr std::uint16_t kFontStrikeOut = 0x0008;

std::uint8_t Bits(std::uint32_t value, int shift, std::uint32_t mask) {
  return static_cast<std::uint8_t>((value >> shift) & mask);
}

}  // namespace

void ReadFont(const Record& record, Globals& globals) {
  RecordReader reader(record);
  Font font;
  font.size = reader.u16() / kTwipsPerPoint;
  const std::uint16_t options = reader.u16();
  font.colorIndex = ColorIndexFromBiff(reader.u16());
  font.bold = reader.u16() >= kBoldWeight;
  reader.u16();  // superscript / subscript
  font.underline = reader.u8() != 0;
  reader.skip(3);  // family, character set, reserved
  font.italic = (options & kFontItalic) != 0;
  font.strikethrough = (options & kFontStrikeOut) != 0;
  font.name = ReadUnicodeString(reader, CountWidth::kByte);
  globals.fonts.push_back(std::move(font));
}

void ReadFormat(const Record& record, Globals& globals) {
  RecordReader reader(record);
  const std::uint16_t id = reader.u16();
  globals.numberFormats[id] = ReadUnicodeString(reader, CountWidth::kWord);
}

void ReadXf(const Record& record, Globals& globals) {
  RecordReader reader(record);
  XfRecord xf;
  xf.font = reader.u16();
  xf.format = reader.u16();
  reader.u16();  // protection, style flag, parent style: cells carry complete XFs
  const std::uint8_t alignment = reader.u8();
  xf.horizontal = Bits(alignment, 0, 0x07);
  xf.wrap = (alignment & 0x08) != 0;
  xf.vertical = Bits(alignment, 4, 0x07);
  reader.skip(3);  // rotation, indent and shrink, used-attribute flags
  const std::uint32_t borders1 = reader.u32();
  xf.leftStyle = Bits(borders1, 0, 0x0F);
  xf.rightStyle = Bits(borders1, 4, 0x0F);
  xf.topStyle = Bits(borders1, 8, 0x0F);
  xf.bottomStyle = Bits(borders1, 12, 0x0F);
  xf.leftColor = Bits(borders1, 16, 0x7F);
  xf.rightColor = Bits(borders1, 23, 0x7F);
  xf.diagonalDown = (borders1 & 0x40000000u) != 0;
  xf.diagonalUp = (borders1 & 0x80000000u) != 0;
  const std::uint32_t borders2 = reader.u32();
  xf.topColor = Bits(borders2, 0, 0x7F);
  xf.bottomColor = Bits(borders2, 7, 0x7F);
  xf.diagonalColor = Bits(borders2, 14, 0x7F);
  xf.diagonalStyle = Bits(borders2, 21, 0x0F);
  xf.fillPattern = Bits(borders2, 26, 0x3F);
  const std::uint16_t fill = reader.u16();
  xf.fillForeColor = Bits(fill, 0, 0x7F);
  xf.fillBackColor = Bits(fill, 7, 0x7F);
  globals.xfs.push_back(xf);
}

void ReadPalette(const Record& record, Globals& globals) {
  RecordReader reader(record);
  const std::size_t count = std::min<std::size_t>(reader.u16(), globals.palette.size());
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t red = reader.u8();
    const std::uint32_t green = reader.u8();
    const std::uint32_t blue = reader.u8();
    reader.u8();
    globals.palette[i] = (red << 16) | (green << 8) | blue;
  }
}

}  // namespace tabulo::spreadsheet::xls
