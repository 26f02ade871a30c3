#pragma once
// The one subsector in memory and nothing else: 91 world slots (1..80 are the hexes in column-major order,
// 0 is the spill slot for lines that match no hex, 81..90 are never hexes), their hex codes, the names, the
// letter, what the last reader saw that the slots cannot show, and the statistics. Whether it is saved,
// which world's details are open and how a file's lines end belong to whoever shows or writes it.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "store/codes.h"
#include "store/fixed_text.h"

namespace qelvar {

struct WorldRecord {
    FixedText<20> name;
    std::int16_t location = 0;  // column * 100 + row inside the subsector; 0 is an empty hex
    FixedText<8> uwp;
    FixedText<1> base;
    FixedText<1> zone;
    FixedText<1> gasGiant;
    FixedText<6> star1;
    FixedText<6> star2;
    FixedText<6> star3;
    FixedText<3> pag;
    FixedText<60> notes;
    FixedText<2> allegiance;
    FixedText<2> facility;
    FixedText<15> tradeCodes;
    std::int16_t cargoBase = 0;

    void clear() { *this = WorldRecord{}; }
    bool occupied() const { return location > 0; }
    bool operator==(const WorldRecord&) const = default;
};

// One world line of a file that the store does not keep: its hex as the file numbers it and its name.
struct LineSeen {
    int hex = 0;
    std::string name;      // trimmed, as the file's bytes
    std::string replaced;  // for a second line at a hex: the trimmed name of the world it replaced
};

// What the last reader saw that the slots cannot show. Emptied with the slots.
struct ReadFacts {
    bool tradeCodesFromFile = false;   // the trade codes are the file's own (ARP, galactic), not computed
    std::vector<LineSeen> duplicates;  // every further line for a hex that an earlier line already held
    std::vector<LineSeen> outside;     // every named line of a galactic file whose hex lies outside the subsector
};

inline constexpr int kSlotCount = 91;
inline constexpr int kHexCount = 80;

class SubsectorStore {
public:
    SubsectorStore();

    std::array<WorldRecord, kSlotCount> worlds{};
    std::array<FixedText<4>, kSlotCount> hexCodes{};
    std::string subsectorName;
    std::string sectorName;
    std::string subsectorLetter;
    ReadFacts readFacts;

    std::int16_t worldCount = 0;
    char maxPopulationCode = ' ';
    char bestTechCode = ' ';
    double totalPopulation = 0;

    // Empties all 91 slots and the read facts; names, letter and codes stay.
    void clear();
    // Rebuilds hexCodes: "0101" for slot 1 ... "0810" for slot 80; slots 0 and 81..90 cleared.
    void buildHexCodes();
    // The first slot 1..90 whose location code reads as n; 0 when none does (a location of exactly 0
    // finds slot 81, whose cleared code reads as 0).
    int slotOfLocation(int n) const;
    // The values [1..8] of the UWP of a slot, with anything that is not a digit read as 0; [0] is 0.
    UwpValues loadUwpValues(int slot) const;
    void refreshStatistics();

    // The numeric value of hexCodes[slot]; 0 for the cleared slots.
    int hexCodeValue(int slot) const { return hexCodeValues_[static_cast<std::size_t>(slot)]; }

private:
    std::array<int, kSlotCount> hexCodeValues_{};
};

// The values [1..8] of a world's UWP, with anything that is not a digit read as 0; [0] is 0.
UwpValues uwpValuesOf(const WorldRecord& world);

}  // namespace qelvar
