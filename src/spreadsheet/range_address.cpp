#include "spreadsheet/range_address.h"

#include <cctype>
#include <stdexcept>

namespace tabulo::spreadsheet {
namespace {

bool WholeRows(const RangeRef& a) {
  return a.first.column == 1 && a.last.column == kMaxColumns;
}
bool WholeColumns(const RangeRef& a) {
  return a.first.row == 1 && a.last.row == kMaxRows;
}

std::string CellAddress(CellRef c, bool rowAbsolute, bool columnAbsolute) {
  return (columnAbsolute ? "$" : "") + ColumnName(c.column) + (rowAbsolute ? "$" : "") +
         std::to_string(c.row);
}

std::string StripDollars(std::string_view text) {
  std::string out;
  for (char ch : text)
    if (ch != '$') out += ch;
  return out;
}

std::optional<std::int32_t> RowNumber(std::string_view text) {
  if (text.empty() || text.size() > 7) return std::nullopt;
  std::int32_t row = 0;
  for (char ch : text) {
    if (!std::isdigit(static_cast<unsigned char>(ch))) return std::nullopt;
    row = row * 10 + (ch - '0');
  }
  if (row < 1 || row > kMaxRows) return std::nullopt;
  return row;
}

}  // namespace

std::int32_t ColumnNumber(std::string_view name) {
  if (name.empty() || name.size() > 3) return 0;
  std::int32_t column = 0;
  for (char ch : name) {
    if (!std::isalpha(static_cast<unsigned char>(ch))) return 0;
    column = column * 26 + (std::toupper(static_cast<unsigned char>(ch)) - 'A' + 1);
  }
  return column <= kMaxColumns ? column : 0;
}

std::string RangeAddress(const RangeRef& area, bool rowAbsolute, bool columnAbsolute) {
  const std::string r = rowAbsolute ? "$" : "", c = columnAbsolute ? "$" : "";
  if (WholeRows(area) && !WholeColumns(area))
    return r + std::to_string(area.first.row) + ":" + r + std::to_string(area.last.row);
  if (WholeColumns(area) && !WholeRows(area))
    return c + ColumnName(area.first.column) + ":" + c + ColumnName(area.last.column);
  if (WholeRows(area))  // the whole sheet
    return r + "1:" + r + std::to_string(kMaxRows);
  std::string out = CellAddress(area.first, rowAbsolute, columnAbsolute);
  if (area.first != area.last) out += ":" + CellAddress(area.last, rowAbsolute, columnAbsolute);
  return out;
}

std::optional<RangeRef> ParseRangeAddress(std::string_view text) {
  try {
    return ParseA1(std::string(text));
  } catch (const std::invalid_argument&) {
  }
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  const std::string a = StripDollars(text.substr(0, colon)),
                    b = StripDollars(text.substr(colon + 1));
  if (auto r1 = RowNumber(a), r2 = RowNumber(b); r1 && r2)
    return RangeRef{{std::min(*r1, *r2), 1}, {std::max(*r1, *r2), kMaxColumns}};
  if (std::int32_t c1 = ColumnNumber(a), c2 = ColumnNumber(b); c1 && c2)
    return RangeRef{{1, std::min(c1, c2)}, {kMaxRows, std::max(c1, c2)}};
  return std::nullopt;
}

}  // namespace tabulo::spreadsheet
