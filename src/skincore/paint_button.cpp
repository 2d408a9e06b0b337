#include "paint_button.h"

#include "draw.h"
#include "window_kind.h"

namespace skincore {
namespace {

constexpr int kCornerRadius = 5;

// Set while a button drawn at its erase stage waits for its paint stage,
// which then has nothing left to do.
thread_local HWND drawnAtErase = nullptr;

bool DrawsItself(HWND button, LONG style) {
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
    case BS_3STATE:
    case BS_AUTO3STATE:
      break;
    default:
      return false;
  }
  if (style & (BS_BITMAP | BS_ICON)) return false;
  if (SendMessageW(button, BM_GETIMAGE, IMAGE_BITMAP, 0) || SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0))
    return false;
  BUTTON_IMAGELIST images{};
  return !(SendMessageW(button, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images)) && images.himl);
}

bool IsCheckType(UINT type) {
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

bool IsRadioType(UINT type) { return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON; }

UINT TextFlags(LONG style, bool pushButton) {
  UINT flags = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
  switch (style & BS_CENTER) {
    case BS_LEFT:
      flags |= DT_LEFT;
      break;
    case BS_RIGHT:
      flags |= DT_RIGHT;
      break;
    case BS_CENTER:
      flags |= DT_CENTER;
      break;
    default:
      flags |= pushButton ? DT_CENTER : DT_LEFT;
      break;
  }
  return flags;
}

// DrawText centres single lines only: several lines are placed by hand.
void DrawButtonText(HDC dc, const ShortText& text, RECT area, UINT flags, LONG style) {
  RECT measured = area;
  DrawTextW(dc, text.text, text.length, &measured, flags | DT_CALCRECT);
  const int height = measured.bottom - measured.top;
  switch (style & BS_VCENTER) {
    case BS_TOP:
      break;
    case BS_BOTTOM:
      area.top = area.bottom - height;
      break;
    default:
      area.top += (area.bottom - area.top - height) / 2;
      break;
  }
  area.bottom = area.top + height;
  DrawTextW(dc, text.text, text.length, &area, flags);
}

void DrawPushButton(const Palette& p, HWND button, HDC dc, const RECT& client, UINT itemState, LONG style) {
  const bool disabled = (itemState & CDIS_DISABLED) || !IsWindowEnabled(button);
  const LRESULT state = SendMessageW(button, BM_GETSTATE, 0, 0);
  const bool pressed = (itemState & CDIS_SELECTED) || (state & BST_PUSHED);
  const bool checked = (style & BS_PUSHLIKE) && (state & (BST_CHECKED | BST_INDETERMINATE));
  const bool hot = (itemState & CDIS_HOT) != 0;
  const bool focused = (itemState & CDIS_FOCUS) || GetFocus() == button;
  const bool standsOut = focused || (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;

  Fill(dc, client, p.Rgb(Colour::WindowFace));
  Colour face = Colour::ButtonFace;
  if (!disabled && (pressed || checked)) {
    face = Colour::ButtonPressed;
  } else if (!disabled && hot) {
    face = Colour::ButtonHot;
  }
  const Colour outline = !disabled && standsOut ? Colour::Accent : Colour::ButtonBorder;
  RoundedBox(dc, client, p.Rgb(face), p.Rgb(outline), kCornerRadius);

  ShortText text;
  ReadWindowText(button, &text);
  RECT area = client;
  InflateRect(&area, -4, -3);
  if (pressed) OffsetRect(&area, 1, 1);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, p.Rgb(disabled ? Colour::DisabledText : Colour::ButtonText));
  SelectObject(dc, p.FontOr(WindowFont(button)));
  DrawButtonText(dc, text, area, TextFlags(style, true) | PrefixFlag(button), style);

  if (focused && !HidesFocus(button)) {
    RECT focus = client;
    InflateRect(&focus, -3, -3);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
  }
}

void DrawCheckMark(HDC dc, const RECT& box, COLORREF colour) {
  // Two strokes two pixels wide: down to the bottom left, then up right.
  const int w = box.right - box.left;
  const int x0 = box.left + w * 3 / 13;
  const int y0 = box.top + w * 6 / 13;
  const int x1 = box.left + w * 5 / 13;
  const int y1 = box.top + w * 9 / 13;
  const int x2 = box.left + w * 10 / 13;
  const int y2 = box.top + w * 3 / 13;
  SavedDc saved(dc);
  HPEN pen = CreatePen(PS_SOLID, 2, colour);
  if (!pen) return;
  SelectObject(dc, pen);
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
  LineTo(dc, x2, y2);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  DeleteObject(pen);
}

void DrawEllipse(HDC dc, const RECT& area, COLORREF fill, COLORREF outline) {
  SavedDc saved(dc);
  SelectObject(dc, GetStockObject(DC_BRUSH));
  SelectObject(dc, GetStockObject(DC_PEN));
  SetDCBrushColor(dc, fill);
  SetDCPenColor(dc, outline);
  Ellipse(dc, area.left, area.top, area.right, area.bottom);
}

void DrawCheckButton(const Palette& p, HWND button, HDC dc, const RECT& client, UINT itemState, LONG style) {
  const UINT type = static_cast<UINT>(style) & BS_TYPEMASK;
  const bool disabled = (itemState & CDIS_DISABLED) || !IsWindowEnabled(button);
  const LRESULT state = SendMessageW(button, BM_GETSTATE, 0, 0);
  const bool hot = (itemState & CDIS_HOT) || (state & BST_PUSHED);
  const bool focused = (itemState & CDIS_FOCUS) || GetFocus() == button;
  const bool markRight = (style & BS_LEFTTEXT) != 0;

  Fill(dc, client, p.Rgb(Colour::WindowFace));
  const int size = ScaleForDpi(dc, 13);
  RECT box;
  box.left = markRight ? client.right - size : client.left;
  box.right = box.left + size;
  switch (style & BS_VCENTER) {
    case BS_TOP:
      box.top = client.top;
      break;
    case BS_BOTTOM:
      box.top = client.bottom - size;
      break;
    default:
      box.top = client.top + (client.bottom - client.top - size) / 2;
      break;
  }
  box.bottom = box.top + size;

  const COLORREF back = p.Rgb(disabled ? Colour::WindowFace : Colour::CheckBack);
  const COLORREF outline = p.Rgb(disabled ? Colour::DisabledText : hot ? Colour::Accent : Colour::CheckBorder);
  const COLORREF mark = p.Rgb(disabled ? Colour::DisabledText : Colour::CheckMark);
  const LRESULT check = SendMessageW(button, BM_GETCHECK, 0, 0);
  if (IsRadioType(type)) {
    // A circle keeps a pixel clear on its outer side, as the system's
    // does: a check box laid just over a radio button hides all of it.
    RECT circle = box;
    if (markRight) {
      circle.right -= 1;
    } else {
      circle.left += 1;
    }
    circle.top += 1;
    DrawEllipse(dc, circle, back, outline);
    if (check == BST_CHECKED) {
      RECT dot = circle;
      const int inset = size * 4 / 13;
      InflateRect(&dot, -inset, -inset);
      DrawEllipse(dc, dot, mark, mark);
    }
  } else {
    Fill(dc, box, back);
    Frame(dc, box, outline);
    if (check == BST_CHECKED) {
      DrawCheckMark(dc, box, mark);
    } else if (check == BST_INDETERMINATE) {
      RECT square = box;
      InflateRect(&square, -size / 4, -size / 4);
      Fill(dc, square, mark);
    }
  }

  ShortText text;
  ReadWindowText(button, &text);
  if (text.length == 0) return;
  RECT area = client;
  const int gap = ScaleForDpi(dc, 5);
  if (markRight) {
    area.right = box.left - gap;
  } else {
    area.left = box.right + gap;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, p.Rgb(disabled ? Colour::DisabledText : Colour::WindowText));
  SelectObject(dc, p.FontOr(WindowFont(button)));
  const UINT flags = TextFlags(style, false) | PrefixFlag(button);
  DrawButtonText(dc, text, area, flags, style);

  if (focused && !HidesFocus(button)) {
    RECT focus = area;
    DrawTextW(dc, text.text, text.length, &focus, flags | DT_CALCRECT);
    const int height = focus.bottom - focus.top;
    focus.top = area.top + (area.bottom - area.top - height) / 2;
    focus.bottom = focus.top + height;
    InflateRect(&focus, 1, 0);
    IntersectRect(&focus, &focus, &client);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
  }
}

void DrawButton(const Palette& p, HWND button, HDC dc, UINT itemState) {
  const LONG style = GetWindowLongW(button, GWL_STYLE);
  RECT client;
  GetClientRect(button, &client);
  SavedDc saved(dc);
  // Buttons paint with their parent's DC: keep to the button's own area.
  IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  const UINT type = static_cast<UINT>(style) & BS_TYPEMASK;
  if ((IsCheckType(type) || IsRadioType(type)) && !(style & BS_PUSHLIKE)) {
    DrawCheckButton(p, button, dc, client, itemState, style);
  } else {
    DrawPushButton(p, button, dc, client, itemState, style);
  }
}

}  // namespace

