// Speed of the collision file codec on a file of 256 MiB and 200,000 colls, each figure next to
// the plain memory or file operation it is compared with.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "core/coll_codec.h"
#include "core/coll_file.h"
#include "core/file_io.h"
#include "tools/colgen/coll_builder.h"
#include "tools/colgen/large_file.h"

namespace vantorel {
namespace {

constexpr std::size_t kLargeColls = 200'000;
constexpr std::size_t kLargeBytes = std::size_t{256} << 20;

struct LargeInput {
  std::string path;
  Bytes image;
  CollDirectoryEntries directory;
  std::size_t middle = 0;

  LargeInput() {
    image = colgen::LargeFile(kLargeColls, kLargeBytes);
    path = (std::filesystem::temp_directory_path() / "vantorel-bench-large.col").string();
    colgen::WriteBytes(path, image);
    ScanFile(image, directory);
    middle = directory.size() / 2;
  }
  ~LargeInput() { std::filesystem::remove(path); }
};

const LargeInput& Large() {
  static const LargeInput input;
  return input;
}

void PlainRead(benchmark::State& state) {
  const LargeInput& input = Large();
  for (auto _ : state) {
    std::FILE* file = std::fopen(input.path.c_str(), "rb");
    Bytes bytes(input.image.size());
    const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    benchmark::DoNotOptimize(read);
    benchmark::DoNotOptimize(bytes.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.image.size()));
}
BENCHMARK(PlainRead)->Unit(benchmark::kMillisecond)->MinTime(2);

void LoadAndScan(benchmark::State& state) {
  const LargeInput& input = Large();
  for (auto _ : state) {
    Bytes bytes;
    CollDirectoryEntries directory;
    if (ReadWholeFile(input.path, bytes)) state.SkipWithError("read failed");
    ScanFile(bytes, directory);
    benchmark::DoNotOptimize(directory.data());
  }
  state.counters["colls"] = static_cast<double>(input.directory.size());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.image.size()));
}
BENCHMARK(LoadAndScan)->Unit(benchmark::kMillisecond)->MinTime(2);

void MemcpyImage(benchmark::State& state) {
  const LargeInput& input = Large();
  Bytes target(input.image.size());
  std::memset(target.data(), 0, target.size());
  for (auto _ : state) {
    std::memcpy(target.data(), input.image.data(), input.image.size());
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(MemcpyImage)->Unit(benchmark::kMillisecond);

// The editor's working state for a write-back benchmark: a copy of the large image with the
// growth reserve the loader gives it, its directory and the middle coll read.
struct WriteState {
  CollFile file;
  Coll coll;

  WriteState() {
    const LargeInput& input = Large();
    Bytes image;
    image.reserve(input.image.size() + input.image.size() / 64);
    image.assign(input.image.begin(), input.image.end());
    file.Load(std::move(image));
    ReadColl(file.Image(), file.Entry(input.middle), coll);
  }
};

void WriteCollResized(benchmark::State& state) {
  WriteState s;
  const std::size_t middle = Large().middle;
  bool grown = false;
  for (auto _ : state) {
    // Alternately one sphere more and one fewer, so every write changes the record's length.
    if (grown) {
      s.coll.Spheres.pop_back();
    } else {
      s.coll.Spheres.push_back({1, {1, 2, 3}, {}});
    }
    grown = !grown;
    WriteColl(s.file, middle, s.coll);
    benchmark::DoNotOptimize(s.file.Image().data());
  }
}
BENCHMARK(WriteCollResized)->Unit(benchmark::kMillisecond);

void WriteCollSameSize(benchmark::State& state) {
  WriteState s;
  const std::size_t middle = Large().middle;
  for (auto _ : state) {
    s.coll.Header.BoundingRadius += 1;
    WriteColl(s.file, middle, s.coll);
    benchmark::DoNotOptimize(s.file.Image().data());
  }
}
BENCHMARK(WriteCollSameSize)->Unit(benchmark::kMillisecond);

struct HugeColl {
  Bytes image;
  CollDirectoryEntries directory;
  HugeColl() {
    image = colgen::EncodeFile({colgen::PatternColl("huge", 0, 0, 100'000, 7)});
    ScanFile(image, directory);
  }
};

const HugeColl& Huge() {
  static const HugeColl huge;
  return huge;
}

void ReadColl100kFaces(benchmark::State& state) {
  const HugeColl& huge = Huge();
  CollDirectoryEntry entry = huge.directory[0];
  Coll coll;
  for (auto _ : state) {
    ReadColl(huge.image, entry, coll);
    benchmark::DoNotOptimize(coll.Faces.data());
  }
  state.counters["faces"] = static_cast<double>(coll.FaceCount());
}
BENCHMARK(ReadColl100kFaces)->Unit(benchmark::kMicrosecond);

void MemcpyRecord100kFaces(benchmark::State& state) {
  const HugeColl& huge = Huge();
  Bytes target(huge.image.size());
  std::memset(target.data(), 0, target.size());
  for (auto _ : state) {
    std::memcpy(target.data(), huge.image.data(), huge.image.size());
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(MemcpyRecord100kFaces)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vantorel
