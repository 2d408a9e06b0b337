// Code page 936 texts to and from the UTF-16 of the W functions. The code
// page is named explicitly, so the program behaves the same whatever the
// system's ANSI code page is.
#pragma once

#include <string>

#include "core/text.h"

namespace os::win32 {

// Invalid byte sequences cannot arise from the program's own texts; should
// one appear it becomes U+FFFD, which no file name matches.
std::wstring Widen(const core::Text& text);

// Exact conversion: false when some character has no code page 936 form,
// so that no best-fit or default character ever stands for another.
bool NarrowExact(const std::wstring& wide, core::Text& text);

// For what the user types: characters without a code page 936 form become
// "?", which no file name may hold.
core::Text NarrowForDisplay(const std::wstring& wide);

}  // namespace os::win32
