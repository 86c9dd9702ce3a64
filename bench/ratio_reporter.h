#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace vantorel::bench {

// A console reporter that also keeps each benchmark's time per iteration (the median when the
// run has repetitions), so that the figures can be printed as ratios of benchmarks measured in
// the same run.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override;
  // Seconds per iteration of a benchmark by its name, or a negative value if it did not run.
  double Seconds(const std::string& name) const;

 private:
  std::map<std::string, double> seconds_;
  std::set<std::string> medians_;
};

struct Ratio {
  const char* label;
  const char* measured;
  const char* baseline;
  const char* goal;
};

void PrintRatios(const RatioReporter& reporter, const std::vector<Ratio>& ratios);

// Runs the registered benchmarks as the command line selects them, then prints the ratios.
// Returns the exit status for main.
int RunBenchmarks(int& argc, char** argv, const std::vector<Ratio>& ratios);

}  // namespace vantorel::bench
