#include "spreadsheet/workbook_document.h"

#include <functional>

#include "spreadsheet/used_range.h"

namespace tabulo::spreadsheet {
namespace {

// Fields left out would only weaken the hash: equality is checked in full.
std::size_t HashFormat(const CellFormat& f) {
  std::size_t h = std::hash<std::string>{}(f.font.name);
  auto mix = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2); };
  mix(std::hash<double>{}(f.font.size));
  mix(static_cast<std::size_t>(f.font.colorIndex));
  mix(static_cast<std::size_t>(f.font.bold | f.font.italic << 1 | f.font.underline << 2 |
                               f.font.strikethrough << 3 | f.wrapText << 4));
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

std::uint32_t WorkbookDocument::internFormat(const CellFormat& format) {
  // Formats added to the model by others since the last call join the index.
  if (formatsIndexed_ > model.formats.size()) {
    formatsByHash_.clear();
    formatsIndexed_ = 0;
  }
  for (; formatsIndexed_ < model.formats.size(); ++formatsIndexed_)
    formatsByHash_.emplace(HashFormat(model.formats[formatsIndexed_]),
                           static_cast<std::uint32_t>(formatsIndexed_));

  const std::size_t hash = HashFormat(format);
  auto [first, last] = formatsByHash_.equal_range(hash);
  for (auto it = first; it != last; ++it)
    if (it->second < model.formats.size() && model.formats[it->second] == format) return it->second;
  const auto index = static_cast<std::uint32_t>(model.formats.size());
  model.formats.push_back(format);
  formatsByHash_.emplace(hash, index);
  formatsIndexed_ = model.formats.size();
  return index;
}

RangeRef WorkbookDocument::usedRange(std::size_t index) {
  const Worksheet& sheet = model.sheets.at(index);
  if (usedRanges_.size() < model.sheets.size()) usedRanges_.resize(model.sheets.size());
  CachedRange& cached = usedRanges_[index];
  // The sizes guard against edits made to the model without touch().
  if (cached.revision != revision_ || cached.cells != sheet.cells.size() ||
      cached.formats != model.formats.size() || cached.merged != sheet.mergedAreas.size()) {
    cached.range = UsedRange(model, sheet);
    cached.revision = revision_;
    cached.cells = sheet.cells.size();
    cached.formats = model.formats.size();
    cached.merged = sheet.mergedAreas.size();
  }
  return cached.range;
}

}  // namespace tabulo::spreadsheet
