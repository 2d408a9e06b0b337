#include "app/shared_state.h"

namespace app {

// Constant-initialised: it exists before any code of the program runs.
constinit std::atomic<std::int64_t> runningTasks{0};

}  // namespace app
