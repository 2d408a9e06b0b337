// The operating-system seam on POSIX, for the native tests: real files in
// real folders, with the Win32 backend's rules as far as POSIX can follow
// them. Texts cross as code page 936 with "\" separators and are turned
// into UTF-8 paths with "/" here, strictly both ways.
//
// What POSIX cannot do: there is no message queue, so WaitPumping only
// waits; no Windows folder; no sharing modes; and a Windows command line
// or the shell's "open" cannot be carried out, so StartProcess and
// OpenWebAddress always fail.
#pragma once

#include <cstdint>

#include "os/os.h"

namespace os::posix {

class PosixOs final : public os::Os {
 public:
  bool StartThread(std::function<void()> body) override;
  // A positive (absolute) due time counts as already due.
  void WaitPumping(std::int64_t dueTime) override;
  bool MoveNoReplace(const Text& from, const Text& to) override;
  // Wildcards as on Windows, ASCII case-insensitive: "*" any run, "?" one
  // character, and a trailing ".*" also matches a name without a dot (so
  // "*.*" matches everything). Attributes: kAttributeDirectory for folders
  // (through symbolic links), hidden for names starting with "." (but "."
  // and ".." themselves), and the reparse-point bit with isLink for
  // symbolic links.
  SearchId FindFirst(const Text& pattern, DirectoryEntry& entry) override;
  bool FindNext(SearchId search, DirectoryEntry& entry) override;
  void FindClose(SearchId search) override;
  std::uint32_t TickCount() override;
  Text ProgramFilePath() override;
  Text WindowsFolder() override;
  bool WriteNewFile(const Text& path, const void* data, std::size_t size) override;
  LibraryId LoadLibraryAt(const Text& fullPath) override;
  void* FindFunction(LibraryId library, const char* name) override;
  bool StartProcess(const Text& commandLine, ShowMode show) override;
  bool OpenWebAddress(const Text& address) override;
  [[noreturn]] void EndProcess(int exitCode) override;

  // What MoveNoReplace falls back on where the file system cannot rename
  // without replacing: a hard link under the new name, then the old name
  // removed. Regular files only. Callable on its own so that it is tested
  // on file systems that never need it.
  static bool MoveNoReplaceByLinking(const Text& from, const Text& to);
};

}  // namespace os::posix
