#include "app/stored_text.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// A block as the program stores one: magic, stated length, zlib stream.
Bytes MakeBlock(const std::string& text, std::uint32_t statedLength) {
  uLongf size = compressBound(text.size());
  Bytes stream(size);
  compress2(stream.data(), &size, reinterpret_cast<const Bytef*>(text.data()), text.size(), 6);
  stream.resize(size);
  Bytes block = {0x0D, 0x0F, 0x3E, 0x03,
                 static_cast<unsigned char>(statedLength), static_cast<unsigned char>(statedLength >> 8),
                 static_cast<unsigned char>(statedLength >> 16), static_cast<unsigned char>(statedLength >> 24)};
  block.insert(block.end(), stream.begin(), stream.end());
  return block;
}

Bytes MakeBlock(const std::string& text) { return MakeBlock(text, static_cast<std::uint32_t>(text.size())); }

TEST(InflateStoredText, TheProgramsBlocksHoldTheirTexts) {
  EXPECT_EQ(app::InflateStoredText(app::TitleBlock()), "Orvane批量替换文件名");
  EXPECT_EQ(app::InflateStoredText(app::HomePageBaseBlock()), "http://www.orvane.example/content.asp?id=");
}

TEST(InflateStoredText, AnythingWrongGivesTheEmptyText) {
  const Bytes good = MakeBlock("Orvane");
  ASSERT_EQ(app::InflateStoredText(good), "Orvane");

  Bytes otherMagic = good;
  otherMagic[3] = 0x04;
  Bytes zeroLength = MakeBlock("Orvane", 0);
  Bytes badChecksum = good;
  badChecksum.back() ^= 0x01;
  Bytes damaged = good;
  damaged[9] ^= 0xFF;  // the zlib header's second byte
  Bytes truncated(good.begin(), good.end() - 3);
  const Bytes tooLong = MakeBlock(std::string(100, 'a'), 40);  // does not fit twice 40

  struct Case {
    const char* what;
    Bytes block;
  };
  const Case cases[] = {
      {"empty", {}},
      {"shorter than 8 bytes", Bytes(good.begin(), good.begin() + 7)},
      {"header only", Bytes(good.begin(), good.begin() + 8)},
      {"other magic", otherMagic},
      {"stated length 0", zeroLength},
      {"Adler-32 changed", badChecksum},
      {"damaged stream", damaged},
      {"stream cut short", truncated},
      {"text longer than twice its length", tooLong},
  };
  for (const Case& c : cases) EXPECT_EQ(app::InflateStoredText(c.block), "") << c.what;
}

TEST(InflateStoredText, AZeroByteEndsTheText) {
  EXPECT_EQ(app::InflateStoredText(MakeBlock(std::string("ab\0cd", 5))), "ab");
  EXPECT_EQ(app::InflateStoredText(MakeBlock(std::string("\0x", 2))), "");
}

TEST(InflateStoredText, AShorterTextThanStatedStillInflates) {
  // Only the buffer of twice the stated length limits the text.
  EXPECT_EQ(app::InflateStoredText(MakeBlock("abc", 2)), "abc");
  EXPECT_EQ(app::InflateStoredText(MakeBlock("abc", 100)), "abc");
}

TEST(InflateStoredText, AHugeStatedLengthIsNotTakenAtItsWord) {
  EXPECT_EQ(app::InflateStoredText(MakeBlock("abc", 0xFFFFFFFFu)), "abc");
}

}  // namespace
