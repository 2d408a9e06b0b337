// Files for the Windows tests, made and read through the W functions with
// the verbatim path form, so that names the system would otherwise change
// and paths beyond MAX_PATH work too.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

#include "core/text.h"
#include "os/win32/wide_text.h"

namespace test_support {

using core::Text;

// A fresh, empty folder under the system's folder for temporary files,
// removed with all it holds when the object goes.
class TempFolder {
 public:
  TempFolder() {
    std::wstring base(MAX_PATH + 1, L'\0');
    const DWORD length = GetTempPathW(static_cast<DWORD>(base.size()), base.data());
    if (length == 0 || length >= base.size())
      throw std::runtime_error("no folder for temporary files");
    base.resize(length);
    if (base.back() != L'\\') base.push_back(L'\\');
    static unsigned made = 0;  // tests run one at a time
    const std::wstring stem =
        base + L"renamer-test-" + std::to_wstring(GetCurrentProcessId()) + L"-";
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
      const std::wstring candidate = stem + std::to_wstring(++made);
      if (CreateDirectoryW(candidate.c_str(), nullptr)) {
        nativePath_ = candidate;
        if (!os::win32::NarrowExact(candidate, path_)) {
          RemoveDirectoryW(candidate.c_str());
          throw std::runtime_error("the temporary folder has no code page 936 form");
        }
        return;
      }
      if (GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    throw std::runtime_error("cannot create a temporary folder");
  }
  ~TempFolder() { RemoveTree(L"\\\\?\\" + nativePath_); }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // As the program names it: code page 936, "\" separators, no final "\".
  const Text& Path() const { return path_; }
  const std::wstring& NativePath() const { return nativePath_; }
  Text Child(const Text& name) const { return path_ + "\\" + name; }

 private:
  // By the verbatim form, so that names the system would otherwise change
  // and paths beyond MAX_PATH go too. Links go themselves, never what they
  // lead to.
  static void RemoveTree(const std::wstring& verbatimPath) {
    WIN32_FIND_DATAW data;
    const HANDLE search = FindFirstFileW((verbatimPath + L"\\*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring child = verbatimPath + L"\\" + name;
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        const bool folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        const bool link = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        if (folder && !link) {
          RemoveTree(child);
        } else if (folder) {
          RemoveDirectoryW(child.c_str());
        } else {
          DeleteFileW(child.c_str());
        }
      } while (FindNextFileW(search, &data));
      FindClose(search);
    }
    RemoveDirectoryW(verbatimPath.c_str());
  }

  Text path_;
  std::wstring nativePath_;
};

inline std::wstring Verbatim(const std::wstring& path) { return L"\\\\?\\" + path; }

inline bool MakeFile(const std::wstring& path, const std::string& content = "x") {
  const HANDLE file = CreateFileW(Verbatim(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
      written == content.size();
  CloseHandle(file);
  return ok;
}

inline bool MakeFolder(const std::wstring& path) {
  return CreateDirectoryW(Verbatim(path).c_str(), nullptr) != FALSE;
}

inline bool Exists(const std::wstring& path) {
  return GetFileAttributesW(Verbatim(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The content, or "(missing)".
inline std::string ReadContent(const std::wstring& path) {
  const HANDLE file = CreateFileW(Verbatim(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "(missing)";
  std::string content;
  char buffer[4096];
  DWORD done = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &done, nullptr) && done > 0)
    content.append(buffer, done);
  CloseHandle(file);
  return content;
}

}  // namespace test_support
