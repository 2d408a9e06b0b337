// Push buttons, check boxes and radio buttons (drawn in their parent's
// custom-draw notification), and group boxes (drawn in their own paint).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "palette.h"

namespace skincore {

// Answers a button's NM_CUSTOMDRAW; false leaves the button to its own
// drawing (owner-drawn buttons, buttons showing an image).
bool ButtonCustomDraw(const Palette& palette, NMCUSTOMDRAW* draw, LRESULT* result);

void PaintGroupBox(const Palette& palette, HWND box, HDC dc);

}  // namespace skincore
