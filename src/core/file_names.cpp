#include "core/file_names.h"

#include <cstring>

namespace core {
namespace {

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool IsReservedDeviceName(const Text& name) {
  // A second byte of a two-byte character is never "." (they start at
  // 0x40), so searching bytes is safe here.
  std::size_t end = name.find('.');
  if (end == Text::npos) end = name.size();
  while (end > 0 && name[end - 1] == ' ') --end;
  if (end != 3 && end != 4) return false;

  char stem[5] = {};
  for (std::size_t i = 0; i < end; ++i) stem[i] = AsciiUpper(name[i]);
  if (end == 3) {
    for (const char* device : {"CON", "PRN", "AUX", "NUL"})
      if (std::memcmp(stem, device, 3) == 0) return true;
    return false;
  }
  // COM0 and LPT0 are ordinary names.
  const bool numbered = std::memcmp(stem, "COM", 3) == 0 || std::memcmp(stem, "LPT", 3) == 0;
  return numbered && stem[3] >= '1' && stem[3] <= '9';
}

}  // namespace core
