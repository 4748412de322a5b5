#include "spreadsheet/format_interner.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <string>

namespace tabulo::spreadsheet {

namespace {

// Fields left out only make the hash weaker: equality is checked in full.
std::size_t Hash(const CellFormat& f) {
  std::size_t h = std::hash<std::string>{}(f.font.name);
  auto mix = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2); };
  mix(std::hash<double>{}(f.font.size));
  mix(static_cast<std::size_t>(f.font.colorIndex));
  mix(f.font.bold | f.font.italic << 1 | f.font.underline << 2 | f.font.strikethrough << 3 |
      f.wrapText << 4);
  for (const Border& b : f.borders) {
    mix(static_cast<std::size_t>(b.lineStyle));
    mix(static_cast<std::size_t>(b.weight));
    mix(static_cast<std::size_t>(b.colorIndex));
  }
  mix(static_cast<std::size_t>(f.horizontalAlignment));
  mix(static_cast<std::size_t>(f.verticalAlignment));
  mix(static_cast<std::size_t>(f.fillColorIndex));
  mix(std::hash<std::string>{}(f.numberFormat));
  return h;
}

}  // namespace

FormatInterner::FormatInterner(Workbook& workbook) : workbook_(workbook) {
  for (std::size_t i = 0; i < workbook.formats.size(); ++i)
    indexByHash_.emplace(Hash(workbook.formats[i]), static_cast<std::uint32_t>(i));
}

std::uint32_t FormatInterner::intern(const CellFormat& format) {
  const std::size_t hash = Hash(format);
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
