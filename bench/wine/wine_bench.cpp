// The benchmarks of the win64 build, run under wine64: the program with its
// real window (the Win32 toolkit and the Win32 backend, the UI thread
// started as wine/real_program.h starts it), this thread acting on it as
// automation would. A plain main that prints a small table per section:
// the median of the repetitions, their minimum and maximum, and the spread
// (max - min) / median.
//
//   search  a click on 读取文件 over the 20,000-file tree, until its
//           caption is back and the list holds every file, against a bare
//           walk of the same tree through Win32Os.
//   rename  a click on 按钮1 with 100 listed files and a prefix rule,
//           until the caption is back and every worker is done, against the
//           pacing floor of 100 x 100 ms.
//   memory  the peak working set with 100,000 rows in the real list view,
//           against the peak before them; each repetition is a process of
//           its own (this exe with --memory-child), since a peak only grows,
//           whose main thread is the program's UI thread.
//
// Arguments: any of search, rename, memory (all when none), and
// --search-repetitions=N (5), --rename-repetitions=N (3),
// --memory-repetitions=N (3).
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "common/bench_tree.h"
#include "common/figures.h"
#include "os/win32/wide_text.h"
#include "os/win32/win32_os.h"
#include "rename/rename_run.h"
#include "support/wait.h"
#include "ui/win32/win32_toolkit.h"
#include "wine/observed_program.h"
#include "wine/real_program.h"
#include "wine/win_files.h"

