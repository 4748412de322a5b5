#include "spreadsheet/xlsx/worksheet_part.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "spreadsheet/serial_dates.h"
#include "spreadsheet/xlsx/shared_strings.h"
#include "spreadsheet/xml_part.h"

namespace tabulo::spreadsheet::xlsx {

namespace {

[[noreturn]] void Fail(const WorksheetContext& context, const std::string& what) {
  throw FileError("Cannot read " + context.where + ": " + what + ".");
}

// "B12" -> (12, 2); a reference with only letters leaves the row unset (0).
std::optional<CellRef> ParseCellRef(std::string_view text) {
  std::size_t i = 0;
  std::int32_t column = 0, row = 0;
  if (i < text.size() && text[i] == '$') ++i;
  const std::size_t lettersStart = i;
  while (i < text.size() &&
         ((text[i] >= 'A' && text[i] <= 'Z') || (text[i] >= 'a' && text[i] <= 'z'))) {
    column = column * 26 + ((text[i] & ~0x20) - 'A' + 1);
    if (++i - lettersStart > 3) return std::nullopt;
  }
  if (i < text.size() && text[i] == '$') ++i;
  const std::size_t digitsStart = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    row = row * 10 + (text[i] - '0');
    if (++i - digitsStart > 7) return std::nullopt;
  }
  if (i != text.size() || column < 1 || column > kMaxColumns || row > kMaxRows) return std::nullopt;
  if (digitsStart != i && row < 1) return std::nullopt;
  return CellRef{row, column};
}

std::optional<RangeRef> ParseRangeRef(std::string_view text) {
  const std::size_t colon = text.find(':');
  auto first = ParseCellRef(text.substr(0, colon));
  auto last = colon == std::string_view::npos ? first : ParseCellRef(text.substr(colon + 1));
  if (!first || !last || first->row < 1 || last->row < 1) return std::nullopt;
  return RangeRef{CellRef{std::min(first->row, last->row), std::min(first->column, last->column)},
                  CellRef{std::max(first->row, last->row), std::max(first->column, last->column)}};
}

std::optional<double> ParseNumber(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '+')) text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

std::uint32_t FormatOf(const WorksheetContext& context, pugi::xml_attribute s) {
  const unsigned xf = s.as_uint(0);
  return xf < context.formatOfXf.size() ? context.formatOfXf[xf] : context.formatOfXf.front();
}

CellValue ReadValue(pugi::xml_node c, const WorksheetContext& context, const std::string& ref) {
  std::string_view type = c.attribute("t").value();
  pugi::xml_node v = ChildByLocalName(c, "v");
  if (type == "inlineStr") {
    pugi::xml_node is = ChildByLocalName(c, "is");
    if (is) return StringItemText(is);
    if (!v) return std::monostate{};
    return DecodeEscapes(v.text().get());
  }
  if (!v) return std::monostate{};
  std::string_view text = v.text().get();
  if (type == "s") {
    auto index = ParseNumber(text);
    if (!index || *index < 0 || *index >= static_cast<double>(context.sharedStrings.size()) ||
        *index != std::floor(*index))
      Fail(context, "cell " + ref + " refers to shared string \"" + std::string(text) +
                        "\", which does not exist");
    return context.sharedStrings[static_cast<std::size_t>(*index)];
  }
  if (type == "str") return DecodeEscapes(text);
  if (type == "b") return text == "1" || text == "true";
  if (type == "e") return ErrorValue{std::string(text)};
  if (type == "d") {
    if (auto serial = IsoDateTimeToSerial(text, context.date1904)) return *serial;
    Fail(context, "cell " + ref + " holds \"" + std::string(text) + "\", which is not a date");
  }
  if (!type.empty() && type != "n")
    Fail(context, "cell " + ref + " has the unknown type \"" + std::string(type) + "\"");
  if (text.empty()) return std::monostate{};
  if (auto number = ParseNumber(text)) return *number;
  Fail(context, "cell " + ref + " holds \"" + std::string(text) + "\", which is not a number");
}

void ReadColumns(pugi::xml_node cols, const WorksheetContext& context, Worksheet& sheet) {
  for (pugi::xml_node col = cols.first_child(); col; col = col.next_sibling()) {
    if (LocalName(col.name()) != "col") continue;
    const int min = col.attribute("min").as_int(0), max = col.attribute("max").as_int(0);
    if (min < 1 || max < min || max > kMaxColumns)
      Fail(context, "a column range " + std::to_string(min) + ".." + std::to_string(max) +
                        " is outside the sheet");
    std::optional<std::int32_t> pixels;
    if (col.attribute("hidden").as_bool())
      pixels = 0;
    else if (pugi::xml_attribute width = col.attribute("width"))
      pixels = StoredWidthToPixels(width.as_double(), context.maxDigitWidth);
    pugi::xml_attribute style = col.attribute("style");
    for (int c = min; c <= max; ++c) {
      if (pixels) sheet.columnPixels[c] = *pixels;
      if (style) sheet.columnFormats[c] = FormatOf(context, style);
    }
  }
}

