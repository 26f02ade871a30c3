#pragma once
// What maps of sectors draw over and under their hexes from charted space: the polities' borders (given by
// the metadata or made from allegiances), the regions filled translucently under the worlds, and labels.
// The maps place a hex of charted space by the anchor of global hex (0, 0) and go on from there as the
// sector map's grid does.

#include <string_view>
#include <vector>

#include "map/hex_geometry.h"
#include "map/sector_map.h"
#include "seams/surface.h"
#include "space/borders.h"

namespace qelvar {

enum class BorderChoice { Given, Made, None };
// "given", "made", "none"; nothing for another word.
std::optional<BorderChoice> borderChoiceNamed(std::string_view name);

struct SpaceOverlay {
    std::vector<Polity> borders;
    std::vector<SpaceRegion> regions;
    std::vector<SpaceLabel> labels;
    bool showBorders = true;
    bool showRegions = true;
    bool showLabels = true;
    bool empty() const { return borders.empty() && regions.empty() && labels.empty(); }
};

SpaceOverlay spaceOverlay(const ChartedSpace& space, BorderChoice borders, int distance = kDefaultBorderDistance);

// Where charted space lies on a map: the anchor of global hex (0, 0), the hex scale, the paper colours, and
// the part of the map worth drawing (everything when none).
struct SpacePlace {
    MapPoint origin;
    double k = kScreenHexScale;
    bool printed = false;
    std::optional<std::array<double, 4>> visible;  // left, top, right, bottom
    // Lines, regions and labels cut to this box (the subsector map's hexes); nothing beyond it is drawn.
    std::optional<MapBox> clip;
};

MapPoint spaceHexAnchor(SpaceHex hex, const SpacePlace& place);

// The regions, filled translucently in their colours (under the worlds).
void drawSpaceRegions(const SpaceOverlay& overlay, Surface& surface, const SpacePlace& place);
// The borders' lines along hex sides in their colours and styles, then the borders', regions' and free
// labels (over the worlds).
void drawSpaceBorders(const SpaceOverlay& overlay, Surface& surface, const SpacePlace& place);

}  // namespace qelvar
