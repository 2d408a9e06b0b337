#include "core/text_operations.h"

#include <algorithm>

namespace core {

std::int32_t LastPosition(const Text& text, const Text& search) {
  if (search.empty()) return text.empty() ? -1 : 1;
  std::int32_t result = -1;
  std::size_t at = 0;
  while (text.size() - at >= search.size()) {
    if (text.compare(at, search.size(), search) == 0) result = static_cast<std::int32_t>(at) + 1;
    if (BeginsTwoByteCharacter(static_cast<unsigned char>(text[at]))) {
      if (at + 1 >= text.size()) break;  // a lead byte with nothing after it
      at += 2;
    } else {
      at += 1;
    }
  }
  return result;
}

Text MiddlePart(const Text& text, std::int32_t start, std::int32_t count) {
  const std::int64_t from = std::int64_t{start} - 1;
  const std::int64_t size = static_cast<std::int64_t>(text.size());
  if (from < 0 || from >= size || count <= 0) return {};
  return text.substr(static_cast<std::size_t>(from),
                     static_cast<std::size_t>(std::min<std::int64_t>(count, size - from)));
}

Text ReplaceAll(const Text& text, const Text& find, const Text& replacement) {
  if (text.empty() || find.empty()) return text;
  Text result;
  result.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    if (text.size() - at < find.size()) {
      result.append(text, at, Text::npos);
      break;
    }
    if (text.compare(at, find.size(), find) == 0) {
      result += replacement;
      at += find.size();
    } else {
      const std::size_t length = CharacterLength(text, at);
      result.append(text, at, length);
      at += length;
    }
  }
  return result;
}

}  // namespace core
