#include "paint_tab.h"

#include <commctrl.h>

#include "draw.h"

namespace skincore {
namespace {

constexpr int kStripe = 2;  // the accent along the chosen tab's outer edge

void DrawItemText(HDC dc, HWND tab, int index, RECT area, COLORREF colour) {
  wchar_t text[256] = {};
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = 256;
  if (!SendMessageW(tab, TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item))) return;
  SetTextColor(dc, colour);
  SetBkMode(dc, TRANSPARENT);
  DrawTextW(dc, item.pszText, -1, &area, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | PrefixFlag(tab));
}

// The outline of a tab on three sides: the side joining the page is open.
void TabOutline(HDC dc, const RECT& r, bool bottom, COLORREF colour) {
  VerticalLine(dc, r.left, r.top, r.bottom, colour);
  VerticalLine(dc, r.right - 1, r.top, r.bottom, colour);
  if (bottom) {
    HorizontalLine(dc, r.left, r.right, r.bottom - 1, colour);
  } else {
    HorizontalLine(dc, r.left, r.right, r.top, colour);
  }
}

}  // namespace

bool CanPaintTab(HWND tab) {
  const LONG style = GetWindowLongW(tab, GWL_STYLE);
  return !(style & (TCS_BUTTONS | TCS_VERTICAL | TCS_OWNERDRAWFIXED));
}

void PaintTab(const Palette& p, HWND tab, HDC dc) {
  const bool bottom = (GetWindowLongW(tab, GWL_STYLE) & TCS_BOTTOM) != 0;
  RECT client;
  GetClientRect(tab, &client);
  SavedDc saved(dc);
  Fill(dc, client, p.Rgb(Colour::WindowFace));

  const int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
  const int chosen = static_cast<int>(SendMessageW(tab, TCM_GETCURSEL, 0, 0));
  // The page area ends where the row of headers nearest to it begins.
  RECT page = client;
  bool anyItem = false;
  for (int i = 0; i < count; ++i) {
    RECT r;
    if (!SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) continue;
    if (!anyItem) {
      if (bottom) {
        page.bottom = r.top;
      } else {
        page.top = r.bottom;
      }
      anyItem = true;
    } else if (bottom) {
      page.bottom = r.top < page.bottom ? r.top : page.bottom;
    } else {
      page.top = r.bottom > page.top ? r.bottom : page.top;
    }
  }
  Fill(dc, page, p.Rgb(Colour::TabSelected));
  Frame(dc, page, p.Rgb(Colour::TabBorder));

  SelectObject(dc, p.FontOr(WindowFont(tab)));
  for (int i = 0; i < count; ++i) {
    if (i == chosen) continue;
    RECT r;
    if (!SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) continue;
    // Headers that are not chosen are a little shorter on their outer side.
    if (bottom) {
      r.bottom -= 2;
    } else {
      r.top += 2;
    }
    Fill(dc, r, p.Rgb(Colour::TabFace));
    TabOutline(dc, r, bottom, p.Rgb(Colour::TabBorder));
    DrawItemText(dc, tab, i, r, p.Rgb(Colour::TabText));
  }

  RECT r;
  if (chosen >= 0 && SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(chosen), reinterpret_cast<LPARAM>(&r))) {
    // The chosen header is one with the page: wider, and over the page's edge.
    InflateRect(&r, 2, 0);
    if (bottom) {
      r.top -= 1;
    } else {
      r.bottom += 1;
    }
    IntersectRect(&r, &r, &client);
    Fill(dc, r, p.Rgb(Colour::TabSelected));
    TabOutline(dc, r, bottom, p.Rgb(Colour::TabBorder));
    RECT stripe = r;
    InflateRect(&stripe, -1, 0);
    if (bottom) {
      stripe.bottom -= 1;
      stripe.top = stripe.bottom - kStripe;
    } else {
      stripe.top += 1;
      stripe.bottom = stripe.top + kStripe;
    }
    Fill(dc, stripe, p.Rgb(Colour::Accent));
    DrawItemText(dc, tab, chosen, r, p.Rgb(Colour::TabText));
    if (GetFocus() == tab && !HidesFocus(tab)) {
      RECT focus = r;
      InflateRect(&focus, -3, -3);
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, RGB(255, 255, 255));
      DrawFocusRect(dc, &focus);
    }
  }
}

}  // namespace skincore
