// RND's fixed sequence and RAND's clock-seeded integers. Both generators are part of what
// scripts observe (RND gives the same numbers in every run), so the arithmetic is kept exactly,
// wrap-around included.
#include <cmath>
#include <cstdint>

#include "lang/numbers.h"

namespace brindle {
namespace {

constexpr uint32_t kFixedMultiplier = 13;
constexpr int kFixedRotation = 7;
constexpr uint32_t kClockMultiplier = 134775813;  // 0x08088405
constexpr double kInt32Max = 2147483647.0;

uint32_t RotateLeft(uint32_t value, int bits) {
  return (value << bits) | (value >> (32 - bits));
}

}  // namespace

float FixedRandom(RandomState& state) {
  state.fixed_seed = RotateLeft(state.fixed_seed, kFixedRotation) * kFixedMultiplier;
  // Widening before taking the magnitude keeps -2^31 defined; it maps just above 1, which
  // rounds to 1.
  const double magnitude = std::fabs(static_cast<double>(static_cast<int32_t>(state.fixed_seed)));
  return static_cast<float>(magnitude / kInt32Max);
}

int32_t ClockRandom(RandomState& state, int32_t lo, int32_t hi) {
  state.clock_seed = state.clock_seed * kClockMultiplier + 1;
  // The span is taken modulo 2^32, so hi = lo - 1 gives an empty span (RAND(-1) is 0) and
  // spans below that wrap instead of overflowing.
  const uint32_t span = static_cast<uint32_t>(hi) - static_cast<uint32_t>(lo) + 1u;
  const uint64_t scaled = static_cast<uint64_t>(span) * state.clock_seed;
  const uint32_t offset = static_cast<uint32_t>(scaled >> 32);
  return static_cast<int32_t>(offset + static_cast<uint32_t>(lo));
}

}  // namespace brindle
