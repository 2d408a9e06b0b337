// Texts as the program holds them: byte strings in code page 936 (GBK).
// Lengths and positions count bytes; a byte of 0x80 or more begins a
// two-byte character, whose second byte is never looked at on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace core {

using Text = std::string;

inline bool BeginsTwoByteCharacter(unsigned char byte) { return byte >= 0x80; }

// Bytes taken by the character that starts at `offset`: 2 for a lead byte
// followed by a second byte, 1 otherwise (also for a lead byte at the end).
inline std::size_t CharacterLength(const Text& text, std::size_t offset) {
  if (BeginsTwoByteCharacter(static_cast<unsigned char>(text[offset])) &&
      offset + 1 < text.size())
    return 2;
  return 1;
}

// Whether the text's last character is a real "\", not the second byte of
// a two-byte character.
bool EndsWithBackslash(const Text& text);

// Decimal digits of `value`, with a leading "-" when negative.
Text DecimalText(std::int64_t value);

// The number a text begins with, as the controls' number boxes read it:
// leading blanks, an optional sign, then digits; anything else counts as 0.
// Values beyond the 64-bit range saturate.
std::int64_t TextToInteger(const Text& text);

}  // namespace core
