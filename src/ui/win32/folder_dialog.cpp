#include "ui/win32/folder_dialog.h"

#include <shlobj.h>

#include "os/win32/wide_text.h"

namespace ui::win32 {
namespace {

// Vista and later can give paths beyond MAX_PATH; older systems cannot.
using PathFromIdListEx = BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, PWSTR, DWORD, GPFIDL_FLAGS);

std::wstring PathOf(PCIDLIST_ABSOLUTE item) {
  static const auto pathFromIdListEx = reinterpret_cast<PathFromIdListEx>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"shell32.dll"), "SHGetPathFromIDListEx")));
  if (pathFromIdListEx) {
    std::wstring path(32768, L'\0');
    if (!pathFromIdListEx(item, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT)) return {};
    path.resize(wcslen(path.c_str()));
    return path;
  }
  wchar_t path[MAX_PATH] = {};
  if (!SHGetPathFromIDListW(item, path)) return {};
  return path;
}

}  // namespace

core::Text ChooseFolder(HWND owner, const std::wstring& title) {
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.pidlRoot = nullptr;  // the desktop: the whole namespace
  info.lpszTitle = title.c_str();
  info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE;
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
  if (!chosen) return {};
  const std::wstring path = PathOf(chosen);
  CoTaskMemFree(chosen);
  core::Text text;
  if (path.empty() || !os::win32::NarrowExact(path, text)) return {};
  return text;
}

}  // namespace ui::win32
