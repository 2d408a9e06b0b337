// Build-time tool: checks a skin text with the library's own reader and
// writes it as the fixed-size skin block, padded with zero bytes.
//   make_skin_block SKIN_TEXT OUTPUT
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin_format.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_skin_block SKIN_TEXT OUTPUT\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: cannot be read\n", argv[1]);
    return 1;
  }
  std::vector<unsigned char> block((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::size_t textSize = block.size();
  if (textSize > skincore::kBlockSize) {
    std::fprintf(stderr, "%s: %zu bytes, more than the skin block's %zu\n", argv[1], textSize, skincore::kBlockSize);
    return 1;
  }
  for (std::size_t i = 0; i < textSize; ++i) {
    if (block[i] == 0) {
      std::fprintf(stderr, "%s: a zero byte at offset %zu would end the text early\n", argv[1], i);
      return 1;
    }
  }
  block.resize(skincore::kBlockSize, 0);
  skincore::SkinValues skin;
  skincore::ParseError error;
  if (!skincore::ParseSkin(block.data(), block.size(), &skin, &error)) {
    std::fprintf(stderr, "%s:%d: %s\n", argv[1], error.line, error.reason);
    return 1;
  }
  const std::string temporary = std::string(argv[2]) + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size()));
    if (!out.flush()) {
      std::fprintf(stderr, "%s: cannot be written\n", temporary.c_str());
      return 1;
    }
  }
  if (std::rename(temporary.c_str(), argv[2]) != 0) {
    std::fprintf(stderr, "%s: cannot be put in place\n", argv[2]);
    return 1;
  }
  return 0;
}
