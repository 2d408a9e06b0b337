// The window messages and classes of our own that the Win32 toolkit uses.
#pragma once

#include <windows.h>

namespace ui::win32 {

class Win32Toolkit;

// Sent to the call window: lParam points at a std::function<void()> to run.
constexpr UINT kRunCallMessage = WM_APP + 1;
// Posted to the call window: what the program wrote is to be shown.
constexpr UINT kShowWrittenMessage = WM_APP + 2;
// The call window's timer that shows what was written once it is time.
constexpr UINT_PTR kShowWrittenTimer = 1;

// The message-only window on the UI thread through which other threads'
// calls run; null when it could not be created.
HWND CreateCallWindow(Win32Toolkit* toolkit);

}  // namespace ui::win32
