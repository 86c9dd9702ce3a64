// Reading San Andreas records against "COLL" ones: a 256 MiB file of 200,000 "COL3" colls and
// one of "COLL" colls of the same byte size, each scanned and every coll read from memory; and
// the "COL3" file converted to "COLL" (every coll read, converted and encoded) against one read.
#include <benchmark/benchmark.h>

#include <cstring>
#include <utility>

#include "bench/ratio_reporter.h"
#include "core/coll_codec.h"
#include "core/coll_conversion.h"
#include "tools/colgen/large_file.h"

namespace vantorel {
namespace {

constexpr std::size_t kColls = 200'000;
constexpr std::size_t kBytes = std::size_t{256} << 20;

const Bytes& LargeImage(int version) {
  static const Bytes coll = colgen::LargeFile(kColls, kBytes, 1, 1);
  static const Bytes col3 = colgen::LargeFile(kColls, kBytes, 1, 3);
  return version == 1 ? coll : col3;
}

// Scans the image and reads every coll into one working copy, as opening a file and stepping
// through its colls does.
std::size_t ScanAndReadAll(const Bytes& image, Coll& coll) {
  CollDirectoryEntries directory;
  ScanFile(image, directory);
  std::size_t faces = 0;
  for (const CollDirectoryEntry& entry : directory) {
    if (ReadColl(image, entry, coll) == ReadResult::Ok) faces += coll.Faces.size();
  }
  return faces;
}

void ScanReadAll(benchmark::State& state, int version) {
  const Bytes& image = LargeImage(version);
  Coll coll;
  std::size_t faces = 0;
  for (auto _ : state) {
    faces = ScanAndReadAll(image, coll);
    benchmark::DoNotOptimize(faces);
  }
  state.counters["faces"] = static_cast<double>(faces);
  state.counters["MiB"] = static_cast<double>(image.size() >> 20);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(image.size()));
}

void ScanReadColl(benchmark::State& state) {
  ScanReadAll(state, 1);
}
BENCHMARK(ScanReadColl)->Unit(benchmark::kMillisecond)->MinTime(2);

void ScanReadCol3(benchmark::State& state) {
  ScanReadAll(state, 3);
}
BENCHMARK(ScanReadCol3)->Unit(benchmark::kMillisecond)->MinTime(2);

// The whole "COL3" file to "COLL": scanned, each coll read, converted and encoded into the new
// image. The new image (twice as large: "COLL" faces and vertices take twice the bytes) has its
// memory from the start, as a writer that knows the length would.
void ConvertCol3ToColl(benchmark::State& state) {
  const Bytes& image = LargeImage(3);
  Bytes converted(2 * image.size() + (std::size_t{1} << 20));
  std::memset(converted.data(), 0, converted.size());  // its pages in memory before timing
  Coll coll;
  std::size_t length = 0;
  for (auto _ : state) {
    CollDirectoryEntries directory;
    ScanFile(image, directory);
    length = 0;
    for (const CollDirectoryEntry& entry : directory) {
      ReadColl(image, entry, coll);
      CollConversion conversion = ConvertColl(std::move(coll), 1);
      const std::size_t bytes = RecordLength(*conversion.Converted);
      if (length + bytes > converted.size()) converted.resize(2 * (length + bytes));
      EncodeColl(*conversion.Converted, converted.data() + length);
      length += bytes;
      coll = std::move(*conversion.Converted);  // its memory serves the next read
    }
    benchmark::DoNotOptimize(converted.data());
  }
  state.counters["MiB out"] = static_cast<double>(length >> 20);
}
BENCHMARK(ConvertCol3ToColl)->Unit(benchmark::kMillisecond)->MinTime(2);

// The parts of the conversion: every coll read and converted, nothing encoded.
void ReadAndConvertCol3(benchmark::State& state) {
  const Bytes& image = LargeImage(3);
  CollDirectoryEntries directory;
  ScanFile(image, directory);
  Coll coll;
  for (auto _ : state) {
    std::size_t faces = 0;
    for (const CollDirectoryEntry& entry : directory) {
      ReadColl(image, entry, coll);
      CollConversion conversion = ConvertColl(std::move(coll), 1);
      faces += conversion.Converted->Faces.size();
      coll = std::move(*conversion.Converted);
    }
    benchmark::DoNotOptimize(faces);
  }
}
BENCHMARK(ReadAndConvertCol3)->Unit(benchmark::kMillisecond)->MinTime(2);

}  // namespace
}  // namespace vantorel

int main(int argc, char** argv) {
  return vantorel::bench::RunBenchmarks(
      argc, argv,
      {
          {"scan + read every coll: COL3 file / COLL file of the same size", "ScanReadCol3",
           "ScanReadColl", "<= 1.2x"},
          {"COL3 file converted to COLL / scan + read of the COL3 file", "ConvertCol3ToColl",
           "ScanReadCol3", "<= 2x"},
          {"  of which read + ConvertColl, not encoded / scan + read", "ReadAndConvertCol3",
           "ScanReadCol3", "(reported)"},
      });
}
