#pragma once
// The process-wide pseudo-random generator. It starts seeded from the clock; RandSeed
// makes a sequence repeatable (tests). Safe to call from any thread.

#include <cstdint>

namespace rtl {

// Seeds from the clock.
void Randomize();
void RandSeed(std::uint32_t seed);
// 0 <= result < range; 0 when range <= 0.
int Random(int range);

} // namespace rtl
