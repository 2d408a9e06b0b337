// The whole program on the headless toolkit and the POSIX backend (seen
// through ObservedOs), with the test's thread as the UI thread, for tests
// of the handlers. Each program has its own count of rename workers and a
// folder of its own, where the skin engine is placed.
#pragma once

#include <atomic>
#include <cstdint>

#include "app/entry.h"
#include "app/program.h"
#include "support/observed_os.h"
#include "support/temp_folder.h"
#include "ui/headless/headless_toolkit.h"

namespace test_support {

struct HeadlessProgram {
  HeadlessProgram() {
    os.programFilePath = programFolder.Child("renamer.exe");
    ui.Initialise();
    app::StartUp(program);
  }
  // Threads of a run must be done before the program they use goes.
  ~HeadlessProgram() { os.WaitForThreads(); }

  // Handles the window's queued events, as the message loop would.
  void Pump() { ui.ProcessPendingEvents(); }

  TempFolder programFolder;
  ObservedOs os;
  ui::headless::HeadlessToolkit ui{os};
  std::atomic<std::int64_t> runningTasks{0};
  app::Program program{ui, os, runningTasks};
};

// A sink that handles nothing: shows the window as its design leaves it.
struct NoHandlers final : ui::EventSink {
  void HandleEvent(const ui::Event&) override {}
};

}  // namespace test_support
