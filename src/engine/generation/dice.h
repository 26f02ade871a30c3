#pragma once
// The one random generator of a generation run. Every number is drawn through rollDice. A dice object
// built without a seed mixes the time of day into its state at every roll and at the start of every
// run; one built with a fixed seed never looks at the clock, so the same seed gives the same rolls on
// every machine (the engine's output is fixed by the C++ standard and the draw below uses no library
// distribution).

#include <cstdint>
#include <random>

namespace qelvar {

class Dice {
public:
    // Seeded from the time of day; every roll mixes in the time again.
    Dice();
    // A fixed seed: reproducible rolls, no time of day.
    explicit Dice(std::uint64_t seed);

    // The sum of count dice of sides faces each (1..sides per die); a count below 1 gives 0. A die with
    // fewer than one side counts 1.
    int rollDice(int count, int sides);

    // The re-seed at the start of a generation run; nothing for a fixed seed.
    void mixInTimeOfDay();

    bool fixedSeed() const { return fixed_; }

private:
    // A uniform draw of one face 0..sides-1: the whole part of sides * r for r uniform in [0, 1), with
    // r taken as the engine's 64 bits over 2^64.
    int face(int sides);

    std::mt19937_64 engine_;
    std::uint64_t salt_ = 0;
    bool fixed_;
};

}  // namespace qelvar
