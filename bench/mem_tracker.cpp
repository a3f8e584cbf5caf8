// Cost of the tracked global new and delete against the plain C heap.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <new>
#include <vector>

namespace {
void TrackedPair(benchmark::State& state) {
  const size_t size = static_cast<size_t>(state.range(0));
  for (auto _ : state) {
    void* block = ::operator new(size);
    benchmark::DoNotOptimize(block);
    ::operator delete(block);
  }
}

void PlainPair(benchmark::State& state) {
  const size_t size = static_cast<size_t>(state.range(0));
  for (auto _ : state) {
    void* block = std::malloc(size);
    benchmark::DoNotOptimize(block);
    std::free(block);
  }
}

// Many blocks live at once: longer bucket chains and a busier record pool.
template <void* (*Take)(size_t), void (*Give)(void*)>
void ManyLive(benchmark::State& state) {
  std::vector<void*> blocks(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    for (void*& block : blocks) block = Take(64);
    benchmark::DoNotOptimize(blocks.data());
    for (void* block : blocks) Give(block);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void* TrackedTake(size_t size) { return ::operator new(size); }
void TrackedGive(void* block) { ::operator delete(block); }
}  // namespace

BENCHMARK(TrackedPair)->Arg(16)->Arg(256)->Arg(4096)->Arg(65536);
BENCHMARK(PlainPair)->Arg(16)->Arg(256)->Arg(4096)->Arg(65536);
BENCHMARK_TEMPLATE(ManyLive, TrackedTake, TrackedGive)->Arg(1000)->Arg(100000);
BENCHMARK_TEMPLATE(ManyLive, std::malloc, std::free)->Arg(1000)->Arg(100000);
