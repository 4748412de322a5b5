#include "spreadsheet/workbook.h"

#include <cctype>
#include <cmath>
#include <stdexcept>

namespace tabulo::spreadsheet {

const std::array<std::uint32_t, 56> kDefaultPalette = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
    0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
    0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
    0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
    0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
    0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
};

Workbook::Workbook() : palette(kDefaultPalette) {}

// Fields left out would only weaken the hash: callers check equality in full.
std::size_t HashFormat(const CellFormat& f) {
  std::size_t h = std::hash<std::string>{}(f.font.name);
  auto mix = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2); };
  mix(std::hash<double>{}(f.font.size));
  mix(static_cast<std::size_t>(f.font.colorIndex));
  mix(static_cast<std::size_t>(f.font.bold | f.font.italic << 1 | f.font.underline << 2 |
                               f.font.strikethrough << 3 | f.wrapText << 4));
  for (const Border& b : f.borders) {
    mix(static_cast<std::size_t>(b.lineStyle));
    mix(static_cast<std::size_t>(b.weight));
    mix(static_cast<std::size_t>(b.colorIndex));
  }
  mix(static_cast<std::size_t>(f.horizontalAlignment));
  mix(static_cast<std::size_t>(f.verticalAlignment));
  mix(static_cast<std::size_t>(f.fillColorIndex));
  mix(std::hash<std::string>{}(f.numberFormat));
  return h;
}

std::int32_t NearestPaletteIndex(const std::array<std::uint32_t, 56>& palette, std::uint32_t rgb) {
  auto channel = [](std::uint32_t c, int shift) { return static_cast<int>((c >> shift) & 0xFF); };
  std::int32_t best = 1;
  long bestDistance = -1;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    long distance = 0;
    for (int shift : {16, 8, 0}) {
      long d = channel(rgb, shift) - channel(palette[i], shift);
      distance += d * d;
    }
    if (bestDistance < 0 || distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<std::int32_t>(i + 1);
    }
  }
  return best;
}

namespace {
// Pixels of padding around a column's characters: 5 for the usual 7-pixel digit.
std::int32_t Padding(std::int32_t mdw) {
  return 2 * ((mdw + 3) / 4) + 1;
}
}  // namespace

std::int32_t StoredWidthToPixels(double storedWidth, std::int32_t mdw) {
  if (storedWidth <= 0) return 0;
  return static_cast<std::int32_t>(
      std::trunc(((256.0 * storedWidth + std::trunc(128.0 / mdw)) / 256.0) * mdw));
}

double PixelsToColumnWidth(std::int32_t pixels, std::int32_t mdw) {
  if (pixels <= 0) return 0.0;
  const std::int32_t padding = Padding(mdw);
  double chars = pixels <= mdw + padding ? static_cast<double>(pixels) / (mdw + padding)
                                         : static_cast<double>(pixels - padding) / mdw;
  return std::trunc(chars * 100.0 + 0.5) / 100.0;
}

std::int32_t ColumnWidthToPixels(double columnWidth, std::int32_t mdw) {
  if (columnWidth <= 0) return 0;
  const std::int32_t padding = Padding(mdw);
  if (columnWidth < 1.0)
    return static_cast<std::int32_t>(std::trunc(columnWidth * (mdw + padding) + 0.5));
  return static_cast<std::int32_t>(std::trunc(columnWidth * mdw + 0.5)) + padding;
}

std::string ColumnName(std::int32_t column) {
  std::string name;
  while (column > 0) {
    int rem = (column - 1) % 26;
    name.insert(name.begin(), static_cast<char>('A' + rem));
    column = (column - 1) / 26;
  }
  return name;
}

std::string AbsoluteAddress(CellRef cell) {
  return "$" + ColumnName(cell.column) + "$" + std::to_string(cell.row);
}

std::string AbsoluteAddress(const RangeRef& range) {
  if (range.first == range.last) return AbsoluteAddress(range.first);
  return AbsoluteAddress(range.first) + ":" + AbsoluteAddress(range.last);
}

namespace {

CellRef ParseCell(const std::string& text, const std::string& whole) {
  std::size_t i = 0;
  auto fail = [&]() -> CellRef {
    throw std::invalid_argument("\"" + whole + "\" is not a cell reference in A1 form.");
  };
  if (i < text.size() && text[i] == '$') ++i;
  std::int64_t column = 0;
  std::size_t letters = 0;
  while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i]))) {
    column = column * 26 + (std::toupper(static_cast<unsigned char>(text[i])) - 'A' + 1);
    ++i;
    if (++letters > 3) return fail();
  }
  if (letters == 0) return fail();
  if (i < text.size() && text[i] == '$') ++i;
  std::int64_t row = 0;
  std::size_t digits = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
    row = row * 10 + (text[i] - '0');
    ++i;
    if (++digits > 7) return fail();
  }
  if (digits == 0 || i != text.size() || row < 1 || row > kMaxRows || column > kMaxColumns)
    return fail();
  return CellRef{static_cast<std::int32_t>(row), static_cast<std::int32_t>(column)};
}

}  // namespace

RangeRef ParseA1(const std::string& address) {
  std::size_t colon = address.find(':');
  if (colon == std::string::npos) {
    CellRef c = ParseCell(address, address);
    return RangeRef{c, c};
  }
  CellRef a = ParseCell(address.substr(0, colon), address);
  CellRef b = ParseCell(address.substr(colon + 1), address);
  return RangeRef{CellRef{std::min(a.row, b.row), std::min(a.column, b.column)},
                  CellRef{std::max(a.row, b.row), std::max(a.column, b.column)}};
}

}  // namespace tabulo::spreadsheet
