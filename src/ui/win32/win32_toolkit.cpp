#include "ui/win32/win32_toolkit.h"

#include <commctrl.h>
#include <ole2.h>

#include <algorithm>
#include <vector>

#include "os/win32/wide_text.h"
#include "ui/design.h"
#include "ui/win32/browser_host.h"
#include "ui/win32/folder_dialog.h"
#include "ui/win32/messages.h"

namespace ui::win32 {
namespace {

using os::win32::NarrowForDisplay;
using os::win32::Widen;

constexpr int kProgressLimit = 32767;

// Keys, characters, input-method input and mouse buttons and wheels: what
// may change a control's text or press a button. Moving the pointer does
// neither.
bool IsUserInput(UINT message) {
  if (message >= WM_KEYFIRST && message <= WM_IME_KEYLAST) return true;
  if (message >= WM_LBUTTONDOWN && message <= WM_MOUSELAST) return true;
  if (message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONDBLCLK) return true;
  return message == WM_IME_CHAR || message == WM_IME_KEYDOWN || message == WM_IME_KEYUP;
}

Text WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return NarrowForDisplay(text);
}

}  // namespace

Win32Toolkit::Win32Toolkit(os::Os& os) : os_(os) {}

Win32Toolkit::~Win32Toolkit() {
  if (callWindow_ && GetCurrentThreadId() == uiThread_) DestroyWindow(callWindow_);
  if (tabFont_) DeleteObject(tabFont_);
  if (ownedControlFont_) DeleteObject(ownedControlFont_);
  if (faceBrush_) DeleteObject(faceBrush_);
  if (menuTree_) DestroyMenu(menuTree_);
}

void Win32Toolkit::Initialise() {
  uiThread_ = GetCurrentThreadId();

  // The program's folder becomes the working directory.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) break;
    if (length < path.size()) {
      path.resize(length);
      const std::size_t slash = path.find_last_of(L'\\');
      if (slash != std::wstring::npos) {
        path.resize(slash + 1);
        SetCurrentDirectoryW(path.c_str());
      }
      break;
    }
    path.resize(path.size() * 2);
  }

  oleInitialised_ = SUCCEEDED(OleInitialize(nullptr));
  INITCOMMONCONTROLSEX classes{static_cast<DWORD>(sizeof(INITCOMMONCONTROLSEX)), ICC_WIN95_CLASSES | ICC_TAB_CLASSES |
                                                   ICC_PROGRESS_CLASS | ICC_BAR_CLASSES |
                                                   ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES |
                                                   ICC_LINK_CLASS};
  InitCommonControlsEx(&classes);
  callWindow_ = CreateCallWindow(this);
  takingCalls_ = callWindow_ != nullptr;
}

void Win32Toolkit::RunOnUiThread(std::function<void()>& call) {
  // A sent message is handled by the UI thread even inside its modal loops
  // (menus, dialogs), and the sender waits until it has been handled.
  SendMessageW(callWindow_, kRunCallMessage, 0, reinterpret_cast<LPARAM>(&call));
}

void Win32Toolkit::SetExitRoutine(std::function<void()> routine) { exitRoutine_ = std::move(routine); }

bool Win32Toolkit::LoadMainWindow(EventSink& sink) {
  sink_ = &sink;
  return CreateMainWindow();
}

