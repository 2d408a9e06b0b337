// Borders: the edges of fields, lists and bars, and the combo box's frame
// and drop-down button, drawn over what the controls drew themselves.
#pragma once

#include <windows.h>

#include "palette.h"

namespace skincore {

// Redraws the window's border edge (WS_BORDER, client and static edges)
// as a line of `outline` with `inside` filling the rest of the edge.
void PaintEdge(HWND window, COLORREF outline, COLORREF inside);
// The edge colours of each kind of control.
void PaintEditEdge(const Palette& palette, HWND edit);
void PaintListEdge(const Palette& palette, HWND list);
void PaintProgressEdge(const Palette& palette, HWND bar);

// `dc` is the combo box's client DC, or null to take one.
void PaintComboFrame(const Palette& palette, HWND combo, HDC dc);

}  // namespace skincore
