#include "control_state.h"

#include <commctrl.h>
#include <uxtheme.h>

namespace skincore {
namespace {

// What the control had before, kept on the window itself.
constexpr wchar_t kSavedBack[] = L"SkinCore.SavedBack";
constexpr wchar_t kSavedText[] = L"SkinCore.SavedText";
constexpr wchar_t kSavedTextBack[] = L"SkinCore.SavedTextBack";
constexpr wchar_t kApplied[] = L"SkinCore.Applied";

void Keep(HWND window, const wchar_t* name, COLORREF colour) {
  SetPropW(window, name, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(colour)));
}

COLORREF Kept(HWND window, const wchar_t* name) {
  return static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(RemovePropW(window, name)));
}

// A bar without a theme has a border edge, which some versions of the
// control set without having the frame measured again.
void ReframeAfterThemeChange(HWND bar) {
  SetWindowPos(bar, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

}  // namespace

void ApplyControlState(const Palette& p, HWND window, WindowKind kind) {
  const bool first = GetPropW(window, kApplied) == nullptr;
  switch (kind) {
    case WindowKind::ListView:
      if (first) {
        Keep(window, kSavedBack, static_cast<COLORREF>(SendMessageW(window, LVM_GETBKCOLOR, 0, 0)));
        Keep(window, kSavedText, static_cast<COLORREF>(SendMessageW(window, LVM_GETTEXTCOLOR, 0, 0)));
        Keep(window, kSavedTextBack, static_cast<COLORREF>(SendMessageW(window, LVM_GETTEXTBKCOLOR, 0, 0)));
      }
      SendMessageW(window, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(p.Rgb(Colour::ListBack)));
      SendMessageW(window, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(p.Rgb(Colour::ListBack)));
      SendMessageW(window, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(p.Rgb(Colour::ListText)));
      break;
    case WindowKind::ProgressBar:
      // A themed bar draws the theme's colours whatever it is told. An
      // empty name is how Windows is told "no theme"; some uxtheme versions
      // refuse it, and a name no theme has does the same there.
      if (FAILED(SetWindowTheme(window, L"", L"")) || GetWindowTheme(window)) SetWindowTheme(window, L" ", L" ");
      ReframeAfterThemeChange(window);
      SendMessageW(window, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(p.Rgb(Colour::ProgressBar)));
      SendMessageW(window, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(p.Rgb(Colour::ProgressBack)));
      break;
    case WindowKind::StatusBar: {
      const auto old =
          static_cast<COLORREF>(SendMessageW(window, SB_SETBKCOLOR, 0, static_cast<LPARAM>(p.Rgb(Colour::StatusBack))));
      if (first) Keep(window, kSavedBack, old);
      break;
    }
    default:
      return;
  }
  SetPropW(window, kApplied, reinterpret_cast<HANDLE>(1));
}

void RestoreControlState(HWND window, WindowKind kind) {
  if (!RemovePropW(window, kApplied)) return;
  switch (kind) {
    case WindowKind::ListView:
      SendMessageW(window, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(Kept(window, kSavedBack)));
      SendMessageW(window, LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(Kept(window, kSavedText)));
      SendMessageW(window, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(Kept(window, kSavedTextBack)));
      break;
    case WindowKind::ProgressBar:
      SendMessageW(window, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(CLR_DEFAULT));
      SendMessageW(window, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(CLR_DEFAULT));
      SetWindowTheme(window, nullptr, nullptr);
      ReframeAfterThemeChange(window);
      break;
    case WindowKind::StatusBar:
      SendMessageW(window, SB_SETBKCOLOR, 0, static_cast<LPARAM>(Kept(window, kSavedBack)));
      break;
    default:
      break;
  }
}

void ForgetControlState(HWND window) {
  RemovePropW(window, kApplied);
  RemovePropW(window, kSavedBack);
  RemovePropW(window, kSavedText);
  RemovePropW(window, kSavedTextBack);
}

}  // namespace skincore
