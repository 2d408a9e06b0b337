#include "paint_frame.h"

#include "draw.h"

namespace skincore {
namespace {

int EdgeWidth(HWND window) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  const LONG extended = GetWindowLongW(window, GWL_EXSTYLE);
  int width = 0;
  if (style & WS_BORDER) width += 1;
  if (extended & WS_EX_CLIENTEDGE) width += 2;
  if (extended & WS_EX_STATICEDGE) width += 1;
  return width;
}

bool HasFocusWithin(HWND window) {
  HWND focus = GetFocus();
  return focus && (focus == window || IsChild(window, focus));
}

}  // namespace

void PaintEdge(HWND window, COLORREF outline, COLORREF inside) {
  const int width = EdgeWidth(window);
  if (width == 0) return;
  HDC dc = GetWindowDC(window);
  if (!dc) return;
  RECT bounds;
  GetWindowRect(window, &bounds);
  OffsetRect(&bounds, -bounds.left, -bounds.top);
  Frame(dc, bounds, outline);
  for (int ring = 1; ring < width; ++ring) {
    InflateRect(&bounds, -1, -1);
    Frame(dc, bounds, inside);
  }
  ReleaseDC(window, dc);
}

void PaintEditEdge(const Palette& p, HWND edit) {
  const bool enabled = IsWindowEnabled(edit) != FALSE;
  const bool readOnly = (GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) != 0;
  const Colour outline = enabled && HasFocusWithin(edit) ? Colour::EditFocusBorder : Colour::EditBorder;
  const Colour inside = enabled && !readOnly ? Colour::EditBack : Colour::WindowFace;
  PaintEdge(edit, p.Rgb(outline), p.Rgb(inside));
}

void PaintListEdge(const Palette& p, HWND list) { PaintEdge(list, p.Rgb(Colour::ListBorder), p.Rgb(Colour::ListBack)); }

void PaintProgressEdge(const Palette& p, HWND bar) {
  PaintEdge(bar, p.Rgb(Colour::ProgressBorder), p.Rgb(Colour::ProgressBack));
}

void PaintComboFrame(const Palette& p, HWND combo, HDC given) {
  if ((GetWindowLongW(combo, GWL_STYLE) & 3) == CBS_SIMPLE) return;
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(combo, &info)) return;
  HDC dc = given ? given : GetDC(combo);
  if (!dc) return;
  {
    SavedDc saved(dc);
    RECT client;
    GetClientRect(combo, &client);
    const bool enabled = IsWindowEnabled(combo) != FALSE;
    const bool focused = enabled && HasFocusWithin(combo);
    const COLORREF outline = p.Rgb(focused ? Colour::EditFocusBorder : Colour::EditBorder);
    const COLORREF inside = p.Rgb(enabled ? Colour::EditBack : Colour::WindowFace);
    // The ring between the frame and the field.
    RECT ring = client;
    Frame(dc, ring, outline);
    InflateRect(&ring, -1, -1);
    Frame(dc, ring, inside);

    RECT button = info.rcButton;
    if (button.right > button.left && button.bottom > button.top) {
      button.top = client.top + 1;
      button.bottom = client.bottom - 1;
      button.right = client.right - 1;
      const bool pressed = (info.stateButton & STATE_SYSTEM_PRESSED) != 0;
      Fill(dc, button, p.Rgb(pressed ? Colour::ButtonPressed : Colour::ButtonFace));
      VerticalLine(dc, button.left, button.top, button.bottom, outline);
      RECT arrow = button;
      arrow.left += 1;
      if (pressed) OffsetRect(&arrow, 1, 1);
      DownArrow(dc, arrow, p.Rgb(enabled ? Colour::ButtonText : Colour::DisabledText));
    }
  }
  if (!given) ReleaseDC(combo, dc);
}

}  // namespace skincore
