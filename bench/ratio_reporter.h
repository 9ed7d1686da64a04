// The console reporter both benchmark programs use: it keeps each benchmark's time per
// iteration (the median where a benchmark repeats, since the machine is shared and single
// runs are noisy) so that ratios between benchmarks of the same run can be printed after
// the table.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  enum class Clock { Real, Cpu };
  explicit RatioReporter(Clock clock) : clock_(clock) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      const std::string& name = run.run_name.function_name;
      // A single run stands in until a median of repetitions replaces it.
      if (median || (run.run_type == Run::RT_Iteration && medians_.count(name) == 0)) {
        times_[name] = clock_ == Clock::Real ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
        if (median) medians_[name] = true;
      }
    }
    ConsoleReporter::ReportRuns(runs);
  }

  // The benchmark's time per iteration in its display unit; 0 when it did not run.
  double time(const std::string& name) const {
    const auto found = times_.find(name);
    return found == times_.end() ? 0.0 : found->second;
  }

  // Prints "label  top / bottom" when both ran.
  void printRatio(const char* label, const std::string& top, const std::string& bottom) const {
    if (time(top) > 0.0 && time(bottom) > 0.0) {
      std::printf("%-44s %8.2f\n", label, time(top) / time(bottom));
    }
  }

 private:
  Clock clock_;
  std::map<std::string, double> times_;
  std::map<std::string, bool> medians_;
};
