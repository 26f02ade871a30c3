#include "generation/dice.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace qelvar {
namespace {

TEST(Dice, SumsStayInsideTheirRange) {
    Dice dice(7);
    EXPECT_EQ(dice.rollDice(0, 6), 0);
    EXPECT_EQ(dice.rollDice(-3, 6), 0);
    for (int i = 0; i < 100; ++i) EXPECT_EQ(dice.rollDice(3, 1), 3);
    std::array<int, 13> seen{};
    for (int i = 0; i < 20000; ++i) {
        const int roll = dice.rollDice(2, 6);
        ASSERT_GE(roll, 2);
        ASSERT_LE(roll, 12);
        ++seen[static_cast<std::size_t>(roll)];
    }
    for (int roll = 2; roll <= 12; ++roll) EXPECT_GT(seen[static_cast<std::size_t>(roll)], 0) << roll;
    // 7 is six times as likely as 2 or 12.
    EXPECT_GT(seen[7], 4 * seen[2]);
    EXPECT_GT(seen[7], 4 * seen[12]);
}

TEST(Dice, EveryFaceOfALargeDieIsEquallyLikely) {
    Dice dice(11);
    std::array<int, 101> seen{};
    constexpr int kRolls = 200000;
    for (int i = 0; i < kRolls; ++i) ++seen[static_cast<std::size_t>(dice.rollDice(1, 100))];
    EXPECT_EQ(seen[0], 0);
    for (int face = 1; face <= 100; ++face) {
        // 2000 expected, standard deviation about 45.
        EXPECT_NEAR(seen[static_cast<std::size_t>(face)], kRolls / 100, 300) << face;
    }
}

std::vector<int> rolls(Dice& dice, int n) {
    std::vector<int> out;
    for (int i = 0; i < n; ++i) out.push_back(dice.rollDice(1, 1000000));
    return out;
}

TEST(Dice, AFixedSeedRepeatsItsRollsAndTheClockSeedDoesNot) {
    Dice first(42), second(42), other(43);
    EXPECT_TRUE(first.fixedSeed());
    const auto a = rolls(first, 200);
    first.mixInTimeOfDay();  // a fixed seed never looks at the clock
    const auto b = rolls(second, 200);
    second.mixInTimeOfDay();
    EXPECT_EQ(a, b);
    EXPECT_EQ(rolls(first, 50), rolls(second, 50));
    EXPECT_NE(rolls(other, 200), a);

    Dice clockA, clockB;  // built within the same tick of the clock, still different
    EXPECT_FALSE(clockA.fixedSeed());
    EXPECT_NE(rolls(clockA, 200), rolls(clockB, 200));
}

}  // namespace
}  // namespace qelvar
