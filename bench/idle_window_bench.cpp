#include "bench/idle_window_bench.h"

#include <benchmark/benchmark.h>

#include <unistd.h>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "app/qt/main_window.h"
#include "view/qt/gl_view.h"

namespace vantorel::bench {

namespace {

constexpr int kIdleMilliseconds = 10000;
constexpr int kFadeMilliseconds = 3500;  // the start-up picture's three seconds, and a little

enum class Showing { Shown, Hidden, DrawnEveryTick };

// Counts the paints the view receives: each is one frame drawn.
class PaintCounter : public QObject {
 public:
  long paints = 0;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return QObject::eventFilter(watched, event);
  }
};

double ProcessCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Runs the event loop as the program does, for the given time.
void RunEventLoop(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

void IdleWindow(benchmark::State& state, const std::string& file, Showing showing) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("vantorel-idle-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  {
    StartContext context;
    context.Arguments = {file};
    context.ProgramPath = dir / "vantorel";
    context.SettingsPath = dir / "Vantorel.ini";
    MainWindow window(context);
    window.show();
    GlView* view = window.OpenGlView();
    if (!QTest::qWaitForWindowExposed(&window) || view == nullptr || !view->Ready()) {
      state.SkipWithError("no OpenGL 3.3 view");
      return;
    }
    RunEventLoop(kFadeMilliseconds);
    if (showing == Showing::Hidden) window.hide();
    QTimer everyTick;
    if (showing == Showing::DrawnEveryTick) {
      QObject::connect(&everyTick, &QTimer::timeout, view, [view] { view->update(); });
      everyTick.start(20);
    }
    double cpu = 0;
    double wall = 0;
    PaintCounter frames;
    view->installEventFilter(&frames);
    for (auto _ : state) {
      const double cpuStart = ProcessCpuSeconds();
      const auto wallStart = std::chrono::steady_clock::now();
      RunEventLoop(kIdleMilliseconds);
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
      state.SetIterationTime(ProcessCpuSeconds() - cpuStart);
      cpu += ProcessCpuSeconds() - cpuStart;
      wall += seconds;
    }
    state.counters["cpu_%_of_a_core"] = wall > 0 ? 100 * cpu / wall : 0;
    state.counters["frames"] = static_cast<double>(frames.paints);
    view->removeEventFilter(&frames);
    everyTick.stop();
  }
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
}

}  // namespace

void RegisterIdleWindowBenchmarks(const std::string& file) {
  const std::pair<const char*, Showing> cases[] = {
      {"IdleWindow/shown", Showing::Shown},
      {"IdleWindow/hidden", Showing::Hidden},
      {"IdleWindow/drawn_every_tick", Showing::DrawnEveryTick}};
  for (const auto& [name, showing] : cases) {
    benchmark::RegisterBenchmark(
        name,
        [file, showing = showing](benchmark::State& state) { IdleWindow(state, file, showing); })
        ->Iterations(1)
        ->Repetitions(1)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
  }
}

}  // namespace vantorel::bench
