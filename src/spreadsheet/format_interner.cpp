#include "spreadsheet/format_interner.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

namespace tabulo::spreadsheet {

FormatInterner::FormatInterner(Workbook& workbook) : workbook_(workbook) {
  for (std::size_t i = 0; i < workbook.formats.size(); ++i)
    indexByHash_.emplace(HashFormat(workbook.formats[i]), static_cast<std::uint32_t>(i));
}

std::uint32_t FormatInterner::intern(const CellFormat& format) {
  const std::size_t hash = HashFormat(format);
  auto [first, last] = indexByHash_.equal_range(hash);
  std::uint32_t best = UINT32_MAX;
  for (auto it = first; it != last; ++it)
    if (workbook_.formats[it->second] == format) best = std::min(best, it->second);
  if (best != UINT32_MAX) return best;
  const auto index = static_cast<std::uint32_t>(workbook_.formats.size());
  workbook_.formats.push_back(format);
  indexByHash_.emplace(hash, index);
  return index;
}

}  // namespace tabulo::spreadsheet
