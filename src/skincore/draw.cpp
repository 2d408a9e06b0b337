#include "draw.h"

namespace skincore {

void ReadWindowText(HWND window, ShortText* out) {
  out->length = GetWindowTextW(window, out->text, ShortText::kCapacity);
  if (out->length < 0) out->length = 0;
  out->text[out->length] = L'\0';
}

void Fill(HDC dc, const RECT& area, COLORREF colour) {
  // ExtTextOut with an opaque rectangle fills without making a brush.
  const COLORREF old = SetBkColor(dc, colour);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
  SetBkColor(dc, old);
}

void HorizontalLine(HDC dc, int left, int right, int y, COLORREF colour) {
  if (right <= left) return;
  const RECT line{left, y, right, y + 1};
  Fill(dc, line, colour);
}

void VerticalLine(HDC dc, int x, int top, int bottom, COLORREF colour) {
  if (bottom <= top) return;
  const RECT line{x, top, x + 1, bottom};
  Fill(dc, line, colour);
}

void Frame(HDC dc, const RECT& area, COLORREF colour) {
  if (area.right <= area.left || area.bottom <= area.top) return;
  HorizontalLine(dc, area.left, area.right, area.top, colour);
  HorizontalLine(dc, area.left, area.right, area.bottom - 1, colour);
  VerticalLine(dc, area.left, area.top, area.bottom, colour);
  VerticalLine(dc, area.right - 1, area.top, area.bottom, colour);
}

void RoundedBox(HDC dc, const RECT& area, COLORREF fill, COLORREF outline, int radius) {
  SavedDc saved(dc);
  SelectObject(dc, GetStockObject(DC_BRUSH));
  SelectObject(dc, GetStockObject(DC_PEN));
  SetDCBrushColor(dc, fill);
  SetDCPenColor(dc, outline);
  RoundRect(dc, area.left, area.top, area.right, area.bottom, radius, radius);
}

void RoundedOutline(HDC dc, const RECT& area, COLORREF outline, int radius) {
  SavedDc saved(dc);
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  SelectObject(dc, GetStockObject(DC_PEN));
  SetDCPenColor(dc, outline);
  RoundRect(dc, area.left, area.top, area.right, area.bottom, radius, radius);
}

void DownArrow(HDC dc, const RECT& area, COLORREF colour) {
  const int width = 7;
  const int height = 4;
  const int left = area.left + (area.right - area.left - width) / 2;
  const int top = area.top + (area.bottom - area.top - height) / 2;
  for (int row = 0; row < height; ++row) HorizontalLine(dc, left + row, left + width - row, top + row, colour);
}

bool HidesFocus(HWND window) { return (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0; }

UINT PrefixFlag(HWND window) {
  return (SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) ? DT_HIDEPREFIX : 0;
}

HFONT WindowFont(HWND window) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int ScaleForDpi(HDC dc, int pixelsAt96) { return MulDiv(pixelsAt96, GetDeviceCaps(dc, LOGPIXELSY), 96); }

}  // namespace skincore
