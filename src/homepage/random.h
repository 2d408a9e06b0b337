// The home page's pseudo-random numbers. Each thread has a generator of
// its own, which starts from the same fixed state in every run until it is
// seeded.
#pragma once

#include <cstdint>

#include "os/os.h"

namespace homepage {

// The calling thread's next number from lo to hi, both ends possible.
std::int32_t RandomBetween(std::int32_t lo, std::int32_t hi);

// Seeds the calling thread's generator from the tick count, adjusted at
// each seeding so that two seedings in the same millisecond still differ.
void SeedRandom(os::Os& os);

}  // namespace homepage
