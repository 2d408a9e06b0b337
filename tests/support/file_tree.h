// Files for tests, named as the program names them (code page 936, "\")
// and made through the real POSIX backend, so that names with two-byte
// characters land on disk exactly as the program will look for them.
#pragma once

#include <string>

#include "core/text.h"
#include "os/posix/posix_os.h"
#include "support/temp_folder.h"

namespace test_support {

// Writes `content` into the file at the seam path `path`.
bool MakeFile(const core::Text& path, const std::string& content = "x");
// Makes the folder at the seam path `path` (its parent must exist).
bool MakeFolder(const core::Text& path);
// Whether a file or folder exists at the seam path, and what a file holds.
bool Exists(const core::Text& path);
std::string ContentOf(const core::Text& path);

}  // namespace test_support
