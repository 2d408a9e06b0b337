// Colours that some controls keep as state of their own (the list view,
// the progress bar, the status bar) rather than ask their parent for:
// set when a control is skinned, given back when it is let go.
#pragma once

#include <windows.h>

#include "palette.h"
#include "window_kind.h"

namespace skincore {

void ApplyControlState(const Palette& palette, HWND window, WindowKind kind);
void RestoreControlState(HWND window, WindowKind kind);
// Drops what ApplyControlState kept on a window that is going away.
void ForgetControlState(HWND window);

}  // namespace skincore
