// State that lives for the whole process.
#pragma once

#include <atomic>
#include <cstdint>

#include "core/text.h"

namespace app {

// Rename workers in flight, across runs. Workers can outlive the main
// window, so the counter has static lifetime and is never destroyed.
extern std::atomic<std::int64_t> runningTasks;

// Texts of the caption, set once at start-up and read on the UI thread.
struct SharedTexts {
  core::Text titleText;
  core::Text versionText;
  core::Text contactText;
};

}  // namespace app
