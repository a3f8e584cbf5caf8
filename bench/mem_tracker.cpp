// Cost of the tracked global new and delete against the plain C heap, first
// while the process has one thread, then with a second thread alive, as the
// game always has (its audio and renderer threads): both the C heap and the
// tracker take their locks only then.
#include <benchmark/benchmark.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "ratio_report.h"

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

// Many blocks live at once: a larger index and a busier record pool.
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

// A thread that only waits, so that the process is no longer single-threaded.
class IdleThread {
 public:
  IdleThread()
      : thread_([this] {
          std::unique_lock<std::mutex> hold(mutex_);
          wake_.wait(hold, [this] { return done_; });
        }) {}
  ~IdleThread() {
    {
      std::lock_guard<std::mutex> hold(mutex_);
      done_ = true;
    }
    wake_.notify_one();
    thread_.join();
  }

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;
  std::thread thread_;
};
}  // namespace

BENCHMARK(TrackedPair)->Arg(16)->Arg(256)->Arg(4096)->Arg(65536);
BENCHMARK(PlainPair)->Arg(16)->Arg(256)->Arg(4096)->Arg(65536);
BENCHMARK_TEMPLATE(ManyLive, TrackedTake, TrackedGive)->Name("TrackedManyLive")->Arg(1000)->Arg(100000);
BENCHMARK_TEMPLATE(ManyLive, std::malloc, std::free)->Name("PlainManyLive")->Arg(1000)->Arg(100000);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  std::vector<bench::Comparison> comparisons;
  for (const char* size : {"16", "256", "4096", "65536"})
    comparisons.push_back({std::string("TrackedPair/") + size, std::string("PlainPair/") + size});
  for (const char* live : {"1000", "100000"})
    comparisons.push_back({std::string("TrackedManyLive/") + live, std::string("PlainManyLive/") + live});

  bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintComparisons("One thread", comparisons);
  IdleThread second;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintComparisons("A second thread alive", comparisons);
  benchmark::Shutdown();
  return 0;
}
