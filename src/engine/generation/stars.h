#pragma once
// One star of the world being generated: spectral class, decimal and size class ("G2 V", "M9 III",
// "K5 D"), left-aligned in the six-character star field.

#include <string>

namespace qelvar {

class Dice;
struct WorldRecord;

// The star text for a primary (slot 1) or a companion (any other slot). Rolls in this order: class
// (2D6), decimal (1D10 - 1), size class (2D6).
std::string rollStar(int slot, Dice& dice);

// Writes a freshly rolled star into star1 (slot 1), star2 (slot 2) or star3 (any other slot) of world;
// the other two fields stay.
void generateStar(WorldRecord& world, int slot, Dice& dice);

}  // namespace qelvar
