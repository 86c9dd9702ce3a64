// Speed of the batch tool's check on a generated file of 256 MiB and 200,000 colls, next to the
// list command on the same file: both read the whole file, list only hops from header to header
// while check looks at every element.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>
#include <ostream>
#include <streambuf>
#include <string>

#include "cli/cli_commands.h"
#include "cli/game_check.h"
#include "core/coll_codec.h"
#include "tools/colgen/coll_builder.h"
#include "tools/colgen/large_file.h"

namespace vantorel {
namespace {

constexpr std::size_t kColls = 200'000;
constexpr std::size_t kBytes = std::size_t{256} << 20;

// Output that goes nowhere, so the figures are the tool's work and not the terminal's.
class NullBuffer : public std::streambuf {
 protected:
  int overflow(int c) override { return c; }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

struct CheckInput {
  std::string path;
  Bytes image;

  CheckInput() {
    image = colgen::LargeFile(kColls, kBytes);
    // Named for this process: other runs may use the temporary folder at the same time.
    path = (std::filesystem::temp_directory_path() /
            ("vantorel-check-bench-" + std::to_string(getpid()) + ".col"))
               .string();
    colgen::WriteBytes(path, image);
  }
  ~CheckInput() { std::filesystem::remove(path); }
};

const CheckInput& Input() {
  static const CheckInput input;
  return input;
}

void RunCommand(benchmark::State& state, const std::vector<std::string>& args) {
  const CheckInput& input = Input();
  NullBuffer nowhere;
  std::ostream out(&nowhere);
  std::ostream err(&nowhere);
  for (auto _ : state) {
    const int status = cli::Run(args, {}, out, err);
    if (status != cli::kExitOk) state.SkipWithError("the command failed");
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.image.size()));
}

void CliList(benchmark::State& state) {
  RunCommand(state, {"list", Input().path});
}
BENCHMARK(CliList)->Unit(benchmark::kMillisecond)->MinTime(2);

void CliCheck(benchmark::State& state) {
  RunCommand(state, {"check", Input().path});
}
BENCHMARK(CliCheck)->Unit(benchmark::kMillisecond)->MinTime(2);

// The check alone, on the image in memory.
void CheckImage(benchmark::State& state) {
  const CheckInput& input = Input();
  std::size_t findings = 0;
  for (auto _ : state) {
    const cli::GameCheckResult result = cli::CheckCollFile(input.path, input.image, {});
    findings = result.errors + result.warnings;
    benchmark::DoNotOptimize(findings);
  }
  state.counters["findings"] = static_cast<double>(findings);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.image.size()));
}
BENCHMARK(CheckImage)->Unit(benchmark::kMillisecond)->MinTime(2);

void ScanImage(benchmark::State& state) {
  const CheckInput& input = Input();
  CollDirectoryEntries directory;
  for (auto _ : state) {
    ScanFile(input.image, directory);
    benchmark::DoNotOptimize(directory.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.image.size()));
}
BENCHMARK(ScanImage)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace
}  // namespace vantorel
