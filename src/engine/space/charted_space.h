#pragma once
// Charted space: many sectors side by side, each placed by the X (to the right) and Y (downwards) of its
// metadata file. A hex of charted space is numbered globally, so that distances, links and outlines run
// across sector edges:
//
//     x = sectorX * 32 + column - 1,  y = sectorY * 40 + row - 1
//
// As in a sector, odd x (the sector's even columns) sit half a hex lower; 32 is even, so this holds across
// sector edges and for negative x alike.

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/sector.h"
#include "space/space_metadata.h"
#include "store/notice.h"
#include "store/result.h"

namespace qelvar {

struct SpaceHex {
    int x = 0;
    int y = 0;
    auto operator<=>(const SpaceHex&) const = default;
};

SpaceHex spaceHexOf(int sectorX, int sectorY, int column, int row);
inline SpaceHex spaceHexOf(int sectorX, int sectorY, SectorHex hex) {
    return spaceHexOf(sectorX, sectorY, hex.column, hex.row);
}
// The sector a global hex lies in (floor division).
int sectorXOf(SpaceHex hex);
int sectorYOf(SpaceHex hex);
// One number for a hex, for hashing and sorting.
inline std::uint64_t spaceKey(SpaceHex hex) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(hex.x)) << 32) | static_cast<std::uint32_t>(hex.y);
}

// The number of hexes between two hexes, across sector edges.
int spaceDistance(SpaceHex a, SpaceHex b);
// The hex across side `side` (0 upper left, 1 lower left, 2 bottom, 3 lower right, 4 upper right, 5 top: the
// order the hex outline draws its sides in).
SpaceHex neighbourOf(SpaceHex hex, int side);

struct PlacedSector {
    std::string path;
    int x = 0;
    int y = 0;
    Sector sector;
    SectorMetadata metadata;
};

struct ChartedSpace {
    std::vector<PlacedSector> sectors;  // sorted by Y, then X

    const PlacedSector* sectorAt(int x, int y) const;
    // By the sector's name, any letter case.
    const PlacedSector* sectorNamed(std::string_view name) const;
    const SectorWorld* worldAt(SpaceHex hex) const;
};

// The sector files of the paths: a folder stands for its files whose names end in .tab, .tsv, .sec or .txt
// (any case) and whose content reads as a sector with at least one world. Each sector goes where its
// metadata's X and Y say; one whose metadata gives no place (or that has none) is put in the first free
// place to the right of the top row of placed sectors, in name order, with a notice. A second sector at a
// taken place, and a file that cannot be read, are left out with a notice naming the file. Fails when no
// sector at all was read.
[[nodiscard]] Result<WithNotices<ChartedSpace>> loadChartedSpace(const std::vector<std::string>& paths);

}  // namespace qelvar
