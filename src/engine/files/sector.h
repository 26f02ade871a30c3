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
// (the tab-separated writer's names: "Name", "UWP", "Bases", "Allegiance", "Stars", "{Ix}", ...; Hex and
// SS are not kept, the hex says both), UTF-8 as the sector files hold it, so a field the store cannot hold
// survives; it is empty for a world that came from a subsector store. A writer writes a field's original
// text as long as the record still says what that text says, and the record's own text once it was edited.
struct SectorWorld {
    int column = 0;  // 1..32
    int row = 0;     // 1..40
    WorldRecord record;
    std::map<std::string, std::string> fields;
    int line = 0;  // the physical line (from 1) the world was read from; 0 when it came from elsewhere
};

// The names are 8-bit text as the subsector store holds them (Windows-1252), whatever the file held.
struct Sector {
    std::string name;
    std::array<std::string, kSubsectorCount> subsectorNames{};
    std::vector<SectorWorld> worlds;  // at most one per hex, in the order they were read
    // Columns a sector file held beyond the ones the writers know, in the file's order; the writers of
    // the tab-separated and column formats write them after their own.
    std::vector<std::string> extraColumns;

    // The number of worlds in subsector index (0..15).
    int worldCount(int index) const;
};

// The subsector of a sector hex: 0 (A) to 15 (P).
inline int subsectorIndexOf(int column, int row) { return (column - 1) / 8 + 4 * ((row - 1) / 10); }
inline char subsectorLetterOf(int column, int row) { return static_cast<char>('A' + subsectorIndexOf(column, row)); }

// Clears the store and fills it with the worlds of subsector `index` (0..15): its letter, the subsector's
// name and the sector's name, each world in the slot of its location. Statistics are left to the caller.
void sectorToStore(const Sector& sector, int index, SubsectorStore& store);

// Puts the store's worlds into the sector at the hexes of the store's letter (A-P; nothing happens for
// another letter), replacing every world that subsector held; a world that stays at its hex keeps the
// original text of its fields. The subsector's name is the store's; an empty sector name takes the store's.
void storeIntoSector(const SubsectorStore& store, Sector& sector);

}  // namespace qelvar
