#include "rename/rename_run.h"

#include <cmath>
#include <limits>

#include "rename/name_check.h"
#include "rename/new_name_rule.h"

namespace renaming {
namespace {

using ui::Control;

const char* const kIdleCaption = "开始替换";
const char* const kRunningCaption = "停止替换";

// The rename of one row, by the rule as the controls read now.
bool RenameRow(RenameRun& run, std::int32_t row, RenamePaths& paths) {
  const Text path = run.ui.GetCell(Control::超级列表框1, row, 1);
  paths = ComposeNewPath(path, ReadRuleOptions(run.ui));
  // Only one plain name inside the same folder; a row naming no file
  // (an empty name) has nothing to rename.
  if (paths.oldPath.size() == paths.folder.size() || !IsPlainFileName(paths.newName)) return false;
  return run.os.MoveNoReplace(paths.oldPath, paths.newPath);
}

void CountRenamedFile(RenameRun& run) {
  std::lock_guard guard(run.renamedCountLock);
  const std::int64_t count = core::TextToInteger(run.ui.GetText(Control::编辑框2));
  run.ui.SetText(Control::编辑框2, core::DecimalText(count + 1));
}

}  // namespace

void ClickRenameButton(RenameRun& run) {
  if (run.ui.GetText(Control::按钮1) == kIdleCaption) {
    run.ui.SetText(Control::按钮1, kRunningCaption);
    if (!run.os.StartThread([&run] { RenameDispatcher(run); })) {
      // No dispatcher, no run: back to idle.
      run.ui.SetText(Control::按钮1, kIdleCaption);
    }
    return;
  }
  run.ui.SetDisabled(Control::按钮1, true);
  run.renameStop = 1;
}

void RenameDispatcher(RenameRun& run) {
  ui::Toolkit& ui = run.ui;
  std::int32_t i = 1;  // the next row to dispatch is row i - 1
  ui.SetProgressPosition(Control::进度条1, 0);
  for (;;) {
    ui.ProcessPendingEvents();
    if (run.renameStop != 0) break;
    for (int step = 0; step < kBatchSteps; ++step) {
      ui.ProcessPendingEvents();
      const std::int32_t rows = ui.RowCount(Control::超级列表框1);
      if (i > rows) {
        ++i;
        continue;
      }
      if (!ReserveWorkerSlot(run.runningTasks)) {
        WaitAndPump(run.os, kBackOffMilliseconds, 0);  // the same row is tried again
        continue;
      }
      const std::int32_t row = i - 1;
      if (!run.os.StartThread([&run, row] { RenameWorker(run, row); })) {
        // The row counts as a failed rename; its slot is given back.
        ReleaseWorkerSlot(run.runningTasks);
      }
      WaitAndPump(run.os, kPacingMilliseconds, 0);
      ++i;
    }
    const std::int32_t rows = ui.RowCount(Control::超级列表框1);
    if (static_cast<double>(i - 1) - static_cast<double>(rows) > kEndTolerance) break;
  }
  ui.SetText(Control::按钮1, kIdleCaption);
  ui.SetDisabled(Control::按钮1, false);
  run.renameStop = 0;
}

void RenameWorker(RenameRun& run, std::int32_t row) {
  RenamePaths paths;
  if (RenameRow(run, row, paths)) {
    ShowProgress(run.ui, row);
    if (paths.newPath != paths.oldPath) CountRenamedFile(run);
  }
  ReleaseWorkerSlot(run.runningTasks);
}

void ShowProgress(ui::Toolkit& ui, std::int32_t row) {
  const std::int32_t rows = ui.RowCount(Control::超级列表框1);
  const std::int32_t last = rows - 1;
  ui.SetProgressMaximum(Control::进度条1, last);
  // A list of one row is all done when its row is: 100%, not 0 / 0.
  const double percent = last == 0 ? 100.0 : static_cast<double>(row) / last * 100.0;
  const double rounded = std::round(percent);  // halves away from zero
  ui.AdvanceProgressPosition(Control::进度条1);
  const std::int64_t whole = std::isfinite(rounded) && std::fabs(rounded) < 9e18
                                 ? static_cast<std::int64_t>(rounded)
                                 : 0;
  ui.SetText(Control::透明标签1, core::DecimalText(whole) + "%");
}

std::int64_t DueTime(std::int32_t amount, std::int32_t unit) {
  double due;
  switch (unit) {
    case 0: due = amount * 1.0 * -10000.0; break;
    case 1: due = amount * -10.0; break;
    case 2: due = amount * 1000.0 * -10000.0; break;
    case 3: due = amount * 60000.0 * -10000.0; break;
    case 4: due = amount * 3600000.0 * -10000.0; break;
    case 5: due = amount * 86400000.0 * -10000.0; break;
    default: due = static_cast<double>(amount) * unit * -10000.0; break;
  }
  constexpr double kLimit = 9.2e18;  // inside the 64-bit range
  if (due > kLimit) return static_cast<std::int64_t>(kLimit);
  if (due < -kLimit) return -static_cast<std::int64_t>(kLimit);
  return static_cast<std::int64_t>(due);  // truncates toward zero
}

void WaitAndPump(os::Os& os, std::int32_t amount, std::int32_t unit) { os.WaitPumping(DueTime(amount, unit)); }

bool ReserveWorkerSlot(std::atomic<std::int64_t>& runningTasks) {
  std::int64_t count = runningTasks.load();
  while (count <= kMostTasksBeforeStart) {
    if (runningTasks.compare_exchange_weak(count, count + 1)) return true;
  }
  return false;
}

void ReleaseWorkerSlot(std::atomic<std::int64_t>& runningTasks) {
  std::int64_t count = runningTasks.load();
  while (count > 0) {
    if (runningTasks.compare_exchange_weak(count, count - 1)) return;
  }
}

}  // namespace renaming
