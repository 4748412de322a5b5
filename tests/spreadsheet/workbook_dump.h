#pragma once
// The model in the canonical line form fixtures/openpyxl_dump.py prints, so that a
// reader's result can be compared with an independent reader's line by line.
#include <algorithm>
#include <cstdio>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet::testing {

inline std::string Number(double v) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17g", v);
  return buffer;
}

inline std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out += c;
    }
  }
  return out;
}

// openpyxl reads an empty string (a formula's empty result) as no value, so both
// print as "-".
inline bool HasValue(const CellValue& value) {
  if (const auto* s = std::get_if<std::string>(&value)) return !s->empty();
  return !std::holds_alternative<std::monostate>(value);
}

inline std::string ValueText(const CellValue& value) {
  if (!HasValue(value)) return "-";
  if (const auto* d = std::get_if<double>(&value)) return "n:" + Number(*d);
  if (const auto* s = std::get_if<std::string>(&value)) return "s:" + Escaped(*s);
  if (const auto* b = std::get_if<bool>(&value)) return std::string("b:") + (*b ? "1" : "0");
  if (const auto* e = std::get_if<ErrorValue>(&value)) return "e:" + e->text;
  return "-";
}

inline std::string FormatText(const CellFormat& f) {
  std::ostringstream out;
  out << f.font.name << '|' << Number(f.font.size) << '|' << f.font.colorIndex << '|' << f.font.bold
      << '|' << f.font.italic << '|' << f.font.underline << '|' << f.font.strikethrough << '\t';
  for (std::size_t i = 0; i < f.borders.size(); ++i) {
    const Border& b = f.borders[i];
    const bool none = b.lineStyle == xl::kLineStyleNone;
    out << (i ? " " : "") << b.lineStyle << '/' << (none ? xl::kThin : b.weight) << '/'
        << (none ? xl::kColorIndexAutomatic : b.colorIndex);
  }
  out << '\t' << f.horizontalAlignment << ' ' << f.verticalAlignment << ' ' << f.wrapText;
  return out.str();
}

inline std::string CellName(CellRef c) {
  return ColumnName(c.column) + std::to_string(c.row);
}

// The line for one cell; a cell the sheet does not list has no value and format 0.
inline std::string CellLine(const Workbook& book, std::size_t sheet, CellRef at) {
  const Worksheet& ws = book.sheets.at(sheet);
  auto it = ws.cells.find(at);
  const Cell empty;
  const Cell& cell = it == ws.cells.end() ? empty : it->second;
  return "cell " + std::to_string(sheet) + " " + CellName(at) + " " + ValueText(cell.value) + "\t" +
         FormatText(book.formats.at(cell.format));
}

// Every line but the cell lines, sorted.
inline std::vector<std::string> SheetLines(const Workbook& book) {
  std::vector<std::string> lines{"active " + std::to_string(book.activeSheet)};
  for (std::size_t i = 0; i < book.sheets.size(); ++i) {
    const Worksheet& ws = book.sheets[i];
    const std::string n = std::to_string(i);
    lines.push_back("sheet " + n + " " + ws.name);
    bool any = false;
    RangeRef used{{kMaxRows, kMaxColumns}, {1, 1}};
    for (const auto& [at, cell] : ws.cells) {
      if (!HasValue(cell.value)) continue;
      any = true;
      used.first.row = std::min(used.first.row, at.row);
      used.first.column = std::min(used.first.column, at.column);
      used.last.row = std::max(used.last.row, at.row);
      used.last.column = std::max(used.last.column, at.column);
    }
    if (any) lines.push_back("used " + n + " " + CellName(used.first) + ":" + CellName(used.last));
    for (const RangeRef& m : ws.mergedAreas)
      lines.push_back("merged " + n + " " + CellName(m.first) + ":" + CellName(m.last));
    for (const auto& [r, h] : ws.rowHeights)
      lines.push_back("row " + n + " " + std::to_string(r) + " " + Number(h));
    for (const auto& [r, hidden] : ws.hiddenRows)
      if (hidden) lines.push_back("hiddenrow " + n + " " + std::to_string(r));
    for (const auto& [c, px] : ws.columnPixels)
      lines.push_back("col " + n + " " + std::to_string(c) + " " + std::to_string(px));
    if (ws.protection.isProtected)
      lines.push_back("protected " + n + " " + (ws.protection.hasPassword ? "1" : "0"));
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

}  // namespace tabulo::spreadsheet::testing

namespace tabulo::spreadsheet {
// Readable failure messages for formats and values.
inline void PrintTo(const CellFormat& format, std::ostream* out) {
  *out << testing::FormatText(format) << " fmt=" << format.numberFormat
       << " fill=" << format.fillColorIndex;
}
inline void PrintTo(const CellValue& value, std::ostream* out) {
  *out << testing::ValueText(value);
}
}  // namespace tabulo::spreadsheet
