#pragma once
// The stand-in spreadsheet's data model: what a workbook file holds that the
// object model answers from. File readers fill it, the object model reads and
// changes it, the .xlsx writer saves it. Rows and columns count from 1.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "spreadsheet/constants.h"

namespace tabulo::spreadsheet {

// A workbook file that cannot be read; what() names the file and the reason.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Limits of a worksheet.
inline constexpr std::int32_t kMaxRows = 1048576;
inline constexpr std::int32_t kMaxColumns = 16384;

struct Font {
  std::string name = "Arial";
  double size = 10.0;                                  // points
  std::int32_t colorIndex = xl::kColorIndexAutomatic;  // palette index 1..56 or automatic
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  friend bool operator==(const Font&, const Font&) = default;
};

struct Border {
  std::int32_t lineStyle = xl::kLineStyleNone;         // XlLineStyle
  std::int32_t weight = xl::kThin;                     // XlBorderWeight
  std::int32_t colorIndex = xl::kColorIndexAutomatic;  // palette index 1..56 or automatic
  friend bool operator==(const Border&, const Border&) = default;
};

// Index into CellFormat::borders for borders.Item(5..10).
constexpr std::size_t BorderSlot(std::int32_t borderIndex) {
  return static_cast<std::size_t>(borderIndex - xl::kDiagonalDown);
}

struct CellFormat {
  Font font;
  std::array<Border, 6>
      borders;  // borders.Item 5..10: diag down, diag up, left, top, bottom, right
  std::int32_t horizontalAlignment = xl::kHAlignGeneral;
  std::int32_t verticalAlignment = xl::kVAlignBottom;
  bool wrapText = false;
  std::string numberFormat = "General";               // format code as the file gives it
  std::int32_t fillColorIndex = xl::kColorIndexNone;  // kept for the writer; not exported
  friend bool operator==(const CellFormat&, const CellFormat&) = default;
};

// A hash of every field of a format, for finding equal formats quickly.
std::size_t HashFormat(const CellFormat& format);

// Error values a cell can hold (#DIV/0! ...), as their displayed text.
struct ErrorValue {
  std::string text;
  friend bool operator==(const ErrorValue&, const ErrorValue&) = default;
};

// Empty, a number (dates are serial numbers), a string, a Boolean or an error.
using CellValue = std::variant<std::monostate, double, std::string, bool, ErrorValue>;

struct Cell {
  CellValue value;
  std::uint32_t format = 0;  // index into Workbook::formats
  bool hasFormula = false;   // the value is a formula's cached result
};

struct CellRef {
  std::int32_t row = 1;
  std::int32_t column = 1;
  friend auto operator<=>(const CellRef&, const CellRef&) = default;
};

struct RangeRef {
  CellRef first;
  CellRef last;
  friend bool operator==(const RangeRef&, const RangeRef&) = default;
  bool contains(CellRef c) const {
    return c.row >= first.row && c.row <= last.row && c.column >= first.column &&
           c.column <= last.column;
  }
};

struct Protection {
  bool isProtected = false;
  bool hasPassword = false;        // a password hash is stored
  std::uint16_t passwordHash = 0;  // the legacy 16-bit hash (0 when unknown)
};

struct Worksheet {
  std::string name;
  std::map<CellRef, Cell> cells;  // only cells with a value or a non-default format

  // Row heights in points; rows not listed have defaultRowHeight.
  double defaultRowHeight = 12.75;
  std::map<std::int32_t, double> rowHeights;
  // Default format of a row or column (BIFF ROW ixfe / COLINFO, xlsx s=), used by
  // cells not listed in `cells`.
  std::map<std::int32_t, std::uint32_t> rowFormats;
  std::map<std::int32_t, std::uint32_t> columnFormats;

  // Column widths in whole pixels at 96 dpi for the default font's maximum digit
  // width (Workbook::maxDigitWidth); columns not listed have defaultColumnPixels.
  // Hidden columns are 0 pixels wide.
  std::int32_t defaultColumnPixels = 64;
  std::map<std::int32_t, std::int32_t> columnPixels;
  std::map<std::int32_t, bool> hiddenRows;  // hidden rows report height 0

  std::vector<RangeRef> mergedAreas;
  Protection protection;
  // The dimensions the file records, if any (the used range is computed from cells).
  std::optional<RangeRef> recordedDimensions;
};

struct Workbook {
  std::vector<Worksheet> sheets;
  std::size_t activeSheet = 0;
  std::vector<CellFormat> formats{CellFormat{}};  // formats[0] is the default cell format
  // The palette for colour indexes 1..56 as 0xRRGGBB (the file's own when it has one).
  std::array<std::uint32_t, 56> palette{};
  bool date1904 = false;
  // Maximum digit width of the default font in pixels (7 for Arial 10 / Calibri 11).
  std::int32_t maxDigitWidth = 7;

  Workbook();
};

// The default 56-colour palette, 0xRRGGBB by index 1..56 (entry 0 is index 1).
extern const std::array<std::uint32_t, 56> kDefaultPalette;

// Nearest palette index (1..56) to an RGB colour, by squared distance; the first
// of equally near entries wins.
std::int32_t NearestPaletteIndex(const std::array<std::uint32_t, 56>& palette, std::uint32_t rgb);

// Column width conversions for a maximum digit width `mdw` in pixels.
// Stored width (xlsx <col width>, BIFF COLINFO / 256: characters with padding) to pixels.
std::int32_t StoredWidthToPixels(double storedWidth, std::int32_t mdw);
// Pixels to the object model's ColumnWidth (characters without padding, two decimals).
double PixelsToColumnWidth(std::int32_t pixels, std::int32_t mdw);
// ColumnWidth (characters without padding), as a user types it, to pixels.
std::int32_t ColumnWidthToPixels(double columnWidth, std::int32_t mdw);

// "A", "B", ... "XFD" for 1..16384.
std::string ColumnName(std::int32_t column);
// "$B$2" for (2, 2); "$B$2:$D$3" for an area.
std::string AbsoluteAddress(CellRef cell);
std::string AbsoluteAddress(const RangeRef& range);
// Parses "B2", "$B$2", "B2:D3", "$B$2:$D$3" (case-insensitive); throws FileError-free
// std::invalid_argument with a clear text when it is not an A1 reference.
RangeRef ParseA1(const std::string& address);

}  // namespace tabulo::spreadsheet
