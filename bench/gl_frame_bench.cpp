// Frame time of the OpenGL view on the machine's renderer (run it under xvfb-run for Mesa's
// software renderer): the large coll of the scene benchmark and each coll of the sample file,
// with every switch at its default. A frame is drawn and finished before the clock stops. Also the
// CPU time of an idle window (bench/idle_window_bench.h).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QTest>
#include <memory>

#include "bench/idle_window_bench.h"
#include "bench/ratio_reporter.h"
#include "bench/view_scene.h"
#include "core/coll_codec.h"
#include "core/file_io.h"
#include "view/qt/gl_view.h"

namespace vantorel {

std::vector<Coll> SampleFileColls() {
  Bytes image;
  CollDirectoryEntries directory;
  std::vector<Coll> colls;
  if (ReadWholeFile(VANTOREL_SAMPLE_FILE, image)) return colls;  // a message: not read
  ScanFile(image, directory);
  for (CollDirectoryEntry& entry : directory) {
    Coll coll;
    if (ReadColl(image, entry, coll) == ReadResult::Ok) colls.push_back(std::move(coll));
  }
  return colls;
}

void DrawFrames(benchmark::State& state, const Coll& coll, bool wireframe = true) {
  ViewData data;
  data.SetColl(coll);
  double now = 100;
  ViewState viewState(data);
  viewState.SetClock([&] { return now; });
  GlView view(viewState, GlViewSetup{});
  view.resize(640, 480);
  view.show();
  if (!QTest::qWaitForWindowExposed(&view) || !view.Ready()) {
    state.SkipWithError("no OpenGL 3.3 view");
    return;
  }
  viewState.RebuildStaticBuffers();
  viewState.RebuildScene();
  viewState.ResetCamera();
  ViewOptions options = viewState.Options();
  options.Wireframe = wireframe;
  viewState.SetOptions(options);
  view.grabFramebuffer();  // uploads the arrays
  view.makeCurrent();
  QOpenGLFunctions* gl = QOpenGLContext::currentContext()->functions();
  for (auto _ : state) {
    now += 0.02;
    view.RenderFrame();
    gl->glFinish();
  }
  view.doneCurrent();
  state.counters["faces"] = static_cast<double>(coll.Faces.size());
  state.counters["spheres"] = static_cast<double>(coll.Spheres.size());
  state.counters["boxes"] = static_cast<double>(coll.Boxes.size());
}

}  // namespace vantorel

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  static const vantorel::Coll large = vantorel::bench::LargeViewColl();
  benchmark::RegisterBenchmark("Frame/large_100k_faces", [](benchmark::State& state) {
    vantorel::DrawFrames(state, large);
  })->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark(
      "Frame/large_100k_faces_without_wireframe",
      [](benchmark::State& state) { vantorel::DrawFrames(state, large, false); })
      ->Unit(benchmark::kMillisecond);
  static const std::vector<vantorel::Coll> sample = vantorel::SampleFileColls();
  for (const vantorel::Coll& coll : sample) {
    benchmark::RegisterBenchmark(
        ("Frame/sample/" + vantorel::HeaderName(coll.Header)).c_str(),
        [&coll](benchmark::State& state) { vantorel::DrawFrames(state, coll); })
        ->Unit(benchmark::kMillisecond);
  }
  vantorel::bench::RegisterIdleWindowBenchmarks(VANTOREL_SAMPLE_FILE);
  return vantorel::bench::RunBenchmarks(argc, argv, {});
}
