// The status bar, painted whole.
#pragma once

#include <windows.h>

#include "palette.h"

namespace skincore {

// False for what only the bar itself knows how to draw: the simple mode,
// owner-drawn parts, parts with icons.
bool CanPaintStatusBar(HWND bar);
void PaintStatusBar(const Palette& palette, HWND bar, HDC dc);

}  // namespace skincore
