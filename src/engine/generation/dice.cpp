#include "generation/dice.h"

#include <atomic>
#include <chrono>

namespace qelvar {

namespace {

// SplitMix64's finaliser: spreads every input bit over the whole word.
std::uint64_t mix(std::uint64_t z) {
    z += 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

// Nanoseconds since midnight (UTC): the time of day with its fractions.
std::uint64_t timeOfDay() {
    constexpr std::uint64_t kDay = 86'400'000'000'000ULL;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()) % kDay;
}

// Two dice made within one tick of the clock still start apart.
std::uint64_t nextInstance() {
    static std::atomic<std::uint64_t> count{0};
    return count.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace

Dice::Dice() : engine_(mix(timeOfDay() ^ mix(nextInstance()))), fixed_(false) { mixInTimeOfDay(); }

Dice::Dice(std::uint64_t seed) : engine_(seed), fixed_(true) {}

void Dice::mixInTimeOfDay() {
    if (fixed_) return;
    // The time joins what the generator already holds instead of replacing it, so two calls within one
    // tick of the clock still draw different numbers.
    salt_ = mix(salt_ ^ timeOfDay());
}

int Dice::face(int sides) {
    const std::uint64_t bits = engine_() ^ salt_;
    return static_cast<int>((static_cast<unsigned __int128>(bits) * static_cast<std::uint64_t>(sides)) >> 64);
}

int Dice::rollDice(int count, int sides) {
    mixInTimeOfDay();
    if (sides < 1) sides = 1;
    int total = 0;
    for (int i = 0; i < count; ++i) total += face(sides) + 1;
    return total;
}

}  // namespace qelvar
