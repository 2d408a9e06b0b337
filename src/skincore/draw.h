// Small GDI helpers shared by the painters.
#pragma once

#include <windows.h>

namespace skincore {

// Restores everything a painter selected or set into a DC.
class SavedDc {
 public:
  explicit SavedDc(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~SavedDc() {
    if (saved_) RestoreDC(dc_, saved_);
  }
  SavedDc(const SavedDc&) = delete;
  SavedDc& operator=(const SavedDc&) = delete;

 private:
  HDC dc_;
  int saved_;
};

// A window's text, cut at a length no control here shows in full.
struct ShortText {
  static constexpr int kCapacity = 512;
  wchar_t text[kCapacity];
  int length;
};
void ReadWindowText(HWND window, ShortText* out);

void Fill(HDC dc, const RECT& area, COLORREF colour);
void Frame(HDC dc, const RECT& area, COLORREF colour);
void HorizontalLine(HDC dc, int left, int right, int y, COLORREF colour);
void VerticalLine(HDC dc, int x, int top, int bottom, COLORREF colour);
// A filled rectangle with slightly rounded corners and a 1-px outline.
void RoundedBox(HDC dc, const RECT& area, COLORREF fill, COLORREF outline, int radius);
void RoundedOutline(HDC dc, const RECT& area, COLORREF outline, int radius);
// A small filled triangle pointing down, centred in `area`.
void DownArrow(HDC dc, const RECT& area, COLORREF colour);

// Keyboard cues: whether the window wants focus rectangles and
// underlined access keys hidden (until the keyboard is used).
bool HidesFocus(HWND window);
UINT PrefixFlag(HWND window);  // DT_HIDEPREFIX or 0

HFONT WindowFont(HWND window);  // the control's font, or the default GUI font
int ScaleForDpi(HDC dc, int pixelsAt96);

}  // namespace skincore
