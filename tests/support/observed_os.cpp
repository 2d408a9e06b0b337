#include "support/observed_os.h"

#include <thread>

#include "support/wait.h"

namespace test_support {
namespace {

void RaiseMost(std::atomic<int>& most, int value) {
  int seen = most.load();
  while (value > seen && !most.compare_exchange_weak(seen, value)) {
  }
}

std::mutex engineCallLock;  // guards engineCall
ObservedOs::EngineCall engineCall;

std::int32_t StandInEngine(const void* skinData, std::int32_t size, const char* name, std::int32_t,
                           std::int32_t, std::int32_t) {
  std::lock_guard guard(engineCallLock);
  engineCall.skinData = skinData;
  engineCall.size = size;
  engineCall.name = name;
  ++engineCall.calls;
  return 1;
}

constexpr os::LibraryId kStandInLibrary = 1;

}  // namespace

ObservedOs::EngineCall ObservedOs::LastEngineCall() {
  std::lock_guard guard(engineCallLock);
  return engineCall;
}

os::LibraryId ObservedOs::LoadLibraryAt(const Text& fullPath) {
  // Like the system: only a full path, and only a file, not a folder.
  if (fullPath.empty() || fullPath[0] != '\\') return os::kNoLibrary;
  os::DirectoryEntry entry;
  const os::SearchId search = real_.FindFirst(fullPath, entry);
  if (search == os::kNoSearch) return os::kNoLibrary;
  real_.FindClose(search);
  if (entry.attributes & os::kAttributeDirectory) return os::kNoLibrary;
  libraryLoaded = fullPath;
  return kStandInLibrary;
}

void* ObservedOs::FindFunction(os::LibraryId library, const char* name) {
  if (library != kStandInLibrary || std::string(name) != "SkinCore_AttachRes") return nullptr;
  return reinterpret_cast<void*>(&StandInEngine);
}

bool ObservedOs::StartThread(std::function<void()> body) {
  if (threadsThatStart && threadsStarted_ >= *threadsThatStart) return false;
  ++threadsStarted_;
  ++threadsRunning_;
  const bool started = real_.StartThread([this, body = std::move(body)] {
    body();
    --threadsRunning_;
  });
  if (!started) {
    --threadsStarted_;
    --threadsRunning_;
  }
  return started;
}

bool ObservedOs::MoveNoReplace(const Text& from, const Text& to) {
  RaiseMost(mostMovesInFlight_, ++movesInFlight_);
  {
    std::unique_lock guard(lock_);
    ++movesAtGate_;
    gateChanged_.wait(guard, [this] { return gateOpen_; });
    --movesAtGate_;
  }
  const bool moved = real_.MoveNoReplace(from, to);
  --movesInFlight_;
  return moved;
}

os::SearchId ObservedOs::FindFirst(const Text& pattern, os::DirectoryEntry& entry) {
  {
    std::lock_guard guard(lock_);
    patterns_.push_back(pattern);
  }
  if (onFindFirst) onFindFirst(pattern);
  const os::SearchId search = real_.FindFirst(pattern, entry);
  if (search != os::kNoSearch) RaiseMost(mostSearchesOpen_, ++searchesOpen_);
  return search;
}

void ObservedOs::FindClose(os::SearchId search) {
  if (search != os::kNoSearch) --searchesOpen_;
  real_.FindClose(search);
}

bool ObservedOs::OpenWebAddress(const Text& address) {
  std::lock_guard guard(lock_);
  addresses_.push_back(address);
  return true;
}

void ObservedOs::CloseGate() {
  std::lock_guard guard(lock_);
  gateOpen_ = false;
}

void ObservedOs::OpenGate() {
  std::lock_guard guard(lock_);
  gateOpen_ = true;
  gateChanged_.notify_all();
}

std::vector<Text> ObservedOs::FindPatterns() {
  std::lock_guard guard(lock_);
  return patterns_;
}

std::vector<Text> ObservedOs::WebAddressesOpened() {
  std::lock_guard guard(lock_);
  return addresses_;
}

bool ObservedOs::WaitForThreads(int seconds) {
  return WaitUntil([this] { return threadsRunning_ == 0; }, std::chrono::seconds(seconds));
}

}  // namespace test_support
