// The whole program with its real window, run on a UI thread of its own
// inside the test process; the test's thread acts like another thread of
// the program (or like automation) on it. ProgramOs is the OS backend the
// program is given: the Win32 one, or one that watches it.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "app/entry.h"
#include "app/program.h"
#include "os/win32/wide_text.h"
#include "os/win32/win32_os.h"
#include "support/wait.h"
#include "ui/win32/win32_toolkit.h"

namespace test_support {

template <class ProgramOs>
class BasicRealProgram {
 public:
  BasicRealProgram() {
    uiThread_ = std::thread([this] {
      app::RunEntrySequence(program);
      ended_ = true;
    });
    // The window is shown once all its controls exist and its created
    // handler has run.
    WaitUntil(
        [this] {
          HWND main = ui.MainWindowHandle();
          return ended_ || (main != nullptr && IsWindowVisible(main));
        },
        std::chrono::seconds(30));
  }
  ~BasicRealProgram() { Close(); }
  BasicRealProgram(const BasicRealProgram&) = delete;
  BasicRealProgram& operator=(const BasicRealProgram&) = delete;

  HWND Main() { return ui.MainWindowHandle(); }
  HWND Window(ui::Control control) { return ui.ControlWindow(control); }

  // Closes the window as the close button does and waits for the UI thread.
  void Close() {
    if (!uiThread_.joinable()) return;
    if (HWND main = Main()) PostMessageW(main, WM_CLOSE, 0, 0);
    uiThread_.join();
  }
  bool Ended() const { return ended_; }

  ProgramOs os;
  ui::win32::Win32Toolkit ui{os};
  app::Program program{ui, os};

 private:
  std::thread uiThread_;
  std::atomic<bool> ended_{false};
};

using RealProgram = BasicRealProgram<os::win32::Win32Os>;

inline std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

inline std::wstring TextOf(HWND window) {
  const int length = static_cast<int>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(SendMessageW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

// A click on a push button, as the button reports it to the window: the
// notification arrives in the window's queue like that of a mouse click.
// (A BM_CLICK from outside the UI thread depends on mouse capture, which
// Wine does not always give to a window that is not in the foreground.)
inline void ClickButton(HWND button) {
  if (!IsWindowEnabled(button)) return;
  PostMessageW(GetAncestor(button, GA_ROOT), WM_COMMAND,
               MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(button)), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

// A code page 936 text as the window shows it.
inline std::wstring Wide(const std::string& text) { return os::win32::Widen(text); }

inline std::string Narrow(const std::wstring& text) { return os::win32::NarrowForDisplay(text); }

}  // namespace test_support
