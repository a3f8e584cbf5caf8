// Runs a program's benchmarks and closes each run with a table of comparisons:
// for every pair, ours, the reference and ours / reference, so that one run
// holds both sides of each ratio. Times are CPU time per iteration: on a busy
// machine they move less than wall time. With repetitions the medians are
// compared.
#pragma once
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace bench {

struct Comparison {
  std::string ours;       // benchmark names as printed, arguments included
  std::string reference;
};

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      if (run.run_type == Run::RT_Iteration)
        times_[run.run_name.str()].push_back(run.GetAdjustedCPUTime());
      else if (run.aggregate_name == "median")
        medians_[run.run_name.str()] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // Prints the table under `title` and forgets the times for the next run.
  void PrintComparisons(const char* title, const std::vector<Comparison>& comparisons) {
    std::printf("\n%s (CPU ns per iteration, median)\n", title);
    std::printf("%-36s %12s   %-36s %12s %8s\n", "ours", "ns", "reference", "ns", "ratio");
    for (const Comparison& c : comparisons) {
      double ours = Median(c.ours), reference = Median(c.reference);
      if (ours < 0 || reference <= 0) {
        std::printf("%-36s %12s   %-36s %12s %8s\n", c.ours.c_str(), "-", c.reference.c_str(), "-", "-");
        continue;
      }
      std::printf("%-36s %12.1f   %-36s %12.1f %7.2fx\n", c.ours.c_str(), ours, c.reference.c_str(),
                  reference, ours / reference);
    }
    std::fflush(stdout);
    times_.clear();
    medians_.clear();
  }

 private:
  // -1 when the benchmark did not run (filtered out or failed).
  double Median(const std::string& name) {
    auto median = medians_.find(name);
    if (median != medians_.end()) return median->second;
    auto found = times_.find(name);
    if (found == times_.end() || found->second.empty()) return -1;
    std::vector<double>& times = found->second;
    std::sort(times.begin(), times.end());
    size_t middle = times.size() / 2;
    return times.size() % 2 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
  }

  std::map<std::string, std::vector<double>> times_;
  std::map<std::string, double> medians_;  // reported when only aggregates are shown
};

// The usual benchmark command line, then one table.
inline int RunWithComparisons(int argc, char** argv, const std::vector<Comparison>& comparisons) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintComparisons("Comparisons", comparisons);
  benchmark::Shutdown();
  return 0;
}

}  // namespace bench
