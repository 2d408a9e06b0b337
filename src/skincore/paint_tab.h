// The tab control's strip and headers, painted whole.
#pragma once

#include <windows.h>

#include "palette.h"

namespace skincore {

// False for the tab styles drawn some other way (buttons, vertical
// tabs, owner-drawn tabs): those keep the control's own painting.
bool CanPaintTab(HWND tab);
void PaintTab(const Palette& palette, HWND tab, HDC dc);

}  // namespace skincore
