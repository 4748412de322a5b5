#include "heap_counter.h"

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>

namespace tabulo::bench {
namespace {

std::atomic<std::int64_t> live{0};
std::atomic<std::int64_t> peak{0};
std::atomic<std::int64_t> allocations{0};

// The usable size, not the requested one, so that delete (which is not always
// told the size) subtracts exactly what new added.
void Count(void* block) {
  const auto size = static_cast<std::int64_t>(malloc_usable_size(block));
  allocations.fetch_add(1, std::memory_order_relaxed);
  const std::int64_t now = live.fetch_add(size, std::memory_order_relaxed) + size;
  std::int64_t high = peak.load(std::memory_order_relaxed);
  while (now > high && !peak.compare_exchange_weak(high, now, std::memory_order_relaxed)) {
  }
}

void* Allocate(std::size_t size, std::size_t alignment) noexcept {
  if (size == 0) size = 1;
  void* block = alignment <= alignof(std::max_align_t)
                    ? std::malloc(size)
                    : std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
  if (block) Count(block);
  return block;
}

void* AllocateOrThrow(std::size_t size, std::size_t alignment) {
  for (;;) {
    if (void* block = Allocate(size, alignment)) return block;
    std::new_handler handler = std::get_new_handler();
    if (!handler) throw std::bad_alloc();
    handler();
  }
}

void Release(void* block) noexcept {
  if (!block) return;
  live.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(block)), std::memory_order_relaxed);
  std::free(block);
}

}  // namespace

std::int64_t LiveHeapBytes() {
  return live.load(std::memory_order_relaxed);
}
std::int64_t HeapAllocations() {
  return allocations.load(std::memory_order_relaxed);
}
std::int64_t PeakHeapBytes() {
  return peak.load(std::memory_order_relaxed);
}
void ResetHeapPeak() {
  peak.store(live.load(std::memory_order_relaxed));
}

void HeapMeter::Start() {
  base_ = LiveHeapBytes();
  allocationsAtStart_ = HeapAllocations();
  ResetHeapPeak();
}

void HeapMeter::Stop() {
  peak_ = std::max(peak_, PeakHeapBytes() - base_);
  allocations_ += HeapAllocations() - allocationsAtStart_;
}

void HeapMeter::Report(benchmark::State& state) const {
  state.counters["peak_heap"] = benchmark::Counter(
      static_cast<double>(peak_), benchmark::Counter::kDefaults, benchmark::Counter::OneK::kIs1024);
  state.counters["allocs"] =
      benchmark::Counter(static_cast<double>(allocations_), benchmark::Counter::kAvgIterations);
}

}  // namespace tabulo::bench

// The replaceable allocation functions, all routed through the counter.
void* operator new(std::size_t size) {
  return tabulo::bench::AllocateOrThrow(size, 0);
}
void* operator new[](std::size_t size) {
  return tabulo::bench::AllocateOrThrow(size, 0);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return tabulo::bench::Allocate(size, 0);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return tabulo::bench::Allocate(size, 0);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
  return tabulo::bench::AllocateOrThrow(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
  return tabulo::bench::AllocateOrThrow(size, static_cast<std::size_t>(alignment));
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return tabulo::bench::Allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
  return tabulo::bench::Allocate(size, static_cast<std::size_t>(alignment));
}
void operator delete(void* block) noexcept {
  tabulo::bench::Release(block);
}
void operator delete[](void* block) noexcept {
  tabulo::bench::Release(block);
}
void operator delete(void* block, std::size_t) noexcept {
  tabulo::bench::Release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
  tabulo::bench::Release(block);
}
void operator delete(void* block, std::align_val_t) noexcept {
  tabulo::bench::Release(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
  tabulo::bench::Release(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
  tabulo::bench::Release(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
  tabulo::bench::Release(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
  tabulo::bench::Release(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
  tabulo::bench::Release(block);
}
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept {
  tabulo::bench::Release(block);
}
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept {
  tabulo::bench::Release(block);
}
