#include "skin_proc.h"

#include <commctrl.h>

#include "control_colours.h"
#include "control_state.h"
#include "draw.h"
#include "engine.h"
#include "paint_button.h"
#include "paint_frame.h"
#include "paint_header.h"
#include "paint_status.h"
#include "paint_tab.h"

namespace skincore {
namespace {

// Any value unique to this library: subclasses are told apart by
// procedure and id together.
constexpr UINT_PTR kSubclassId = 0x536B696E;
constexpr UINT kCrossThreadTimeout = 1000;

LRESULT CALLBACK SkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR kindData);

UINT UnskinMessage() {
  static const UINT message = RegisterWindowMessageW(L"SkinCore.Unskin");
  return message;
}

void FillClient(HWND window, HDC dc, COLORREF colour) {
  RECT client;
  GetClientRect(window, &client);
  Fill(dc, client, colour);
}

// Paints the whole client area through a bitmap, so a control painted
// from its background up does not flicker.
template <class Paint>
void PaintBuffered(HWND window, HDC target, Paint paint) {
  RECT client;
  GetClientRect(window, &client);
  const int width = client.right - client.left;
  const int height = client.bottom - client.top;
  if (width <= 0 || height <= 0) return;
  HDC memory = CreateCompatibleDC(target);
  HBITMAP bitmap = memory ? CreateCompatibleBitmap(target, width, height) : nullptr;
  if (!bitmap) {
    if (memory) DeleteDC(memory);
    paint(target);
    return;
  }
  HGDIOBJ old = SelectObject(memory, bitmap);
  paint(memory);
  BitBlt(target, 0, 0, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

enum class Covers { Everything, LinesOnly };

// WM_PAINT and WM_PRINTCLIENT of a control the skin paints itself. Only a
// painter that covers every pixel can go through a bitmap.
template <class Paint>
LRESULT PaintOwn(HWND window, UINT message, WPARAM wParam, Covers covers, Paint paint) {
  if (message == WM_PRINTCLIENT || wParam) {
    paint(reinterpret_cast<HDC>(wParam));
    return 0;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  if (dc) {
    if (covers == Covers::Everything) {
      PaintBuffered(window, dc, paint);
    } else {
      paint(dc);
    }
  }
  EndPaint(window, &ps);
  return 0;
}

bool IsPaint(UINT message) { return message == WM_PAINT || message == WM_PRINTCLIENT; }

// What every skinned window does for the controls it holds.
bool AnswerChildren(const Palette& p, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  switch (message) {
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORMSGBOX: {
      HBRUSH brush = nullptr;
      if (!ControlColours(p, message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), &brush))
        return false;
      *result = reinterpret_cast<LRESULT>(brush);
      return true;
    }
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (!header || header->code != NM_CUSTOMDRAW || !header->hwndFrom) return false;
      if (!ClassIs(header->hwndFrom, L"Button")) return false;
      return ButtonCustomDraw(p, reinterpret_cast<NMCUSTOMDRAW*>(lParam), result);
    }
    default:
      return false;
  }
}

// Calls the window's own handling first, then draws over what it drew.
template <class After>
LRESULT Then(HWND window, UINT message, WPARAM wParam, LPARAM lParam, After after) {
  const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
  after();
  return result;
}

// Erasing and painting of a control the skin paints from its background
// up, when it can paint the control's present styles.
template <class Paint>
bool PaintWhole(HWND window, UINT message, WPARAM wParam, LRESULT* result, bool (*canPaint)(HWND), Paint paint) {
  // Asked only when painting: asking sends the control messages.
  if ((message != WM_ERASEBKGND && !IsPaint(message)) || !canPaint(window)) return false;
  *result = message == WM_ERASEBKGND ? 1 : PaintOwn(window, message, wParam, Covers::Everything, paint);
  return true;
}

bool AnswerOwn(const Palette& p, HWND window, WindowKind kind, UINT message, WPARAM wParam, LPARAM lParam,
               LRESULT* result) {
  const auto dc = reinterpret_cast<HDC>(wParam);
  switch (kind) {
    case WindowKind::FaceWindow:
    case WindowKind::Dialog:
      if (message != WM_ERASEBKGND) return false;
      FillClient(window, dc, p.Rgb(Colour::WindowFace));
      *result = 1;
      return true;

    case WindowKind::Static:
      // Only panels: a plain static paints its own background from the
      // colours its parent gives, and a transparent one must show through.
      if (message != WM_ERASEBKGND || !HasChildren(window) || (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TRANSPARENT))
        return false;
      FillClient(window, dc, p.Rgb(Colour::WindowFace));
      *result = 1;
      return true;

    case WindowKind::Button:
      if (ButtonType(window) != BS_GROUPBOX) return false;
      if (message == WM_ERASEBKGND && HasChildren(window)) {
        FillClient(window, dc, p.Rgb(Colour::WindowFace));
        *result = 1;
        return true;
      }
      if (IsPaint(message)) {
        // A box holding its controls is a panel: its inside is ours to
        // paint. Any other box only frames siblings lying over it.
        if (HasChildren(window)) {
          *result = PaintOwn(window, message, wParam, Covers::Everything, [&](HDC target) {
            FillClient(window, target, p.Rgb(Colour::WindowFace));
            PaintGroupBox(p, window, target);
          });
        } else {
          *result = PaintOwn(window, message, wParam, Covers::LinesOnly,
                             [&](HDC target) { PaintGroupBox(p, window, target); });
        }
        return true;
      }
      if (message == WM_ENABLE || message == WM_SETTEXT || message == WM_UPDATEUISTATE) {
        // The box may draw itself right away, in its own looks.
        *result = Then(window, message, wParam, lParam, [&] { InvalidateRect(window, nullptr, TRUE); });
        return true;
      }
      return false;

    case WindowKind::Edit:
      switch (message) {
        case WM_NCPAINT:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_STYLECHANGED:
          *result = Then(window, message, wParam, lParam, [&] { PaintEditEdge(p, window); });
          return true;
        default:
          return false;
      }

    case WindowKind::ComboBox: {
      const bool focusMoves =
          message == WM_SETFOCUS || message == WM_KILLFOCUS ||
          (message == WM_COMMAND && (HIWORD(wParam) == EN_SETFOCUS || HIWORD(wParam) == EN_KILLFOCUS));
      if (!IsPaint(message) && !focusMoves && message != WM_ENABLE) return false;
      // Painting into a DC it was given, or else into its own.
      HDC target = IsPaint(message) ? dc : nullptr;
      *result = Then(window, message, wParam, lParam, [&] { PaintComboFrame(p, window, target); });
      return true;
    }

    case WindowKind::ListView:
    case WindowKind::ListBox:
      if (message == WM_NCPAINT) {
        *result = Then(window, message, wParam, lParam, [&] { PaintListEdge(p, window); });
        return true;
      }
      return false;

    case WindowKind::ProgressBar:
      if (message == WM_NCPAINT) {
        *result = Then(window, message, wParam, lParam, [&] { PaintProgressEdge(p, window); });
        return true;
      }
      return false;

    case WindowKind::Header:
      return PaintWhole(window, message, wParam, result, CanPaintHeader,
                        [&](HDC target) { PaintHeader(p, window, target); });
    case WindowKind::Tab:
      return PaintWhole(window, message, wParam, result, CanPaintTab, [&](HDC target) { PaintTab(p, window, target); });
    case WindowKind::StatusBar:
      return PaintWhole(window, message, wParam, result, CanPaintStatusBar,
                        [&](HDC target) { PaintStatusBar(p, window, target); });

    default:
      return false;
  }
}

bool Unskin(HWND window, WindowKind kind) {
  if (!RemoveWindowSubclass(window, SkinProc, kSubclassId)) return false;
  RestoreControlState(window, kind);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  return true;
}

LRESULT CALLBACK SkinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR kindData) {
  const auto kind = static_cast<WindowKind>(kindData);
  if (message == WM_NCDESTROY) {
    ForgetControlState(window);
    RemoveWindowSubclass(window, SkinProc, id);
    return DefSubclassProc(window, message, wParam, lParam);
  }
  if (message == UnskinMessage() && message != 0) return Unskin(window, kind) ? 1 : 0;

  const Palette* palette = CurrentPalette();
  if (!palette) return DefSubclassProc(window, message, wParam, lParam);
  if (message == WM_CREATE) {
    // A window skinned while being created: its control exists now.
    const LRESULT created = DefSubclassProc(window, message, wParam, lParam);
    if (created != -1) ApplyControlState(*palette, window, kind);
    return created;
  }
  LRESULT result = 0;
  if (AnswerChildren(*palette, message, wParam, lParam, &result)) return result;
  if (AnswerOwn(*palette, window, kind, message, wParam, lParam, &result)) return result;
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void SkinWindow(const Palette& palette, HWND window, WindowKind kind) {
  if (kind == WindowKind::None) return;
  if (!SetWindowSubclass(window, SkinProc, kSubclassId, static_cast<DWORD_PTR>(kind))) return;
  ApplyControlState(palette, window, kind);
}

void SkinNewWindow(HWND window, WindowKind kind) {
  if (kind == WindowKind::None) return;
  SetWindowSubclass(window, SkinProc, kSubclassId, static_cast<DWORD_PTR>(kind));
}

bool UnskinWindow(HWND window) { return Unskin(window, KindOf(window)); }

bool UnskinWindowOfOtherThread(HWND window) {
  const UINT message = UnskinMessage();
  if (!message) return false;
  DWORD_PTR answered = 0;
  return SendMessageTimeoutW(window, message, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kCrossThreadTimeout, &answered) != 0;
}

}  // namespace skincore
