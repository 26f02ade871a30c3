#pragma once
// A whole sector: 32 x 40 hexes in sixteen subsectors A-P, four across and four down (A B C D on top),
// as the sector files hold it, with everything of a world that a subsector store cannot hold.

#include <array>
#include <map>
#include <string>
#include <vector>

#include "store/subsector_store.h"

namespace qelvar {

inline constexpr int kSectorColumns = 32;
inline constexpr int kSectorRows = 40;
inline constexpr int kSubsectorCount = 16;

// One world at a sector hex. `record` is what a subsector store holds (its location in the subsector's own
// numbering, column * 100 + row); `fields` keeps the original text of the line's columns by column name
// (the tab-separated writer's names: "Hex", "Name", "UWP", "Allegiance", "Stars", ...), so a field the
// store cannot hold survives; it is empty for a world that came from a subsector store.
struct SectorWorld {
    int column = 0;  // 1..32
    int row = 0;     // 1..40
    WorldRecord record;
    std::map<std::string, std::string> fields;
};

struct Sector {
    std::string name;
    std::array<std::string, kSubsectorCount> subsectorNames{};
    std::vector<SectorWorld> worlds;  // at most one per hex, in the order they were read
};

// The subsector of a sector hex: 0 (A) to 15 (P).
inline int subsectorIndexOf(int column, int row) { return (column - 1) / 8 + 4 * ((row - 1) / 10); }
inline char subsectorLetterOf(int column, int row) { return static_cast<char>('A' + subsectorIndexOf(column, row)); }

}  // namespace qelvar
