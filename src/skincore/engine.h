// The library's state: the skins it has made, the threads it is attached
// to, and what happens when a thread or the library goes away.
#pragma once

#include <windows.h>

#include "palette.h"
#include "skin_format.h"

namespace skincore {

void SetModule(HINSTANCE module);

// The skin windows are painted with now, or null once the library is
// letting go.
const Palette* CurrentPalette();

// Makes `skin` the one in use and attaches the calling thread: its windows now
// and later. False when no hook or no GDI objects could be had.
bool AttachCallingThread(const SkinValues& skin);

// From DllMain: a thread ends, or the library is unloaded while the
// process goes on.
void ThreadEnding();
void Unload();

}  // namespace skincore
