#include "skin_format.h"

#include <cstring>

namespace skincore {
namespace {

constexpr char kMagic[] = "OrvaneSkin";
constexpr std::size_t kMaxLine = 512;
constexpr std::size_t kMaxKey = 64;
// What a LOGFONT's face name holds, without its terminating zero.
constexpr std::size_t kMaxFontFaceCharacters = 31;
constexpr int kMinPoints = 6;
constexpr int kMaxPoints = 48;
constexpr int kNoFollow = -1;

// A key left out takes its default, or the value of an earlier key it
// follows, so a skin that sets only the base colours stays coherent.
struct ColourKeyInfo {
  const char* key;
  std::uint32_t fallback;
  int follows;
};

constexpr int C(Colour c) { return static_cast<int>(c); }

constexpr ColourKeyInfo kColourKeys[kColourCount] = {
    {"window.face", 0xE4EAF1, kNoFollow},
    {"window.text", 0x1E2B38, kNoFollow},
    {"text.disabled", 0x8C98A6, kNoFollow},
    {"accent", 0x2F6FB8, kNoFollow},
    {"edit.back", 0xFFFFFF, kNoFollow},
    {"edit.text", 0x1A1F26, kNoFollow},
    {"edit.border", 0x8EA1B5, kNoFollow},
    {"edit.focus_border", 0, C(Colour::Accent)},
    {"button.face", 0xD6E1ED, kNoFollow},
    {"button.hot", 0xC7D8EA, kNoFollow},
    {"button.pressed", 0xAFC7E0, kNoFollow},
    {"button.border", 0x7E95AE, kNoFollow},
    {"button.text", 0, C(Colour::WindowText)},
    {"check.back", 0, C(Colour::EditBack)},
    {"check.border", 0x6F88A3, kNoFollow},
    {"check.mark", 0, C(Colour::Accent)},
    {"group.border", 0xA9B8C8, kNoFollow},
    {"group.text", 0, C(Colour::WindowText)},
    {"list.back", 0, C(Colour::EditBack)},
    {"list.text", 0, C(Colour::EditText)},
    {"list.border", 0, C(Colour::EditBorder)},
    {"header.face", 0xDCE5EF, kNoFollow},
    {"header.text", 0, C(Colour::WindowText)},
    {"header.border", 0, C(Colour::GroupBorder)},
    {"tab.face", 0xD2DDE9, kNoFollow},
    {"tab.selected", 0, C(Colour::WindowFace)},
    {"tab.text", 0, C(Colour::WindowText)},
    {"tab.border", 0x9AAABB, kNoFollow},
    {"progress.bar", 0x5B9BD5, kNoFollow},
    {"progress.back", 0xF3F6FA, kNoFollow},
    {"progress.border", 0, C(Colour::EditBorder)},
    {"status.back", 0xCCDBEA, kNoFollow},
    {"status.text", 0, C(Colour::WindowText)},
    {"status.border", 0, C(Colour::GroupBorder)},
};

// A colour may only follow one that comes before it: the defaults are
// resolved in table order.
constexpr bool FollowsOnlyEarlierKeys() {
  for (int i = 0; i < kColourCount; ++i)
    if (kColourKeys[i].follows >= i) return false;
  return true;
}
static_assert(FollowsOnlyEarlierKeys());

constexpr char kDefaultFace[] = "SimSun";
constexpr int kDefaultPoints = 9;

struct Reader {
  SkinValues skin{};
  bool set[kColourCount] = {};
  bool versionSeen = false;
  bool faceSeen = false;
  bool sizeSeen = false;
  bool weightSeen = false;
  bool nameSeen = false;
  ParseError error;

