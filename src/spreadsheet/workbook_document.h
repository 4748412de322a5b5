#pragma once
// A workbook as the stand-in application holds it: the data model together with
// what the object model keeps beside it (the window name, a format index, cached
// used ranges). Automation objects share it, so a range stays valid as long as
// anyone holds it.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "spreadsheet/workbook.h"

namespace tabulo::spreadsheet {

class WorkbookDocument {
 public:
  WorkbookDocument(Workbook model, std::string name)
      : model(std::move(model)), name(std::move(name)) {}

  Workbook model;
  std::string name;  // "Book1", "Report1": as the application names the window

  // Index in model.formats of a format equal to `format`, appended when new.
  std::uint32_t internFormat(const CellFormat& format);

  // Marks the model as changed, so cached answers are worked out again. Every
  // change through the object model calls it; code that edits `model` directly
  // calls it too (Application::activeWorkbook does).
  void touch() { ++revision_; }

  // The used range of sheet `index`, worked out again only after a change.
  RangeRef usedRange(std::size_t index);

 private:
  struct CachedRange {
    std::uint64_t revision = ~std::uint64_t{0};
    std::size_t cells = 0, formats = 0, merged = 0;
    RangeRef range;
  };
  std::uint64_t revision_ = 0;
  std::unordered_multimap<std::size_t, std::uint32_t> formatsByHash_;
  std::size_t formatsIndexed_ = 0;
  std::vector<CachedRange> usedRanges_;
};

using DocumentPtr = std::shared_ptr<WorkbookDocument>;

// One worksheet of a document, by its position in the workbook.
struct SheetRef {
  DocumentPtr document;
  std::size_t index = 0;

  Workbook& workbook() const { return document->model; }
  Worksheet& sheet() const { return document->model.sheets.at(index); }
};

}  // namespace tabulo::spreadsheet