namespace {

using bench::Clock;
using bench::MillisecondsSince;
using bench::Samples;
using core::Text;
using os::win32::Widen;
using ui::Control;

const char* const kSearchIdle = "搜索文件";
const char* const kRenameIdle = "开始替换";
constexpr int kRenameRows = 100;
constexpr int kMemoryRows = 100000;
constexpr double kMegabyte = 1024.0 * 1024.0;

// Ends the process at once, as the program itself ends: a window's UI
// thread may still be running.
[[noreturn]] void Fail(const char* what) {
  std::fflush(stdout);
  std::fprintf(stderr, "wine_bench: %s\n", what);
  std::fflush(stderr);
  ExitProcess(1);
}

// ---- Files

bool MakeFolder(const Text& path) { return test_support::MakeFolder(Widen(path)); }

bool Exists(const Text& path) { return test_support::Exists(Widen(path)); }

// ---- Printing

void PrintHeading(const char* title) {
  std::printf("\n%s\n  %-40s %14s %14s %14s %8s\n", title, "", "median", "min", "max", "spread");
}

void PrintRow(const char* name, const Samples& s, const char* unit, const char* goal = "") {
  std::printf("  %-40s %11.3f %-2s %11.3f %-2s %11.3f %-2s %7.1f%%  %s\n", name, s.Median(), unit, s.Min(), unit,
              s.Max(), unit, s.SpreadPercent(), goal);
}

// ---- Search

int Found(test_support::RealProgram& p) { return static_cast<int>(core::TextToInteger(p.ui.GetText(Control::共搜索))); }

// A click on 读取文件 as the button reports it (wine/real_program.h), until
// the search is over: the caption back, the list holding the tree, and the
// count box, which goes on across searches, raised by the tree's files (it
// reaches that only with the last file, so nothing before the click's end
// can pass for it).
double ClickSearch(test_support::RealProgram& p) {
  const int foundBefore = Found(p);
  const Clock::time_point start = Clock::now();
  test_support::ClickButton(p.Window(Control::读取文件));
  // Looked at every 50 ms only: each look is a call the UI thread takes in
  // the middle of the search, and the search runs for seconds at least.
  const bool done = test_support::WaitUntil(
      [&] {
        Sleep(48);
        return Found(p) - foundBefore == bench::kFileCount && p.ui.GetText(Control::读取文件) == kSearchIdle &&
               p.ui.RowCount(Control::超级列表框1) == bench::kFileCount;
      },
      std::chrono::seconds(3600));
  const double elapsed = MillisecondsSince(start);
  if (!done) Fail("the click on the search button did not list the tree");
  return elapsed;
}

void SearchSection(int repetitions) {
  test_support::TempFolder tree;
  os::win32::Win32Os os;
  const Clock::time_point made = Clock::now();
  if (!bench::MakeTree(os, tree.Path(), MakeFolder)) Fail("cannot make the tree");
  std::printf("\nsearch: tree of %d folders over three levels (1 + %d + %d), %d files each, %d files,\n"
              "        made in %.0f ms under %s\n",
              bench::kFolderCount, bench::kMiddleFolders, bench::kMiddleFolders * bench::kLeavesPerMiddle,
              bench::kFilesPerFolder, bench::kFileCount, MillisecondsSince(made), tree.Path().c_str());

  test_support::RealProgram p;
  if (!p.Main()) Fail("the main window did not open");
  p.ui.SetText(Control::编辑框1, tree.Path());
  p.ui.SetText(Control::组合框1, "*.*");
  SendMessageW(p.Window(Control::选择框1), BM_SETCHECK, BST_CHECKED, 0);
  if (!p.ui.IsChecked(Control::选择框1) || p.ui.GetText(Control::组合框1) != "*.*") Fail("cannot set up the search");

  // Once untimed: every timed click then also clears a full list, as a
  // second click does, and the caches are warm.
  ClickSearch(p);

  Samples handler, walk, twoListings, ratio, ratioTwo;
  for (int r = 0; r < repetitions; ++r) {
    double h = 0, w = 0, t = 0;
    const auto timeWalk = [&] {
      const Clock::time_point start = Clock::now();
      if (bench::BareWalk(os, tree.Path()).size() != bench::kFileCount) Fail("the bare walk missed files");
      w = MillisecondsSince(start);
    };
    const auto timeTwo = [&] {
      const Clock::time_point start = Clock::now();
      if (bench::TwoListingWalk(os, tree.Path(), "*.*").size() != bench::kFileCount) Fail("the walk missed files");
      t = MillisecondsSince(start);
    };
    // Alternating order, so that neither always runs on the other's caches.
    if (r % 2 == 0) {
      timeWalk();
      timeTwo();
      h = ClickSearch(p);
    } else {
      h = ClickSearch(p);
      timeTwo();
      timeWalk();
    }
    handler.Add(h);
    walk.Add(w);
    twoListings.Add(t);
    ratio.Add(h / w);
    ratioTwo.Add(h / t);
  }
  char title[96];
  std::snprintf(title, sizeof title, "search, real window, %d repetitions", repetitions);
  PrintHeading(title);
  PrintRow("click on the search button", handler, "ms");
  PrintRow("bare walk through Win32Os", walk, "ms");
  PrintRow("ratio click / bare walk", ratio, "x", "goal <= 3");
  PrintRow("the search's two listings, no window", twoListings, "ms");
  PrintRow("ratio click / two listings", ratioTwo, "x");
  std::fflush(stdout);
}

// ---- Rename run

void RenameSection(int repetitions) {
  bench::ObservedProgram p;
  if (!p.Main()) Fail("the main window did not open");
  SendMessageW(p.Window(Control::选择框_前), BM_SETCHECK, BST_CHECKED, 0);
  p.ui.SetText(Control::编辑框_加入, "2024_");

  Samples wall, waits, ratio, ratioWaits, workers, moves;
  for (int r = 0; r < repetitions; ++r) {
    test_support::TempFolder folder;
    p.ui.DeleteAllRows(Control::超级列表框1);
    std::vector<Text> renamed;
    for (int i = 1; i <= kRenameRows; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "DSC_%03d.jpg", i);
      const Text path = folder.Path() + "\\" + name;
      if (!p.os.real.WriteNewFile(path, "x", 1)) Fail("cannot make the files");
      const int row = p.ui.AppendRow(Control::超级列表框1);
      p.ui.SetCell(Control::超级列表框1, row, 0, core::DecimalText(row + 1));
      p.ui.SetCell(Control::超级列表框1, row, 1, path);
      renamed.push_back(folder.Path() + "\\2024_" + name);
    }
    p.os.Reset();

    // Done when every row's worker has been started and has ended, and the
    // button is back: none of it holds before the click has been handled.
    const Clock::time_point start = Clock::now();
    test_support::ClickButton(p.Window(Control::按钮1));
    const bool done = test_support::WaitUntil(
        [&] {
          return p.os.WorkersStarted() == kRenameRows && p.os.ThreadsRunning() == 0 &&
                 p.ui.GetText(Control::按钮1) == kRenameIdle && !p.ui.IsDisabled(Control::按钮1);
        },
        std::chrono::seconds(120));
    const double w = MillisecondsSince(start);
    if (!done) Fail("the rename run did not end");
    for (const Text& path : renamed)
      if (!Exists(path)) Fail("the rename run missed a file");

    // The same hundred waits alone, through the same backend.
    const Clock::time_point pacingStart = Clock::now();
    for (int i = 0; i < kRenameRows; ++i) renaming::WaitAndPump(p.os.real, renaming::kPacingMilliseconds, 0);
    const double pacing = MillisecondsSince(pacingStart);

    const double floor = kRenameRows * renaming::kPacingMilliseconds;
    wall.Add(w / 1000.0);
    waits.Add(pacing / 1000.0);
    ratio.Add(w / floor);
    ratioWaits.Add(w / pacing);
    workers.Add(p.os.MostWorkersInFlight());
    moves.Add(p.os.MostMovesInFlight());
  }
  char title[96];
  std::snprintf(title, sizeof title, "rename run of %d files, real window, %d repetitions", kRenameRows, repetitions);
  PrintHeading(title);
  PrintRow("click until idle, all workers done", wall, "s");
  std::printf("  %-40s %11.3f s  (%d x %d ms)\n", "pacing floor", kRenameRows * renaming::kPacingMilliseconds / 1000.0,
              kRenameRows, renaming::kPacingMilliseconds);
  PrintRow("ratio run / floor", ratio, "x", "goal <= 1.05");
  PrintRow("the same 100 waits alone", waits, "s");
  PrintRow("ratio run / waits alone", ratioWaits, "x");
  PrintRow("most workers in flight", workers, "", "goal <= 6");
  PrintRow("most moves in flight", moves, "", "goal <= 6");
  std::fflush(stdout);
}

