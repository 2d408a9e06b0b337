#include "os/win32/win32_os.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <string>
#include <utility>

#include "os/win32/long_path.h"
#include "os/win32/wide_text.h"

namespace os::win32 {
namespace {

// The seam text as UTF-16, only when it converts exactly and holds no NUL
// (which would cut the name short on its way to the system).
bool ExactWide(const core::Text& text, std::wstring& wide) {
  if (text.empty() || text.find('\0') != core::Text::npos) return false;
  wide = Widen(text);
  core::Text back;
  return !wide.empty() && NarrowExact(wide, back) && back == text;
}

// The form of a seam path to hand to the system; false when the call must
// be refused.
bool SystemPath(const core::Text& text, std::wstring& path) {
  std::wstring wide;
  if (!ExactWide(text, wide)) return false;
  path = LongPathForm(wide);
  return !path.empty();
}

// ---- Threads

DWORD WINAPI RunThreadBody(LPVOID parameter) {
  const std::unique_ptr<std::function<void()>> body(static_cast<std::function<void()>*>(parameter));
  (*body)();
  return 0;
}

// ---- Waiting

// Handles the calling thread's pending messages for the length of a wait.
// A quit request is taken off the queue with the rest (left there, it would
// wake every wait at once and the wait would spin) and put back when the
// wait is over, so that the caller's message loop still finds it.
class MessagePump {
 public:
  MessagePump() = default;
  MessagePump(const MessagePump&) = delete;
  MessagePump& operator=(const MessagePump&) = delete;
  ~MessagePump() {
    if (quitRequested_) PostQuitMessage(quitCode_);
  }

  void HandlePending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        quitRequested_ = true;
        quitCode_ = static_cast<int>(message.wParam);
        continue;
      }
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

 private:
  bool quitRequested_ = false;
  int quitCode_ = 0;
};

// A wait's length in WaitPumping's 100-nanosecond units: a negative due
// time counts from now, a positive one is a UTC file time.
std::uint64_t HundredNanosecondsUntil(std::int64_t dueTime) {
  if (dueTime < 0) {
    return dueTime == std::numeric_limits<std::int64_t>::min()
               ? static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())
               : static_cast<std::uint64_t>(-dueTime);
  }
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const std::uint64_t nowValue =
      (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  const std::uint64_t due = static_cast<std::uint64_t>(dueTime);
  return due > nowValue ? due - nowValue : 0;
}

// The performance counter, which is as fine as the system's clock gets.
std::int64_t CounterNow() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

std::int64_t CounterFrequency() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return frequency.QuadPart;
}

std::int64_t DeadlineAfter(std::int64_t start, std::uint64_t hundredNanoseconds) {
  // Ten years are as good as forever and keep the counter from
  // overflowing.
  constexpr std::uint64_t kUnitsPerSecond = 10'000'000;
  constexpr std::uint64_t kLongest = 10ULL * 366 * 24 * 3600 * kUnitsPerSecond;
  const std::uint64_t length = std::min(hundredNanoseconds, kLongest);
  const auto frequency = static_cast<std::uint64_t>(CounterFrequency());
  // Rounded up, so that the deadline is never early.
  const std::uint64_t ticks =
      length / kUnitsPerSecond * frequency +
      (length % kUnitsPerSecond * frequency + kUnitsPerSecond - 1) / kUnitsPerSecond;
  return start + static_cast<std::int64_t>(ticks);
}

void PumpUntil(std::int64_t deadline, MessagePump& pump) {
  const std::int64_t frequency = CounterFrequency();
  pump.HandlePending();
  for (;;) {
    const std::int64_t remaining = deadline - CounterNow();
    if (remaining <= 0) return;
    // Rounded up, so that a wait never ends before its time; a timeout
    // that ends early anyway only brings another round.
    const std::int64_t milliseconds =
        remaining / frequency * 1000 + (remaining % frequency * 1000 + frequency - 1) / frequency;
    const DWORD timeout = static_cast<DWORD>(
        std::clamp<std::int64_t>(milliseconds, 1, static_cast<std::int64_t>(INFINITE) - 1));
    const DWORD result = MsgWaitForMultipleObjects(0, nullptr, FALSE, timeout, QS_ALLINPUT);
    if (result == WAIT_OBJECT_0) {
      pump.HandlePending();
    } else if (result == WAIT_FAILED) {
      // Sleeps the round out rather than spin on a wait that keeps failing.
      Sleep(timeout);
    }
  }
}

