#include "support/file_tree.h"

#include <iconv.h>
#include <sys/stat.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace test_support {
namespace {

// The seam's form to the native one: code page 936 to UTF-8, then "/".
std::string NativePath(const core::Text& path) {
  iconv_t cd = iconv_open("UTF-8", "CP936");
  std::vector<char> out(path.size() * 4 + 4);
  char* in = const_cast<char*>(path.data());
  size_t inLeft = path.size();
  char* outPtr = out.data();
  size_t outLeft = out.size();
  iconv(cd, &in, &inLeft, &outPtr, &outLeft);
  iconv_close(cd);
  std::string native(out.data(), outPtr);
  for (char& c : native)
    if (c == '\\') c = '/';
  return native;
}

}  // namespace

bool MakeFile(const core::Text& path, const std::string& content) {
  os::posix::PosixOs os;
  return os.WriteNewFile(path, content.data(), content.size());
}

bool MakeFolder(const core::Text& path) { return mkdir(NativePath(path).c_str(), 0755) == 0; }

bool Exists(const core::Text& path) {
  struct stat info;
  return lstat(NativePath(path).c_str(), &info) == 0;
}

std::string ContentOf(const core::Text& path) {
  std::ifstream file(NativePath(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace test_support
