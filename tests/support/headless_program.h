// The whole program on the headless toolkit and the POSIX backend, with
// the test's thread as the UI thread, for tests of the handlers.
#pragma once

#include "app/entry.h"
#include "app/program.h"
#include "os/posix/posix_os.h"
#include "ui/headless/headless_toolkit.h"

namespace test_support {

struct HeadlessProgram {
  HeadlessProgram() {
    ui.Initialise();
    app::StartUp(program);
  }

  // Handles the window's queued events, as the message loop would.
  void Pump() { ui.ProcessPendingEvents(); }

  os::posix::PosixOs os;
  ui::headless::HeadlessToolkit ui{os};
  app::Program program{ui, os};
};

// A sink that handles nothing: shows the window as its design leaves it.
struct NoHandlers final : ui::EventSink {
  void HandleEvent(const ui::Event&) override {}
};

}  // namespace test_support