// ---- Directory searches

// Wrapped so that an open search is never taken for kNoSearch, whatever
// value the system gives its handle.
struct Search {
  HANDLE handle;
};

bool ReadEntry(const WIN32_FIND_DATAW& data, DirectoryEntry& entry) {
  core::Text name;
  if (!NarrowExact(std::wstring(data.cFileName), name)) return false;
  entry.name = std::move(name);
  entry.attributes = data.dwFileAttributes;
  // Only name surrogates (symbolic links, junctions) stand for another
  // place; other reparse points, such as deduplicated or cloud files, are
  // the files themselves.
  entry.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
                 IsReparseTagNameSurrogate(data.dwReserved0);
  return true;
}

bool ReadNextEntry(HANDLE handle, DirectoryEntry& entry) {
  WIN32_FIND_DATAW data;
  while (FindNextFileW(handle, &data)) {
    if (ReadEntry(data, entry)) return true;
  }
  return false;
}

}  // namespace

bool Win32Os::StartThread(std::function<void()> body) {
  if (!body) return false;
  auto owned = std::make_unique<std::function<void()>>(std::move(body));
  const HANDLE thread =
      CreateThread(nullptr, 0, RunThreadBody, owned.get(), CREATE_SUSPENDED, nullptr);
  if (thread == nullptr) return false;
  if (ResumeThread(thread) == static_cast<DWORD>(-1)) {
    // It never ran, so it holds nothing and the body is still ours.
    TerminateThread(thread, 0);
    CloseHandle(thread);
    return false;
  }
  owned.release();
  CloseHandle(thread);
  return true;
}

void Win32Os::WaitPumping(std::int64_t dueTime) {
  const std::int64_t start = CounterNow();
  const HANDLE timer = CreateWaitableTimerW(nullptr, FALSE, nullptr);
  LARGE_INTEGER due;
  due.QuadPart = dueTime;
  if (timer == nullptr || !SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE)) {
    if (timer != nullptr) CloseHandle(timer);
    WaitPumpingWithoutTimer(dueTime);
    return;
  }
  {
    MessagePump pump;
    // Messages that came before the wait would not wake it.
    pump.HandlePending();
    for (;;) {
      const DWORD result = MsgWaitForMultipleObjects(1, &timer, FALSE, INFINITE, QS_ALLINPUT);
      if (result == WAIT_OBJECT_0) break;
      if (result == WAIT_OBJECT_0 + 1) {
        pump.HandlePending();
        continue;
      }
      // The wait itself failed; finish it by the clock.
      PumpUntil(DeadlineAfter(start, HundredNanosecondsUntil(dueTime)), pump);
      break;
    }
  }
  CloseHandle(timer);
}

void Win32Os::WaitPumpingWithoutTimer(std::int64_t dueTime) {
  MessagePump pump;
  PumpUntil(DeadlineAfter(CounterNow(), HundredNanosecondsUntil(dueTime)), pump);
}

bool Win32Os::MoveNoReplace(const Text& from, const Text& to) {
  std::wstring fromPath;
  std::wstring toPath;
  if (!SystemPath(from, fromPath) || !SystemPath(to, toPath)) return false;
  return MoveFileW(fromPath.c_str(), toPath.c_str()) != FALSE;
}

SearchId Win32Os::FindFirst(const Text& pattern, DirectoryEntry& entry) {
  std::wstring path;
  if (!SystemPath(pattern, path)) return kNoSearch;
  auto search = std::make_unique<Search>();
  WIN32_FIND_DATAW data;
  search->handle = FindFirstFileW(path.c_str(), &data);
  if (search->handle == INVALID_HANDLE_VALUE) return kNoSearch;
  if (!ReadEntry(data, entry) && !ReadNextEntry(search->handle, entry)) {
    ::FindClose(search->handle);
    return kNoSearch;
  }
  return reinterpret_cast<SearchId>(search.release());
}

