// Bounded waits for an expected event, for tests: never a bare sleep.
#pragma once

#include <functional>
#include <thread>

namespace test_support {

// Calls `pump` and checks `done` until it holds or `limit` has passed;
// returns whether it held.
inline bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit,
                      const std::function<void()>& pump = [] {}) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    pump();
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

}  // namespace test_support