// ---- Memory

struct MemoryFigures {
  double peakBefore = 0, workingSetBefore = 0, heapBefore = 0;
  double peakAfter = 0, workingSetAfter = 0, heapAfter = 0, commitAfter = 0, appendMs = 0;
};

// Bytes in the blocks in use of every heap of the process: what was really
// asked for, apart from how the heaps grow (Wine's grow in doubling steps,
// which the working set follows).
double HeapBytesInUse() {
  std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
  heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
  double total = 0;
  for (HANDLE heap : heaps) {
    if (!HeapLock(heap)) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heap, &entry))
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
    HeapUnlock(heap);
  }
  return total;
}

PROCESS_MEMORY_COUNTERS_EX Counters() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  return counters;
}

// A path of the length real ones have (80 characters).
Text RowPath(int i) {
  char path[128];
  std::snprintf(path, sizeof path, "C:\\Users\\Public\\Pictures\\Summer holiday\\album_%02d\\roll_%02d\\IMG_20230815_%06d.jpg",
                i / 5000 % 100, i / 250 % 20 + 1, i);
  return path;
}

// One repetition, in a process of its own: writes its figures to `result`.
// This thread is the program's UI thread here (the window made by StartUp
// on it, its events handled by pumping), so that the rows are appended
// with direct toolkit calls: carried over from another thread, each call
// would cost a wineserver round trip and the 300,000 of them minutes.
int MemoryChild(const char* result) {
  MemoryFigures f;
  os::win32::Win32Os os;
  ui::win32::Win32Toolkit ui(os);
  app::Program program(ui, os);
  ui.Initialise();
  app::StartUp(program);
  if (!ui.MainWindowExists()) Fail("the main window did not open");
  const auto settle = [&] {
    const Clock::time_point start = Clock::now();
    while (MillisecondsSince(start) < 500) {
      ui.ProcessPendingEvents();
      Sleep(10);
    }
  };
  settle();
  const PROCESS_MEMORY_COUNTERS_EX before = Counters();
  f.peakBefore = before.PeakWorkingSetSize / kMegabyte;
  f.workingSetBefore = before.WorkingSetSize / kMegabyte;
  f.heapBefore = HeapBytesInUse() / kMegabyte;

  const Clock::time_point start = Clock::now();
  for (int i = 0; i < kMemoryRows; ++i) {
    const int row = ui.AppendRow(Control::超级列表框1);
    ui.SetCell(Control::超级列表框1, row, 0, core::DecimalText(row + 1));
    ui.SetCell(Control::超级列表框1, row, 1, RowPath(i));
  }
  f.appendMs = MillisecondsSince(start);
  if (ui.RowCount(Control::超级列表框1) != kMemoryRows) Fail("the list did not take every row");
  // The list view learns the new row count at the next events; then the
  // last rows are scrolled into view and drawn, as a user would see them.
  ui.ProcessPendingEvents();
  HWND list = ui.ControlWindow(Control::超级列表框1);
  SendMessageW(list, LVM_ENSUREVISIBLE, kMemoryRows - 1, FALSE);
  RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  settle();
  const PROCESS_MEMORY_COUNTERS_EX after = Counters();
  f.peakAfter = after.PeakWorkingSetSize / kMegabyte;
  f.workingSetAfter = after.WorkingSetSize / kMegabyte;
  f.commitAfter = after.PagefileUsage / kMegabyte;
  f.heapAfter = HeapBytesInUse() / kMegabyte;

  FILE* out = std::fopen(result, "w");
  if (!out) return 1;
  std::fprintf(out, "%f %f %f %f %f %f %f %f\n", f.peakBefore, f.workingSetBefore, f.heapBefore, f.peakAfter,
               f.workingSetAfter, f.heapAfter, f.commitAfter, f.appendMs);
  std::fclose(out);
  // The process ends with the window still open, as the program itself
  // ends with ExitProcess.
  std::fflush(stdout);
  ExitProcess(0);
}

