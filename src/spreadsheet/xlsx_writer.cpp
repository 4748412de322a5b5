#include "spreadsheet/xlsx_writer.h"

#include <cmath>

#include <xlsxwriter.h>

#include "platform/file_replace.h"

#include <map>
#include <memory>
#include <optional>
#include <random>
#include <system_error>
#include <vector>

namespace tabulo::spreadsheet {

namespace {

struct WorkbookFree {
  void operator()(lxw_workbook* workbook) const { lxw_workbook_free(workbook); }
};
using WorkbookHandle = std::unique_ptr<lxw_workbook, WorkbookFree>;

[[noreturn]] void Fail(const std::filesystem::path& file, const std::string& reason) {
  throw FileError("Cannot save workbook '" + file.string() + "': " + reason + ".");
}

lxw_color_t Rgb(const Workbook& workbook, std::int32_t colorIndex) {
  const std::uint32_t rgb = workbook.palette[static_cast<std::size_t>(colorIndex - 1)];
  // libxlsxwriter reads 0 as "no colour"; black has its own value.
  return rgb == 0 ? LXW_COLOR_BLACK : rgb;
}

bool IsPaletteIndex(std::int32_t colorIndex) {
  return colorIndex >= 1 && colorIndex <= 56;
}

std::uint8_t BorderStyle(const Border& border) {
  const bool heavy = border.weight == xl::kMedium || border.weight == xl::kThick;
  switch (border.lineStyle) {
    case xl::kContinuous:
      switch (border.weight) {
        case xl::kHairline:
          return LXW_BORDER_HAIR;
        case xl::kMedium:
          return LXW_BORDER_MEDIUM;
        case xl::kThick:
          return LXW_BORDER_THICK;
        default:
          return LXW_BORDER_THIN;
      }
    case xl::kDash:
      return heavy ? LXW_BORDER_MEDIUM_DASHED : LXW_BORDER_DASHED;
    case xl::kDot:
      return LXW_BORDER_DOTTED;
    case xl::kDouble:
      return LXW_BORDER_DOUBLE;
    case xl::kDashDot:
      return heavy ? LXW_BORDER_MEDIUM_DASH_DOT : LXW_BORDER_DASH_DOT;
    case xl::kDashDotDot:
      return heavy ? LXW_BORDER_MEDIUM_DASH_DOT_DOT : LXW_BORDER_DASH_DOT_DOT;
    case xl::kSlantDashDot:
      return LXW_BORDER_SLANT_DASH_DOT;
    default:
      return LXW_BORDER_NONE;
  }
}

std::uint8_t HorizontalAlignment(std::int32_t value) {
  switch (value) {
    case xl::kHAlignLeft:
      return LXW_ALIGN_LEFT;
    case xl::kHAlignCenter:
      return LXW_ALIGN_CENTER;
    case xl::kHAlignRight:
      return LXW_ALIGN_RIGHT;
    case xl::kHAlignFill:
      return LXW_ALIGN_FILL;
    case xl::kHAlignJustify:
      return LXW_ALIGN_JUSTIFY;
    case xl::kHAlignCenterAcrossSelection:
      return LXW_ALIGN_CENTER_ACROSS;
    case xl::kHAlignDistributed:
      return LXW_ALIGN_DISTRIBUTED;
    default:
      return LXW_ALIGN_NONE;
  }
}

std::uint8_t VerticalAlignment(std::int32_t value) {
  switch (value) {
    case xl::kVAlignTop:
      return LXW_ALIGN_VERTICAL_TOP;
    case xl::kVAlignCenter:
      return LXW_ALIGN_VERTICAL_CENTER;
    case xl::kVAlignJustify:
      return LXW_ALIGN_VERTICAL_JUSTIFY;
    case xl::kVAlignDistributed:
      return LXW_ALIGN_VERTICAL_DISTRIBUTED;
    default:
      return LXW_ALIGN_NONE;  // bottom is the file default
  }
}

// One libxlsxwriter format per model format a sheet uses; libxlsxwriter owns them.
class FormatCache {
 public:
  FormatCache(lxw_workbook* handle, const Workbook& workbook)
      : handle_(handle), workbook_(workbook) {}

