#include "rtl/random.h"

#include <chrono>
#include <mutex>
#include <random>

namespace rtl {

namespace {

std::uint32_t ClockSeed()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return static_cast<std::uint32_t>(ticks ^ (ticks >> 32));
}

struct Generator {
    std::mutex Lock;
    std::mt19937 Engine{ClockSeed()};
};

Generator &TheGenerator()
{
    static Generator generator;
    return generator;
}

} // namespace

void Randomize()
{
    RandSeed(ClockSeed());
}

void RandSeed(std::uint32_t seed)
{
    Generator &g = TheGenerator();
    std::lock_guard lock(g.Lock);
    g.Engine.seed(seed);
}

int Random(int range)
{
    if (range <= 0)
        return 0;
    Generator &g = TheGenerator();
    std::lock_guard lock(g.Lock);
    // Scaling the 32-bit draw keeps the sequence the same on every standard library,
    // which a std::uniform_int_distribution would not promise.
    return static_cast<int>((static_cast<std::uint64_t>(g.Engine()) * static_cast<unsigned>(range)) >> 32);
}

} // namespace rtl
