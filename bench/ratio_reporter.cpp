#include "bench/ratio_reporter.h"

#include <cstdio>

namespace vantorel::bench {

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
  for (const Run& run : runs) {
    if (run.run_type != Run::RT_Iteration || run.iterations == 0) continue;
    seconds_[run.benchmark_name()] =
        run.GetAdjustedRealTime() * benchmark::GetTimeUnitMultiplier(run.time_unit);
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

}  // namespace vantorel::bench
