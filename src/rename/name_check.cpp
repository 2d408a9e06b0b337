#include "rename/name_check.h"

#include <cstring>

#include "core/file_names.h"

namespace renaming {

bool IsPlainFileName(const core::Text& name) {
  if (name.empty() || name == "." || name == "..") return false;
  char last = 0;
  // Only the first byte of each character is a character of its own: the
  // second byte of a two-byte character may well be "\" or "|".
  for (std::size_t at = 0; at < name.size(); at += core::CharacterLength(name, at)) {
    const auto byte = static_cast<unsigned char>(name[at]);
    if (byte < 0x20 || (byte < 0x80 && std::strchr("\\/:<>\"|?*", byte))) return false;
    last = core::CharacterLength(name, at) == 1 ? name[at] : 0;
  }
  if (last == '.' || last == ' ') return false;
  return !core::IsReservedDeviceName(name);
}

}  // namespace renaming
