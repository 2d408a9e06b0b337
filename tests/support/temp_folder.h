// A fresh, empty folder for one native test, made by mkdtemp under /tmp
// and removed with all it holds (links themselves, never what they lead
// to) when the object goes.
#pragma once

#include <filesystem>

#include "core/text.h"

namespace test_support {

class TempFolder {
 public:
  // Throws std::runtime_error when no folder can be made.
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // As the program names it: code page 936, "\" separators, no final "\".
  const core::Text& Path() const { return path_; }
  // As the C++ library and the system's own calls name it (UTF-8, "/").
  const std::filesystem::path& NativePath() const { return nativePath_; }

  // Path() + "\" + name.
  core::Text Child(const core::Text& name) const { return path_ + "\\" + name; }

 private:
  core::Text path_;
  std::filesystem::path nativePath_;
};

}  // namespace test_support
