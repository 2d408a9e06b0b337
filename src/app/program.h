// Everything one run of the program holds: the two platform seams and the
// process-wide state. It must outlive every thread the program starts, so
// the entry keeps it until the process ends.
#pragma once

#include "app/event_table.h"
#include "app/shared_state.h"
#include "files/folder_search.h"
#include "os/os.h"
#include "rename/rename_run.h"
#include "ui/toolkit.h"

namespace app {

struct Program {
  // `tasks` is the process's runningTasks; tests may give each program its own.
  Program(ui::Toolkit& toolkit, os::Os& system, std::atomic<std::int64_t>& tasks = runningTasks)
      : ui(toolkit), os(system), rename(toolkit, system, tasks) {}

  ui::Toolkit& ui;
  os::Os& os;
  SharedTexts texts;
  renaming::RenameRun rename;
  files::FolderSearch search{ui, os};
  EventTable events{*this};
};

}  // namespace app
