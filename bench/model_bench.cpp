// Speed of the model import steps on a model of 1,000,000 triangles, each figure next to the plain
// operation it is compared with: reading an OBJ against a from_chars loop over its numbers,
// merging equal vertices against one sort of the coordinates; simplifying to 10,000 faces is
// reported.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "bench/ratio_reporter.h"
#include "core/model/mesh_simplify.h"
#include "core/model/obj_reader.h"
#include "core/model/obj_writer.h"
#include "core/model/vertex_merge.h"

namespace vantorel {
namespace {

constexpr int kGrid = 707;  // 707 x 707 squares: 999,698 triangles

// A rolling terrain of kGrid x kGrid squares, a material to each quarter, as an indexed mesh.
Model Terrain() {
  Model model;
  model.Materials = {{"grass", ""}, {"road", ""}, {"rock", ""}, {"sand", ""}};
  for (int y = 0; y <= kGrid; ++y) {
    for (int x = 0; x <= kGrid; ++x) {
      const float fx = static_cast<float>(x) * 0.731f;
      const float fy = static_cast<float>(y) * 0.587f;
      model.Positions.push_back({fx, fy, 3.0f * std::sin(fx * 0.05f) * std::cos(fy * 0.07f)});
    }
  }
  auto at = [](int x, int y) { return static_cast<std::uint32_t>(y * (kGrid + 1) + x); };
  for (int y = 0; y < kGrid; ++y) {
    for (int x = 0; x < kGrid; ++x) {
      const auto m = static_cast<std::uint32_t>((x < kGrid / 2 ? 0 : 1) + (y < kGrid / 2 ? 0 : 2));
      model.Triangles.push_back({at(x, y), at(x + 1, y), at(x + 1, y + 1), m});
      model.Triangles.push_back({at(x, y), at(x + 1, y + 1), at(x, y + 1), m});
    }
  }
  return model;
}

// The same terrain as a triangle soup: three vertices of its own per triangle.
Model Soup(const Model& indexed) {
  Model soup;
  soup.Materials = indexed.Materials;
  soup.Positions.reserve(indexed.Triangles.size() * 3);
  for (const ModelTriangle& t : indexed.Triangles) {
    const auto base = static_cast<std::uint32_t>(soup.Positions.size());
    for (const std::uint32_t v : {t.A, t.B, t.C})
      soup.Positions.push_back(indexed.Positions[v]);
    soup.Triangles.push_back({base, base + 1, base + 2, t.Material});
  }
  return soup;
}

struct NumberText {
  std::string_view text;
  bool real;
};

struct Inputs {
  Model terrain = Terrain();
  Model soup = Soup(terrain);
  std::string obj = WriteObj(terrain, "terrain.mtl").Obj;
  std::vector<NumberText> numbers;  // every number of the OBJ text, in order

  Inputs() {
    std::string_view text = obj;
    while (!text.empty()) {
      const std::size_t end = text.find('\n');
      const std::string_view line = text.substr(0, end);
      text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
      const bool real = line.starts_with("v ");
      if (!real && !line.starts_with("f ")) continue;
      std::size_t pos = 2;
      while (pos < line.size()) {
        const std::size_t blank = std::min(line.find(' ', pos), line.size());
        numbers.push_back({line.substr(pos, blank - pos), real});
        pos = blank + 1;
      }
    }
  }
};

const Inputs& Input() {
  static const Inputs inputs;
  return inputs;
}

void ObjImport(benchmark::State& state) {
  const Inputs& input = Input();
  std::size_t triangles = 0;
  for (auto _ : state) {
    const Parsed<Model> model = ReadObj(input.obj);
    triangles = model.Value ? model.Value->Triangles.size() : 0;
    benchmark::DoNotOptimize(triangles);
  }
  state.counters["triangles"] = static_cast<double>(triangles);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.obj.size()));
}
BENCHMARK(ObjImport)->Unit(benchmark::kMillisecond);

void ObjNumbersFromChars(benchmark::State& state) {
  const Inputs& input = Input();
  for (auto _ : state) {
    float realSum = 0;
    std::int64_t integerSum = 0;
    for (const NumberText& number : input.numbers) {
      const char* begin = number.text.data();
      const char* end = begin + number.text.size();
      if (number.real) {
        float value = 0;
        std::from_chars(begin, end, value);
        realSum += value;
      } else {
        std::int64_t value = 0;
        std::from_chars(begin, end, value);
        integerSum += value;
      }
    }
    benchmark::DoNotOptimize(realSum);
    benchmark::DoNotOptimize(integerSum);
  }
  state.counters["numbers"] = static_cast<double>(input.numbers.size());
}
BENCHMARK(ObjNumbersFromChars)->Unit(benchmark::kMillisecond);

void MergeVertices(benchmark::State& state) {
  const Inputs& input = Input();
  MergeReport report;
  for (auto _ : state) {
    state.PauseTiming();
    Model soup = input.soup;
    state.ResumeTiming();
    report = MergeEqualVertices(soup);
    benchmark::DoNotOptimize(soup.Positions.data());
  }
  state.counters["vertices_before"] = static_cast<double>(report.VerticesBefore);
  state.counters["vertices_after"] = static_cast<double>(report.VerticesAfter);
}
BENCHMARK(MergeVertices)->Unit(benchmark::kMillisecond);

void SortCoordinates(benchmark::State& state) {
  const Inputs& input = Input();
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<Vector3> positions = input.soup.Positions;
    state.ResumeTiming();
    std::sort(positions.begin(), positions.end(), [](const Vector3& a, const Vector3& b) {
      if (a.X != b.X) return a.X < b.X;
      if (a.Y != b.Y) return a.Y < b.Y;
      return a.Z < b.Z;
    });
    benchmark::DoNotOptimize(positions.data());
  }
}
BENCHMARK(SortCoordinates)->Unit(benchmark::kMillisecond);

void Simplify1MTo10k(benchmark::State& state) {
  const Inputs& input = Input();
  SimplifyReport report;
  for (auto _ : state) {
    state.PauseTiming();
    Model terrain = input.terrain;
    state.ResumeTiming();
    report = SimplifyMesh(terrain, 10000);
    benchmark::DoNotOptimize(terrain.Triangles.data());
  }
  state.counters["faces_before"] = static_cast<double>(report.FacesBefore);
  state.counters["faces_after"] = static_cast<double>(report.FacesAfter);
  state.counters["error"] = report.Error;
}
BENCHMARK(Simplify1MTo10k)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace vantorel

int main(int argc, char** argv) {
  return vantorel::bench::RunBenchmarks(
      argc, argv,
      {
          {"OBJ import, 1,000,000 triangles / from_chars over its numbers", "ObjImport",
           "ObjNumbersFromChars", "<= 3x"},
          {"merging vertices of 1,000,000 triangles / one sort of them", "MergeVertices",
           "SortCoordinates", "<= 5x"},
          {"simplifying 1,000,000 -> 10,000 faces / OBJ import", "Simplify1MTo10k", "ObjImport",
           "(reported)"},
      });
}
