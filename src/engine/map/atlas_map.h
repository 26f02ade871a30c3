#pragma once
// Charted space on one map: a block of sectors side by side, each drawn as the sector map draws it, the hex
// grid running on across sector edges; jump links and routes across the edges, the regions under the
// worlds, the borders and labels over them, and each sector's name in the margin (in the top margin for
// the top row, the bottom margin for the bottom row, at the top of its own area for rows between).
//
// The map works in millimetres. A place of the block without a loaded sector stays empty.

#include <optional>
#include <string>
#include <vector>

#include "map/sector_map.h"
#include "map/space_overlay.h"
#include "space/charted_space.h"
#include "store/result.h"

namespace qelvar {

// The block of sector places an atlas shows, inclusive.
struct AtlasArea {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const AtlasArea&) const = default;
};

// The block round every loaded sector.
AtlasArea atlasAreaOf(const ChartedSpace& space);
// The block round the sectors named (any letter case); fails naming a sector that is not loaded.
[[nodiscard]] Result<AtlasArea> atlasAreaNamed(const ChartedSpace& space, const std::vector<std::string>& names);

struct AtlasOptions {
    double k = kScreenHexScale;
    bool printed = false;
    int jump = 0;         // jump links between worlds at most this many hexes apart, across sector edges
    bool routes = false;  // the routes of the sectors' metadata
    const SpaceOverlay* overlay = nullptr;
    std::optional<MapBox> visible;  // only what lies here needs drawing (millimetres of the map)
};

MapSize atlasMapSize(const AtlasArea& area, double k = kScreenHexScale);
// The anchor of hex 0101 of the sector at place (x, y).
MapPoint atlasSectorOrigin(const AtlasArea& area, int x, int y, double k = kScreenHexScale);

// Draws the map on a cleared surface.
void drawAtlasMap(const ChartedSpace& space, const AtlasArea& area, Surface& surface, const AtlasOptions& options);

// The hex of charted space under a point of the map, by the nearest hex centre; none outside the block.
std::optional<SpaceHex> atlasHexAt(MapPoint point, const AtlasArea& area, double k = kScreenHexScale);

}  // namespace qelvar
