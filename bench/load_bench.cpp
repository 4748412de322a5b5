// FillSheet of a table exported from a generated formatted sheet, into a new
// workbook of the stand-in spreadsheet. The drawing is made once; each iteration
// loads it into a fresh spreadsheet. items/s counts cells of the table.
#include <benchmark/benchmark.h>

#include <memory>

#include "automation/activation.h"
#include "automation/dispatch.h"
#include "drawing/application.h"
#include "export/export_sheet.h"
#include "generated_sheet.h"
#include "heap_counter.h"
#include "load/fill_sheet.h"
#include "spreadsheet/application.h"
#include "spreadsheet/application_state.h"

namespace tabulo::bench {
namespace {

using automation::Dispatch;
using automation::ObjectPtr;

void BM_FillSheet(benchmark::State& state) {
  const auto rows = static_cast<std::int32_t>(state.range(0));
  const auto columns = static_cast<std::int32_t>(state.range(1));
  auto acad = drawing::MakeApplication();
  automation::Registration running =
      automation::RegisterActiveObject(exporting::kDrawingProgId, acad);
  exporting::ExportSheetToDrawing(
      std::make_shared<spreadsheet::Application>(MakeFormattedSheet(rows, columns)), 0, 0, 0);

  Dispatch modelSpace = Dispatch(ObjectPtr(acad)).get("activedocument").get("modelspace");
  if (modelSpace.get("count").toInt32() != 1) {
    state.SkipWithError("the export added no table reference");
    return;
  }
  Dispatch reference = modelSpace.get("item", 0);
  const auto id = static_cast<std::uint32_t>(reference.get("ObjectID").toInt32());

  HeapMeter heap;
  std::shared_ptr<spreadsheet::Application> excel;
  for (auto _ : state) {
    state.PauseTiming();
    excel = std::make_shared<spreadsheet::Application>(spreadsheet::NewWorkbook());
    state.ResumeTiming();

    heap.Start();
    load::FillSheet(excel, id);
    heap.Stop();
  }
  // A load that failed still makes the spreadsheet visible; an empty sheet tells.
  if (excel->activeWorkbook().sheets.at(0).cells.empty())
    state.SkipWithError("the load filled no cell");
  state.SetItemsProcessed(state.iterations() * rows * columns);
  heap.Report(state);
}

BENCHMARK(BM_FillSheet)->Apply(GridSizes);

}  // namespace
}  // namespace tabulo::bench
