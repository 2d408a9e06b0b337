// A list's column headers, painted whole.
#pragma once

#include <windows.h>

#include "palette.h"

namespace skincore {

// False when some column draws itself (owner-drawn headers).
bool CanPaintHeader(HWND header);
void PaintHeader(const Palette& palette, HWND header, HDC dc);

}  // namespace skincore
