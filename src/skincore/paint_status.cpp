#include "paint_status.h"

#include <commctrl.h>

#include "draw.h"

namespace skincore {
namespace {

constexpr int kMaxParts = 256;
constexpr int kTextIndent = 3;

int PartCount(HWND bar) {
  const int count = static_cast<int>(SendMessageW(bar, SB_GETPARTS, 0, 0));
  return count < 0 ? 0 : count > kMaxParts ? kMaxParts : count;
}

// As DrawStatusText does: a text is left-aligned, what follows a tab is
// centred, what follows a second tab is right-aligned.
void DrawPartText(HDC dc, const wchar_t* text, int length, RECT area) {
  area.left += kTextIndent;
  area.right -= kTextIndent;
  const UINT alignments[3] = {DT_LEFT, DT_CENTER, DT_RIGHT};
  int start = 0;
  for (int piece = 0; piece < 3 && start <= length; ++piece) {
    int end = start;
    while (end < length && (piece == 2 || text[end] != L'\t')) ++end;
    if (end > start)
      DrawTextW(dc, text + start, end - start, &area,
                alignments[piece] | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    start = end + 1;
  }
}

void DrawSizeGrip(HDC dc, const RECT& client, COLORREF colour) {
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column <= row; ++column) {
      const int x = client.right - 4 - column * 4;
      const int y = client.bottom - 4 - (2 - row) * 4;
      const RECT dot{x, y, x + 2, y + 2};
      Fill(dc, dot, colour);
    }
  }
}

}  // namespace

bool CanPaintStatusBar(HWND bar) {
  if (SendMessageW(bar, SB_ISSIMPLE, 0, 0)) return false;
  const int count = PartCount(bar);
  for (int i = 0; i < count; ++i) {
    const LRESULT lengthAndType = SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(i), 0);
    if (HIWORD(lengthAndType) & SBT_OWNERDRAW) return false;
    if (SendMessageW(bar, SB_GETICON, static_cast<WPARAM>(i), 0)) return false;
  }
  return true;
}

void PaintStatusBar(const Palette& p, HWND bar, HDC dc) {
  RECT client;
  GetClientRect(bar, &client);
  SavedDc saved(dc);
  Fill(dc, client, p.Rgb(Colour::StatusBack));
  HorizontalLine(dc, client.left, client.right, client.top, p.Rgb(Colour::StatusBorder));
  SelectObject(dc, p.FontOr(WindowFont(bar)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, p.Rgb(Colour::StatusText));

  const int count = PartCount(bar);
  HANDLE heap = GetProcessHeap();
  for (int i = 0; i < count; ++i) {
    RECT part;
    if (!SendMessageW(bar, SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&part))) continue;
    if (i + 1 < count) VerticalLine(dc, part.right, part.top + 3, part.bottom - 3, p.Rgb(Colour::StatusBorder));
    const int length = LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(i), 0));
    if (length == 0) continue;
    auto* text =
        static_cast<wchar_t*>(HeapAlloc(heap, HEAP_ZERO_MEMORY, (static_cast<SIZE_T>(length) + 1) * sizeof(wchar_t)));
    if (!text) continue;
    SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    text[length] = L'\0';
    DrawPartText(dc, text, lstrlenW(text), part);
    HeapFree(heap, 0, text);
  }
  if (GetWindowLongW(bar, GWL_STYLE) & SBARS_SIZEGRIP) DrawSizeGrip(dc, client, p.Rgb(Colour::StatusBorder));
}

}  // namespace skincore
