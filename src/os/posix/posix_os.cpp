#include "os/posix/posix_os.h"

#include <cstdlib>
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace os::posix {
namespace {

// The hidden attribute, as Windows numbers it.
constexpr std::uint32_t kAttributeHidden = 0x02;
// The reparse-point attribute that Windows gives symbolic links.
constexpr std::uint32_t kAttributeReparsePoint = 0x400;

// ---- Texts

// glibc knows code page 936 as "CP936"; other iconv libraries may know
// only "GBK", its near twin.
iconv_t OpenConverter(bool toCp936) {
  for (const char* cp936 : {"CP936", "GBK"}) {
    const iconv_t descriptor = toCp936 ? iconv_open(cp936, "UTF-8") : iconv_open("UTF-8", cp936);
    if (descriptor != reinterpret_cast<iconv_t>(static_cast<std::intptr_t>(-1))) return descriptor;
  }
  return nullptr;
}

// Strict: any character without an exact form in the other encoding fails
// the whole text.
bool Convert(bool toCp936, std::string_view in, std::string& out) {
  out.clear();
  const iconv_t descriptor = OpenConverter(toCp936);
  if (descriptor == nullptr) return false;
  out.resize(in.size() * 2 + 8);
  char* inNext = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  std::size_t done = 0;
  bool converted = true;
  for (;;) {
    char* outNext = out.data() + done;
    std::size_t outLeft = out.size() - done;
    const std::size_t result = iconv(descriptor, &inNext, &inLeft, &outNext, &outLeft);
    done = out.size() - outLeft;
    if (result == static_cast<std::size_t>(-1) && errno == E2BIG) {
      out.resize(out.size() * 2);
      continue;
    }
    // A count of irreversible conversions means some character was
    // replaced by another.
    converted = result == 0 && inLeft == 0;
    break;
  }
  iconv_close(descriptor);
  out.resize(converted ? done : 0);
  return converted;
}

bool Cp936ToUtf8(std::string_view in, std::string& out) { return Convert(false, in, out); }

bool Utf8ToCp936(std::string_view in, std::string& out) { return Convert(true, in, out); }

// Both ways, and the way back must give the very same bytes: anything else
// would let one text stand for another file.
bool ExactUtf8(std::string_view cp936, std::string& utf8) {
  std::string back;
  return Cp936ToUtf8(cp936, utf8) && Utf8ToCp936(utf8, back) && back == cp936;
}

bool ExactCp936(std::string_view utf8, std::string& cp936) {
  std::string back;
  return Utf8ToCp936(utf8, cp936) && Cp936ToUtf8(cp936, back) && back == utf8;
}

// A seam path as a native one. The separators are turned only after
// decoding: the second byte of a two-byte character can be 0x5C.
bool NativePath(const core::Text& text, std::string& path) {
  if (text.empty() || text.find('\0') != core::Text::npos) return false;
  if (!ExactUtf8(text, path)) return false;
  std::replace(path.begin(), path.end(), '\\', '/');
  return true;
}

// A name from the file system as the program holds it. A "\" in it would
// be taken for a separator, so such a name has no seam form.
bool SeamName(std::string_view name, core::Text& text) {
  if (name.find('\\') != std::string_view::npos) return false;
  return ExactCp936(name, text);
}

// ---- Wildcards

// A text as one number per character, so that "?" takes a two-byte
// character whole and case folding never touches a second byte.
std::vector<std::uint32_t> Characters(const core::Text& text) {
  std::vector<std::uint32_t> characters;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = core::CharacterLength(text, i);
    const auto first = static_cast<unsigned char>(text[i]);
    if (length == 2) {
      characters.push_back(0x10000u | (first << 8) | static_cast<unsigned char>(text[i + 1]));
    } else {
      characters.push_back((first >= 'A' && first <= 'Z') ? first - 'A' + 'a' : first);
    }
    i += length;
  }
  return characters;
}

bool MatchCharacters(const std::vector<std::uint32_t>& pattern, std::size_t patternEnd,
                     const std::vector<std::uint32_t>& name) {
  std::size_t p = 0;
  std::size_t n = 0;
  std::size_t starPattern = std::string::npos;
  std::size_t starName = 0;
  while (n < name.size()) {
    // "*" first: a POSIX name may hold a "*" of its own.
    if (p < patternEnd && pattern[p] == '*') {
      starPattern = p++;
      starName = n;
    } else if (p < patternEnd && (pattern[p] == '?' || pattern[p] == name[n])) {
      ++p;
      ++n;
    } else if (starPattern != std::string::npos) {
      p = starPattern + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (p < patternEnd && pattern[p] == '*') ++p;
  return p == patternEnd;
}

bool Matches(const std::vector<std::uint32_t>& pattern, const std::vector<std::uint32_t>& name) {
  if (MatchCharacters(pattern, pattern.size(), name)) return true;
  // As on Windows, a trailing ".*" may also match the end of the name.
  const std::size_t size = pattern.size();
  return size >= 2 && pattern[size - 2] == '.' && pattern[size - 1] == '*' &&
         MatchCharacters(pattern, size - 2, name);
}

// ---- Directory searches

struct Search {
  DIR* directory;
  std::vector<std::uint32_t> pattern;
};

bool ReadNextEntry(Search& search, DirectoryEntry& entry) {
  while (const dirent* found = readdir(search.directory)) {
    const std::string_view nativeName(found->d_name);
    core::Text name;
    if (!SeamName(nativeName, name) || !Matches(search.pattern, Characters(name))) continue;

    const int folder = dirfd(search.directory);
    struct stat status;
    // Gone since it was listed: nothing to report.
    if (fstatat(folder, found->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) continue;
    const bool link = S_ISLNK(status.st_mode);
    struct stat target;
    const bool directory =
        link ? fstatat(folder, found->d_name, &target, 0) == 0 && S_ISDIR(target.st_mode)
             : S_ISDIR(status.st_mode);

    std::uint32_t attributes = 0;
    if (directory) attributes |= kAttributeDirectory;
    if (link) attributes |= kAttributeReparsePoint;
    if (nativeName.front() == '.' && nativeName != "." && nativeName != "..")
      attributes |= kAttributeHidden;
    entry.name = std::move(name);
    entry.attributes = attributes;
    entry.isLink = link;
    return true;
  }
  return false;
}

// Offset just past the last separator of a seam path, stepping over
// two-byte characters so that a second byte 0x5C is not taken for one.
std::size_t NameStart(const core::Text& path) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < path.size(); i += core::CharacterLength(path, i)) {
    if (path[i] == '\\' || path[i] == '/') start = i + 1;
  }
  return start;
}

// ---- Moving

int RenameNoReplace(const std::string& from, const std::string& to) {
#if defined(RENAME_NOREPLACE)
  return renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
#else
  constexpr unsigned kRenameNoReplace = 1;
  return static_cast<int>(
      syscall(SYS_renameat2, AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), kRenameNoReplace));
#endif
}

bool Exists(const std::string& path) {
  struct stat status;
  return lstat(path.c_str(), &status) == 0;
}

bool LinkThenUnlink(const std::string& from, const std::string& to) {
  struct stat status;
  if (lstat(from.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  // link() never replaces: it fails when the new name exists.
  if (link(from.c_str(), to.c_str()) != 0) return false;
  if (unlink(from.c_str()) != 0) {
    unlink(to.c_str());
    return false;
  }
  return true;
}

}  // namespace

bool PosixOs::StartThread(std::function<void()> body) {
  if (!body) return false;
  try {
    std::thread(std::move(body)).detach();
    return true;
  } catch (const std::system_error&) {
    // The thread's copy of the body went with the failed start.
    return false;
  }
}

void PosixOs::WaitPumping(std::int64_t dueTime) {
  if (dueTime >= 0) return;
  const std::uint64_t length =
      dueTime == std::numeric_limits<std::int64_t>::min()
          ? static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())
          : static_cast<std::uint64_t>(-dueTime);
  timespec deadline;
  clock_gettime(CLOCK_MONOTONIC, &deadline);
  deadline.tv_sec += static_cast<time_t>(length / 10'000'000);
  deadline.tv_nsec += static_cast<long>(length % 10'000'000) * 100;
  if (deadline.tv_nsec >= 1'000'000'000) {
    deadline.tv_nsec -= 1'000'000'000;
    ++deadline.tv_sec;
  }
  // An absolute deadline, so that a signal's interruption does not lengthen
  // the wait.
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &deadline, nullptr) == EINTR) {
  }
}

