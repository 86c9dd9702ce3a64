#include "bench/ratio_reporter.h"

#include <cstdio>

namespace vantorel::bench {

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
  // With repetitions the median stands for the benchmark; a single run stands for itself.
  for (const Run& run : runs) {
    const double seconds =
        run.GetAdjustedRealTime() * benchmark::GetTimeUnitMultiplier(run.time_unit);
    const std::string name = run.run_name.function_name;
    if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
      seconds_[name] = seconds;
      medians_.insert(name);
    } else if (run.run_type == Run::RT_Iteration && run.iterations > 0 && !medians_.count(name)) {
      seconds_[name] = seconds;
    }
  }
  ConsoleReporter::ReportRuns(runs);
}

double RatioReporter::Seconds(const std::string& name) const {
  const auto it = seconds_.find(name);
  return it == seconds_.end() ? -1 : it->second;
}

void PrintRatios(const RatioReporter& reporter, const std::vector<Ratio>& ratios) {
  std::printf("\nRatios (same run):\n");
  for (const Ratio& ratio : ratios) {
    const double measured = reporter.Seconds(ratio.measured);
    const double baseline = reporter.Seconds(ratio.baseline);
    if (measured < 0 || baseline <= 0) {
      std::printf("  %-58s not measured\n", ratio.label);
      continue;
    }
    std::printf("  %-58s %8.4fx   (goal %s)\n", ratio.label, measured / baseline, ratio.goal);
  }
}

int RunBenchmarks(int& argc, char** argv, const std::vector<Ratio>& ratios) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  if (!ratios.empty()) PrintRatios(reporter, ratios);
  benchmark::Shutdown();
  return 0;
}

}  // namespace vantorel::bench
