#include "window_kind.h"

#include <commctrl.h>

namespace skincore {
namespace {

bool SameName(const wchar_t* a, const wchar_t* b) { return CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL; }

struct ClassKind {
  const wchar_t* name;
  WindowKind kind;
};

constexpr ClassKind kClasses[] = {
    {L"Static", WindowKind::Static},
    {L"Edit", WindowKind::Edit},
    {L"Button", WindowKind::Button},
    {L"ComboBox", WindowKind::ComboBox},
    {L"ComboLBox", WindowKind::ListBox},
    {L"ListBox", WindowKind::ListBox},
    {WC_LISTVIEWW, WindowKind::ListView},
    {WC_HEADERW, WindowKind::Header},
    {WC_TABCONTROLW, WindowKind::Tab},
    {STATUSCLASSNAMEW, WindowKind::StatusBar},
    {PROGRESS_CLASSW, WindowKind::ProgressBar},
    {L"#32770", WindowKind::Dialog},
    // Windows of the system's own that have their own looks.
    {L"#32768", WindowKind::None},  // menu
    {TOOLTIPS_CLASSW, WindowKind::None},
    {L"ScrollBar", WindowKind::None},
    {L"IME", WindowKind::None},
    {L"MSCTFIME UI", WindowKind::None},
    // Fills its background with what its parent gives it for a static.
    {L"SysLink", WindowKind::Plain},
};

WindowKind KindOfClass(HWND window) {
  wchar_t name[64];
  if (GetClassNameW(window, name, 64) <= 0) return WindowKind::None;
  for (const ClassKind& c : kClasses)
    if (SameName(name, c.name)) return c.kind;
  const auto background = static_cast<HBRUSH>(reinterpret_cast<HANDLE>(GetClassLongPtrW(window, GCLP_HBRBACKGROUND)));
  if (background == reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)) ||
      background == GetSysColorBrush(COLOR_BTNFACE))
    return WindowKind::FaceWindow;
  return WindowKind::Plain;
}

}  // namespace

bool ClassIs(HWND window, const wchar_t* name) {
  wchar_t actual[64];
  return GetClassNameW(window, actual, 64) > 0 && SameName(actual, name);
}

WindowKind KindOfNew(HWND window, HWND parent) {
  if (parent == HWND_MESSAGE) return WindowKind::None;
  return KindOfClass(window);
}

// Message-only windows are never among the windows enumerated, and the
// hook tells them by their parent, so only the class is left to look at.
WindowKind KindOf(HWND window) {
  if (!IsWindow(window)) return WindowKind::None;
  return KindOfClass(window);
}

bool IsBorderlessEdit(HWND edit) {
  const LONG style = GetWindowLongW(edit, GWL_STYLE);
  const LONG extended = GetWindowLongW(edit, GWL_EXSTYLE);
  if ((style & WS_BORDER) || (extended & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE))) return false;
  // The field of a combo box is borderless too, but the box draws it a frame.
  HWND parent = GetParent(edit);
  return !(parent && ClassIs(parent, L"ComboBox"));
}

bool HasChildren(HWND window) { return GetWindow(window, GW_CHILD) != nullptr; }

UINT ButtonType(HWND button) { return static_cast<UINT>(GetWindowLongW(button, GWL_STYLE)) & BS_TYPEMASK; }

}  // namespace skincore
