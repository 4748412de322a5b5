// Every .xls the tests know — the xlwt fixtures and the corpus workbooks — read
// by ReadXls and by xlrd (formatting_info=True) must agree on dimensions, merged
// areas, row heights, column widths and every cell's value and format. Both sides
// print the same canonical lines; fixtures/xls/xlrd_dump.py is xlrd's side.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>
#include <sstream>

#include "spreadsheet/xls_reader.h"
#include "xls_test_support.h"

namespace tabulo::spreadsheet {
namespace {

using namespace xls_test;

// JSON string as Python's json.dumps(ensure_ascii=True) writes it.
std::string Quoted(const std::string& utf8) {
  std::string out = "\"";
  auto escape = [&](unsigned unit) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04x", unit);
    out += buffer;
  };
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1   ? lead
                 : length == 2 ? lead & 0x1F
                 : length == 3 ? lead & 0x0F
                               : lead & 0x07;
    for (int k = 1; k < length && i + k < utf8.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += length;
    switch (c) {
      case '"':
        out += "\\\"";
        continue;
      case '\\':
        out += "\\\\";
        continue;
      case '\n':
        out += "\\n";
        continue;
      case '\r':
        out += "\\r";
        continue;
      case '\t':
        out += "\\t";
        continue;
      case '\b':
        out += "\\b";
        continue;
      case '\f':
        out += "\\f";
        continue;
      default:
        break;
    }
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else if (c < 0x10000) {
      escape(c);
    } else {
      escape(0xD800 + ((c - 0x10000) >> 10));
      escape(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
  }
  return out + "\"";
}

std::string Address(std::int32_t row, std::int32_t column) {
  return ColumnName(column) + std::to_string(row);
}

long Twips(double points) {
  return std::lround(points * 20.0);
}

std::string DescribeBorder(const Border& border) {
  if (border.lineStyle == xl::kLineStyleNone) return "none";
  return std::to_string(border.lineStyle) + "/" + std::to_string(border.weight) + "/" +
         std::to_string(border.colorIndex);
}

std::string Describe(const CellFormat& format) {
  const Font& f = format.font;
  std::ostringstream out;
  out << "font=" << Quoted(f.name) << "," << Twips(f.size) << "," << f.colorIndex << "," << f.bold
      << f.italic << f.underline << f.strikethrough;
  const char* names[] = {"DD", "DU", "L", "T", "B", "R"};
  for (std::size_t i = 0; i < format.borders.size(); ++i)
    out << " " << names[i] << "=" << DescribeBorder(format.borders[i]);
  out << " h=" << format.horizontalAlignment << " v=" << format.verticalAlignment
      << " wrap=" << format.wrapText << " nf=" << Quoted(format.numberFormat);
  return out.str();
}

std::string DescribeValue(const CellValue& value) {
  struct Visitor {
    std::string operator()(std::monostate) const { return "blank"; }
    std::string operator()(double d) const {
      char buffer[40];
      std::snprintf(buffer, sizeof buffer, "n:%.17g", d);
      return buffer;
    }
    std::string operator()(const std::string& s) const { return "s:" + Quoted(s); }
    std::string operator()(bool b) const { return b ? "b:1" : "b:0"; }
    std::string operator()(const ErrorValue& e) const { return "e:" + e.text; }
  };
  return std::visit(Visitor{}, value);
}

void DumpSheet(std::size_t index, const Worksheet& sheet, const Workbook& book,
               std::vector<std::string>& lines) {
  const std::string prefix = "sheet " + std::to_string(index) + " ";
  lines.push_back(prefix + "name " + Quoted(sheet.name));
  std::int32_t rows = 0, columns = 0;
  for (const auto& [ref, cell] : sheet.cells) {
    rows = std::max(rows, ref.row);
    columns = std::max(columns, ref.column);
  }
  for (const RangeRef& area : sheet.mergedAreas) {
    rows = std::max(rows, area.last.row);
    columns = std::max(columns, area.last.column);
    lines.push_back(prefix + "merged " + Address(area.first.row, area.first.column) + ":" +
                    Address(area.last.row, area.last.column));
  }
  lines.push_back(prefix + "dims " + std::to_string(rows) + " " + std::to_string(columns));
  const RangeRef recorded = sheet.recordedDimensions.value_or(RangeRef{{0, 0}, {0, 0}});
  lines.push_back(prefix + "recorded-dims " + std::to_string(recorded.last.row) + " " +
                  std::to_string(recorded.last.column));

  const long defaultHeight = Twips(sheet.defaultRowHeight);
  lines.push_back(prefix + "default-row " + std::to_string(defaultHeight));
  std::set<std::int32_t> rowKeys;
  for (const auto& [row, height] : sheet.rowHeights) rowKeys.insert(row);
  for (const auto& [row, hidden] : sheet.hiddenRows) rowKeys.insert(row);
  for (std::int32_t row : rowKeys) {
    const auto hidden = sheet.hiddenRows.find(row);
    const auto height = sheet.rowHeights.find(row);
    const long twips = hidden != sheet.hiddenRows.end() && hidden->second ? 0
                       : height != sheet.rowHeights.end()                 ? Twips(height->second)
                                                                          : defaultHeight;
    if (twips != defaultHeight)
      lines.push_back(prefix + "row " + std::to_string(row) + " " + std::to_string(twips));
  }
  lines.push_back(prefix + "default-col " + std::to_string(sheet.defaultColumnPixels));
  for (const auto& [column, pixels] : sheet.columnPixels)
    if (pixels != sheet.defaultColumnPixels)
      lines.push_back(prefix + "col " + std::to_string(column) + " " + std::to_string(pixels));

  const std::string defaultFormat = Describe(book.formats[0]);
  for (std::int32_t row = 1; row <= rows; ++row) {
    for (std::int32_t column = 1; column <= columns; ++column) {
      const auto cell = sheet.cells.find(CellRef{row, column});
      if (cell != sheet.cells.end()) {
        lines.push_back(prefix + "cell " + Address(row, column) + " " +
                        DescribeValue(cell->second.value) + " | " +
                        Describe(book.formats.at(cell->second.format)));
        continue;
      }
      std::uint32_t format = 0;
      if (auto r = sheet.rowFormats.find(row); r != sheet.rowFormats.end())
        format = r->second;
      else if (auto c = sheet.columnFormats.find(column); c != sheet.columnFormats.end())
        format = c->second;
      const std::string inherited = Describe(book.formats.at(format));
      if (inherited != defaultFormat)
        lines.push_back(prefix + "empty " + Address(row, column) + " | " + inherited);
    }
  }
}

std::vector<std::string> Dump(const Workbook& book) {
  std::vector<std::string> lines{std::string("datemode ") + (book.date1904 ? "1" : "0")};
  for (std::size_t i = 0; i < book.palette.size(); ++i) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "palette %zu %06X", i + 1,
                  static_cast<unsigned>(book.palette[i]));
    lines.emplace_back(buffer);
  }
  for (std::size_t i = 0; i < book.sheets.size(); ++i) DumpSheet(i, book.sheets[i], book, lines);
  std::sort(lines.begin(), lines.end());
  return lines;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The lines only one side has, marked "xlrd:" or "ours:", at most `limit` of them.
std::string Differences(const std::vector<std::string>& xlrd, const std::vector<std::string>& ours,
                        std::size_t limit = 25) {
  std::vector<std::string> onlyXlrd, onlyOurs;
  std::set_difference(xlrd.begin(), xlrd.end(), ours.begin(), ours.end(),
                      std::back_inserter(onlyXlrd));
  std::set_difference(ours.begin(), ours.end(), xlrd.begin(), xlrd.end(),
                      std::back_inserter(onlyOurs));
  std::string report;
  std::size_t shown = 0;
  for (const auto& line : onlyXlrd)
    if (shown++ < limit) report += "  xlrd: " + line + "\n";
  for (const auto& line : onlyOurs)
    if (shown++ < limit) report += "  ours: " + line + "\n";
  if (shown > limit) report += "  ... " + std::to_string(shown - limit) + " more\n";
  return report;
}

void ExpectAgreement(const std::filesystem::path& file) {
  SCOPED_TRACE(file.string());
  const auto xlrd = Lines(RunPythonTool("xlrd_dump.py", file.string()));
  ASSERT_FALSE(xlrd.empty());
  const auto ours = Dump(ReadXls(file));
  EXPECT_TRUE(xlrd == ours) << Differences(xlrd, ours);
}

TEST(XlsXlrdAgreement, XlwtFixtures) {
  for (const char* name : {"formats.xls", "layout.xls", "strings.xls"})
    ExpectAgreement(XlwtFixtures() / name);
}

TEST(XlsXlrdAgreement, CorpusWorkbooks) {
  std::size_t checked = 0;
  for (const auto& entry : std::filesystem::directory_iterator(kCorpus)) {
    const auto& path = entry.path();
    if (path.extension() != ".xls" || path.filename().string().find("BIFF5") != std::string::npos)
      continue;
    ExpectAgreement(path);
    ++checked;
  }
  EXPECT_GE(checked, 8u) << "corpus workbooks missing from " << kCorpus;
}

}  // namespace
}  // namespace tabulo::spreadsheet
