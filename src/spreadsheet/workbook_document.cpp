#include "spreadsheet/workbook_document.h"

#include <functional>

#include "spreadsheet/used_range.h"

namespace tabulo::spreadsheet {

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
