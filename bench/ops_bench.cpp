// Copy and Delete of the middle coll of a file of 256 MiB and 200,000 colls, each run as the
// window runs it (the command row inside the editor's boundary, its questions answered Yes), next
// to one memcpy of the whole image.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>

#include "app/command_table.h"
#include "bench/bench_ui.h"
#include "bench/ratio_reporter.h"
#include "doc/editor.h"
#include "doc/null_scene_view.h"
#include "tools/colgen/coll_builder.h"
#include "tools/colgen/large_file.h"

namespace vantorel {
namespace {

constexpr std::size_t kLargeColls = 200'000;
constexpr std::size_t kLargeBytes = std::size_t{256} << 20;

// The large file opened in an editor over a scripted UI.
struct LargeEditor {
  std::filesystem::path path;
  bench::BenchUi ui;
  NullSceneView view;
  Editor editor{ui, view};
  int middle = 0;
  int count = 0;

  LargeEditor() {
    path = std::filesystem::temp_directory_path() / "vantorel-ops-bench.col";
    colgen::WriteBytes(path.string(), colgen::LargeFile(kLargeColls, kLargeBytes));
    // The generated colls use materials beyond the table; selecting one would say so each time.
    Settings quiet = editor.Settings();
    quiet.UnkSurHint = false;
    editor.ChangeSettings(quiet);
    editor.OpenFile(path);
    count = editor.CollCount();
    middle = count / 2;
  }
  ~LargeEditor() { std::filesystem::remove(path); }
};

LargeEditor& Large() {
  static LargeEditor large;
  return large;
}

// Whether the command did its work: the expected number of colls and nothing said.
bool Done(benchmark::State& state, const LargeEditor& large, int expectedCount) {
  if (large.editor.CollCount() == expectedCount && large.ui.messages == 0) return true;
  state.SkipWithError(("the command did not run: " + large.ui.lastMessage).c_str());
  return false;
}

void MemcpyImage(benchmark::State& state) {
  const Bytes& image = Large().editor.FileImage();
  Bytes target(image.size());
  std::memset(target.data(), 0, target.size());
  for (auto _ : state) {
    std::memcpy(target.data(), image.data(), image.size());
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(MemcpyImage)->Unit(benchmark::kMillisecond);

void DeleteMiddleColl(benchmark::State& state) {
  LargeEditor& large = Large();
  Editor& editor = large.editor;
  const CommandRow& row = *FindCommand("Delete1");
  for (auto _ : state) {
    state.PauseTiming();
    editor.SelectColl(large.middle);
    const auto record = editor.File().RecordBytes(static_cast<std::size_t>(large.middle));
    const Bytes removed(record.begin(), record.end());
    state.ResumeTiming();

    RunCommand(editor, row);

    state.PauseTiming();
    if (!Done(state, large, large.count - 1)) break;
    // The coll goes back where it was, for the next round.
    editor.ChangeFile([&](CollFile& file) {
      file.ReplaceRecords(static_cast<std::size_t>(large.middle), 0, removed);
    });
    state.ResumeTiming();
  }
  state.counters["colls"] = static_cast<double>(large.count);
}
BENCHMARK(DeleteMiddleColl)->Unit(benchmark::kMillisecond);

// A copy of the middle coll, appended at the end. Reopening first measures the first copy after
// opening, which grows the image into the room that reading left for it.
void CopyMiddle(benchmark::State& state, bool reopen) {
  LargeEditor& large = Large();
  Editor& editor = large.editor;
  const CommandRow& row = *FindCommand("Copy1");
  for (auto _ : state) {
    state.PauseTiming();
    if (reopen) editor.OpenFile(large.path);
    editor.SelectColl(large.middle);
    state.ResumeTiming();

    RunCommand(editor, row);

    state.PauseTiming();
    if (!Done(state, large, large.count + 1)) break;
    editor.ChangeFile(
        [&](CollFile& file) { file.RemoveRecords(static_cast<std::size_t>(large.count), 1); });
    state.ResumeTiming();
  }
}

void CopyMiddleColl(benchmark::State& state) {
  CopyMiddle(state, false);
}
BENCHMARK(CopyMiddleColl)->Unit(benchmark::kMillisecond);

void CopyMiddleCollAfterOpen(benchmark::State& state) {
  CopyMiddle(state, true);
}
BENCHMARK(CopyMiddleCollAfterOpen)->Unit(benchmark::kMillisecond)->Iterations(5);

// Undo and redo of deleting the middle coll: the removed record goes back in, or out again.
void UndoDeleteMiddleColl(benchmark::State& state) {
  LargeEditor& large = Large();
  Editor& editor = large.editor;
  const CommandRow& row = *FindCommand("Delete1");
  for (auto _ : state) {
    state.PauseTiming();
    editor.SelectColl(large.middle);
    RunCommand(editor, row);
    if (!Done(state, large, large.count - 1)) break;
    state.ResumeTiming();

    editor.Undo();

    state.PauseTiming();
    if (!Done(state, large, large.count)) break;
    state.ResumeTiming();
  }
}
BENCHMARK(UndoDeleteMiddleColl)->Unit(benchmark::kMillisecond);

void RedoDeleteMiddleColl(benchmark::State& state) {
  LargeEditor& large = Large();
  Editor& editor = large.editor;
  const CommandRow& row = *FindCommand("Delete1");
  for (auto _ : state) {
    state.PauseTiming();
    editor.SelectColl(large.middle);
    RunCommand(editor, row);
    editor.Undo();
    state.ResumeTiming();

    editor.Redo();

    state.PauseTiming();
    if (!Done(state, large, large.count - 1)) break;
    editor.Undo();
    state.ResumeTiming();
  }
}
BENCHMARK(RedoDeleteMiddleColl)->Unit(benchmark::kMillisecond);

// The history's memory after 100 edits of one coll, each moving all its vertices and applied
// to the file, next to the bytes those edits changed: in the working copy, the vertices that
// moved; in the file, the run of the record from its first to its last differing byte. A step
// keeps both sides of what it changed, so twice that is the least any history can hold.
void HistoryMemoryOfEdits(benchmark::State& state) {
  LargeEditor& large = Large();
  Editor& editor = large.editor;
  for (auto _ : state) {
    editor.OpenFile(large.path);  // a new history
    editor.SelectColl(large.middle);
    std::size_t changed = 0;
    for (int edit = 0; edit < 100; ++edit) {
      const Bytes before(editor.File().RecordBytes(static_cast<std::size_t>(large.middle)).begin(),
                         editor.File().RecordBytes(static_cast<std::size_t>(large.middle)).end());
      editor.Run("Move", [&] {
        editor.ChangeWorkingCopy([](Coll& coll, ElementLists&) {
          for (CollVertex& vertex : coll.Vertices)
            vertex.X += 1.5f;
        });
      });
      changed += editor.WorkingCopy().Vertices.size() * sizeof(CollVertex);
      RunCommand(editor, *FindCommand("ApplyChanges1"));
      const auto after = editor.File().RecordBytes(static_cast<std::size_t>(large.middle));
      std::size_t first = 0;
      while (first < before.size() && before[first] == after[first])
        ++first;
      std::size_t last = before.size();
      while (last > first && before[last - 1] == after[last - 1])
        --last;
      changed += last - first;
    }
    state.counters["held_bytes"] = static_cast<double>(editor.History().HeldBytes());
    state.counters["changed_bytes"] = static_cast<double>(changed);
    state.counters["held_per_changed"] =
        static_cast<double>(editor.History().HeldBytes()) / static_cast<double>(changed);
    state.counters["steps"] = static_cast<double>(editor.History().Count());
  }
}
BENCHMARK(HistoryMemoryOfEdits)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace vantorel

int main(int argc, char** argv) {
  return vantorel::bench::RunBenchmarks(
      argc, argv,
      {
          {"Delete of the middle coll (command) / memcpy of the image", "DeleteMiddleColl",
           "MemcpyImage", "<= 1.5x"},
          {"Copy of the middle coll (command) / memcpy of the image", "CopyMiddleColl",
           "MemcpyImage", "<= 1.5x"},
          {"The same, first copy after opening / memcpy of the image", "CopyMiddleCollAfterOpen",
           "MemcpyImage", "<= 1.5x"},
          {"Undo of deleting the middle coll / memcpy of the image", "UndoDeleteMiddleColl",
           "MemcpyImage", "<= 1.5x"},
          {"Redo of deleting the middle coll / memcpy of the image", "RedoDeleteMiddleColl",
           "MemcpyImage", "<= 1.5x"},
      });
}
