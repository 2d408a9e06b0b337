// The subclass every skinned window gets: it answers its children's
// colour and custom-draw requests and paints what the window's kind needs.
#pragma once

#include <windows.h>

#include "palette.h"
#include "window_kind.h"

namespace skincore {

// Subclasses the window (again: a second call only updates its kind) and
// sets the colours the control keeps itself.
void SkinWindow(const Palette& palette, HWND window, WindowKind kind);
// For a window that is just being created: its own state is set once it
// has been created.
void SkinNewWindow(HWND window, WindowKind kind);
// Gives the window back its own looks; false when it was not skinned.
bool UnskinWindow(HWND window);
// Asks a window of another thread to unskin itself on its own thread.
bool UnskinWindowOfOtherThread(HWND window);

}  // namespace skincore
