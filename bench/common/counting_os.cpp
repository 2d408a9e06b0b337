#include "common/counting_os.h"

#include <utility>

namespace bench {
namespace {

// Set on every thread started through a CountingOs.
thread_local bool startedHere = false;

void RaiseMost(std::atomic<int>& most, int value) {
  int seen = most.load();
  while (value > seen && !most.compare_exchange_weak(seen, value)) {
  }
}

}  // namespace

bool CountingOs::StartThread(std::function<void()> body) {
  const bool worker = startedHere;
  ++threadsRunning_;
  // Counted before the thread can run, so that no worker is ever missed.
  if (worker) {
    ++workersStarted_;
    RaiseMost(mostWorkers_, ++workersRunning_);
  }
  const bool started = real_.StartThread([this, worker, body = std::move(body)] {
    startedHere = true;
    body();
    if (worker) --workersRunning_;
    --threadsRunning_;
  });
  if (!started) {
    if (worker) {
      --workersRunning_;
      --workersStarted_;
    }
    --threadsRunning_;
  }
  return started;
}

bool CountingOs::MoveNoReplace(const Text& from, const Text& to) {
  RaiseMost(mostMoves_, ++movesInFlight_);
  const bool moved = real_.MoveNoReplace(from, to);
  --movesInFlight_;
  return moved;
}

void CountingOs::Reset() {
  workersStarted_ = 0;
  mostWorkers_ = 0;
  mostMoves_ = 0;
}

}  // namespace bench