  lxw_format* get(std::uint32_t index) {
    auto [it, added] = formats_.try_emplace(index, nullptr);
    if (added) it->second = make(workbook_.formats.at(index));
    return it->second;
  }

 private:
  lxw_format* make(const CellFormat& f) {
    lxw_format* format = workbook_add_format(handle_);
    format_set_font_name(format, f.font.name.c_str());
    format_set_font_size(format, f.font.size);
    // Font colours are written as palette indexes, so that equal palette colours
    // (the default palette repeats some) keep their own index; automatic is the
    // system colour 64. libxlsxwriter tells fonts apart by RGB and family, not by
    // index: the RGB goes along, and an automatic font leaves the default family.
    if (IsPaletteIndex(f.font.colorIndex)) {
      format_set_font_color(format, Rgb(workbook_, f.font.colorIndex));
      format_set_color_indexed(format, static_cast<std::uint8_t>(f.font.colorIndex + 7));
    } else {
      format_set_color_indexed(format, 64);
      format_set_font_family(format, 0);
    }
    if (f.font.bold) format_set_bold(format);
    if (f.font.italic) format_set_italic(format);
    if (f.font.underline) format_set_underline(format, LXW_UNDERLINE_SINGLE);
    if (f.font.strikethrough) format_set_font_strikeout(format);
    if (f.numberFormat != "General") format_set_num_format(format, f.numberFormat.c_str());
    if (std::uint8_t h = HorizontalAlignment(f.horizontalAlignment)) format_set_align(format, h);
    if (std::uint8_t v = VerticalAlignment(f.verticalAlignment)) format_set_align(format, v);
    if (f.wrapText) format_set_text_wrap(format);
    if (IsPaletteIndex(f.fillColorIndex)) {
      format_set_pattern(format, LXW_PATTERN_SOLID);
      format_set_bg_color(format, Rgb(workbook_, f.fillColorIndex));
    }
    edge(f.borders[BorderSlot(xl::kEdgeLeft)], format, format_set_left, format_set_left_color);
    edge(f.borders[BorderSlot(xl::kEdgeTop)], format, format_set_top, format_set_top_color);
    edge(f.borders[BorderSlot(xl::kEdgeBottom)], format, format_set_bottom,
         format_set_bottom_color);
    edge(f.borders[BorderSlot(xl::kEdgeRight)], format, format_set_right, format_set_right_color);
    // The file holds one diagonal line style for both directions: a cell with two
    // different diagonals keeps the falling one's.
    const Border& down = f.borders[BorderSlot(xl::kDiagonalDown)];
    const Border& up = f.borders[BorderSlot(xl::kDiagonalUp)];
    const bool hasDown = BorderStyle(down) != LXW_BORDER_NONE;
    const bool hasUp = BorderStyle(up) != LXW_BORDER_NONE;
    if (hasDown || hasUp) {
      format_set_diag_type(format, hasDown && hasUp ? LXW_DIAGONAL_BORDER_UP_DOWN
                                   : hasDown        ? LXW_DIAGONAL_BORDER_DOWN
                                                    : LXW_DIAGONAL_BORDER_UP);
      edge(hasDown ? down : up, format, format_set_diag_border, format_set_diag_color);
    }
    return format;
  }

  void edge(const Border& border, lxw_format* format, void (*setStyle)(lxw_format*, uint8_t),
            void (*setColor)(lxw_format*, lxw_color_t)) {
    const std::uint8_t style = BorderStyle(border);
    if (style == LXW_BORDER_NONE) return;
    setStyle(format, style);
    if (IsPaletteIndex(border.colorIndex)) setColor(format, Rgb(workbook_, border.colorIndex));
  }

