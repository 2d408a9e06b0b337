#pragma once

#include <windows.h>

#include <string>

#include "core/text.h"

namespace ui::win32 {

// The system's folder dialog, modal to `owner`, over the whole shell
// namespace with an edit field for a typed name. Gives the chosen folder's
// file-system path, or empty when cancelled, when the choice has no
// file-system path, or when code page 936 cannot name it exactly.
core::Text ChooseFolder(HWND owner, const std::wstring& title);

}  // namespace ui::win32
