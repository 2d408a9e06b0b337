#include "homepage/random.h"

#include <atomic>
#include <random>

namespace homepage {
namespace {

std::mt19937& Generator() {
  // Default-constructed: the same state in every run and on every thread.
  thread_local std::mt19937 generator;
  return generator;
}

// Counts seedings across threads; its odd multiplier spreads consecutive
// counts over the whole range, so equal tick counts never give equal seeds.
std::atomic<std::uint32_t> seedings{0};
constexpr std::uint32_t kSpread = 0x9E3779B9u;

}  // namespace

std::int32_t RandomBetween(std::int32_t lo, std::int32_t hi) {
  if (hi < lo) return lo;
  return std::uniform_int_distribution<std::int32_t>(lo, hi)(Generator());
}

void SeedRandom(os::Os& os) {
  const std::uint32_t count = seedings.fetch_add(1) + 1;
  Generator().seed(os.TickCount() + count * kSpread);
}

}  // namespace homepage
