#pragma once
// The styles of an OpenDocument spreadsheet that the model needs: cell styles
// (with their parents and the default style) as cell formats, and the column
// widths and row heights of column and row styles.
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <pugixml.hpp>
#include <string>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet::ods {

class Styles {
 public:
  explicit Styles(const std::array<std::uint32_t, 56>& palette) : palette_(palette) {}

  // Reads office:font-face-decls, office:styles or office:automatic-styles (any of
  // the three; call it for each that the document's parts hold).
  void add(const pugi::xml_node& container);

  // The cell format of a table-cell style; the default style's for "" or an unknown name.
  CellFormat cellFormat(const std::string& styleName) const;
  // Width of a table-column style, in points.
  std::optional<double> columnWidth(const std::string& styleName) const;
  // Height of a table-row style, in points.
  std::optional<double> rowHeight(const std::string& styleName) const;

 private:
  using Properties = std::map<std::string, std::string>;  // attribute name -> value
  struct Style {
    std::string parent;
    Properties properties;
  };
  void resolve(const std::string& name, Properties& into, int depth) const;

  const std::array<std::uint32_t, 56>& palette_;
  std::map<std::string, std::string> fontFamilies_;  // font face name -> family
  std::map<std::string, std::string> numberCodes_;   // data style name -> format code
  Properties defaultCell_;
  std::map<std::string, Style> cellStyles_;
  std::map<std::string, double> columnWidths_;
  std::map<std::string, double> rowHeights_;
};

// (LineStyle, Weight, palette index) of an OpenDocument border ("0.74pt solid
// #000000"); LineStyle is xlNone for "none" and what cannot be read.
Border ParseBorder(std::string_view text, const std::array<std::uint32_t, 56>& palette);

}  // namespace tabulo::spreadsheet::ods
