// The program with its real window, as wine/real_program.h starts it, but
// over a CountingOs around the Win32 backend, so that a rename run's workers
// and moves in flight are counted.
#pragma once

#include "common/counting_os.h"
#include "os/win32/win32_os.h"
#include "wine/real_program.h"

namespace bench {

// The Win32 backend is a base so that it exists before the counter that
// refers to it.
struct Win32Backend {
  os::win32::Win32Os real;
};

class CountingWin32Os : public Win32Backend, public CountingOs {
 public:
  CountingWin32Os() : CountingOs(real) {}
};

using ObservedProgram = test_support::BasicRealProgram<CountingWin32Os>;

}  // namespace bench
