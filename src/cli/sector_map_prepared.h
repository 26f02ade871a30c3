#pragma once
// What a sector-map command draws, gathered without Qt: the sector, its routes and trade, and the overlay of
// its metadata's borders, regions and labels that the options point to (so it stays where it was made).

#include "files/sector.h"
#include "map/sector_map.h"
#include "map/space_overlay.h"

namespace qelvar {

struct PreparedSectorMap {
    Sector sector;
    SpaceOverlay overlay;
    SectorMapOptions options;

    PreparedSectorMap() = default;
    PreparedSectorMap(const PreparedSectorMap&) = delete;
    PreparedSectorMap& operator=(const PreparedSectorMap&) = delete;
};

}  // namespace qelvar
