// The library's one entry point, and its DllMain.
#include <windows.h>

#include <cstdint>
#include <cstring>

#include "engine.h"
#include "skin_format.h"

namespace {

// The block must be there to read in full: a pointer into memory that is
// not committed or not readable is refused rather than read.
bool IsReadable(const void* start, std::size_t size) {
  const auto* at = static_cast<const unsigned char*>(start);
  const unsigned char* end = at + size;
  if (end < at) return false;
  while (at < end) {
    MEMORY_BASIC_INFORMATION region{};
    if (VirtualQuery(at, &region, sizeof region) != sizeof region) return false;
    if (region.State != MEM_COMMIT) return false;
    const DWORD readable = PAGE_READONLY | PAGE_READWRITE | PAGE_WRITECOPY | PAGE_EXECUTE_READ |
                           PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_WRITECOPY;
    if (!(region.Protect & readable) || (region.Protect & (PAGE_GUARD | PAGE_NOACCESS))) return false;
    const auto* regionEnd = static_cast<const unsigned char*>(region.BaseAddress) + region.RegionSize;
    if (regionEnd <= at) return false;
    at = regionEnd;
  }
  return true;
}

}  // namespace

// The skin takes effect on the calling thread's windows, those it has and
// those it creates later. `name` and the reserved values are not used.
// Nonzero when the block is a skin and it was applied.
extern "C" std::int32_t WINAPI SkinCore_AttachRes(const void* skinData, std::int32_t size, const char* name,
                                                  std::int32_t reserved1, std::int32_t reserved2,
                                                  std::int32_t reserved3) {
  (void)name;
  (void)reserved1;
  (void)reserved2;
  (void)reserved3;
  if (!skinData || size != static_cast<std::int32_t>(skincore::kBlockSize)) return 0;
  if (!IsReadable(skinData, skincore::kBlockSize)) return 0;
  // Read from a copy: the caller's block is not ours to rely on while we
  // read it.
  HANDLE heap = GetProcessHeap();
  auto* copy = static_cast<unsigned char*>(HeapAlloc(heap, 0, skincore::kBlockSize));
  if (!copy) return 0;
  std::memcpy(copy, skinData, skincore::kBlockSize);
  skincore::SkinValues skin;
  const bool parsed = skincore::ParseSkin(copy, skincore::kBlockSize, &skin);
  HeapFree(heap, 0, copy);
  if (!parsed) return 0;
  return skincore::AttachCallingThread(skin) ? 1 : 0;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      skincore::SetModule(instance);
      break;
    case DLL_THREAD_DETACH:
      skincore::ThreadEnding();
      break;
    case DLL_PROCESS_DETACH:
      // When the process ends every thread is already gone, and with them
      // the hooks and windows: there is nothing to give back.
      if (!reserved) skincore::Unload();
      break;
    default:
      break;
  }
  return TRUE;
}