  lxw_workbook* handle_;
  const Workbook& workbook_;
  std::map<std::uint32_t, lxw_format*> formats_;
};

void Check(lxw_error error, const std::filesystem::path& file, const std::string& what) {
  if (error != LXW_NO_ERROR) Fail(file, what + " (" + lxw_strerror(error) + ")");
}

void WriteCell(lxw_worksheet* ws, lxw_row_t row, lxw_col_t col, const Cell& cell,
               lxw_format* format, const std::filesystem::path& file) {
  lxw_error error = LXW_NO_ERROR;
  if (const auto* d = std::get_if<double>(&cell.value)) {
    error = worksheet_write_number(ws, row, col, *d, format);
  } else if (const auto* s = std::get_if<std::string>(&cell.value)) {
    error = s->empty() ? worksheet_write_blank(ws, row, col, format)
                       : worksheet_write_string(ws, row, col, s->c_str(), format);
  } else if (const auto* b = std::get_if<bool>(&cell.value)) {
    error = worksheet_write_boolean(ws, row, col, *b, format);
  } else if (const auto* e = std::get_if<ErrorValue>(&cell.value)) {
    // An error literal is a formula that evaluates to that error.
    const std::string formula = "=" + e->text;
    error = worksheet_write_formula_str(ws, row, col, formula.c_str(), format, e->text.c_str());
  } else {
    error = worksheet_write_blank(ws, row, col, format);
  }
  Check(error, file,
        "cell " + ColumnName(static_cast<std::int32_t>(col) + 1) + std::to_string(row + 1) +
            " cannot be written");
}

lxw_worksheet* WriteSheet(lxw_workbook* handle, const Workbook& workbook, const Worksheet& sheet,
                          FormatCache& formats, const std::filesystem::path& file) {
  lxw_worksheet* ws = workbook_add_worksheet(handle, sheet.name.c_str());
  if (ws == nullptr)
    Fail(file, "the sheet name \"" + sheet.name + "\" is not allowed in a workbook");

  worksheet_set_default_row(ws, sheet.defaultRowHeight, LXW_FALSE);

  // Columns: the default width first when it is not the file default, then runs
  // of equal width and format.
  const std::int32_t mdw = workbook.maxDigitWidth;
  const std::int32_t fileDefault = 64;
  std::map<std::int32_t, std::pair<std::int32_t, std::optional<std::uint32_t>>> columns;
  for (const auto& [c, px] : sheet.columnPixels) columns[c].first = px;
  for (const auto& [c, f] : sheet.columnFormats) {
    auto [it, added] = columns.try_emplace(c, sheet.defaultColumnPixels, std::nullopt);
    it->second.second = f;
  }
  if (sheet.defaultColumnPixels != fileDefault)
    Check(worksheet_set_column(ws, 0, kMaxColumns - 1,
                               PixelsToColumnWidth(sheet.defaultColumnPixels, mdw), nullptr),
          file, "the default column width cannot be set");
  for (auto it = columns.begin(); it != columns.end();) {
    auto last = it;
    while (std::next(last) != columns.end() && std::next(last)->first == last->first + 1 &&
           std::next(last)->second == it->second)
      ++last;
    const auto [px, formatIndex] = it->second;
    lxw_row_col_options options{};
    options.hidden = px == 0;
    lxw_format* format = formatIndex ? formats.get(*formatIndex) : nullptr;
    const double width = px == 0 ? PixelsToColumnWidth(sheet.defaultColumnPixels, mdw)
                                 : PixelsToColumnWidth(px, mdw);
    Check(
        worksheet_set_column_opt(ws, static_cast<lxw_col_t>(it->first - 1),
                                 static_cast<lxw_col_t>(last->first - 1), width, format, &options),
        file, "a column width cannot be set");
    it = std::next(last);
  }

  // Rows: height, hidden flag and format together.
  std::map<std::int32_t, bool> rows;
  for (const auto& [r, h] : sheet.rowHeights) rows[r];
  for (const auto& [r, hidden] : sheet.hiddenRows)
    if (hidden) rows[r] = true;
  for (const auto& [r, f] : sheet.rowFormats) rows[r];
  for (const auto& [r, hidden] : rows) {
    auto h = sheet.rowHeights.find(r);
    auto f = sheet.rowFormats.find(r);
    lxw_row_col_options options{};
    options.hidden = hidden;
    double height = h == sheet.rowHeights.end() ? sheet.defaultRowHeight : h->second;
    // libxlsxwriter leaves out a row height equal to its own default of 15 points,
    // whatever the sheet's default is; the next double up is still written "15".
    if (height == LXW_DEF_ROW_HEIGHT && sheet.defaultRowHeight != LXW_DEF_ROW_HEIGHT)
      height = std::nextafter(height, 16.0);
    Check(worksheet_set_row_opt(ws, static_cast<lxw_row_t>(r - 1), height,
                                f == sheet.rowFormats.end() ? nullptr : formats.get(f->second),
                                &options),
          file, "the height of row " + std::to_string(r) + " cannot be set");
  }

  // Merged areas before the cells: merging writes the area's first cell, which the
  // cell pass then overwrites with its value and format.
  for (const RangeRef& area : sheet.mergedAreas)
    Check(worksheet_merge_range(ws, static_cast<lxw_row_t>(area.first.row - 1),
                                static_cast<lxw_col_t>(area.first.column - 1),
                                static_cast<lxw_row_t>(area.last.row - 1),
                                static_cast<lxw_col_t>(area.last.column - 1), "", nullptr),
          file, "the merged area " + AbsoluteAddress(area) + " cannot be written");

  for (const auto& [at, cell] : sheet.cells)
    WriteCell(ws, static_cast<lxw_row_t>(at.row - 1), static_cast<lxw_col_t>(at.column - 1), cell,
              formats.get(cell.format), file);
  return ws;
}

void Write(const Workbook& workbook, const std::vector<std::size_t>& sheetIndexes,
           std::size_t activeSheet, const std::filesystem::path& file) {
  if (sheetIndexes.empty()) Fail(file, "the workbook has no sheets");
  if (auto refusal = platform::ReplaceRefusal(file)) Fail(file, *refusal);
  std::filesystem::path temp = file;
  temp += ".tmp" + std::to_string(std::random_device{}() % 1000000);

  lxw_workbook_options options{};
  WorkbookHandle handle(workbook_new_opt(temp.c_str(), &options));
  if (!handle) Fail(file, "there is not enough memory to build it");
  FormatCache formats(handle.get(), workbook);
  for (std::size_t i : sheetIndexes) {
    lxw_worksheet* ws = WriteSheet(handle.get(), workbook, workbook.sheets.at(i), formats, file);
    if (i == activeSheet) worksheet_activate(ws);
  }

  const lxw_error error = workbook_close(handle.release());  // frees the workbook
  std::error_code ec;
  if (error != LXW_NO_ERROR) {
    std::filesystem::remove(temp, ec);
    Fail(file,
         std::string(error == LXW_ERROR_CREATING_XLSX_FILE ? "the file cannot be created there"
                                                           : lxw_strerror(error)));
  }
  platform::KeepPermissions(file, temp);
  std::filesystem::rename(temp, file, ec);
  if (ec) {
    const std::string reason = ec.message();  // before remove() clears ec
    std::filesystem::remove(temp, ec);
    Fail(file, "the written file cannot replace it (" + reason + ")");
  }
}

}  // namespace

void WriteXlsx(const Workbook& workbook, const std::filesystem::path& file) {
  std::vector<std::size_t> all(workbook.sheets.size());
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
  Write(workbook, all, workbook.activeSheet, file);
}

void WriteXlsx(const Workbook& workbook, std::size_t sheetIndex,
               const std::filesystem::path& file) {
  if (sheetIndex >= workbook.sheets.size())
    Fail(file, "the workbook has no sheet " + std::to_string(sheetIndex + 1));
  Write(workbook, {sheetIndex}, sheetIndex, file);
}

}  // namespace tabulo::spreadsheet