void ReadRows(pugi::xml_node sheetData, const WorksheetContext& context, Worksheet& sheet) {
  std::int32_t rowNumber = 0;
  for (pugi::xml_node row = sheetData.first_child(); row; row = row.next_sibling()) {
    if (LocalName(row.name()) != "row") continue;
    const std::int32_t r = row.attribute("r").as_int(rowNumber + 1);
    if (r < 1 || r > kMaxRows || r <= rowNumber)
      Fail(context, "row " + std::string(row.attribute("r").value()) +
                        " is out of order or outside the sheet");
    rowNumber = r;
    if (pugi::xml_attribute ht = row.attribute("ht")) sheet.rowHeights[r] = ht.as_double();
    if (row.attribute("hidden").as_bool()) sheet.hiddenRows[r] = true;
    if (row.attribute("customFormat").as_bool() && row.attribute("s"))
      sheet.rowFormats[r] = FormatOf(context, row.attribute("s"));

    std::int32_t column = 0;
    for (pugi::xml_node c = row.first_child(); c; c = c.next_sibling()) {
      if (LocalName(c.name()) != "c") continue;
      std::string ref = c.attribute("r").value();
      CellRef at{r, column + 1};
      if (!ref.empty()) {
        auto parsed = ParseCellRef(ref);
        if (!parsed || parsed->row != r)
          Fail(context,
               "the cell reference \"" + ref + "\" in row " + std::to_string(r) + " is not valid");
        at = *parsed;
      } else {
        ref = ColumnName(at.column) + std::to_string(r);
      }
      if (at.column > kMaxColumns)
        Fail(context, "row " + std::to_string(r) + " has too many cells");
      column = at.column;

      Cell cell;
      cell.value = ReadValue(c, context, ref);
      cell.hasFormula = static_cast<bool>(ChildByLocalName(c, "f"));
      pugi::xml_attribute s = c.attribute("s");
      // A cell element without `s` has the first format, whatever its row or column has.
      cell.format = FormatOf(context, s);
      if (cell.format != 0 || !std::holds_alternative<std::monostate>(cell.value))
        sheet.cells[at] = std::move(cell);
    }
  }
}

}  // namespace

std::int32_t DefaultColumnPixels(const pugi::xml_node& sheetFormatPr, std::int32_t mdw) {
  if (pugi::xml_attribute width = sheetFormatPr.attribute("defaultColWidth"))
    return StoredWidthToPixels(width.as_double(), mdw);
  const int base = sheetFormatPr.attribute("baseColWidth").as_int(8);
  const int pixels = base * mdw + 5;
  return (pixels + 7) / 8 * 8;
}

void ReadWorksheetPart(const pugi::xml_node& root, const WorksheetContext& context,
                       Worksheet& sheet) {
  pugi::xml_node formatPr = ChildByLocalName(root, "sheetFormatPr");
  sheet.defaultRowHeight =
      formatPr.attribute("defaultRowHeight").as_double(context.fallbackRowHeight);
  sheet.defaultColumnPixels = DefaultColumnPixels(formatPr, context.maxDigitWidth);

  if (pugi::xml_node dimension = ChildByLocalName(root, "dimension"))
    sheet.recordedDimensions = ParseRangeRef(dimension.attribute("ref").value());

  // Columns come before sheetData in the schema, so their formats are known for the cells.
  ReadColumns(ChildByLocalName(root, "cols"), context, sheet);
  ReadRows(ChildByLocalName(root, "sheetData"), context, sheet);

  for (pugi::xml_node merge = ChildByLocalName(ChildByLocalName(root, "mergeCells"), "mergeCell");
       merge; merge = merge.next_sibling()) {
    if (LocalName(merge.name()) != "mergeCell") continue;
    auto range = ParseRangeRef(merge.attribute("ref").value());
    if (!range)
      Fail(context, "the merged area \"" + std::string(merge.attribute("ref").value()) +
                        "\" is not a valid reference");
    if (!(range->first == range->last)) sheet.mergedAreas.push_back(*range);
  }

  if (pugi::xml_node protection = ChildByLocalName(root, "sheetProtection")) {
    sheet.protection.isProtected = protection.attribute("sheet").as_bool();
    pugi::xml_attribute password = protection.attribute("password");
    sheet.protection.hasPassword =
        (password && *password.value()) || *protection.attribute("hashValue").value();
    if (password) {
      unsigned hash = 0;
      std::string_view text = password.value();
      auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), hash, 16);
      if (ec == std::errc() && end == text.data() + text.size() && hash <= 0xFFFF)
        sheet.protection.passwordHash = static_cast<std::uint16_t>(hash);
    }
  }
}

}  // namespace tabulo::spreadsheet::xlsx