bool PosixOs::MoveNoReplace(const Text& from, const Text& to) {
  std::string fromPath;
  std::string toPath;
  if (!NativePath(from, fromPath) || !NativePath(to, toPath)) return false;
  if (fromPath == toPath) return Exists(fromPath);
  if (RenameNoReplace(fromPath, toPath) == 0) return true;
  // The file system cannot rename without replacing.
  if (errno == EINVAL || errno == ENOSYS) return LinkThenUnlink(fromPath, toPath);
  return false;
}

bool PosixOs::MoveNoReplaceByLinking(const Text& from, const Text& to) {
  std::string fromPath;
  std::string toPath;
  if (!NativePath(from, fromPath) || !NativePath(to, toPath)) return false;
  if (fromPath == toPath) return Exists(fromPath);
  return LinkThenUnlink(fromPath, toPath);
}

SearchId PosixOs::FindFirst(const Text& pattern, DirectoryEntry& entry) {
  const std::size_t nameStart = NameStart(pattern);
  const Text namePattern = pattern.substr(nameStart);
  std::string checked;
  if (namePattern.empty() || namePattern.find('\0') != Text::npos ||
      !ExactUtf8(namePattern, checked))
    return kNoSearch;
  std::string folder = ".";
  if (nameStart > 0 && !NativePath(pattern.substr(0, nameStart), folder)) return kNoSearch;

  DIR* directory = opendir(folder.c_str());
  if (directory == nullptr) return kNoSearch;
  auto search = std::make_unique<Search>(Search{directory, Characters(namePattern)});
  if (!ReadNextEntry(*search, entry)) {
    closedir(directory);
    return kNoSearch;
  }
  return reinterpret_cast<SearchId>(search.release());
}

