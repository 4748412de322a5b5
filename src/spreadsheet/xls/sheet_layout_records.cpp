#include "spreadsheet/xls/sheet_layout_records.h"

#include <algorithm>

#include "spreadsheet/xls/record_reader.h"

namespace tabulo::spreadsheet::xls {

namespace {

constexpr double kTwipsPerPoint = 20.0;
constexpr double kWidthUnitsPerCharacter = 256.0;
constexpr std::int32_t kBiff8LastColumn = 255;  // 0-based
constexpr std::int32_t kDefaultCharacters = 8;
constexpr std::int32_t kDefaultWidthStep = 8;  // default widths are whole multiples of this

// ROW: height bits and option bits.
constexpr std::uint16_t kRowHeightMask = 0x7FFF;
constexpr std::uint16_t kRowDefaultHeight = 0x8000;
constexpr std::uint16_t kRowHidden = 0x0020;
constexpr std::uint16_t kRowHasFormat = 0x0080;
constexpr std::uint16_t kRowFormatMask = 0x0FFF;
// COLINFO options.
constexpr std::uint16_t kColumnHidden = 0x0001;
// DEFAULTROWHEIGHT options.
constexpr std::uint16_t kDefaultRowsHidden = 0x0002;
// WINDOW2 options.
constexpr std::uint16_t kWindowPaged = 0x0400;

// Pixels of padding around a column's characters, as the width conversions count them.
std::int32_t Padding(std::int32_t mdw) {
  return 2 * ((mdw + 3) / 4) + 1;
}

}  // namespace

std::int32_t DefaultColumnPixels(std::int32_t characters, std::int32_t maxDigitWidth) {
  const std::int32_t pixels = characters * maxDigitWidth + Padding(maxDigitWidth);
  return (pixels + kDefaultWidthStep - 1) / kDefaultWidthStep * kDefaultWidthStep;
}

void ReadRow(const Record& record, SheetContext& context) {
  RecordReader reader(record);
  const std::int32_t row = reader.u16() + 1;
  reader.skip(4);  // first and last column
  const std::uint16_t height = reader.u16();
  reader.skip(4);  // reserved
  const std::uint16_t options = reader.u16();
  const std::uint16_t format = reader.u16() & kRowFormatMask;
  Worksheet& sheet = context.sheet;
  if ((height & kRowDefaultHeight) == 0)
    sheet.rowHeights[row] = (height & kRowHeightMask) / kTwipsPerPoint;
  else
    sheet.rowHeights.erase(row);
  if ((options & kRowHidden) != 0)
    sheet.hiddenRows[row] = true;
  else
    sheet.hiddenRows.erase(row);
  if ((options & kRowHasFormat) != 0) sheet.rowFormats[row] = context.formats.indexOf(format);
}

void ReadColInfo(const Record& record, SheetContext& context) {
  RecordReader reader(record);
  const std::int32_t first = reader.u16();
  // Writers often end a whole-row COLINFO at 256, one past the last column.
  const std::int32_t last = std::min<std::int32_t>(reader.u16(), kBiff8LastColumn);
  const std::uint16_t width = reader.u16();
  const std::uint16_t xf = reader.u16();
  const std::uint16_t options = reader.u16();
  const std::int32_t pixels =
      (options & kColumnHidden) != 0
          ? 0
          : StoredWidthToPixels(width / kWidthUnitsPerCharacter, context.maxDigitWidth);
  const std::uint32_t format = context.formats.indexOf(xf);
  for (std::int32_t column = first; column <= last; ++column) {
    context.sheet.columnPixels[column + 1] = pixels;
    context.sheet.columnFormats[column + 1] = format;
  }
}

void ReadDefColWidth(const Record& record, SheetContext& context) {
  RecordReader reader(record);
  context.defColWidth = reader.u16();
}

void ReadStandardWidth(const Record& record, SheetContext& context) {
  RecordReader reader(record);
  context.standardWidth = reader.u16();
}

void ReadDefaultRowHeight(const Record& record, SheetContext& context) {
  RecordReader reader(record);
  const std::uint16_t options = reader.u16();
  const std::uint16_t height = reader.u16();
  context.sheet.defaultRowHeight =
      (options & kDefaultRowsHidden) != 0 ? 0.0 : height / kTwipsPerPoint;
}

void ReadMergedCells(const Record& record, SheetContext& context) {
  RecordReader reader(record);
  const std::uint16_t count = reader.u16();
  for (std::uint16_t i = 0; i < count; ++i) {
    const std::int32_t firstRow = reader.u16();
    const std::int32_t lastRow = reader.u16();
    const std::int32_t firstColumn = reader.u16();
    const std::int32_t lastColumn = reader.u16();
    // An inverted or out-of-sheet area is damage; the rest still merge.
    if (firstRow > lastRow || firstColumn > lastColumn || lastColumn > kBiff8LastColumn) continue;
    context.sheet.mergedAreas.push_back(
        RangeRef{CellRef{firstRow + 1, firstColumn + 1}, CellRef{lastRow + 1, lastColumn + 1}});
  }
}

void ReadDimensions(const Record& record, SheetContext& context) {
  RecordReader reader(record);
  const std::uint32_t firstRow = reader.u32();
  const std::uint32_t endRow = reader.u32();  // one past the last
  const std::uint16_t firstColumn = reader.u16();
  const std::uint16_t endColumn = reader.u16();
  if (firstRow >= endRow || firstColumn >= endColumn || endRow > kMaxRows ||
      endColumn > kMaxColumns) {
    context.sheet.recordedDimensions.reset();
    return;
  }
  context.sheet.recordedDimensions =
      RangeRef{CellRef{static_cast<std::int32_t>(firstRow) + 1, firstColumn + 1},
               CellRef{static_cast<std::int32_t>(endRow), endColumn}};
}

void ReadProtect(const Record& record, SheetContext& context) {
  RecordReader reader(record);
  context.sheet.protection.isProtected = reader.u16() != 0;
}

void ReadPassword(const Record& record, SheetContext& context) {
  RecordReader reader(record);
  const std::uint16_t hash = reader.u16();
  context.sheet.protection.passwordHash = hash;
  context.sheet.protection.hasPassword = hash != 0;
}

void ReadWindow2(const Record& record, SheetContext& context) {
  RecordReader reader(record);
  context.displayed = (reader.u16() & kWindowPaged) != 0;
}

void SetDefaultColumnWidth(SheetContext& context) {
  const std::int32_t mdw = context.maxDigitWidth;
  if (context.standardWidth)
    context.sheet.defaultColumnPixels =
        StoredWidthToPixels(*context.standardWidth / kWidthUnitsPerCharacter, mdw);
  else
    context.sheet.defaultColumnPixels =
        DefaultColumnPixels(context.defColWidth.value_or(kDefaultCharacters), mdw);
}

}  // namespace tabulo::spreadsheet::xls
