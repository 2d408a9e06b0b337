#include "os/win32/wide_text.h"

#include <windows.h>

namespace os::win32 {
namespace {

constexpr UINT kCodePage = 936;

}  // namespace

std::wstring Widen(const core::Text& text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(kCodePage, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(kCodePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

bool NarrowExact(const std::wstring& wide, core::Text& text) {
  text.clear();
  if (wide.empty()) return true;
  const int size = static_cast<int>(wide.size());
  BOOL usedDefault = FALSE;
  const int length = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                         nullptr, 0, nullptr, &usedDefault);
  if (length <= 0 || usedDefault) return false;
  core::Text narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, narrow.data(), length,
                      nullptr, &usedDefault);
  // The way back must give the very same characters; anything else means
  // the narrow form names something else.
  if (usedDefault || Widen(narrow) != wide) return false;
  text = std::move(narrow);
  return true;
}

core::Text NarrowForDisplay(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  const int length = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size,
                                         nullptr, 0, "?", nullptr);
  if (length <= 0) return {};
  core::Text narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), size, narrow.data(), length,
                      "?", nullptr);
  return narrow;
}

}  // namespace os::win32
