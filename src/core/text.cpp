#include "core/text.h"

#include <limits>

namespace core {

bool EndsWithBackslash(const Text& text) {
  bool last = false;
  for (std::size_t at = 0; at < text.size(); at += CharacterLength(text, at)) last = text[at] == '\\';
  return last;
}

Text DecimalText(std::int64_t value) { return std::to_string(value); }

std::int64_t TextToInteger(const Text& text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulate as a negative number so that the 64-bit minimum fits.
  constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
  std::int64_t accumulated = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const int digit = text[i] - '0';
    if (accumulated < (kMin + digit) / 10) {
      return negative ? kMin : std::numeric_limits<std::int64_t>::max();
    }
    accumulated = accumulated * 10 - digit;
  }
  if (negative) return accumulated;
  return accumulated == kMin ? std::numeric_limits<std::int64_t>::max() : -accumulated;
}

}  // namespace core
