#pragma once
#include <cstdint>
#include <span>

#include "spreadsheet/xls/sheet_context.h"

namespace tabulo::spreadsheet::xls {

// Reads the worksheet substream that starts at `entry.offset` into context.sheet,
// from its BOF to its EOF; charts and other substreams embedded in it are skipped.
void ReadSheet(std::span<const std::uint8_t> stream, const SheetEntry& entry,
               SheetContext& context);

}  // namespace tabulo::spreadsheet::xls