bool PosixOs::FindNext(SearchId search, DirectoryEntry& entry) {
  if (search == kNoSearch) return false;
  return ReadNextEntry(*reinterpret_cast<Search*>(search), entry);
}

void PosixOs::FindClose(SearchId search) {
  if (search == kNoSearch) return;
  const std::unique_ptr<Search> owned(reinterpret_cast<Search*>(search));
  closedir(owned->directory);
}

std::uint32_t PosixOs::TickCount() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  const std::uint64_t milliseconds = static_cast<std::uint64_t>(now.tv_sec) * 1000 +
                                     static_cast<std::uint64_t>(now.tv_nsec) / 1'000'000;
  return static_cast<std::uint32_t>(milliseconds);
}

Text PosixOs::ProgramFilePath() {
  std::string buffer(256, '\0');
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < buffer.size()) {
      buffer.resize(static_cast<std::size_t>(length));
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  if (buffer.find('\\') != std::string::npos) return {};
  std::replace(buffer.begin(), buffer.end(), '/', '\\');
  Text path;
  if (!ExactCp936(buffer, path)) return {};
  return path;
}

Text PosixOs::WindowsFolder() { return {}; }

bool PosixOs::WriteNewFile(const Text& path, const void* data, std::size_t size) {
  std::string nativePath;
  if (!NativePath(path, nativePath)) return false;
  const int file = open(nativePath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (file < 0) return false;
  bool written = true;
  const char* next = static_cast<const char*>(data);
  std::size_t left = size;
  while (written && left > 0) {
    const ssize_t done = write(file, next, left);
    if (done < 0 && errno == EINTR) continue;
    written = done > 0;
    if (written) {
      next += done;
      left -= static_cast<std::size_t>(done);
    }
  }
  const bool closed = close(file) == 0;
  return written && closed;
}

LibraryId PosixOs::LoadLibraryAt(const Text& fullPath) {
  std::string nativePath;
  // With a "/" in the path dlopen never searches; a leading one makes it
  // independent of the current folder.
  if (!NativePath(fullPath, nativePath) || nativePath.front() != '/') return kNoLibrary;
  return reinterpret_cast<LibraryId>(dlopen(nativePath.c_str(), RTLD_NOW | RTLD_LOCAL));
}

void* PosixOs::FindFunction(LibraryId library, const char* name) {
  if (library == kNoLibrary || name == nullptr) return nullptr;
  return dlsym(reinterpret_cast<void*>(library), name);
}

bool PosixOs::StartProcess(const Text&, ShowMode) { return false; }

bool PosixOs::OpenWebAddress(const Text&) { return false; }

void PosixOs::EndProcess(int exitCode) { std::_Exit(exitCode); }

}  // namespace os::posix
