// Building the view's arrays for a large coll, against copying its vertices once.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench/ratio_reporter.h"
#include "bench/view_scene.h"
#include "view/scene.h"

namespace vantorel {
namespace {

const Coll& Large() {
  static const Coll coll = bench::LargeViewColl();
  return coll;
}

void CopyVertices(benchmark::State& state) {
  const Coll& coll = Large();
  std::vector<CollVertex> copy(coll.Vertices.size());
  for (auto _ : state) {
    copy.assign(coll.Vertices.begin(), coll.Vertices.end());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(CopyVertices)->Unit(benchmark::kMicrosecond);

void RebuildScene(benchmark::State& state) {
  const Coll& coll = Large();
  const std::vector<bool> checks(coll.Faces.size(), false);
  const SurfaceTypeTable surfaces;
  const MainColors colors;
  Scene scene;
  scene.RebuildStaticBuffers(surfaces, colors, 16, 48, true);
  for (auto _ : state) {
    scene.RebuildScene(coll, checks, surfaces, colors, true);
    benchmark::DoNotOptimize(scene.Indices(IndexSource::Mesh).data());
    benchmark::ClobberMemory();
  }
  state.counters["groups"] = static_cast<double>(scene.MeshGroups().size());
  state.counters["s/face"] = benchmark::Counter(
      static_cast<double>(coll.Faces.size()) * static_cast<double>(state.iterations()),
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
}
BENCHMARK(RebuildScene)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vantorel

int main(int argc, char** argv) {
  return vantorel::bench::RunBenchmarks(
      argc, argv,
      {{"RebuildScene (65,000 vertices, 100,000 faces) / copy of its vertices", "RebuildScene",
        "CopyVertices", "<= 4x"}});
}
