// Finding a thread's windows: the ones it has now, and, through a hook on
// that thread, the ones it creates later.
#pragma once

#include <windows.h>

#include "palette.h"

namespace skincore {

// A CBT hook on the calling thread that skins each window it creates.
HHOOK HookCallingThread(HINSTANCE module);

// Skins every window of the calling thread, children included, and has
// them repainted.
void SkinThreadWindows(const Palette& palette);
// Gives every window of `thread` its own looks back; false when some
// window of another thread could not be reached.
bool UnskinThreadWindows(DWORD thread);

}  // namespace skincore
