// What a rename may produce: one plain file name inside the file's own
// folder. The rule composes whatever the options say; the rename refuses a
// result that Windows would store as another name, take for a device, or
// read as a path or a stream.
#pragma once

#include "core/text.h"

namespace renaming {

// False for: an empty name, "." or "..", a name holding "\", "/" or ":"
// (":" would open an alternate data stream), one of the characters Windows
// refuses in names (< > " | ? * and control characters), a name ending in
// "." or " " (Windows would silently store it without them), and a reserved
// device name (CON, PRN, AUX, NUL, COM1-9, LPT1-9, also before an extension).
bool IsPlainFileName(const core::Text& name);

}  // namespace renaming
