// The form in which a path is handed to the W functions so that the system
// opens exactly the file the path spells.
//
// Without help the system normalises a path before using it: it drops a
// trailing "." or " " from each component, takes CON, NUL, COM1 and the
// like for devices, and refuses paths of MAX_PATH characters or more. A
// name read from a directory listing could then stand for another file
// than the one listed. The verbatim form ("\\?\" before the path) turns
// all of that off.
//
// Plain text work without the system, so that it is tested natively too.
#pragma once

#include <cstddef>
#include <string>

namespace os::win32 {

// Paths of this many characters or more go verbatim. It is the limit for
// folders (MAX_PATH less room for an 8.3 name), which also covers files.
constexpr std::size_t kVerbatimLength = 248;

// - A path that needs nothing comes back unchanged.
// - A path that is this long, or has a component that ends with "." or
//   " " or is a device name, comes back as "\\?\X:\..." for a drive path
//   and "\\?\UNC\server\share\..." for "\\server\share\...". Doubled
//   separators are made single on the way, as the system would.
// - A path that needs the verbatim form but cannot have it gives an empty
//   result, meaning that the operation must be refused: a relative or
//   root-relative path, or one with "/" or "." or ".." components, since
//   the verbatim form would take those literally.
// - A path already in the verbatim form is left alone.
std::wstring LongPathForm(const std::wstring& path);

// True for "X:\..." and "\\server\share..." (verbatim forms included):
// paths that name the same file whatever the current folder is.
bool IsAbsolutePath(const std::wstring& path);

}  // namespace os::win32
