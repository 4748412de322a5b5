#pragma once
// What the records of one worksheet substream fill, and the state they share.
#include <cstdint>
#include <optional>

#include "spreadsheet/workbook.h"
#include "spreadsheet/xls/format_table.h"
#include "spreadsheet/xls/workbook_globals.h"

namespace tabulo::spreadsheet::xls {

struct SheetContext {
  Worksheet& sheet;
  const Globals& globals;
  FormatTable& formats;
  std::int32_t maxDigitWidth;  // pixels, for column widths

  // The cell of a FORMULA whose string result follows in a STRING record.
  std::optional<CellRef> pendingString;
  std::optional<std::uint16_t> defColWidth;    // DEFCOLWIDTH: characters without padding
  std::optional<std::uint16_t> standardWidth;  // STANDARDWIDTH: 1/256 character, with padding
  bool displayed = false;                      // WINDOW2: the sheet is the one shown in the window
};

}  // namespace tabulo::spreadsheet::xls
