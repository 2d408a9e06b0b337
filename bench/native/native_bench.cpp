// The native benchmarks: the program's handlers on the headless toolkit and
// the POSIX backend, this thread being the UI thread, each measured side by
// side with what it is held against in the same repetition.
//
//   Search  a click on 读取文件 over the 20,000-file tree (common/bench_tree.h),
//           against a bare walk of the same tree through the OS seam.
//   Rename  a click on 按钮1 with 100 listed files and a prefix rule, until
//           the caption is back and every worker is done, against the
//           pacing floor of 100 x 100 ms.
//
// Times are manual (wall clock of the measured part only); every figure is
// a counter, aggregated over the repetitions by Google Benchmark.
#include <benchmark/benchmark.h>

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "app/entry.h"
#include "app/program.h"
#include "common/bench_tree.h"
#include "common/counting_os.h"
#include "common/figures.h"
#include "os/posix/posix_os.h"
#include "rename/rename_run.h"
#include "support/observed_os.h"
#include "support/temp_folder.h"
#include "ui/headless/headless_toolkit.h"

namespace {

using bench::Clock;
using bench::MillisecondsSince;
using core::Text;
using ui::Control;

constexpr int kRenameRows = 100;
const char* const kSearchIdle = "搜索文件";
const char* const kRenameIdle = "开始替换";

bool MakeFolder(const Text& seamPath) {
  std::string native = seamPath;
  std::replace(native.begin(), native.end(), '\\', '/');
  return mkdir(native.c_str(), 0755) == 0;
}

// The whole program on the headless toolkit, set up as the native tests set
// it up (tests/support: a program folder of its own, where the skin engine
// is placed, and the stand-ins for what a native process cannot do), with
// a CountingOs on top and its own count of workers.
struct HeadlessWindow {
  HeadlessWindow() {
    observed.programFilePath = programFolder.Child("renamer.exe");
    ui.Initialise();
    app::StartUp(program);
  }
  ~HeadlessWindow() { observed.WaitForThreads(); }

  test_support::TempFolder programFolder;
  test_support::ObservedOs observed;
  bench::CountingOs os{observed};
  ui::headless::HeadlessToolkit ui{os};
  std::atomic<std::int64_t> tasks{0};
  app::Program program{ui, os, tasks};
};

// ---- Search

struct SearchFigures {
  double handler = 0, walk = 0, twoListings = 0;
};

// One click on 读取文件, handled at once on this (the UI) thread, as the
// message loop would.
double ClickSearch(HeadlessWindow& w) {
  const Clock::time_point start = Clock::now();
  w.ui.Click(Control::读取文件);
  w.ui.ProcessPendingEvents();
  return MillisecondsSince(start);
}

bool SearchDone(HeadlessWindow& w) {
  return w.ui.GetText(Control::读取文件) == kSearchIdle && w.ui.RowCount(Control::超级列表框1) == bench::kFileCount;
}

void BM_Search(benchmark::State& state, const Text* root) {
  HeadlessWindow w;
  // The walks go through the very backend objects the search uses.
  os::Os& os = w.os;
  w.ui.Type(Control::编辑框1, *root);
  w.ui.Type(Control::组合框1, "*.*");
  w.ui.SetChecked(Control::选择框1, true);
  // Once untimed, so that every timed click also clears a full list, as a
  // second click does, and the file system's caches are warm.
  ClickSearch(w);
  if (!SearchDone(w)) {
    state.SkipWithError("the search did not list the tree");
    return;
  }
  static int round = 0;
  for (auto _ : state) {
    SearchFigures f;
    const auto walk = [&] {
      const Clock::time_point start = Clock::now();
      const std::size_t found = bench::BareWalk(os, *root).size();
      f.walk = MillisecondsSince(start);
      return found;
    };
    const auto twoListings = [&] {
      const Clock::time_point start = Clock::now();
      const std::size_t found = bench::TwoListingWalk(os, *root, "*.*").size();
      f.twoListings = MillisecondsSince(start);
      return found;
    };
    // The order changes from one repetition to the next, so that neither
    // always runs on caches the other has warmed.
    std::size_t walked = 0, listed = 0;
    if (round++ % 2 == 0) {
      walked = walk();
      listed = twoListings();
      f.handler = ClickSearch(w);
    } else {
      f.handler = ClickSearch(w);
      listed = twoListings();
      walked = walk();
    }
    if (!SearchDone(w) || walked != bench::kFileCount || listed != bench::kFileCount) {
      state.SkipWithError("a walk or the search missed files");
      return;
    }
    state.SetIterationTime(f.handler / 1000.0);
    state.counters["handler_ms"] = f.handler;
    state.counters["walk_ms"] = f.walk;
    state.counters["ratio"] = f.handler / f.walk;
    state.counters["2walk_ms"] = f.twoListings;
    state.counters["ratio_2walk"] = f.handler / f.twoListings;
  }
}

// ---- Rename run

void BM_RenameRun(benchmark::State& state) {
  for (auto _ : state) {
    test_support::TempFolder folder;
    HeadlessWindow w;
    bench::CountingOs& os = w.os;
    std::vector<Text> renamed;
    for (int i = 1; i <= kRenameRows; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "DSC_%03d.jpg", i);
      const Text path = folder.Path() + "\\" + name;
      if (!os.WriteNewFile(path, "x", 1)) {
        state.SkipWithError("cannot make the files");
        return;
      }
      const int row = w.ui.AppendRow(Control::超级列表框1);
      w.ui.SetCell(Control::超级列表框1, row, 0, core::DecimalText(row + 1));
      w.ui.SetCell(Control::超级列表框1, row, 1, path);
      renamed.push_back(folder.Path() + "\\2024_" + name);
    }
    w.ui.SetChecked(Control::选择框_前, true);
    w.ui.Type(Control::编辑框_加入, "2024_");

    const Clock::time_point start = Clock::now();
    w.ui.Click(Control::按钮1);
    w.ui.ProcessPendingEvents();
    for (;;) {
      w.ui.ProcessPendingEvents();
      if (w.ui.GetText(Control::按钮1) == kRenameIdle && !w.ui.IsDisabled(Control::按钮1) && os.ThreadsRunning() == 0)
        break;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const double wall = MillisecondsSince(start);

    int missing = 0;
    os::DirectoryEntry entry;
    for (const Text& path : renamed) {
      const os::SearchId search = os.FindFirst(path, entry);
      if (search == os::kNoSearch) ++missing;
      os.FindClose(search);
    }
    if (missing != 0 || os.WorkersStarted() != kRenameRows) {
      state.SkipWithError("the run did not rename every file");
      return;
    }
    // The same hundred waits alone, through the same backend: what the
    // system's sleeps themselves add to the floor.
    const Clock::time_point pacingStart = Clock::now();
    for (int i = 0; i < kRenameRows; ++i) renaming::WaitAndPump(os, renaming::kPacingMilliseconds, 0);
    const double pacing = MillisecondsSince(pacingStart);

    const double floor = kRenameRows * renaming::kPacingMilliseconds;
    state.SetIterationTime(wall / 1000.0);
    state.counters["wall_s"] = wall / 1000.0;
    state.counters["floor_s"] = floor / 1000.0;
    state.counters["ratio"] = wall / floor;
    state.counters["waits_s"] = pacing / 1000.0;
    state.counters["ratio_waits"] = wall / pacing;
    state.counters["most_workers"] = os.MostWorkersInFlight();
    state.counters["most_moves"] = os.MostMovesInFlight();
  }
}

double Least(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }
double Most(const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); }

