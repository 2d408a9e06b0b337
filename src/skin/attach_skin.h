// Placing and attaching the skin engine: the library SkinCore.dll lives in
// the program's folder, written there from the program's own copy when no
// entry of that name is there, and is handed the program's skin.
#pragma once

#include <cstdint>
#include <span>

#include "core/text.h"
#include "os/os.h"

namespace skin {

extern const char* const kLibraryFileName;  // "SkinCore.dll"
extern const char* const kAttachFunction;   // "SkinCore_AttachRes"
constexpr std::int32_t kSkinDataSize = 24894;

// The folder of the running program file, ending in "\"; empty when the
// program's path has no code page 936 form.
core::Text ProgramFolder(os::Os& os);

struct Attachment {
  bool reached;         // the library was loaded and has the function
  std::int32_t result;  // what the engine returned
};

// Writes the library into the program's folder unless an entry of that
// name (a file or a folder) is there already, then loads it by its full
// path and calls the engine with the skin.
Attachment AttachSkin(os::Os& os, std::span<const unsigned char> libraryFile,
                      std::span<const unsigned char> skinData);

// The program's own copies of the library (for the architecture it was
// built for) and of the skin.
std::span<const unsigned char> LibraryFileBlock();
std::span<const unsigned char> SkinDataBlock();

// The message shown when the engine cannot be reached.
core::Text FatalErrorText();

}  // namespace skin
