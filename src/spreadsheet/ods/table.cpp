#include "spreadsheet/ods/table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <string_view>
#include <vector>

#include "spreadsheet/serial_dates.h"

namespace tabulo::spreadsheet::ods {

namespace {

// More cells than this in one table are refused: no sheet the export can draw
// comes near it, and repeats in a crafted file could otherwise exhaust memory.
constexpr std::size_t kMaxStoredCells = 4'000'000;

struct Run {
  std::int32_t first = 1;
  std::int32_t count = 1;
  std::optional<double> size;  // points
  bool hidden = false;
};

std::int32_t Repeats(const pugi::xml_node& node, const char* attribute) {
  return std::max(1, node.attribute(attribute).as_int(1));
}

bool Hidden(const pugi::xml_node& node) {
  const std::string_view visibility = node.attribute("table:visibility").value();
  return visibility == "collapse" || visibility == "filter";
}

// Groups and spans nest no deeper than this in real documents; deeper nesting is
// left unread rather than exhausting the stack.
constexpr int kMaxNesting = 64;

// Visits the rows or columns of a table, descending into their groups.
void ForEach(const pugi::xml_node& parent, std::string_view element,
             const std::function<void(const pugi::xml_node&)>& visit, int depth = 0) {
  if (depth > kMaxNesting) return;
  for (pugi::xml_node child : parent.children()) {
    const std::string_view name = child.name();
    if (name == element)
      visit(child);
    else if (name == std::string(element) + "-group" || name == std::string(element) + "s" ||
             name == "table:table-header-" + std::string(element.substr(12)) + "s")
      ForEach(child, element, visit, depth + 1);
  }
}

void AppendText(const pugi::xml_node& node, std::string& text, int depth = 0) {
  if (depth > kMaxNesting) return;
  for (pugi::xml_node child : node.children()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
      text += child.value();
      continue;
    }
    const std::string_view name = child.name();
    if (name == "text:s")
      text.append(
          static_cast<std::size_t>(std::clamp(child.attribute("text:c").as_int(1), 1, 1000)), ' ');
    else if (name == "text:tab")
      text += '\t';
    else if (name == "text:line-break")
      text += '\n';
    else if (name != "office:annotation" && name != "text:note")
      AppendText(child, text, depth + 1);
  }
}

std::string CellText(const pugi::xml_node& cell) {
  std::string text;
  bool first = true;
  for (pugi::xml_node p : cell.children("text:p")) {
    if (!first) text += '\n';
    first = false;
    AppendText(p, text);
  }
  return text;
}

std::optional<double> Number(std::string_view text) {
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
    return std::nullopt;
  return value;
}

CellValue ReadValue(const pugi::xml_node& cell, const TableContext& context,
                    const std::string& where) {
  const std::string_view type = cell.attribute("office:value-type").value();
  auto fail = [&](const char* attribute) -> CellValue {
    throw FileError("Cannot read " + context.where + ": cell " + where + " has the " + attribute +
                    " \"" + cell.attribute(attribute).value() + "\", which cannot be read.");
  };
  if (type == "float" || type == "percentage" || type == "currency") {
    if (auto v = Number(cell.attribute("office:value").value())) return *v;
    return fail("office:value");
  }
  if (type == "date") {
    if (auto v = IsoDateTimeToSerial(cell.attribute("office:date-value").value(), context.date1904))
      return *v;
    return fail("office:date-value");
  }
  if (type == "time") {
    if (auto v = IsoDurationToDays(cell.attribute("office:time-value").value())) return *v;
    return fail("office:time-value");
  }
  if (type == "boolean") {
    const std::string_view b = cell.attribute("office:boolean-value").value();
    return b == "true" || b == "1";
  }
  if (std::string_view(cell.attribute("calcext:value-type").value()) == "error")
    return ErrorValue{CellText(cell)};
  // A string value given as an attribute is the value; the paragraphs show it.
  if (type == "string" && cell.attribute("office:string-value"))
    return std::string(cell.attribute("office:string-value").value());
  std::string text = CellText(cell);
  if (type.empty() && text.empty()) return std::monostate{};
  return text;
}

std::uint32_t FormatOf(TableContext& context, const std::string& style) {
  auto [it, added] = context.formatOfStyle.try_emplace(style, 0);
  if (added) it->second = context.formats.intern(context.styles.cellFormat(style));
  return it->second;
}

// The most common size over the runs, weighted by their lengths.
std::optional<double> MostCommon(const std::vector<Run>& runs) {
  std::map<double, long> total;
  for (const Run& r : runs)
    if (r.size && !r.hidden) total[*r.size] += r.count;
  if (total.empty()) return std::nullopt;
  return std::max_element(total.begin(), total.end(),
                          [](const auto& a, const auto& b) { return a.second < b.second; })
      ->first;
}

// Row heights are whole pixels at 96 dpi in the spreadsheet: multiples of 0.75 pt.
double RowPoints(double points) {
  return std::round(points / 0.75) * 0.75;
}
std::int32_t ColumnPixels(double points) {
  return static_cast<std::int32_t>(std::lround(points * 96.0 / 72.0));
}

}  // namespace

