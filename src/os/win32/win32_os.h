// The operating-system seam on Win32: the W functions throughout, with
// texts converted from and to code page 936 explicitly and every path
// handed over in its long-path form (os/win32/long_path.h).
#pragma once

#include <cstdint>

#include "os/os.h"

namespace os::win32 {

class Win32Os final : public os::Os {
 public:
  bool StartThread(std::function<void()> body) override;
  void WaitPumping(std::int64_t dueTime) override;
  bool MoveNoReplace(const Text& from, const Text& to) override;
  SearchId FindFirst(const Text& pattern, DirectoryEntry& entry) override;
  bool FindNext(SearchId search, DirectoryEntry& entry) override;
  void FindClose(SearchId search) override;
  std::uint32_t TickCount() override;
  Text ProgramFilePath() override;
  // A Windows folder at the root of a drive keeps its "\" ("C:\"), since
  // "C:" alone would mean the current folder of drive C.
  Text WindowsFolder() override;
  bool WriteNewFile(const Text& path, const void* data, std::size_t size) override;
  // Refuses a bare or relative name, which the system would search for, and
  // a file name without an extension, to which the system would add ".dll".
  LibraryId LoadLibraryAt(const Text& fullPath) override;
  void* FindFunction(LibraryId library, const char* name) override;
  bool StartProcess(const Text& commandLine, ShowMode show) override;
  bool OpenWebAddress(const Text& address) override;
  [[noreturn]] void EndProcess(int exitCode) override;

  // The wait WaitPumping falls back on when it cannot have a waitable
  // timer: the same wait and the same message handling, timed by the
  // clock between waits for input. Callable on its own so that this rarely
  // taken way is tested too.
  static void WaitPumpingWithoutTimer(std::int64_t dueTime);
};

}  // namespace os::win32
