#include "paint_header.h"

#include <commctrl.h>

#include "draw.h"

namespace skincore {
namespace {

constexpr int kTextPadding = 6;

int ItemCount(HWND header) { return static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0)); }

void SortMark(HDC dc, const RECT& column, bool up, COLORREF colour) {
  const int width = 7;
  const int x = column.right - kTextPadding - width;
  const int y = column.top + (column.bottom - column.top - 4) / 2;
  for (int row = 0; row < 4; ++row) {
    const int line = up ? 3 - row : row;
    HorizontalLine(dc, x + line, x + width - line, y + row, colour);
  }
}

}  // namespace

bool CanPaintHeader(HWND header) {
  const int count = ItemCount(header);
  for (int i = 0; i < count; ++i) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    if (SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item)) &&
        (item.fmt & HDF_OWNERDRAW))
      return false;
  }
  return true;
}

void PaintHeader(const Palette& p, HWND header, HDC dc) {
  RECT client;
  GetClientRect(header, &client);
  SavedDc saved(dc);
  Fill(dc, client, p.Rgb(Colour::HeaderFace));
  HorizontalLine(dc, client.left, client.right, client.bottom - 1, p.Rgb(Colour::HeaderBorder));
  SelectObject(dc, p.FontOr(WindowFont(header)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, p.Rgb(IsWindowEnabled(header) ? Colour::HeaderText : Colour::DisabledText));

  const int count = ItemCount(header);
  for (int i = 0; i < count; ++i) {
    RECT column;
    if (!SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column))) continue;
    VerticalLine(dc, column.right - 1, column.top + 3, column.bottom - 4, p.Rgb(Colour::HeaderBorder));

    wchar_t text[256] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = text;
    item.cchTextMax = 256;
    if (!SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item))) continue;
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
    switch (item.fmt & HDF_JUSTIFYMASK) {
      case HDF_RIGHT:
        flags |= DT_RIGHT;
        break;
      case HDF_CENTER:
        flags |= DT_CENTER;
        break;
      default:
        flags |= DT_LEFT;
        break;
    }
    RECT area = column;
    InflateRect(&area, -kTextPadding, 0);
    if (item.fmt & (HDF_SORTUP | HDF_SORTDOWN)) {
      area.right -= 10;
      SortMark(dc, column, (item.fmt & HDF_SORTUP) != 0, p.Rgb(Colour::HeaderText));
    }
    if (item.pszText) DrawTextW(dc, item.pszText, -1, &area, flags);
  }
}

}  // namespace skincore
