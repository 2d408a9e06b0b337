// The real main window: child windows of the standard classes, built from
// the design. Texts are code page 936 at the toolkit interface and UTF-16
// inside. Every operation may be called from any thread: a call from
// another thread is carried out on the UI thread, synchronously, through a
// message-only window, so the window's state is only ever touched there.
//
// What the program writes takes effect at once for every read through the
// toolkit; the controls show it when the UI thread next handles events
// (before it takes any message, so that nobody can see older texts). A
// folder's files, listed without handling events, thus cost no drawing
// per file. The file list's rows are kept here and shown by an owner-data
// list view.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <type_traits>

#include "ui/toolkit.h"
#include "ui/win32/list_rows.h"

namespace ui::win32 {

class BrowserHost;

class Win32Toolkit final : public Toolkit {
 public:
  explicit Win32Toolkit(os::Os& os);
  ~Win32Toolkit() override;

  void Initialise() override;
  void SetExitRoutine(std::function<void()> routine) override;
  bool LoadMainWindow(EventSink& sink) override;
  void RunMessageLoop() override;
  bool MainWindowExists() override;
  Text WindowCaption() override;
  void SetWindowCaption(const Text& caption) override;
  Text GetText(Control control) override;
  void SetText(Control control, const Text& text) override;
  bool IsDisabled(Control control) override;
  void SetDisabled(Control control, bool disabled) override;
  bool IsChecked(Control control) override;
  int CurrentItem(Control control) override;
  void SetCurrentItem(Control control, int index) override;
  void AddItem(Control control, const Text& item) override;
  int ItemCount(Control control) override;
  Text ItemText(Control control, int index) override;
  int ProgressMaximum(Control control) override;
  void SetProgressMaximum(Control control, int maximum) override;
  int ProgressPosition(Control control) override;
  void SetProgressPosition(Control control, int position) override;
  void AdvanceProgressPosition(Control control) override;
  int TimerPeriod(Control control) override;
  void SetTimerPeriod(Control control, int milliseconds) override;
  int LinkKind(Control control) override;
  void SetLinkKind(Control control, int kind) override;
  Text LinkWebAddress(Control control) override;
  void SetLinkWebAddress(Control control, const Text& address) override;
  void NavigateLink(Control control) override;
  Text BrowserAddress(Control control) override;
  void SetBrowserAddress(Control control, const Text& address) override;
  int AppendRow(Control list) override;
  void SetCell(Control list, int row, int column, const Text& text) override;
  Text GetCell(Control list, int row, int column) override;
  int RowCount(Control list) override;
  void DeleteRow(Control list, int row) override;
  void DeleteAllRows(Control list) override;
  int SelectedRow(Control list) override;
  Text StatusText(Control bar, int part) override;
  void SetStatusText(Control bar, int part, const Text& text) override;
  void PopupMenu(Menu menu) override;
  Text BrowseForFolder(const Text& title) override;
  bool RunCommandLine(const Text& commandLine, os::ShowMode show) override;
  void ShowFatalError(const Text& message) override;
  void ProcessPendingEvents() override;

  // For tests and tools that look at the real window.
  HWND MainWindowHandle();
  HWND ControlWindow(Control control);
  int ExitRoutineRuns() const { return exitRoutineRuns_; }

 private:
  friend struct WindowProcs;

  // Runs `call` on the UI thread and returns its result. Once the window is
  // gone (or before it exists) the call runs right here instead: it then
  // finds no window and gives the empty result of its rule.
  template <class Call>
  auto OnUiThread(Call&& call) -> decltype(call());
  void RunOnUiThread(std::function<void()>& call);

  // --- Building the window (main_window.cpp) ---
  bool CreateMainWindow();
  void CreateControls();
  HWND CreateControl(Control control);
  HWND ParentWindow(Control control) const;
  void ApplyStacking();
  void ShowPage(int page);
  void Subclass(HWND window, int purpose);

  // --- Handling messages (main_window.cpp) ---
  LRESULT MainMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT ControlMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int purpose);
  void Raise(const Event& event);
  void OnDestroy();
  void DrawProgressLabel(HWND bar, HDC dc);
  bool TranslateForWindow(MSG& message);
  void DispatchOnUiThread(MSG& message);

  HWND Window(Control control) const;  // null when the window is gone
  void UpdateProgressBar();
  // Written texts and rows, shown by the controls at the next events (during
  // a long handler at most every kShowInterval).
  void ShowWrittenLater();
  void ShowWrittenSoon();  // now, or once kShowInterval has passed since the last time
  void ShowWritten();
  void ListCellForDisplay(NMLVDISPINFOW& request);

  os::Os& os_;
  DWORD uiThread_ = 0;
  HWND callWindow_ = nullptr;  // message-only window through which other threads call
  // Set while the UI thread takes calls: from Initialise until the main
  // window is destroyed; main_ is null whenever it is clear.
  std::atomic<bool> takingCalls_{false};
  HWND main_ = nullptr;
  HWND tab_ = nullptr;
  std::array<HWND, 2> pages_{};
  std::array<HWND, kControlCount> controls_{};
  HWND patternEdit_ = nullptr;  // the edit field inside 组合框1
  HFONT guiFont_ = nullptr;           // the controls' font
  HFONT ownedControlFont_ = nullptr;  // guiFont_ when we made it ourselves
  HFONT tabFont_ = nullptr;
  HBRUSH faceBrush_ = nullptr;
  HMENU menuTree_ = nullptr;
  std::unique_ptr<BrowserHost> browser_;
  EventSink* sink_ = nullptr;
  std::function<void()> exitRoutine_;
  int exitRoutineRuns_ = 0;
  bool activated_ = false;

  // The file list's rows, and how many of them the control has been told of.
  ListRows rows_;
  int rowsShown_ = 0;
  bool rowsChanged_ = false;
  // Texts written and not yet shown; the status bar's one part.
  std::array<std::optional<Text>, kControlCount> textsToShow_{};
  std::optional<Text> statusToShow_;
  bool showWrittenPosted_ = false;
  static constexpr DWORD kShowInterval = 250;  // ms
  DWORD lastShown_ = 0;
  bool showTimerArmed_ = false;
  bool oleInitialised_ = false;

  // Values the native controls would clamp or not keep as the toolkit's
  // rules want; the controls show them, these are what reads return.
  int progressMaximum_ = 0;
  int progressPosition_ = 0;
  int timerPeriod_ = 0;
  int linkKind_ = 0;
  Text linkWebAddress_;
  Text browserAddress_;
};

template <class Call>
auto Win32Toolkit::OnUiThread(Call&& call) -> decltype(call()) {
  using Result = decltype(call());
  if (GetCurrentThreadId() == uiThread_ || !takingCalls_) return call();
  if constexpr (std::is_void_v<Result>) {
    std::function<void()> wrapped = [&call] { call(); };
    RunOnUiThread(wrapped);
  } else {
    Result result{};
    std::function<void()> wrapped = [&call, &result] { result = call(); };
    RunOnUiThread(wrapped);
    return result;
  }
}

}  // namespace ui::win32
