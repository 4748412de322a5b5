#pragma once
// Adds cell formats to Workbook::formats once each, so that equal formats share
// one index however many cells use them.
#include <cstddef>
#include <cstdint>
#include <unordered_map>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet {

class FormatInterner {
 public:
  // Indexes the formats `workbook` already holds; the interner must not outlive it.
  explicit FormatInterner(Workbook& workbook);
  // Index in Workbook::formats of a format equal to `format`, added when new.
  std::uint32_t intern(const CellFormat& format);

 private:
  Workbook& workbook_;
  // Hash -> format index; equality is decided by CellFormat's operator==.
  std::unordered_multimap<std::size_t, std::uint32_t> indexByHash_;
};

}  // namespace tabulo::spreadsheet
