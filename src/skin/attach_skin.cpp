#include "skin/attach_skin.h"

#include "core/text_operations.h"
#include "skin/engine_call.h"

namespace skin {

const char* const kLibraryFileName = "SkinCore.dll";
const char* const kAttachFunction = "SkinCore_AttachRes";

core::Text ProgramFolder(os::Os& os) {
  const core::Text program = os.ProgramFilePath();
  if (program.empty()) return {};
  core::Text folder = core::MiddlePart(program, 1, core::LastPosition(program, "\\") - 1);
  if (!core::EndsWithBackslash(folder)) folder += '\\';
  return folder;
}

Attachment AttachSkin(os::Os& os, std::span<const unsigned char> libraryFile,
                      std::span<const unsigned char> skinData) {
  const core::Text folder = ProgramFolder(os);
  // Without the program's folder there is nowhere to place the library,
  // and loading one by its bare name could find a planted one.
  if (folder.empty()) return {false, 0};
  const core::Text path = folder + kLibraryFileName;

  // Any entry of that name counts as present and is left as it is.
  os::DirectoryEntry entry;
  if (const os::SearchId present = os.FindFirst(path, entry); present != os::kNoSearch) {
    os.FindClose(present);
  } else {
    os.WriteNewFile(path, libraryFile.data(), libraryFile.size());  // a failure shows at loading
  }

  const os::LibraryId library = os.LoadLibraryAt(path);
  if (library == os::kNoLibrary) return {false, 0};
  void* function = os.FindFunction(library, kAttachFunction);
  if (!function) return {false, 0};
  const auto attach = reinterpret_cast<AttachResFunction>(function);
  return {true, attach(skinData.data(), static_cast<std::int32_t>(skinData.size()), nullptr, 0, 0, 0)};
}

core::Text FatalErrorText() {
  return core::Text("无法加载皮肤引擎 ") + kLibraryFileName + "，或其中没有函数 " + kAttachFunction +
         "。程序无法继续运行，即将退出。";
}

}  // namespace skin