bool RunMemoryChild(const std::wstring& result) {
  wchar_t self[MAX_PATH + 1] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring commandLine = L"\"" + std::wstring(self) + L"\" --memory-child \"" + result + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  const bool ended = WaitForSingleObject(process.hProcess, 15 * 60 * 1000) == WAIT_OBJECT_0;
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hProcess);
  return ended && code == 0;
}

void MemorySection(int repetitions) {
  Samples peakBefore, workingSetBefore, heapBefore, peakAfter, workingSetAfter, heapAfter, commitAfter, growth,
      heapGrowth, perRow, append;
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  for (int r = 0; r < repetitions; ++r) {
    const std::wstring result = std::wstring(temp) + L"renamer-bench-memory-" +
                                std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(r) + L".txt";
    if (!RunMemoryChild(result)) Fail("a memory repetition failed");
    MemoryFigures f;
    FILE* in = _wfopen(result.c_str(), L"r");
    const bool read = in && std::fscanf(in, "%lf %lf %lf %lf %lf %lf %lf %lf", &f.peakBefore, &f.workingSetBefore,
                                        &f.heapBefore, &f.peakAfter, &f.workingSetAfter, &f.heapAfter,
                                        &f.commitAfter, &f.appendMs) == 8;
    if (in) std::fclose(in);
    DeleteFileW(result.c_str());
    if (!read) Fail("a memory repetition gave no figures");
    peakBefore.Add(f.peakBefore);
    workingSetBefore.Add(f.workingSetBefore);
    peakAfter.Add(f.peakAfter);
    workingSetAfter.Add(f.workingSetAfter);
    heapBefore.Add(f.heapBefore);
    heapAfter.Add(f.heapAfter);
    commitAfter.Add(f.commitAfter);
    growth.Add(f.peakAfter - f.peakBefore);
    heapGrowth.Add(f.heapAfter - f.heapBefore);
    perRow.Add((f.heapAfter - f.heapBefore) * kMegabyte / kMemoryRows);
    append.Add(f.appendMs / 1000.0);
  }
  char title[128];
  std::snprintf(title, sizeof title,
                "memory, real window, %d rows (cell 1: %zu-character paths), %d processes (MB = 2^20 bytes)",
                kMemoryRows, RowPath(0).size(), repetitions);
  PrintHeading(title);
  PrintRow("peak working set before the rows", peakBefore, "MB");
  PrintRow("peak working set with the rows", peakAfter, "MB", "goal < 100 MB");
  PrintRow("growth of the peak", growth, "MB");
  PrintRow("working set before the rows", workingSetBefore, "MB");
  PrintRow("working set with the rows", workingSetAfter, "MB");
  PrintRow("commit (pagefile usage) with the rows", commitAfter, "MB");
  PrintRow("heap blocks in use before the rows", heapBefore, "MB");
  PrintRow("heap blocks in use with the rows", heapAfter, "MB");
  PrintRow("growth of the heap blocks in use", heapGrowth, "MB");
  PrintRow("heap bytes in use per row", perRow, "B");
  PrintRow("appending the rows (UI thread)", append, "s");
  std::fflush(stdout);
}

int TakeCount(std::vector<std::string>& args, const char* name, int fallback) {
  const std::string prefix = std::string("--") + name + "=";
  int value = fallback;
  for (auto it = args.begin(); it != args.end();) {
    if (it->compare(0, prefix.size(), prefix) == 0) {
      value = std::max(1, std::atoi(it->c_str() + prefix.size()));
      it = args.erase(it);
    } else {
      ++it;
    }
  }
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--memory-child") == 0) return MemoryChild(argv[2]);

  std::vector<std::string> args(argv + 1, argv + argc);
  const int searchRepetitions = TakeCount(args, "search-repetitions", 5);
  const int renameRepetitions = TakeCount(args, "rename-repetitions", 3);
  const int memoryRepetitions = TakeCount(args, "memory-repetitions", 3);
  bool search = args.empty(), rename = args.empty(), memory = args.empty();
  for (const std::string& arg : args) {
    if (arg == "search") {
      search = true;
    } else if (arg == "rename") {
      rename = true;
    } else if (arg == "memory") {
      memory = true;
    } else {
      std::fprintf(stderr, "usage: wine_bench [search] [rename] [memory] [--search-repetitions=N]"
                           " [--rename-repetitions=N] [--memory-repetitions=N]\n");
      return 2;
    }
  }
  std::printf("win64 build under Wine; the figures are Wine's, not those of a Windows system.\n");
  std::fflush(stdout);
  if (search) SearchSection(searchRepetitions);
  if (rename) RenameSection(renameRepetitions);
  if (memory) MemorySection(memoryRepetitions);
  return 0;
}
