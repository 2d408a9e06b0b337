// Facts about single file names (no folder part), in code page 936 bytes.
#pragma once

#include "core/text.h"

namespace core {

// True for a name Windows takes for a device in whatever folder it stands:
// CON, PRN, AUX, NUL, COM1..COM9 and LPT1..LPT9, in any ASCII case, also
// with an extension ("con.txt", "Nul.tar.gz") or trailing blanks ("aux ").
// Only the part before the first "." counts, because that is what the
// system looks at.
bool IsReservedDeviceName(const Text& name);

}  // namespace core
