#pragma once
// XF records become the workbook's CellFormats, each distinct format stored once.
#include <cstdint>
#include <optional>
#include <vector>

#include "spreadsheet/workbook.h"
#include "spreadsheet/xls/workbook_globals.h"

namespace tabulo::spreadsheet::xls {

// The XF Excel gives cells that name no other: the first cell XF after the 15
// style XFs.
inline constexpr std::uint16_t kDefaultCellXf = 15;

// The object model's format of an XF record, with its font, number format code
// and the workbook's colour indexes.
CellFormat MakeCellFormat(const XfRecord& xf, const Globals& globals);

class FormatTable {
 public:
  // Makes formats[0] the format of the default cell XF.
  FormatTable(const Globals& globals, std::vector<CellFormat>& formats);

  // Index into the workbook's formats of XF `xf`; an XF the file does not have
  // gets the default format 0.
  std::uint32_t indexOf(std::uint16_t xf);

 private:
  const Globals& globals_;
  std::vector<CellFormat>& formats_;
  std::vector<std::optional<std::uint32_t>> byXf_;
};

}  // namespace tabulo::spreadsheet::xls