bool Win32Os::FindNext(SearchId search, DirectoryEntry& entry) {
  if (search == kNoSearch) return false;
  return ReadNextEntry(reinterpret_cast<Search*>(search)->handle, entry);
}

void Win32Os::FindClose(SearchId search) {
  if (search == kNoSearch) return;
  const std::unique_ptr<Search> owned(reinterpret_cast<Search*>(search));
  ::FindClose(owned->handle);
}

std::uint32_t Win32Os::TickCount() { return GetTickCount(); }

Text Win32Os::ProgramFilePath() {
  // The system's own limit on path lengths; a longer answer is not a path.
  constexpr std::size_t kLongest = 32768;
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      break;
    }
    // Cut short: the answer filled the whole buffer.
    if (buffer.size() >= kLongest) return {};
    buffer.resize(buffer.size() * 2);
  }
  Text path;
  if (!NarrowExact(buffer, path)) return {};
  return path;
}

Text Win32Os::WindowsFolder() {
  const UINT needed = GetWindowsDirectoryW(nullptr, 0);
  if (needed == 0) return {};
  std::wstring buffer(needed, L'\0');
  const UINT length = GetWindowsDirectoryW(buffer.data(), needed);
  if (length == 0 || length >= needed) return {};
  buffer.resize(length);
  const bool driveRoot = buffer.size() == 3 && buffer[1] == L':';
  if (!driveRoot && buffer.size() > 1 && buffer.back() == L'\\') buffer.pop_back();
  Text folder;
  if (!NarrowExact(buffer, folder)) return {};
  return folder;
}

bool Win32Os::WriteNewFile(const Text& path, const void* data, std::size_t size) {
  std::wstring systemPath;
  if (!SystemPath(path, systemPath)) return false;
  const HANDLE file = CreateFileW(systemPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool written = true;
  const char* next = static_cast<const char*>(data);
  std::size_t left = size;
  while (written && left > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(left, 1u << 30));
    DWORD done = 0;
    written = WriteFile(file, next, chunk, &done, nullptr) != FALSE && done > 0;
    next += done;
    left -= done;
  }
  const bool closed = CloseHandle(file) != FALSE;
  return written && closed;
}

LibraryId Win32Os::LoadLibraryAt(const Text& fullPath) {
  std::wstring wide;
  if (!ExactWide(fullPath, wide) || !IsAbsolutePath(wide)) return kNoLibrary;
  const std::size_t nameStart = wide.find_last_of(L"\\/") + 1;
  if (wide.find(L'.', nameStart) == std::wstring::npos) return kNoLibrary;
  const std::wstring path = LongPathForm(wide);
  if (path.empty()) return kNoLibrary;
  // A full path loads that very file; what it needs in turn comes from
  // the system's search, never from the library's own folder.
  return reinterpret_cast<LibraryId>(LoadLibraryExW(path.c_str(), nullptr, 0));
}

void* Win32Os::FindFunction(LibraryId library, const char* name) {
  if (library == kNoLibrary || name == nullptr) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(library), name));
}

bool Win32Os::StartProcess(const Text& commandLine, ShowMode show) {
  std::wstring writable;
  if (!ExactWide(commandLine, writable)) return false;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow =
      static_cast<WORD>(show == ShowMode::Maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
  PROCESS_INFORMATION process = {};
  // CreateProcessW may write into the command line, hence the copy.
  if (!CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

bool Win32Os::OpenWebAddress(const Text& address) {
  std::wstring wide;
  if (!ExactWide(address, wide)) return false;
  const HINSTANCE result =
      ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  // Values up to 32 are error codes.
  return reinterpret_cast<INT_PTR>(result) > 32;
}

void Win32Os::EndProcess(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

}  // namespace os::win32
