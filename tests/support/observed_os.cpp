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

}  // namespace

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
