// A rename run: a dispatcher thread walks the file list in order and starts
// one short-lived worker thread per row, at most six in flight, paced by
// timed waits. Each worker renames its row's file with the new-name rule
// and, when that succeeds, advances the progress display.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

#include "os/os.h"
#include "ui/toolkit.h"

namespace renaming {

struct RenameRun {
  RenameRun(ui::Toolkit& toolkit, os::Os& system, std::atomic<std::int64_t>& tasks)
      : ui(toolkit), os(system), runningTasks(tasks) {}

  ui::Toolkit& ui;
  os::Os& os;
  // Workers in flight, across runs; only the dispatcher adds to it.
  std::atomic<std::int64_t>& runningTasks;
  // Set by a stop click, cleared by the dispatcher when it ends.
  std::atomic<std::int32_t> renameStop{0};
  // Guards the read, add and write of 编辑框2's count among workers (the UI
  // thread never takes it, so a worker may call the toolkit while holding it).
  std::mutex renamedCountLock;
};

// Constants of the run.
constexpr int kBatchSteps = 5;                   // steps between two looks at renameStop
constexpr std::int64_t kMostTasksBeforeStart = 5;  // a worker starts only while runningTasks <= 5
constexpr std::int32_t kBackOffMilliseconds = 1000;
constexpr std::int32_t kPacingMilliseconds = 100;
constexpr double kEndTolerance = 1e-7;

// Click handler of 按钮1: starts a run or asks the running one to stop.
void ClickRenameButton(RenameRun& run);

// Thread entries.
void RenameDispatcher(RenameRun& run);
void RenameWorker(RenameRun& run, std::int32_t row);

// The progress display for the row just renamed: the bar's maximum is the
// last row index, its position grows by one, the label shows the row's
// share of the list as a whole percentage.
void ShowProgress(ui::Toolkit& ui, std::int32_t row);

// Waits `amount` of `unit` (0 ms, 1 us, 2 s, 3 min, 4 h, 5 days, any other
// u: u ms) while handling the calling thread's messages.
void WaitAndPump(os::Os& os, std::int32_t amount, std::int32_t unit);

// The timed wait's due time in 100-ns intervals, negative for "from now";
// formed in double precision, truncated toward zero, kept within 64 bits.
std::int64_t DueTime(std::int32_t amount, std::int32_t unit);

// Counts a worker in runningTasks unless six are already counted.
bool ReserveWorkerSlot(std::atomic<std::int64_t>& runningTasks);
// Takes one away, unless the count is already 0.
void ReleaseWorkerSlot(std::atomic<std::int64_t>& runningTasks);

}  // namespace renaming
