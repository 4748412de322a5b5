// ExportSheetToDrawing of a generated formatted sheet on the stand-in spreadsheet
// and drawing host, with the process's default (silent) UI and in-memory settings.
// items/s counts cells walked (rows × columns).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "automation/activation.h"
#include "automation/dispatch.h"
#include "drawing/application.h"
#include "export/export_sheet.h"
#include "generated_sheet.h"
#include "heap_counter.h"
#include "spreadsheet/application.h"

namespace tabulo::bench {
namespace {

using automation::Dispatch;
using automation::ObjectPtr;
using automation::Variant;

// What the export left in the drawing: the entities of the table block and the
// items of the table data on its reference (both 0 when the export failed).
struct ExportResult {
  std::int64_t entities = 0;
  std::int64_t tableData = 0;
};

ExportResult Inspect(const std::shared_ptr<drawing::Application>& acad) {
  Dispatch document = Dispatch(ObjectPtr(acad)).get("activedocument");
  Dispatch modelSpace = document.get("modelspace");
  if (modelSpace.get("count").toInt32() != 1) return {};
  Dispatch reference = modelSpace.get("item", 0);
  Variant codes, values;
  std::vector<Variant> args{Variant("Tabulo"), Variant::RefTo(codes), Variant::RefTo(values)};
  reference.invoke("getxdata", args);
  const std::string name = reference.get("name").toString();
  return {document.get("blocks").get("item", name).get("count").toInt32(),
          codes.isEmpty() ? 0 : static_cast<std::int64_t>(codes.toArray().items.size())};
}

void BM_ExportSheetToDrawing(benchmark::State& state) {
  const auto rows = static_cast<std::int32_t>(state.range(0));
  const auto columns = static_cast<std::int32_t>(state.range(1));
  const spreadsheet::Workbook book = MakeFormattedSheet(rows, columns);
  HeapMeter heap;
  std::shared_ptr<drawing::Application> acad;
  for (auto _ : state) {
    state.PauseTiming();
    acad = drawing::MakeApplication();
    automation::Registration running =
        automation::RegisterActiveObject(exporting::kDrawingProgId, acad);
    auto excel = std::make_shared<spreadsheet::Application>(book);
    state.ResumeTiming();

    heap.Start();
    exporting::ExportSheetToDrawing(excel, 0, 0, 0);
    heap.Stop();

    state.PauseTiming();
    excel.reset();
    running.reset();
    state.ResumeTiming();
  }
  const ExportResult result = Inspect(acad);
  if (result.tableData == 0) state.SkipWithError("the export left no table reference with data");
  state.counters["entities"] = static_cast<double>(result.entities);
  state.SetItemsProcessed(state.iterations() * rows * columns);
  heap.Report(state);
}

// Time per cell should stay flat along both directions.
BENCHMARK(BM_ExportSheetToDrawing)->Apply(GridSizes);

}  // namespace
}  // namespace tabulo::bench