void Win32Toolkit::RunMessageLoop() {
  MSG message;
  for (;;) {
    ShowWritten();
    if (!main_ || GetMessageW(&message, nullptr, 0, 0) <= 0) break;
    DispatchOnUiThread(message);
  }
  // Calls another thread sent while the window was closing are answered
  // (with nothing, as the window is gone) rather than left waiting.
  MSG pending;
  PeekMessageW(&pending, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  if (exitRoutine_) {
    std::function<void()> routine = std::move(exitRoutine_);
    exitRoutine_ = nullptr;
    ++exitRoutineRuns_;
    routine();
  }
  if (oleInitialised_) {
    OleUninitialize();
    oleInitialised_ = false;
  }
}

void Win32Toolkit::ProcessPendingEvents() {
  // Another thread has only its own messages; the window's keyboard
  // handling belongs to the UI thread.
  const bool uiThread = GetCurrentThreadId() == uiThread_;
  if (uiThread) ShowWrittenSoon();
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The quit request belongs to the message loop: leave it queued.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (uiThread) {
      DispatchOnUiThread(message);
    } else {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

void Win32Toolkit::DispatchOnUiThread(MSG& message) {
  // The user acts on what the window shows: what the program wrote before
  // goes to the controls first, or a key typed into a box that has a text
  // waiting would be overwritten by it.
  if (IsUserInput(message.message)) ShowWritten();
  if (!TranslateForWindow(message)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool Win32Toolkit::MainWindowExists() {
  return OnUiThread([this] { return main_ != nullptr; });
}

HWND Win32Toolkit::MainWindowHandle() {
  return OnUiThread([this] { return main_; });
}

HWND Win32Toolkit::ControlWindow(Control control) {
  return OnUiThread([this, control] { return Window(control); });
}

HWND Win32Toolkit::Window(Control control) const {
  if (!main_) return nullptr;
  return controls_[Index(control)];
}

Text Win32Toolkit::WindowCaption() {
  return OnUiThread([this] { return main_ ? WindowText(main_) : Text{}; });
}

void Win32Toolkit::SetWindowCaption(const Text& caption) {
  OnUiThread([&] {
    if (main_) SetWindowTextW(main_, Widen(caption).c_str());
  });
}

Text Win32Toolkit::GetText(Control control) {
  return OnUiThread([&] {
    HWND window = Window(control);
    if (!window) return Text{};
    if (const auto& written = textsToShow_[Index(control)]) return *written;
    return WindowText(window);
  });
}

void Win32Toolkit::SetText(Control control, const Text& text) {
  OnUiThread([&] {
    if (!Window(control)) return;
    textsToShow_[Index(control)] = text;
    ShowWrittenLater();
  });
}

bool Win32Toolkit::IsDisabled(Control control) {
  return OnUiThread([&] {
    HWND window = Window(control);
    return window && !IsWindowEnabled(window);
  });
}

void Win32Toolkit::SetDisabled(Control control, bool disabled) {
  OnUiThread([&] {
    if (HWND window = Window(control)) EnableWindow(window, disabled ? FALSE : TRUE);
  });
}

bool Win32Toolkit::IsChecked(Control control) {
  return OnUiThread([&] {
    HWND window = Window(control);
    return window && SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
  });
}

int Win32Toolkit::CurrentItem(Control control) {
  return OnUiThread([&] {
    HWND window = Window(control);
    return window ? static_cast<int>(SendMessageW(window, CB_GETCURSEL, 0, 0)) : -1;
  });
}

void Win32Toolkit::SetCurrentItem(Control control, int index) {
  OnUiThread([&] {
    HWND window = Window(control);
    if (!window) return;
    const int last = static_cast<int>(SendMessageW(window, CB_GETCOUNT, 0, 0)) - 1;
    const int chosen = index < 0 ? -1 : std::min(index, last);
    // Selecting an item puts its text into the field; none empties it.
    // Either way the field's text is that from now on, not one written
    // before and not yet shown.
    textsToShow_[Index(control)].reset();
    SendMessageW(window, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
    if (chosen < 0) SetWindowTextW(window, L"");
  });
}

void Win32Toolkit::AddItem(Control control, const Text& item) {
  OnUiThread([&] {
    if (HWND window = Window(control))
      SendMessageW(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
  });
}

int Win32Toolkit::ItemCount(Control control) {
  return OnUiThread([&] {
    HWND window = Window(control);
    return window ? static_cast<int>(SendMessageW(window, CB_GETCOUNT, 0, 0)) : 0;
  });
}

Text Win32Toolkit::ItemText(Control control, int index) {
  return OnUiThread([&]() -> Text {
    HWND window = Window(control);
    if (!window) return {};
    const LRESULT length = SendMessageW(window, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR || length <= 0) return {};
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(window, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.data()));
    if (copied == CB_ERR) return {};
    item.resize(static_cast<std::size_t>(copied));
    return NarrowForDisplay(item);
  });
}

void Win32Toolkit::UpdateProgressBar() {
  HWND bar = Window(Control::进度条1);
  if (!bar) return;
  SendMessageW(bar, PBM_SETRANGE32, 0, progressMaximum_);
  SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(std::min(progressPosition_, progressMaximum_)), 0);
}

int Win32Toolkit::ProgressMaximum(Control control) {
  return OnUiThread([&] { return Window(control) ? progressMaximum_ : 0; });
}

void Win32Toolkit::SetProgressMaximum(Control control, int maximum) {
  OnUiThread([&] {
    if (!Window(control)) return;
    progressMaximum_ = std::clamp(maximum, 0, kProgressLimit);
    UpdateProgressBar();
  });
}

int Win32Toolkit::ProgressPosition(Control control) {
  return OnUiThread([&] { return Window(control) ? progressPosition_ : 0; });
}

void Win32Toolkit::SetProgressPosition(Control control, int position) {
  OnUiThread([&] {
    if (!Window(control)) return;
    progressPosition_ = std::clamp(position, 0, kProgressLimit);
    UpdateProgressBar();
  });
}

void Win32Toolkit::AdvanceProgressPosition(Control control) {
  OnUiThread([&] {
    if (!Window(control)) return;
    progressPosition_ = std::clamp(progressPosition_ + 1, 0, kProgressLimit);
    UpdateProgressBar();
  });
}

int Win32Toolkit::TimerPeriod(Control) {
  return OnUiThread([&] { return main_ ? timerPeriod_ : 0; });
}

void Win32Toolkit::SetTimerPeriod(Control control, int milliseconds) {
  OnUiThread([&] {
    if (!main_) return;
    const int period = std::max(milliseconds, 0);
    if (period == timerPeriod_) return;
    timerPeriod_ = period;
    const UINT_PTR id = static_cast<UINT_PTR>(design::Entry(control).controlId);
    if (period > 0) {
      SetTimer(main_, id, static_cast<UINT>(period), nullptr);
    } else {
      KillTimer(main_, id);
    }
  });
}

int Win32Toolkit::LinkKind(Control) {
  return OnUiThread([&] { return main_ ? linkKind_ : 0; });
}

void Win32Toolkit::SetLinkKind(Control, int kind) {
  OnUiThread([&] {
    if (main_) linkKind_ = std::clamp(kind, 0, 1);
  });
}

Text Win32Toolkit::LinkWebAddress(Control) {
  return OnUiThread([&] { return main_ ? linkWebAddress_ : Text{}; });
}

void Win32Toolkit::SetLinkWebAddress(Control, const Text& address) {
  OnUiThread([&] {
    if (main_) linkWebAddress_ = address;
  });
}

void Win32Toolkit::NavigateLink(Control) {
  const Text address = OnUiThread([&]() -> Text {
    if (!main_ || linkKind_ != design::kLinkKindWeb) return {};
    return linkWebAddress_;
  });
  if (!address.empty()) os_.OpenWebAddress(address);
}

Text Win32Toolkit::BrowserAddress(Control) {
  return OnUiThread([&] { return main_ ? browserAddress_ : Text{}; });
}

void Win32Toolkit::SetBrowserAddress(Control, const Text& address) {
  OnUiThread([&] {
    if (!main_ || !browser_) return;
    browserAddress_ = address.empty() ? Text("about:blank") : address;
    browser_->Navigate(Widen(browserAddress_));
  });
}

int Win32Toolkit::AppendRow(Control list) {
  return OnUiThread([&] {
    if (!Window(list)) return -1;
    const int row = rows_.Append();
    ShowWrittenLater();
    return row;
  });
}

void Win32Toolkit::SetCell(Control list, int row, int column, const Text& text) {
  OnUiThread([&] {
    if (!Window(list) || !rows_.Has(row) || column < 0 || column > 1) return;
    rows_.SetCell(row, column, text);
    rowsChanged_ = true;
    ShowWrittenLater();
  });
}

Text Win32Toolkit::GetCell(Control list, int row, int column) {
  return OnUiThread([&]() -> Text { return Window(list) ? rows_.Cell(row, column) : Text{}; });
}

int Win32Toolkit::RowCount(Control list) {
  return OnUiThread([&] { return Window(list) ? rows_.Count() : 0; });
}

void Win32Toolkit::DeleteRow(Control list, int row) {
  OnUiThread([&] {
    HWND window = Window(list);
    if (!window || !rows_.Has(row)) return;
    // The control takes the row out with its selection, which it keeps.
    ShowWritten();
    rows_.Erase(row);
    SendMessageW(window, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    if (SendMessageW(window, LVM_GETITEMCOUNT, 0, 0) != rows_.Count())
      SendMessageW(window, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows_.Count()), LVSICF_NOSCROLL);
    rowsShown_ = rows_.Count();
    InvalidateRect(window, nullptr, FALSE);
  });
}

void Win32Toolkit::DeleteAllRows(Control list) {
  OnUiThread([&] {
    HWND window = Window(list);
    if (!window) return;
    rows_.Clear();
    SendMessageW(window, LVM_DELETEALLITEMS, 0, 0);
    rowsShown_ = 0;
    rowsChanged_ = false;
  });
}

int Win32Toolkit::SelectedRow(Control list) {
  return OnUiThread([&] {
    HWND window = Window(list);
    if (!window) return -1;
    ShowWritten();
    return static_cast<int>(SendMessageW(window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  });
}

void Win32Toolkit::ListCellForDisplay(NMLVDISPINFOW& request) {
  if (request.item.mask & LVIF_TEXT) {
    request.item.pszText = const_cast<wchar_t*>(rows_.Display(request.item.iItem, request.item.iSubItem));
  }
}

void Win32Toolkit::ShowWrittenLater() {
  if (showWrittenPosted_ || !callWindow_) return;
  showWrittenPosted_ = PostMessageW(callWindow_, kShowWrittenMessage, 0, 0) != FALSE;
}

void Win32Toolkit::ShowWrittenSoon() {
  // A handler that works for long (the search) processes events often; a
  // control that took every text at once would spend more time drawing
  // than the work takes (under Wine, some 60 ms each time). What it wrote
  // is shown at most every kShowInterval then, the last of it at once
  // when the handler is done.
  const DWORD sinceShown = GetTickCount() - lastShown_;
  if (sinceShown >= kShowInterval) {
    ShowWritten();
    return;
  }
  if (!showTimerArmed_)
    showTimerArmed_ = callWindow_ && SetTimer(callWindow_, kShowWrittenTimer, kShowInterval - sinceShown, nullptr);
  if (!showTimerArmed_) ShowWritten();
}

void Win32Toolkit::ShowWritten() {
  showWrittenPosted_ = false;
  lastShown_ = GetTickCount();
  if (showTimerArmed_) {
    KillTimer(callWindow_, kShowWrittenTimer);
    showTimerArmed_ = false;
  }
  if (!main_) return;
  if (HWND list = Window(Control::超级列表框1); list && (rowsShown_ != rows_.Count() || rowsChanged_)) {
    if (rowsShown_ != rows_.Count()) {
      SendMessageW(list, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows_.Count()), LVSICF_NOSCROLL);
      rowsShown_ = rows_.Count();
    }
    rowsChanged_ = false;
    InvalidateRect(list, nullptr, FALSE);
  }
  for (int i = 0; i < kControlCount; ++i) {
    if (!textsToShow_[i]) continue;
    const Text text = std::move(*textsToShow_[i]);
    textsToShow_[i].reset();
    const auto control = static_cast<Control>(i);
    if (HWND window = Window(control)) SetWindowTextW(window, Widen(text).c_str());
    // The transparent label is drawn by the bar beneath it.
    if (control == Control::透明标签1) InvalidateRect(Window(Control::进度条1), nullptr, TRUE);
  }
  if (statusToShow_) {
    const Text text = std::move(*statusToShow_);
    statusToShow_.reset();
    if (HWND bar = Window(Control::状态条1))
      SendMessageW(bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(Widen(text).c_str()));
  }
}

Text Win32Toolkit::StatusText(Control bar, int part) {
  return OnUiThread([&]() -> Text {
    HWND window = Window(bar);
    if (!window || part < 0 || part >= SendMessageW(window, SB_GETPARTS, 0, 0)) return {};
    if (part == 0 && statusToShow_) return *statusToShow_;
    const LRESULT length = LOWORD(SendMessageW(window, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(window, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return NarrowForDisplay(text);
  });
}

void Win32Toolkit::SetStatusText(Control bar, int part, const Text& text) {
  OnUiThread([&] {
    HWND window = Window(bar);
    // The bar has the one part.
    if (!window || part != 0) return;
    statusToShow_ = text;
    ShowWrittenLater();
  });
}

void Win32Toolkit::PopupMenu(Menu) {
  OnUiThread([&] {
    if (!main_ || !menuTree_) return;
    ShowWritten();
    POINT at{};
    GetCursorPos(&at);
    // Without the foreground the menu would not close when clicked away.
    SetForegroundWindow(main_);
    // The chosen item arrives as WM_COMMAND once the menu has closed.
    TrackPopupMenuEx(GetSubMenu(menuTree_, 0), TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, at.x,
                     at.y, main_, nullptr);
    PostMessageW(main_, WM_NULL, 0, 0);
  });
}

Text Win32Toolkit::BrowseForFolder(const Text& title) {
  return OnUiThread([&]() -> Text {
    if (!main_) return {};
    ShowWritten();
    return ChooseFolder(main_, Widen(title));
  });
}

void Win32Toolkit::ShowFatalError(const Text& message) {
  OnUiThread([&] {
    ShowWritten();
    MessageBoxW(main_, Widen(message).c_str(), Widen(design::kWindowClass).c_str(),
                MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
  });
}

bool Win32Toolkit::RunCommandLine(const Text& commandLine, os::ShowMode show) {
  return os_.StartProcess(commandLine, show);
}

}  // namespace ui::win32
