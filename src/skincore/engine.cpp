#include "engine.h"

#include <atomic>

#include "window_hooks.h"

namespace skincore {
namespace {

constexpr int kMaxThreads = 32;
// Palettes are kept until the library unloads, so a program changing skins
// endlessly would run out of GDI objects; past this many it is refused.
constexpr int kMaxPalettes = 16;

struct AttachedThread {
  DWORD thread;
  HHOOK hook;
};

SRWLOCK lock = SRWLOCK_INIT;
AttachedThread attached[kMaxThreads] = {};
Palette* palettes[kMaxPalettes] = {};
int paletteCount = 0;
std::atomic<const Palette*> current{nullptr};
HINSTANCE libraryModule = nullptr;

class Locked {
 public:
  Locked() { AcquireSRWLockExclusive(&lock); }
  ~Locked() { ReleaseSRWLockExclusive(&lock); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;
};

bool SameSkin(const SkinValues& a, const SkinValues& b) {
  for (int i = 0; i < kColourCount; ++i)
    if (a.colours[i] != b.colours[i]) return false;
  for (std::size_t i = 0; i < kFontFaceBytes; ++i) {
    if (a.fontFace[i] != b.fontFace[i]) return false;
    if (a.fontFace[i] == '\0') break;
  }
  return a.fontPoints == b.fontPoints && a.fontBold == b.fontBold;
}

// Under the lock.
const Palette* FindPalette(const SkinValues& skin) {
  for (int i = 0; i < paletteCount; ++i)
    if (SameSkin(palettes[i]->Skin(), skin)) return palettes[i];
  return nullptr;
}

// Under the lock.
AttachedThread* FindThread(DWORD thread) {
  for (AttachedThread& a : attached)
    if (a.thread == thread) return &a;
  return nullptr;
}

// Nothing that may wait for the loader's lock is done while holding ours:
// DllMain holds the loader's lock when it comes for ours. Making GDI
// objects and setting a hook are done outside it, and kept if still wanted.
const Palette* KeepPalette(const SkinValues& skin) {
  {
    Locked locked;
    if (const Palette* known = FindPalette(skin)) return known;
    if (paletteCount == kMaxPalettes) return nullptr;
  }
  Palette* made = Palette::Create(skin);
  if (!made) return nullptr;
  Locked locked;
  if (const Palette* known = FindPalette(skin)) {
    delete made;
    return known;
  }
  if (paletteCount == kMaxPalettes) {
    delete made;
    return nullptr;
  }
  palettes[paletteCount++] = made;
  return made;
}

bool HookOnce(DWORD thread) {
  {
    Locked locked;
    if (FindThread(thread)) return true;
  }
  HHOOK hook = HookCallingThread(libraryModule);
  if (!hook) return false;
  {
    Locked locked;
    if (AttachedThread* free = FindThread(0)) {
      *free = {thread, hook};
      return true;
    }
  }
  UnhookWindowsHookEx(hook);
  return false;
}

}  // namespace

void SetModule(HINSTANCE module) { libraryModule = module; }

const Palette* CurrentPalette() { return current.load(std::memory_order_acquire); }

bool AttachCallingThread(const SkinValues& skin) {
  const Palette* palette = KeepPalette(skin);
  if (!palette || !HookOnce(GetCurrentThreadId())) return false;
  current.store(palette, std::memory_order_release);
  SkinThreadWindows(*palette);
  return true;
}

void ThreadEnding() {
  HHOOK hook = nullptr;
  {
    Locked locked;
    if (AttachedThread* mine = FindThread(GetCurrentThreadId())) {
      hook = mine->hook;
      *mine = {};
    }
  }
  if (hook) UnhookWindowsHookEx(hook);
}

void Unload() {
  AttachedThread leaving[kMaxThreads];
  {
    Locked locked;
    for (int i = 0; i < kMaxThreads; ++i) {
      leaving[i] = attached[i];
      attached[i] = {};
    }
  }
  bool reachedAll = true;
  for (const AttachedThread& a : leaving) {
    if (!a.thread) continue;
    UnhookWindowsHookEx(a.hook);
    if (!UnskinThreadWindows(a.thread)) reachedAll = false;
  }
  // A window that could not be reached may still paint with a palette.
  if (!reachedAll) return;
  Locked locked;
  current.store(nullptr, std::memory_order_release);
  for (int i = 0; i < paletteCount; ++i) {
    delete palettes[i];
    palettes[i] = nullptr;
  }
  paletteCount = 0;
}

}  // namespace skincore
