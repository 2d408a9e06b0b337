// The skin text: what a skin block says, read strictly. Portable C++ with
// no Windows types, so the build can check the skin with the same reader
// the library uses.
#pragma once

#include <cstddef>
#include <cstdint>

namespace skincore {

// Every colour a skin can set, in the order of the key table.
enum class Colour : int {
  WindowFace,
  WindowText,
  DisabledText,
  Accent,
  EditBack,
  EditText,
  EditBorder,
  EditFocusBorder,
  ButtonFace,
  ButtonHot,
  ButtonPressed,
  ButtonBorder,
  ButtonText,
  CheckBack,
  CheckBorder,
  CheckMark,
  GroupBorder,
  GroupText,
  ListBack,
  ListText,
  ListBorder,
  HeaderFace,
  HeaderText,
  HeaderBorder,
  TabFace,
  TabSelected,
  TabText,
  TabBorder,
  ProgressBar,
  ProgressBack,
  ProgressBorder,
  StatusBack,
  StatusText,
  StatusBorder,
  Count
};
constexpr int kColourCount = static_cast<int>(Colour::Count);

// The one block size the program hands over: the skin text, then zeros.
constexpr std::size_t kBlockSize = 24894;
constexpr int kFormatVersion = 1;
constexpr std::size_t kFontFaceBytes = 96;  // UTF-8, with its terminating zero

struct SkinValues {
  std::uint32_t colours[kColourCount];  // 0xRRGGBB
  char fontFace[kFontFaceBytes];        // UTF-8; empty: the controls' own font
  int fontPoints;
  bool fontBold;

  std::uint32_t Get(Colour c) const { return colours[static_cast<int>(c)]; }
};

// Why a text was refused, for the build's check; line is 1-based, 0 when
// the problem is not on one line.
struct ParseError {
  int line = 0;
  const char* reason = nullptr;
};

// Reads the text in data[0, size), which ends at the first zero byte or at
// size. False, with `error` filled when given, unless the whole text is a
// well-formed skin; `out` is written only on success.
bool ParseSkin(const unsigned char* data, std::size_t size, SkinValues* out, ParseError* error = nullptr);

// The key a colour is set with, for documentation and messages.
const char* ColourKey(Colour colour);

}  // namespace skincore
