#pragma once
// What a user sees of a worksheet, read through the automation layer, cell by cell,
// so two sheets (a source and its round trip) can be compared with a readable diff.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <sstream>

#include "automation/dispatch.h"

namespace tabulo::load::testing {

// One visible border line.
struct EdgePicture {
  bool set = false;
  std::int32_t color = 0;  // palette index; 0 when not set
  friend bool operator==(const EdgePicture&, const EdgePicture&) = default;
};

struct CellPicture {
  std::string mergeArea;  // MergeArea.address
  bool anchor = false;    // unmerged, or the top-left cell of its merged area
  // Text and format, for anchors only; the format only for a non-blank text.
  std::string text;
  std::string fontName;
  double fontSize = 0;
  std::int32_t fontColor = 0;
  bool wrap = false;
  std::int32_t horizontal = 0, vertical = 0;
  // The line along the cell's top and left side, whichever cell holds it: the
  // bottom border of the cell above or the right border of the cell to the left
  // when set (that one is drawn), else the cell's own top or left border.
  EdgePicture top, left;
  EdgePicture diagonalDown, diagonalUp;  // anchors only
  friend bool operator==(const CellPicture&, const CellPicture&) = default;
};

struct SheetPicture {
  std::int32_t rows = 0, columns = 0;  // the grid; cells go one row and column further
  std::vector<double> rowHeights;      // rowheight of rows 1..rows
  std::vector<double> columnWidths;    // ColumnWidth of columns 1..columns
  std::vector<double> columnPoints;    // Width of columns 1..columns
  std::vector<CellPicture> cells;      // row by row, (rows + 1) × (columns + 1)

  const CellPicture& at(std::int32_t row, std::int32_t column) const {
    return cells[static_cast<std::size_t>((row - 1) * (columns + 1) + (column - 1))];
  }
  CellPicture& at(std::int32_t row, std::int32_t column) {
    return cells[static_cast<std::size_t>((row - 1) * (columns + 1) + (column - 1))];
  }
};

// Reads rows 1..rows and columns 1..columns of `sheet`, and the row and column
// after them (where right and bottom borders of the table come back).
// Describe: one line per cell. Differences: every difference between `expected`
// and `actual`, one entry each (empty when the two are the same).
using automation::Dispatch;

namespace detail {

inline constexpr std::int32_t kNone = -4142;

inline EdgePicture Border(const Dispatch& cell, std::int32_t index) {
  Dispatch border = cell.get("borders").call("Item", index);
  EdgePicture edge;
  edge.set = border.get("LineStyle").toInt32() != kNone;
  if (edge.set) edge.color = border.get("colorindex").toInt32();
  return edge;
}

inline std::string Text(const EdgePicture& e) {
  return e.set ? "line/" + std::to_string(e.color) : "none";
}

inline std::string Number(double d) {
  std::ostringstream out;
  out.precision(17);
  out << d;
  return out.str();
}

}  // namespace detail

inline std::string CellName(std::int32_t row, std::int32_t column) {
  std::string letters;
  for (std::int32_t c = column; c > 0; c = (c - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
  return letters + std::to_string(row);
}

inline SheetPicture Capture(const Dispatch& sheet, std::int32_t rows, std::int32_t columns) {
  SheetPicture picture;
  picture.rows = rows;
  picture.columns = columns;
  for (std::int32_t i = 1; i <= rows; ++i)
    picture.rowHeights.push_back(sheet.get("rows", i).get("rowheight").toDouble());
  for (std::int32_t j = 1; j <= columns; ++j) {
    picture.columnWidths.push_back(sheet.get("Columns", j).get("ColumnWidth").toDouble());
    picture.columnPoints.push_back(sheet.get("Columns", j).get("Width").toDouble());
  }
  auto cellAt = [&](std::int32_t r, std::int32_t c) {
    return sheet.get("cells").call("item", r, c);
  };
  for (std::int32_t r = 1; r <= rows + 1; ++r) {
    for (std::int32_t c = 1; c <= columns + 1; ++c) {
      Dispatch cell = cellAt(r, c);
      CellPicture p;
      Dispatch area = cell.get("MergeArea");
      p.mergeArea = area.get("address").toString();
      p.anchor = area.get("row").toInt32() == r && area.get("column").toInt32() == c;

      EdgePicture above = r > 1 ? detail::Border(cellAt(r - 1, c), 9) : EdgePicture{};
      p.top = above.set ? above : detail::Border(cell, 8);
      EdgePicture before = c > 1 ? detail::Border(cellAt(r, c - 1), 10) : EdgePicture{};
      p.left = before.set ? before : detail::Border(cell, 7);

      if (p.anchor) {
        p.diagonalDown = detail::Border(cell, 5);
        p.diagonalUp = detail::Border(cell, 6);
        p.text = cell.get("text").toString();
        if (p.text.find_first_not_of(" \t\r\n") != std::string::npos) {
          Dispatch font = cell.get("font");
          p.fontName = font.get("name").toString();
          p.fontSize = font.get("size").toDouble();
          p.fontColor = font.get("colorindex").toInt32();
          p.wrap = cell.get("WrapText").toBool();
          p.horizontal = cell.get("horizontalalignment").toInt32();
          p.vertical = cell.get("verticalalignment").toInt32();
        }
      }
      picture.cells.push_back(p);
    }
  }
  return picture;
}

inline std::string Describe(const CellPicture& p) {
  std::ostringstream out;
  out << "area " << p.mergeArea << "; top " << detail::Text(p.top) << ", left "
      << detail::Text(p.left);
  if (p.anchor) {
    out << "; diagonals " << detail::Text(p.diagonalDown) << " " << detail::Text(p.diagonalUp);
    std::string shown;
    for (char ch : p.text) shown += ch == '\n' ? std::string("\\n") : std::string(1, ch);
    out << "; text \"" << shown << "\"";
    if (!p.fontName.empty())
      out << " in " << p.fontName << " " << detail::Number(p.fontSize) << "pt colour "
          << p.fontColor << (p.wrap ? " wrapped" : "") << " h" << p.horizontal << " v"
          << p.vertical;
  }
  return out.str();
}

inline std::vector<std::string> Differences(const SheetPicture& expected,
                                            const SheetPicture& actual) {
  std::vector<std::string> out;
  if (expected.rows != actual.rows || expected.columns != actual.columns) {
    out.push_back("grid sizes differ");
    return out;
  }
  auto sizes = [&](const char* what, const std::vector<double>& e, const std::vector<double>& a) {
    for (std::size_t i = 0; i < e.size(); ++i)
      if (e[i] != a[i])
        out.push_back(std::string(what) + " " + std::to_string(i + 1) + ": expected " +
                      detail::Number(e[i]) + ", got " + detail::Number(a[i]));
  };
  sizes("row height", expected.rowHeights, actual.rowHeights);
  sizes("column width", expected.columnWidths, actual.columnWidths);
  sizes("column points", expected.columnPoints, actual.columnPoints);
  for (std::int32_t r = 1; r <= expected.rows + 1; ++r)
    for (std::int32_t c = 1; c <= expected.columns + 1; ++c)
      if (!(expected.at(r, c) == actual.at(r, c)))
        out.push_back(CellName(r, c) + ":\n  expected " + Describe(expected.at(r, c)) +
                      "\n  got      " + Describe(actual.at(r, c)));
  return out;
}

}  // namespace tabulo::load::testing
