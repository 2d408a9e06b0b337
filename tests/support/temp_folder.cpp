#include "support/temp_folder.h"

#include <stdexcept>
#include <string>
#include <system_error>

#include <stdlib.h>
#include <unistd.h>

namespace test_support {

TempFolder::TempFolder() {
  std::string name = "/tmp/renamer-test-XXXXXX";
  if (mkdtemp(name.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  nativePath_ = name;
  // mkdtemp makes ASCII names, and /tmp is ASCII: the seam form is the
  // same bytes with the other separator.
  path_ = name;
  for (char& c : path_)
    if (c == '/') c = '\\';
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(nativePath_, ignored);
}

}  // namespace test_support
