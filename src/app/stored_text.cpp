#include "app/stored_text.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace app {
namespace {

constexpr unsigned char kMagic[4] = {0x0D, 0x0F, 0x3E, 0x03};
constexpr std::size_t kHeaderSize = 8;
// Deflate cannot expand its input by more than about 1032 to 1; a buffer
// never needs to be larger than that, whatever length a block claims.
constexpr std::uint64_t kMaxExpansion = 1032;

std::uint32_t ReadLittleEndian32(const unsigned char* bytes) {
  return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
         std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24;
}

}  // namespace

core::Text InflateStoredText(std::span<const unsigned char> block) {
  if (block.size() < kHeaderSize) return {};
  if (std::memcmp(block.data(), kMagic, sizeof kMagic) != 0) return {};
  const std::uint32_t length = ReadLittleEndian32(block.data() + 4);
  if (length == 0) return {};

  const std::span<const unsigned char> stream = block.subspan(kHeaderSize);
  const std::uint64_t capacity =
      std::min<std::uint64_t>(2 * std::uint64_t{length}, stream.size() * kMaxExpansion + 64);
  std::vector<unsigned char> buffer(static_cast<std::size_t>(capacity));

  z_stream z{};
  if (inflateInit(&z) != Z_OK) return {};
  z.next_in = const_cast<Bytef*>(stream.data());
  z.avail_in = static_cast<uInt>(stream.size());
  z.next_out = buffer.data();
  z.avail_out = static_cast<uInt>(buffer.size());
  const int status = inflate(&z, Z_FINISH);
  const std::size_t produced = buffer.size() - z.avail_out;
  inflateEnd(&z);
  if (status != Z_STREAM_END) return {};

  const auto end = std::find(buffer.begin(), buffer.begin() + produced, 0);
  return core::Text(buffer.begin(), end);
}

}  // namespace app
