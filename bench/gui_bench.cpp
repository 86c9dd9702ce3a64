// Time until the window shows a large file: 200,000 colls listed and a first coll of 100,000
// faces in the face list, painted. Compared with the scan and read it cannot do without.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListView>
#include <filesystem>

#include "app/qt/main_window.h"
#include "bench/ratio_reporter.h"
#include "core/coll_codec.h"
#include "core/file_io.h"
#include "tools/colgen/coll_builder.h"
#include "tools/colgen/large_file.h"

namespace vantorel {
namespace {

struct WindowInput {
  std::filesystem::path dir;
  std::string path;

  WindowInput() {
    dir = std::filesystem::temp_directory_path() / "vantorel-gui-bench";
    std::filesystem::create_directories(dir);
    Bytes bytes = colgen::EncodeFile({colgen::PatternColl("huge", 4, 4, 100'000, 3)});
    const Bytes rest = colgen::LargeFile(199'999, std::size_t{64} << 20);
    bytes.insert(bytes.end(), rest.begin(), rest.end());
    path = (dir / "window.col").string();
    colgen::WriteBytes(path, bytes);
  }
  ~WindowInput() { std::filesystem::remove_all(dir); }
};

const WindowInput& Input() {
  static const WindowInput input;
  return input;
}

void ScanAndReadFirst(benchmark::State& state) {
  const WindowInput& input = Input();
  for (auto _ : state) {
    Bytes image;
    CollDirectoryEntries directory;
    ReadWholeFile(input.path, image);
    ScanFile(image, directory);
    Coll coll;
    ReadColl(image, directory[0], coll);
    benchmark::DoNotOptimize(coll.Faces.data());
  }
}
BENCHMARK(ScanAndReadFirst)->Unit(benchmark::kMillisecond);

void OpenInWindow(benchmark::State& state) {
  const WindowInput& input = Input();
  StartContext context;
  context.ProgramPath = input.dir / "vantorel";
  context.SettingsPath = input.dir / "Vantorel.ini";
  MainWindow window(context, ViewDrawing::None);
  window.show();
  QApplication::processEvents();
  auto* collList = window.findChild<QListView*>("lbxColl");
  auto* faceList = window.findChild<QListView*>("clbFaces");
  Editor& editor = window.GetEditor();
  // The generated surfaces include unknown ones: no message box.
  Settings quiet = editor.Settings();
  quiet.UnkSurHint = false;
  editor.ChangeSettings(quiet);
  for (auto _ : state) {
    editor.OpenFile(std::filesystem::path(input.path));
    collList->repaint();
    faceList->repaint();
  }
  state.counters["colls"] = static_cast<double>(collList->model()->rowCount());
  state.counters["faces"] = static_cast<double>(faceList->model()->rowCount());
}
BENCHMARK(OpenInWindow)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vantorel

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return vantorel::bench::RunBenchmarks(
      argc, argv,
      {{"window open, coll and face lists painted / ScanFile + ReadColl", "OpenInWindow",
        "ScanAndReadFirst", "<= 1.5x"}});
}
