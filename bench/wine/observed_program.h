// The program with its real window, as wine/real_program.h starts it (on a
// UI thread of its own), but seen through a CountingOs over the Win32
// backend, so that a rename run's workers and moves in flight are counted.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

#include "app/entry.h"
#include "app/program.h"
#include "common/counting_os.h"
#include "os/win32/win32_os.h"
#include "support/wait.h"
#include "ui/win32/win32_toolkit.h"

namespace bench {

class ObservedProgram {
 public:
  ObservedProgram() {
    uiThread_ = std::thread([this] {
      app::RunEntrySequence(program);
      ended_ = true;
    });
    test_support::WaitUntil([this] { return ended_ || ui.MainWindowHandle() != nullptr; }, std::chrono::seconds(30));
  }
  ~ObservedProgram() {
    if (!uiThread_.joinable()) return;
    if (HWND main = ui.MainWindowHandle()) PostMessageW(main, WM_CLOSE, 0, 0);
    uiThread_.join();
  }
  ObservedProgram(const ObservedProgram&) = delete;
  ObservedProgram& operator=(const ObservedProgram&) = delete;

  HWND Main() { return ui.MainWindowHandle(); }
  HWND Window(ui::Control control) { return ui.ControlWindow(control); }

  os::win32::Win32Os real;
  CountingOs os{real};
  ui::win32::Win32Toolkit ui{os};
  app::Program program{ui, os};

 private:
  std::thread uiThread_;
  std::atomic<bool> ended_{false};
};

}  // namespace bench