  bool Fail(int line, const char* reason) {
    error.line = line;
    error.reason = reason;
    return false;
  }
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsKeyChar(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '_'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool ParseColour(const char* value, std::size_t length, std::uint32_t* out) {
  if (length != 7 || value[0] != '#') return false;
  std::uint32_t colour = 0;
  for (std::size_t i = 1; i < 7; ++i) {
    const int digit = HexDigit(value[i]);
    if (digit < 0) return false;
    colour = colour << 4 | static_cast<std::uint32_t>(digit);
  }
  *out = colour;
  return true;
}

bool ParseSmallNumber(const char* value, std::size_t length, int* out) {
  if (length == 0 || length > 3) return false;
  int number = 0;
  for (std::size_t i = 0; i < length; ++i) {
    if (value[i] < '0' || value[i] > '9') return false;
    number = number * 10 + (value[i] - '0');
  }
  *out = number;
  return true;
}

// Well-formed UTF-8 of code points U+0020 and up, no surrogates, none
// beyond U+FFFF: a font face fits in one UTF-16 unit per code point.
bool IsPlainUtf8(const char* text, std::size_t length, std::size_t* characters = nullptr) {
  std::size_t i = 0;
  std::size_t count = 0;
  while (i < length) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      if (lead < 0x20 || lead == 0x7F) return false;
      ++i;
      ++count;
      continue;
    }
    std::size_t extra;
    std::uint32_t point;
    if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      point = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      point = lead & 0x0F;
    } else {
      return false;
    }
    if (length - i <= extra) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      point = point << 6 | (next & 0x3F);
    }
    if ((extra == 1 && point < 0x80) || (extra == 2 && point < 0x800)) return false;
    if (point >= 0xD800 && point <= 0xDFFF) return false;
    i += extra + 1;
    ++count;
  }
  if (characters) *characters = count;
  return true;
}

bool KeyIs(const char* key, std::size_t length, const char* wanted) {
  return std::strlen(wanted) == length && std::memcmp(key, wanted, length) == 0;
}

bool ReadSetting(Reader& r, int line, const char* key, std::size_t keyLength, const char* value,
                 std::size_t valueLength) {
  for (int i = 0; i < kColourCount; ++i) {
    if (!KeyIs(key, keyLength, kColourKeys[i].key)) continue;
    if (r.set[i]) return r.Fail(line, "a colour is set twice");
    if (!ParseColour(value, valueLength, &r.skin.colours[i])) return r.Fail(line, "a colour is not #RRGGBB");
    r.set[i] = true;
    return true;
  }
  if (KeyIs(key, keyLength, "version")) {
    int version = 0;
    if (r.versionSeen) return r.Fail(line, "the version is given twice");
    if (!ParseSmallNumber(value, valueLength, &version) || version != kFormatVersion)
      return r.Fail(line, "the version is not one this reader knows");
    r.versionSeen = true;
    return true;
  }
  if (KeyIs(key, keyLength, "font.face")) {
    if (r.faceSeen) return r.Fail(line, "the font face is given twice");
    std::size_t characters = 0;
    if (valueLength >= kFontFaceBytes || !IsPlainUtf8(value, valueLength, &characters) ||
        characters > kMaxFontFaceCharacters)
      return r.Fail(line, "the font face is longer than 31 characters or not plain UTF-8");
    std::memcpy(r.skin.fontFace, value, valueLength);
    r.skin.fontFace[valueLength] = '\0';
    r.faceSeen = true;
    return true;
  }
  if (KeyIs(key, keyLength, "font.size")) {
    int points = 0;
    if (r.sizeSeen) return r.Fail(line, "the font size is given twice");
    if (!ParseSmallNumber(value, valueLength, &points) || points < kMinPoints || points > kMaxPoints)
      return r.Fail(line, "the font size is not a whole number of points from 6 to 48");
    r.skin.fontPoints = points;
    r.sizeSeen = true;
    return true;
  }
  if (KeyIs(key, keyLength, "font.weight")) {
    if (r.weightSeen) return r.Fail(line, "the font weight is given twice");
    if (KeyIs(value, valueLength, "normal")) {
      r.skin.fontBold = false;
    } else if (KeyIs(value, valueLength, "bold")) {
      r.skin.fontBold = true;
    } else {
      return r.Fail(line, "the font weight is neither normal nor bold");
    }
    r.weightSeen = true;
    return true;
  }
  if (KeyIs(key, keyLength, "name")) {
    // For people reading the file; any plain text.
    if (r.nameSeen) return r.Fail(line, "the name is given twice");
    if (!IsPlainUtf8(value, valueLength)) return r.Fail(line, "the name is not plain UTF-8");
    r.nameSeen = true;
    return true;
  }
  // Keys of later versions of the format are passed over.
  return true;
}

}  // namespace