bool ButtonCustomDraw(const Palette& palette, NMCUSTOMDRAW* draw, LRESULT* result) {
  HWND button = draw->hdr.hwndFrom;
  if (!button || !draw->hdc || !DrawsItself(button, GetWindowLongW(button, GWL_STYLE))) return false;
  switch (draw->dwDrawStage) {
    case CDDS_PREERASE:
      // Everything is drawn here, so the button's own erase and paint are
      // both skipped.
      DrawButton(palette, button, draw->hdc, draw->uItemState);
      drawnAtErase = button;
      *result = CDRF_SKIPDEFAULT;
      return true;
    case CDDS_PREPAINT:
      if (drawnAtErase != button) DrawButton(palette, button, draw->hdc, draw->uItemState);
      drawnAtErase = nullptr;
      *result = CDRF_SKIPDEFAULT;
      return true;
    default:
      *result = CDRF_DODEFAULT;
      return true;
  }
}

void PaintGroupBox(const Palette& p, HWND box, HDC dc) {
  RECT client;
  GetClientRect(box, &client);
  SavedDc saved(dc);
  IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
  SelectObject(dc, p.FontOr(WindowFont(box)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  ShortText text;
  ReadWindowText(box, &text);

  RECT frame = client;
  frame.top += metrics.tmHeight / 2 - 1;
  const bool enabled = IsWindowEnabled(box) != FALSE;
  RoundedOutline(dc, frame, p.Rgb(Colour::GroupBorder), kCornerRadius);
  if (text.length == 0) return;

  const UINT flags = DT_SINGLELINE | DT_LEFT | DT_TOP | PrefixFlag(box);
  RECT caption{client.left + 8, client.top, client.right - 8, client.top + metrics.tmHeight};
  RECT measured = caption;
  DrawTextW(dc, text.text, text.length, &measured, flags | DT_CALCRECT);
  caption.right = caption.left + (measured.right - measured.left) + 4;
  if (caption.right > client.right - 4) caption.right = client.right - 4;
  Fill(dc, caption, p.Rgb(Colour::WindowFace));
  caption.left += 2;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, p.Rgb(enabled ? Colour::GroupText : Colour::DisabledText));
  DrawTextW(dc, text.text, text.length, &caption, flags | DT_END_ELLIPSIS);
}

}  // namespace skincore