void ReadTable(const pugi::xml_node& table, TableContext& context, Worksheet& sheet) {
  sheet.name = table.attribute("table:name").value();
  sheet.protection.isProtected = table.attribute("table:protected").as_bool();
  sheet.protection.hasPassword = *table.attribute("table:protection-key").value() != '\0';

  // Columns: widths, visibility and the style of their empty cells.
  std::vector<Run> columns;
  std::map<std::int32_t, std::string> columnCellStyle;
  std::int32_t column = 1;
  ForEach(table, "table:table-column", [&](const pugi::xml_node& node) {
    if (column > kMaxColumns) return;
    Run run{column,
            std::min(Repeats(node, "table:number-columns-repeated"), kMaxColumns - column + 1),
            context.styles.columnWidth(node.attribute("table:style-name").value()), Hidden(node)};
    const std::string cellStyle = node.attribute("table:default-cell-style-name").value();
    for (std::int32_t c = run.first; c < run.first + run.count; ++c) {
      if (!cellStyle.empty()) columnCellStyle[c] = cellStyle;
      if (const std::uint32_t f = cellStyle.empty() ? 0 : FormatOf(context, cellStyle))
        sheet.columnFormats[c] = f;
    }
    columns.push_back(run);
    column += run.count;
  });
  if (auto common = MostCommon(columns)) sheet.defaultColumnPixels = ColumnPixels(*common);
  for (const Run& run : columns)
    for (std::int32_t c = run.first; c < run.first + run.count; ++c) {
      const std::int32_t px = run.hidden ? 0
                              : run.size ? ColumnPixels(*run.size)
                                         : sheet.defaultColumnPixels;
      if (px != sheet.defaultColumnPixels) sheet.columnPixels[c] = px;
    }

  // Rows and their cells.
  std::vector<Run> rows;
  std::int32_t row = 1;
  std::size_t stored = 0;
  ForEach(table, "table:table-row", [&](const pugi::xml_node& node) {
    if (row > kMaxRows) return;
    const Run run{row, std::min(Repeats(node, "table:number-rows-repeated"), kMaxRows - row + 1),
                  context.styles.rowHeight(node.attribute("table:style-name").value()),
                  Hidden(node)};
    rows.push_back(run);
    row += run.count;
    const std::string rowCellStyle = node.attribute("table:default-cell-style-name").value();
    const std::uint32_t rowFormat = rowCellStyle.empty() ? 0 : FormatOf(context, rowCellStyle);

    // The cells of one row, as (column, cell, spans), stored once per repeat.
    struct Entry {
      std::int32_t column;
      Cell cell;
      bool keep;  // it has a value, or a format other than its row's or column's
      std::int32_t columnsSpanned, rowsSpanned;
    };
    std::vector<Entry> entries;
    std::int32_t c = 1;
    for (pugi::xml_node cell : node.children()) {
      const std::string_view name = cell.name();
      if (name != "table:table-cell" && name != "table:covered-table-cell") continue;
      if (c > kMaxColumns) break;
      const std::int32_t repeat =
          std::min(Repeats(cell, "table:number-columns-repeated"), kMaxColumns - c + 1);
      const std::string where = ColumnName(c) + std::to_string(run.first);
      Cell model;
      model.value = ReadValue(cell, context, where);
      model.hasFormula = static_cast<bool>(cell.attribute("table:formula"));
      const std::string own = cell.attribute("table:style-name").value();
      const std::int32_t spannedColumns = cell.attribute("table:number-columns-spanned").as_int(1);
      const std::int32_t spannedRows = cell.attribute("table:number-rows-spanned").as_int(1);
      // Blank cells without a style of their own show their row's or column's format:
      // nothing to keep (LibreOffice pads every row to the last column this way).
      if (own.empty() && std::holds_alternative<std::monostate>(model.value) &&
          spannedColumns <= 1 && spannedRows <= 1) {
        c += repeat;
        continue;
      }
      for (std::int32_t k = 0; k < repeat; ++k, ++c) {
        // What a cell left out of the model shows: its row's format, else its column's.
        std::uint32_t fallback = rowFormat;
        if (rowCellStyle.empty()) {
          auto cf = sheet.columnFormats.find(c);
          fallback = cf == sheet.columnFormats.end() ? 0 : cf->second;
        }
        Cell placed = model;
        placed.format = own.empty() ? fallback : FormatOf(context, own);
        const bool hasValue = !std::holds_alternative<std::monostate>(placed.value);
        const bool keep = hasValue || placed.format != fallback;
        if (keep || spannedColumns > 1 || spannedRows > 1)
          entries.push_back({c, std::move(placed), keep, spannedColumns, spannedRows});
      }
    }
    if (entries.empty() && rowFormat == 0) return;
    for (std::int32_t r = run.first; r < run.first + run.count; ++r) {
      if (rowFormat != 0) sheet.rowFormats[r] = rowFormat;
      for (const Entry& e : entries) {
        if (++stored > kMaxStoredCells)
          throw FileError("Cannot read " + context.where + ": the table \"" + sheet.name +
                          "\" has more cells than a worksheet can hold.");
        if (e.keep) sheet.cells[{r, e.column}] = e.cell;
        if (e.columnsSpanned > 1 || e.rowsSpanned > 1)
          sheet.mergedAreas.push_back(
              RangeRef{{r, e.column},
                       {std::min(r + e.rowsSpanned - 1, kMaxRows),
                        std::min(e.column + e.columnsSpanned - 1, kMaxColumns)}});
      }
    }
  });
  if (auto common = MostCommon(rows)) sheet.defaultRowHeight = RowPoints(*common);
  for (const Run& run : rows) {
    const bool custom = run.size && RowPoints(*run.size) != sheet.defaultRowHeight;
    if (!custom && !run.hidden) continue;
    for (std::int32_t r = run.first; r < run.first + run.count; ++r) {
      if (custom) sheet.rowHeights[r] = RowPoints(*run.size);
      if (run.hidden) sheet.hiddenRows[r] = true;
    }
  }
}

}  // namespace tabulo::spreadsheet::ods
