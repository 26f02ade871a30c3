#pragma once
// The worlds of charted space as one flat list for trade and jump routes: where each lies, its profile and
// what counts between worlds, in sector order and each sector's worlds in hex order.

#include <string>
#include <vector>

#include "space/charted_space.h"
#include "store/modern_rules.h"

namespace qelvar {

struct SpaceWorld {
    SpaceHex hex;
    int sector = 0;  // its sector's index in charted space
    int column = 0;  // in its sector
    int row = 0;
    std::string name;  // UTF-8, as the sector files hold it
    std::string uwp;   // as the file gives it, "A788899-C"
    ProfileValues profile;
    std::string allegiance;
    std::string remarks;
    char zone = ' ';     // upper case: 'R' red, 'F' forbidden, 'A' amber; blank for none
    int importance = 0;  // {Ix}: the file's, else by the modern rules
    bool gasGiant = false;

    bool barred() const { return zone == 'R' || zone == 'F'; }
};

// The worlds of one sector placed at sector (sectorX, sectorY), added to the list.
void appendSpaceWorlds(const Sector& sector, int sectorIndex, int sectorX, int sectorY,
                       std::vector<SpaceWorld>& worlds);
// Every world of charted space.
std::vector<SpaceWorld> spaceWorldsOf(const ChartedSpace& space);

// "Sector 1910" for a world, with the sector's name as charted space has it.
std::string spaceWorldPlace(const ChartedSpace& space, const SpaceWorld& world);

// The world a text names: "Sector Name 1910" (the sector's name in any letter case, then its hex) or a
// world's name (any letter case; the first in order when several share it). Nothing when none is found.
std::optional<int> findSpaceWorld(const ChartedSpace& space, const std::vector<SpaceWorld>& worlds,
                                  std::string_view text);

}  // namespace qelvar