// Takes "--name=N" out of the arguments (Google Benchmark refuses flags it
// does not know); `fallback` without one.
int TakeCount(int& argc, char** argv, const char* name, int fallback) {
  const std::string prefix = std::string("--") + name + "=";
  int value = fallback;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], prefix.c_str(), prefix.size()) == 0) {
      value = std::max(1, std::atoi(argv[i] + prefix.size()));
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  const int searchRepetitions = TakeCount(argc, argv, "search-repetitions", 15);
  const int renameRepetitions = TakeCount(argc, argv, "rename-repetitions", 3);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  test_support::TempFolder tree;
  {
    os::posix::PosixOs os;
    if (!bench::MakeTree(os, tree.Path(), MakeFolder)) {
      std::fprintf(stderr, "cannot make the tree under %s\n", tree.Path().c_str());
      return 1;
    }
  }
  std::printf("tree: %d folders over three levels (1 + %d + %d), %d files each, %d files\n", bench::kFolderCount,
              bench::kMiddleFolders, bench::kMiddleFolders * bench::kLeavesPerMiddle, bench::kFilesPerFolder,
              bench::kFileCount);
  std::printf("Search: handler_ms = click on the search button (headless toolkit + POSIX backend),\n"
              "        walk_ms = bare walk through the OS seam, ratio = handler/walk (goal <= 1.5);\n"
              "        2walk_ms = the search's own two listings per folder, without a window.\n"
              "RenameRun: wall_s = click on the rename button until idle and all workers done,\n"
              "        floor_s = 100 x 100 ms pacing, ratio = wall/floor (goal <= 1.05),\n"
              "        waits_s = the same 100 waits alone, ratio_waits = wall/waits,\n"
              "        most_workers / most_moves = most in flight at once (goal <= 6).\n"
              "Time = the click's (Search) or the run's (RenameRun) wall time; CPU = the process's\n"
              "CPU time over the whole repetition, walks and worker threads included.\n\n");
  std::fflush(stdout);

  const Text root = tree.Path();
  // Each repetition is one click or one run, timed by the benchmark itself.
  const auto onceEach = [](benchmark::internal::Benchmark* b, int repetitions) {
    b->Iterations(1)
        ->Repetitions(repetitions)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->ReportAggregatesOnly(true)
        ->ComputeStatistics("min", Least)
        ->ComputeStatistics("max", Most);
  };
  onceEach(benchmark::RegisterBenchmark("Search", BM_Search, &root), searchRepetitions);
  onceEach(benchmark::RegisterBenchmark("RenameRun", BM_RenameRun), renameRepetitions);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
