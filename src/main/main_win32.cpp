// The Windows program: joins the program's logic to the Win32 backends.
#include <windows.h>

#include "app/entry.h"
#include "app/program.h"
#include "os/win32/win32_os.h"
#include "ui/win32/win32_toolkit.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Never freed: rename threads may still use them until the process ends,
  // and ending the process stops those threads before anything is torn down.
  auto* system = new os::win32::Win32Os();
  auto* toolkit = new ui::win32::Win32Toolkit(*system);
  auto* program = new app::Program(*toolkit, *system);
  app::RunEntrySequence(*program);
  ExitProcess(0);
}
