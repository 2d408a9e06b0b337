// Text operations that step through a text character by character, so the
// second byte of a two-byte character is never taken for a "\" or a "."
// or any other single byte. The new-name rule rests on them.
#pragma once

#include <cstdint>

#include "core/text.h"

namespace core {

// 1-based byte position where the last occurrence of `search` begins, or
// -1. An empty `search` gives 1 in a non-empty text and -1 in an empty one.
std::int32_t LastPosition(const Text& text, const Text& search);

// Up to `count` bytes from the 1-based position `start`; empty when the
// start lies outside the text or the count is 0 or less.
Text MiddlePart(const Text& text, std::int32_t start, std::int32_t count);

// Every occurrence of `find` replaced by `replacement`, left to right,
// without overlaps and without scanning a replacement again. An empty
// text or `find` leaves the text as it is.
Text ReplaceAll(const Text& text, const Text& find, const Text& replacement);

}  // namespace core
