// The colours a parent hands its controls with WM_CTLCOLOR*.
#pragma once

#include <windows.h>

#include "palette.h"

namespace skincore {

// Sets the DC's text and background colours for `child` and gives the
// brush it fills with; false when the control keeps its own colours.
bool ControlColours(const Palette& palette, UINT message, HDC dc, HWND child, HBRUSH* brush);

}  // namespace skincore
