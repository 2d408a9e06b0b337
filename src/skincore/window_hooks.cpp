#include "window_hooks.h"

#include "engine.h"
#include "skin_proc.h"
#include "window_kind.h"

namespace skincore {
namespace {

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && lParam) {
    const auto* creation = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
    HWND parent = creation->lpcs ? creation->lpcs->hwndParent : nullptr;
    const auto window = reinterpret_cast<HWND>(wParam);
    if (CurrentPalette()) SkinNewWindow(window, KindOfNew(window, parent));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Visits the top-level windows of a thread and all their descendants that
// belong to the same thread.
template <class Visit>
class ThreadWalk {
 public:
  ThreadWalk(DWORD thread, Visit& visit) : thread_(thread), visit_(visit) {}
  void Run() { EnumThreadWindows(thread_, Top, reinterpret_cast<LPARAM>(this)); }

 private:
  static BOOL CALLBACK Top(HWND window, LPARAM self) {
    auto* walk = reinterpret_cast<ThreadWalk*>(self);
    walk->visit_(window, true);
    EnumChildWindows(window, Child, self);
    return TRUE;
  }
  static BOOL CALLBACK Child(HWND window, LPARAM self) {
    auto* walk = reinterpret_cast<ThreadWalk*>(self);
    if (GetWindowThreadProcessId(window, nullptr) == walk->thread_) walk->visit_(window, false);
    return TRUE;
  }

  DWORD thread_;
  Visit& visit_;
};

template <class Visit>
void WalkThread(DWORD thread, Visit visit) {
  ThreadWalk<Visit>(thread, visit).Run();
}

}  // namespace

HHOOK HookCallingThread(HINSTANCE module) {
  return SetWindowsHookExW(WH_CBT, CreationHook, module, GetCurrentThreadId());
}

void SkinThreadWindows(const Palette& palette) {
  const DWORD thread = GetCurrentThreadId();
  WalkThread(thread, [&](HWND window, bool) { SkinWindow(palette, window, KindOf(window)); });
  WalkThread(thread, [](HWND window, bool top) {
    if (top) RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  });
}

bool UnskinThreadWindows(DWORD thread) {
  bool reachedAll = true;
  if (thread == GetCurrentThreadId()) {
    WalkThread(thread, [](HWND window, bool) { UnskinWindow(window); });
  } else {
    WalkThread(thread, [&](HWND window, bool) {
      if (!UnskinWindowOfOtherThread(window)) reachedAll = false;
    });
  }
  return reachedAll;
}

}  // namespace skincore
