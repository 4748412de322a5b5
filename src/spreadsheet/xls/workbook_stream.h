#pragma once
#include <cstdint>
#include <span>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet::xls {

// The workbook held in a BIFF8 workbook stream: the globals substream, then each
// worksheet substream it lists. Throws BiffError saying why a stream cannot be read.
Workbook ReadWorkbookStream(std::span<const std::uint8_t> stream);

}  // namespace tabulo::spreadsheet::xls
