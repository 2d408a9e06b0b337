#include "control_colours.h"

#include "window_kind.h"

namespace skincore {
namespace {

bool IsReadOnlyEdit(HWND edit) { return (GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) != 0; }

HBRUSH Use(const Palette& palette, HDC dc, Colour text, Colour back) {
  SetTextColor(dc, palette.Rgb(text));
  SetBkColor(dc, palette.Rgb(back));
  return palette.Brush(back);
}

}  // namespace

bool ControlColours(const Palette& palette, UINT message, HDC dc, HWND child, HBRUSH* brush) {
  if (!dc || !child) return false;
  const bool enabled = IsWindowEnabled(child) != FALSE;
  const Colour faceText = enabled ? Colour::WindowText : Colour::DisabledText;
  switch (message) {
    case WM_CTLCOLOREDIT:
      // Counts and other fields without a border sit on the face.
      if (IsBorderlessEdit(child)) {
        *brush = Use(palette, dc, faceText, Colour::WindowFace);
      } else {
        *brush = Use(palette, dc, Colour::EditText, Colour::EditBack);
      }
      return true;
    case WM_CTLCOLORSTATIC:
      if (ClassIs(child, L"Edit")) {
        // Read-only and disabled fields: their text on the face.
        const Colour text = enabled && IsReadOnlyEdit(child) ? Colour::EditText : faceText;
        *brush = Use(palette, dc, text, Colour::WindowFace);
        return true;
      }
      if (GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_TRANSPARENT) {
        // What lies beneath shows through.
        SetTextColor(dc, palette.Rgb(faceText));
        SetBkMode(dc, TRANSPARENT);
        *brush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
        return true;
      }
      *brush = Use(palette, dc, faceText, Colour::WindowFace);
      return true;
    case WM_CTLCOLORBTN:
      *brush = Use(palette, dc, enabled ? Colour::ButtonText : Colour::DisabledText, Colour::WindowFace);
      return true;
    case WM_CTLCOLORLISTBOX:
      *brush = Use(palette, dc, Colour::EditText, Colour::EditBack);
      return true;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORMSGBOX:
      *brush = Use(palette, dc, Colour::WindowText, Colour::WindowFace);
      return true;
    default:
      return false;
  }
}

}  // namespace skincore
