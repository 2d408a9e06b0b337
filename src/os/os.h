// The operating-system seam: everything the program needs of the system,
// and nothing else. Each backend (win32/, posix/) implements this contract.
//
// File names cross this seam as code page 936 texts with "\" separators;
// each backend converts them to its own form. A name that code page 936
// cannot represent exactly is never converted by a best-fit or default
// character, since such a name could stand for another file: directory
// searches pass over such entries, and other calls fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "core/text.h"

namespace os {

using core::Text;

// Attribute bit of a directory entry that is a folder.
constexpr std::uint32_t kAttributeDirectory = 0x10;

struct DirectoryEntry {
  Text name;                     // long file name, without folder
  std::uint32_t attributes = 0;  // kAttributeDirectory and the rest as the system reports them
  bool isLink = false;           // a symbolic link or junction: another name for something elsewhere
};

// An open directory search; kNoSearch when none is open.
using SearchId = std::uintptr_t;
constexpr SearchId kNoSearch = 0;

// An open library; kNoLibrary when none could be opened.
using LibraryId = std::uintptr_t;
constexpr LibraryId kNoLibrary = 0;

enum class ShowMode { Normal, Maximized };

class Os {
 public:
  virtual ~Os() = default;

  // Starts `body` on a thread of its own and lets it run; the thread is
  // never joined. False when the thread could not be created.
  virtual bool StartThread(std::function<void()> body) = 0;

  // Returns when the due time has passed, handling the calling thread's
  // messages meanwhile. `dueTime` counts 100-nanosecond intervals; a
  // negative value counts from now.
  virtual void WaitPumping(std::int64_t dueTime) = 0;

  // Renames `from` to `to`, never replacing an existing file. Renaming a
  // file to exactly its own name succeeds.
  virtual bool MoveNoReplace(const Text& from, const Text& to) = 0;

  // Directory search: `pattern` is a folder path followed by a file-name
  // pattern with the wildcards * and ?. FindFirst gives the first entry,
  // FindNext the following ones in the file system's order; both return
  // false when no entry is left. FindFirst returns kNoSearch when nothing
  // matches or the path is refused.
  virtual SearchId FindFirst(const Text& pattern, DirectoryEntry& entry) = 0;
  virtual bool FindNext(SearchId search, DirectoryEntry& entry) = 0;
  virtual void FindClose(SearchId search) = 0;

  // Milliseconds since the system started, wrapping at 2^32.
  virtual std::uint32_t TickCount() = 0;

  // Full path of the running program file.
  virtual Text ProgramFilePath() = 0;

  // The system's Windows folder, without a trailing "\"; empty when the
  // system has none.
  virtual Text WindowsFolder() = 0;

  // Creates the file (or truncates it), without sharing, and writes all of
  // `data` into it. False when it could not be created or written.
  virtual bool WriteNewFile(const Text& path, const void* data, std::size_t size) = 0;

  // Loads the library at exactly this full path, never by a search.
  virtual LibraryId LoadLibraryAt(const Text& fullPath) = 0;
  virtual void* FindFunction(LibraryId library, const char* name) = 0;

  // Starts a program from a command line without waiting for it.
  virtual bool StartProcess(const Text& commandLine, ShowMode show) = 0;

  // The shell's "open" of a web address: the default web browser shows it.
  virtual bool OpenWebAddress(const Text& address) = 0;

  // Ends the process at once with the exit code; threads still running are
  // stopped with it.
  [[noreturn]] virtual void EndProcess(int exitCode) = 0;
};

}  // namespace os