const char* ColourKey(Colour colour) {
  const int i = static_cast<int>(colour);
  return i >= 0 && i < kColourCount ? kColourKeys[i].key : "";
}

bool ParseSkin(const unsigned char* data, std::size_t size, SkinValues* out, ParseError* error) {
  Reader r;
  std::memcpy(r.skin.fontFace, kDefaultFace, sizeof kDefaultFace);
  r.skin.fontPoints = kDefaultPoints;
  r.skin.fontBold = false;
  const auto finish = [&](bool ok) {
    if (!ok && error) *error = r.error;
    return ok;
  };
  if (!data || !out) return finish(r.Fail(0, "no data"));

  std::size_t end = 0;
  while (end < size && data[end] != 0) ++end;
  const char* text = reinterpret_cast<const char*>(data);
  std::size_t at = 0;
  // A byte order mark is what some editors start UTF-8 with.
  if (end >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) at = 3;

  bool magicSeen = false;
  int line = 0;
  while (at < end) {
    ++line;
    std::size_t lineEnd = at;
    while (lineEnd < end && text[lineEnd] != '\n') ++lineEnd;
    std::size_t first = at;
    std::size_t last = lineEnd;
    at = lineEnd < end ? lineEnd + 1 : end;
    if (last - first > kMaxLine) return finish(r.Fail(line, "a line is too long"));
    if (last > first && text[last - 1] == '\r') --last;
    for (std::size_t i = first; i < last; ++i) {
      const auto c = static_cast<unsigned char>(text[i]);
      if ((c < 0x20 && c != '\t') || c == 0x7F) return finish(r.Fail(line, "a control character"));
    }
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    if (first == last || text[first] == '#') continue;

    if (!magicSeen) {
      if (last - first != sizeof kMagic - 1 || std::memcmp(text + first, kMagic, last - first) != 0)
        return finish(r.Fail(line, "the text does not start with OrvaneSkin"));
      magicSeen = true;
      continue;
    }

    std::size_t keyEnd = first;
    while (keyEnd < last && IsKeyChar(text[keyEnd])) ++keyEnd;
    const std::size_t keyLength = keyEnd - first;
    std::size_t equals = keyEnd;
    while (equals < last && IsBlank(text[equals])) ++equals;
    if (keyLength == 0 || keyLength > kMaxKey || equals >= last || text[equals] != '=')
      return finish(r.Fail(line, "a line is not key = value"));
    std::size_t value = equals + 1;
    while (value < last && IsBlank(text[value])) ++value;
    if (value == last) return finish(r.Fail(line, "a key has no value"));
    if (!ReadSetting(r, line, text + first, keyLength, text + value, last - value)) return finish(false);
  }
  if (!magicSeen) return finish(r.Fail(0, "the text does not start with OrvaneSkin"));
  if (!r.versionSeen) return finish(r.Fail(0, "the text has no version"));

  for (int i = 0; i < kColourCount; ++i) {
    if (r.set[i]) continue;
    const int follows = kColourKeys[i].follows;
    r.skin.colours[i] = follows == kNoFollow ? kColourKeys[i].fallback : r.skin.colours[follows];
  }
  *out = r.skin;
  return finish(true);
}

}  // namespace skincore
