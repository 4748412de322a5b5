#include "generated_sheet.h"

#include <algorithm>
#include <string>

namespace tabulo::bench {
namespace xl = spreadsheet::xl;
using spreadsheet::CellFormat;

namespace {

CellFormat Boxed(std::int32_t colorIndex) {
  CellFormat format;
  for (std::int32_t index : {xl::kEdgeLeft, xl::kEdgeTop, xl::kEdgeBottom, xl::kEdgeRight})
    format.borders[spreadsheet::BorderSlot(index)] = {xl::kContinuous, xl::kThin, colorIndex};
  return format;
}

std::uint32_t AddFormat(spreadsheet::Workbook& book, CellFormat format) {
  book.formats.push_back(std::move(format));
  return static_cast<std::uint32_t>(book.formats.size() - 1);
}

}  // namespace

spreadsheet::Workbook MakeFormattedSheet(std::int32_t rows, std::int32_t columns) {
  spreadsheet::Workbook book;
  book.sheets.resize(1);
  spreadsheet::Worksheet& sheet = book.sheets[0];
  sheet.name = "Sheet1";

  CellFormat header = Boxed(5);
  header.font.bold = true;
  header.horizontalAlignment = xl::kHAlignCenter;
  header.verticalAlignment = xl::kVAlignCenter;
  header.wrapText = true;
  CellFormat label = Boxed(xl::kColorIndexAutomatic);
  label.horizontalAlignment = xl::kHAlignLeft;
  CellFormat amount = Boxed(xl::kColorIndexAutomatic);
  amount.numberFormat = "#,##0.00";
  CellFormat share = Boxed(xl::kColorIndexAutomatic);
  share.numberFormat = "0.0%";
  CellFormat diagonal = amount;
  diagonal.borders[spreadsheet::BorderSlot(xl::kDiagonalDown)] = {xl::kContinuous, xl::kThin, 10};
  CellFormat subtotal = Boxed(3);
  subtotal.font.colorIndex = 3;
  subtotal.horizontalAlignment = xl::kHAlignCenter;
  subtotal.verticalAlignment = xl::kVAlignCenter;

  const std::uint32_t headerFormat = AddFormat(book, header);
  const std::uint32_t labelFormat = AddFormat(book, label);
  const std::uint32_t amountFormat = AddFormat(book, amount);
  const std::uint32_t shareFormat = AddFormat(book, share);
  const std::uint32_t diagonalFormat = AddFormat(book, diagonal);
  const std::uint32_t subtotalFormat = AddFormat(book, subtotal);

  sheet.columnPixels[1] = 120;
  for (std::int32_t c = 4; c <= columns; c += 4) sheet.columnPixels[c] = 80;
  sheet.rowHeights[1] = 30;
  for (std::int32_t c = 1; c <= columns; ++c)
    sheet.cells[{1, c}] = {"Column " + spreadsheet::ColumnName(c), headerFormat};

  const std::int32_t mergeWidth = std::min(columns, 3);
  for (std::int32_t r = 2; r <= rows; ++r) {
    const bool subtotalRow = r % 10 == 0;
    for (std::int32_t c = 1; c <= columns; ++c) {
      spreadsheet::Cell& cell = sheet.cells[{r, c}];
      if (subtotalRow && c <= mergeWidth) {
        if (c == 1)
          cell.value = "Subtotal of rows " + std::to_string(r - 9) + " to " + std::to_string(r - 1);
        cell.format = subtotalFormat;
      } else if (c == 1) {
        cell = {"Item " + std::to_string(r - 1), labelFormat};
      } else if (c % 3 == 0) {
        cell = {static_cast<double>(c) / (r + c), shareFormat};
      } else {
        cell = {(r * columns + c) * 1.25,
                c == columns && r % 7 == 0 ? diagonalFormat : amountFormat};
      }
    }
    if (subtotalRow) {
      sheet.rowHeights[r] = 18;
      if (mergeWidth > 1) sheet.mergedAreas.push_back({{r, 1}, {r, mergeWidth}});
    }
  }
  return book;
}

void GridSizes(benchmark::internal::Benchmark* benchmark) {
  benchmark->ArgNames({"rows", "cols"})
      ->Args({10, 10})
      ->Args({100, 10})
      ->Args({200, 10})
      ->Args({400, 10})
      ->Args({800, 10})
      ->Args({1500, 10})
      ->Args({100, 20})
      ->Args({100, 40})
      ->Args({100, 80})
      ->Args({100, 160})
      ->Unit(benchmark::kMillisecond);
}

}  // namespace tabulo::bench
