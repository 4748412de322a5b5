#pragma once
// Heap use of the benchmarked code, counted by the program's own operator new and
// delete (heap_counter.cpp replaces them). C libraries that call malloc directly
// (libzip, pugixml, libgsf, libxlsxwriter) are not counted; compare_peers.sh
// measures whole-process peak memory for them.
#include <cstdint>

#include <benchmark/benchmark.h>

namespace tabulo::bench {

// Bytes held through operator new right now.
std::int64_t LiveHeapBytes();
// Calls to operator new since the program started.
std::int64_t HeapAllocations();
// The highest LiveHeapBytes() since the last ResetHeapPeak().
std::int64_t PeakHeapBytes();
void ResetHeapPeak();

// Measures the timed part of each iteration and reports, as counters, the largest
// heap growth any iteration reached ("peak_heap", bytes) and the allocations per
// iteration ("allocs"). Use Start() right after the timed part begins and Stop()
// before it ends; both are cheap.
class HeapMeter {
 public:
  void Start();
  void Stop();
  void Report(benchmark::State& state) const;

 private:
  std::int64_t base_ = 0;
  std::int64_t allocationsAtStart_ = 0;
  std::int64_t peak_ = 0;
  std::int64_t allocations_ = 0;
};

}  // namespace tabulo::bench
