// The Windows program: joins the program's logic to the Win32 backends.
#include <windows.h>

#include "app/entry.h"
#include "app/program.h"
#include "os/win32/win32_os.h"
#include "ui/win32/win32_toolkit.h"

namespace {

// Libraries that the system loads on demand come from the system folder
// only, never from beside the program, where someone could have placed a
// look-alike. Systems without the call (Windows 7 before its 2011 update)
// keep their usual search order.
void RestrictLibrarySearch() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const auto restrict = reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (restrict) restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  RestrictLibrarySearch();
  // Never freed: rename threads may still use them until the process ends,
  // and ending the process stops those threads before anything is torn down.
  auto* system = new os::win32::Win32Os();
  auto* toolkit = new ui::win32::Win32Toolkit(*system);
  auto* program = new app::Program(*toolkit, *system);
  app::RunEntrySequence(*program);
  ExitProcess(0);
}
