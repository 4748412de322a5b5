// File readers and the DXF writer on the shared corpus files: ReadXlsx, ReadXls,
// ReadDxf and WriteDxf, one benchmark per file. bytes/s counts the file's size;
// items/s counts cells (workbooks) or records (drawings).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "drawing/drawing.h"
#include "drawing/dxf_reader.h"
#include "drawing/dxf_writer.h"
#include "heap_counter.h"
#include "spreadsheet/xls_reader.h"
#include "spreadsheet/xlsx_reader.h"

namespace tabulo::bench {
namespace {
namespace fs = std::filesystem;

std::int64_t CellCount(const spreadsheet::Workbook& book) {
  std::int64_t cells = 0;
  for (const spreadsheet::Worksheet& sheet : book.sheets)
    cells += static_cast<std::int64_t>(sheet.cells.size());
  return cells;
}

std::int64_t RecordCount(const drawing::Drawing& drawing) {
  std::int64_t records = static_cast<std::int64_t>(drawing.entities.size());
  for (const drawing::Table& table : drawing.tables)
    records += static_cast<std::int64_t>(table.entries.size());
  for (const drawing::BlockPtr& block : drawing.blocks)
    records += static_cast<std::int64_t>(block->entities.size());
  for (const drawing::Section& section : drawing.sections)
    records += static_cast<std::int64_t>(section.records.size());
  return records;
}

template <class Read, class Count>
void BenchRead(benchmark::State& state, const fs::path& file, Read read, Count count) {
  // A file the reader refuses (an older format, say) is reported, not timed.
  try {
    read(file);
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
    return;
  }
  HeapMeter heap;
  std::int64_t items = 0;
  for (auto _ : state) {
    heap.Start();
    auto result = read(file);
    heap.Stop();
    state.PauseTiming();
    items = count(result);
    benchmark::DoNotOptimize(result);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(file)));
  state.SetItemsProcessed(state.iterations() * items);
  heap.Report(state);
}

void BM_ReadXlsx(benchmark::State& state, const fs::path& file) {
  BenchRead(state, file, spreadsheet::ReadXlsx,
            [](const spreadsheet::Workbook& book) { return CellCount(book); });
}

void BM_ReadXls(benchmark::State& state, const fs::path& file) {
  BenchRead(state, file, spreadsheet::ReadXls,
            [](const spreadsheet::Workbook& book) { return CellCount(book); });
}

void BM_ReadDxf(benchmark::State& state, const fs::path& file) {
  BenchRead(state, file, drawing::ReadDxf,
            [](const std::shared_ptr<drawing::Drawing>& d) { return RecordCount(*d); });
}

void BM_WriteDxf(benchmark::State& state, const fs::path& file) {
  const std::shared_ptr<drawing::Drawing> drawing = drawing::ReadDxf(file);
  const fs::path target =
      fs::temp_directory_path() /
      ("tabulo-bench-" + std::to_string(::getpid()) + "-" + file.filename().string());
  HeapMeter heap;
  for (auto _ : state) {
    heap.Start();
    drawing::WriteDxf(*drawing, target);
    heap.Stop();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(target)));
  state.SetItemsProcessed(state.iterations() * RecordCount(*drawing));
  heap.Report(state);
  std::error_code ignored;
  fs::remove(target, ignored);
}

// One benchmark per corpus file, by extension, in name order.
int RegisterCorpus(const fs::path& corpus) {
  std::error_code error;
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(corpus, error))
    if (entry.is_regular_file()) files.push_back(entry.path());
  if (error) {
    std::fprintf(stderr, "readers_bench: cannot list the corpus folder %s: %s\n",
                 corpus.string().c_str(), error.message().c_str());
    return 0;
  }
  std::sort(files.begin(), files.end());
  using Bench = void (*)(benchmark::State&, const fs::path&);
  const std::vector<std::pair<std::string, std::vector<std::pair<std::string, Bench>>>> table = {
      {".xlsx", {{"ReadXlsx", BM_ReadXlsx}}},
      {".xls", {{"ReadXls", BM_ReadXls}}},
      {".dxf", {{"ReadDxf", BM_ReadDxf}, {"WriteDxf", BM_WriteDxf}}},
  };
  int registered = 0;
  for (const auto& [extension, benches] : table)
    for (const fs::path& file : files)
      if (file.extension() == extension)
        for (const auto& [name, bench] : benches) {
          benchmark::RegisterBenchmark((name + "/" + file.filename().string()).c_str(), bench, file)
              ->Unit(benchmark::kMillisecond);
          ++registered;
        }
  return registered;
}

}  // namespace
}  // namespace tabulo::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  const char* corpus = std::getenv("TABULO_CORPUS");
  if (tabulo::bench::RegisterCorpus(corpus ? corpus : TABULO_CORPUS_DIR) == 0) {
    std::fprintf(stderr, "readers_bench: no .xlsx, .xls or .dxf file in %s\n",
                 corpus ? corpus : TABULO_CORPUS_DIR);
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
