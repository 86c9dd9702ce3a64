// Speed of the collision script export and import on a coll of 100,000 faces and 65,000
// vertices, each next to a plain loop of std::to_chars / std::from_chars over the numbers that
// script holds.
#include <benchmark/benchmark.h>

#include <charconv>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "bench/ratio_reporter.h"
#include "edit/collision_script.h"
#include "edit/script_reader.h"
#include "tools/colgen/coll_builder.h"

namespace vantorel {
namespace {

constexpr int kVertices = 65'000;
constexpr int kFaces = 100'000;

Coll LargeMesh() {
  std::mt19937 random(11);
  std::uniform_real_distribution<float> coordinate(-50.0f, 50.0f);
  std::uniform_int_distribution<int> vertex(0, kVertices - 1);
  std::uniform_int_distribution<int> material(0, 34);
  const auto point = [&] {
    return Vector3{coordinate(random), coordinate(random), coordinate(random)};
  };
  const auto surface = [&] {
    return colgen::MakeSurface(static_cast<std::uint8_t>(material(random)));
  };
  colgen::CollBuilder b("large_mesh");
  for (int i = 0; i < 20; ++i) {
    b.Sphere(point(), 1.5f, surface());
    const Vector3 p = point();
    b.Box(p, {p.X + 2, p.Y + 3, p.Z + 1}, surface());
  }
  for (int i = 0; i < kVertices; ++i)
    b.Vertex(point());
  for (int i = 0; i < kFaces; ++i)
    b.Face(vertex(random), vertex(random), vertex(random), surface());
  return b.Build();
}

// One number of the script as the reader meets it.
struct NumberText {
  std::string_view text;
  bool real;
};

struct ScriptInput {
  Coll coll = LargeMesh();
  std::string script = BuildCollisionScript(coll, "now", '.');
  std::string commaScript = BuildCollisionScript(coll, "now", ',');
  std::vector<NumberText> numbers;  // every number the reader converts, in order

  ScriptInput() {
    // The numbers after the colon of each element line; face indices and materials are
    // integers, everything else reals.
    std::size_t start = 0;
    while (start < script.size()) {
      std::size_t end = script.find("\r\n", start);
      if (end == std::string::npos) end = script.size();
      const std::string_view line(script.data() + start, end - start);
      start = end + 2;
      const char kind = line.empty() ? '\0' : line[0];
      if (kind != 'S' && kind != 'B' && kind != 'V' && kind != 'F') continue;
      std::size_t i = line.find(':') + 1;
      while (i < line.size()) {
        const std::size_t first = line.find_first_of("-0123456789", i);
        if (first == std::string_view::npos) break;
        std::size_t last = line.find_first_not_of("-+.0123456789E", first);
        if (last == std::string_view::npos) last = line.size();
        const bool material = first > 0 && line[first - 1] == '[';
        numbers.push_back({line.substr(first, last - first), kind != 'F' && !material});
        i = last;
      }
    }
  }
};

const ScriptInput& Input() {
  static const ScriptInput input;
  return input;
}

void ExportScript(benchmark::State& state) {
  const ScriptInput& input = Input();
  for (auto _ : state) {
    std::string script = BuildCollisionScript(input.coll, "now", '.');
    benchmark::DoNotOptimize(script.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.script.size()));
}
BENCHMARK(ExportScript)->Unit(benchmark::kMillisecond);

// The numbers of the script, each written with to_chars: reals with six significant digits,
// the element indices, face indices and materials as integers.
void ToCharsLoop(benchmark::State& state) {
  const ScriptInput& input = Input();
  const Coll& coll = input.coll;
  std::string buffer(input.script.size() + 4096, '\0');
  for (auto _ : state) {
    char* at = buffer.data();
    char* const end = buffer.data() + buffer.size();
    const auto real = [&](float value) {
      at = std::to_chars(at, end, value, std::chars_format::general, 6).ptr;
    };
    const auto integer = [&](std::int64_t value) { at = std::to_chars(at, end, value).ptr; };
    for (std::size_t i = 0; i < coll.Spheres.size(); ++i) {
      const CollSphere& s = coll.Spheres[i];
      integer(static_cast<std::int64_t>(i));
      real(s.Radius), real(s.Center.X), real(s.Center.Y), real(s.Center.Z);
      integer(s.Surface.Material);
    }
    for (std::size_t i = 0; i < coll.Boxes.size(); ++i) {
      const CollBox& b = coll.Boxes[i];
      integer(static_cast<std::int64_t>(i));
      real(b.Min.X), real(b.Min.Y), real(b.Min.Z), real(b.Max.X), real(b.Max.Y), real(b.Max.Z);
      integer(b.Surface.Material);
    }
    for (std::size_t i = 0; i < coll.Vertices.size(); ++i) {
      integer(static_cast<std::int64_t>(i));
      real(coll.Vertices[i].X), real(coll.Vertices[i].Y), real(coll.Vertices[i].Z);
    }
    for (std::size_t i = 0; i < coll.Faces.size(); ++i) {
      const CollFace& f = coll.Faces[i];
      integer(static_cast<std::int64_t>(i));
      integer(f.A), integer(f.B), integer(f.C), integer(f.Surface.Material);
    }
    benchmark::DoNotOptimize(at);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.script.size()));
}
BENCHMARK(ToCharsLoop)->Unit(benchmark::kMillisecond);

void ImportScript(benchmark::State& state) {
  const ScriptInput& input = Input();
  for (auto _ : state) {
    ScriptReadResult result = ReadCollisionScript(input.script, '.');
    if (!result.Elements) state.SkipWithError("parse error");
    benchmark::DoNotOptimize(result.Elements->Faces.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.script.size()));
}
BENCHMARK(ImportScript)->Unit(benchmark::kMillisecond);

// A script with decimal commas read where the comma is the separator.
void ImportCommaScript(benchmark::State& state) {
  const ScriptInput& input = Input();
  for (auto _ : state) {
    ScriptReadResult result = ReadCollisionScript(input.commaScript, ',');
    if (!result.Elements) state.SkipWithError("parse error");
    benchmark::DoNotOptimize(result.Elements->Faces.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.commaScript.size()));
}
BENCHMARK(ImportCommaScript)->Unit(benchmark::kMillisecond);

void FromCharsLoop(benchmark::State& state) {
  const ScriptInput& input = Input();
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
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.script.size()));
}
BENCHMARK(FromCharsLoop)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantorel

int main(int argc, char** argv) {
  return vantorel::bench::RunBenchmarks(
      argc, argv,
      {
          {"script export / to_chars over its numbers", "ExportScript", "ToCharsLoop", "<= 1.5x"},
          {"script import / from_chars over its numbers", "ImportScript", "FromCharsLoop", "<= 2x"},
          {"script import, decimal commas / from_chars", "ImportCommaScript", "FromCharsLoop",
           "(reported)"},
      });
}
