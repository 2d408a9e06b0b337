// Texts kept in the program's data as deflated blocks:
//   offset 0, 4 bytes: magic 0D 0F 3E 03
//   offset 4, 4 bytes: uncompressed length, little-endian
//   offset 8, rest:    a zlib stream of the text's bytes, no terminating zero
#pragma once

#include <cstddef>
#include <span>

#include "core/text.h"

namespace app {

// The text of a stored block; empty whenever anything about the block is
// wrong (too short, other magic, zero length, damaged stream, checksum,
// text longer than twice its stated length). Stops at a zero byte.
core::Text InflateStoredText(std::span<const unsigned char> block);

// The blocks made at build time from the texts in stored_texts/.
std::span<const unsigned char> TitleBlock();
std::span<const unsigned char> HomePageBaseBlock();

}  // namespace app
