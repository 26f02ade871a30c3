#include "generation/stars.h"

#include "store/subsector_store.h"
#include "generation/dice.h"

namespace qelvar {

namespace {

// Indexed by the 2D6 roll (2..12).
constexpr char kPrimaryClass[13] = {' ', ' ', 'A', 'M', 'M', 'M', 'M', 'G', 'G', 'G', 'F', 'F', 'F'};
constexpr char kCompanionClass[13] = {' ', ' ', 'A', 'F', 'F', 'G', 'G', 'K', 'K', 'M', 'M', 'M', 'M'};
constexpr const char* kPrimarySize[13] = {"",   "",   " II", " III", " IV", " V", " V",
                                          " V", " V", " V",  " V",   " VI", " D"};
constexpr const char* kCompanionSize[13] = {"",   "",   " II", " III", " IV", " D", " D",
                                            " V", " V", " VI", " VI",  " VI", " VI"};

}  // namespace

std::string rollStar(int slot, Dice& dice) {
    const bool primary = slot == 1;
    std::string star(1, (primary ? kPrimaryClass : kCompanionClass)[dice.rollDice(2, 6)]);
    star += static_cast<char>('0' + dice.rollDice(1, 10) - 1);
    star += (primary ? kPrimarySize : kCompanionSize)[dice.rollDice(2, 6)];
    return star;
}

void generateStar(WorldRecord& world, int slot, Dice& dice) {
    const std::string star = rollStar(slot, dice);
    if (slot == 1) {
        world.star1 = star;
    } else if (slot == 2) {
        world.star2 = star;
    } else {
        world.star3 = star;
    }
}

}  // namespace qelvar
