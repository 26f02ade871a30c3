#pragma once
// The whole sector on one map: 32 x 40 hexes drawn as the subsector map draws them (the same symbols,
// colours and fonts, hexes numbered in sector coordinates), the sixteen subsector borders drawn heavier,
// each subsector's letter and name faintly in its area and the sector's name as the title. Under the
// worlds, when asked: jump links between worlds a few hexes apart, and routes.
//
// The map works in millimetres; the anchor of hex 0101 lies at kSectorMapOrigin.

#include <vector>

#include "files/sector.h"
#include "map/hex_geometry.h"
#include "map/routes.h"
#include "seams/surface.h"

namespace qelvar {

class SubsectorStore;

inline constexpr MapPoint kSectorMapOrigin{8, 12};
inline constexpr int kMaxJump = 6;
inline constexpr int kSubsectorBorderWidth = 3;  // device dots
inline constexpr Rgb kJumpLinkColour{130, 150, 200};

struct SectorMapOptions : MapLinks {
    double k = kScreenHexScale;
    // The paper version: black on white, hex numbers one unit right of the anchor, symbols in colour.
    bool printed = false;
};

struct MapBox {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

struct MapSize {
    double width = 0;
    double height = 0;
};

// The size of the whole map (title, hexes and frame) in millimetres at hex scale k.
MapSize sectorMapSize(double k = kScreenHexScale);

// The number of hexes between two sector hexes, even columns sitting half a hex lower.
int hexDistance(int column1, int row1, int column2, int row2);
// Starts a map's page in millimetres: cleared (white with black ink when printed), transparent fills. Gives
// the ink the map is drawn in.
Rgb beginMapPage(Surface& surface, bool printed);

// The anchor of a sector hex on the sector map; columns and rows outside the sector continue the grid.
MapPoint sectorHexAnchor(int column, int row, double k, MapPoint origin = kSectorMapOrigin);
// The outermost corners of the sector's 32 x 40 hexes.
MapBox sectorHexArea(double k, MapPoint origin = kSectorMapOrigin);

// A route's line between two hex centres in the route's style, left 1.5 hex units short at each end that is
// a hex of the map (clearStart, clearEnd), cut to the box; nothing when the hexes are too close.
void drawRouteLine(const Route& route, Surface& surface, MapPoint start, MapPoint end, bool clearStart, bool clearEnd,
                   const MapBox& clip, double k);

// The pieces of the map for a sector among others, with the anchor of its hex 0101 at origin: the faint
// subsector letters and names; then the hexes with their worlds and the heavier subsector borders.
void drawSubsectorLabels(const Sector& sector, Surface& surface, const SectorMapOptions& options, MapPoint origin);
void drawSectorHexes(const Sector& sector, Surface& surface, const SectorMapOptions& options, MapPoint origin);

// Draws the map on a cleared surface. Jump links and routes come first, under every world; then for each
// subsector its hexes and worlds; then the borders and the frame.
void drawSectorMap(const Sector& sector, Surface& surface, const SectorMapOptions& options = {});

// The jump links and routes between the hexes of the store's subsector on the subsector map, under its
// worlds; routes with an end in another subsector are left out. With `overlay`, the regions too.
void drawSubsectorLinks(const SubsectorStore& store, Surface& surface, const MapLinks& links);
// The borders and labels of the links' overlay on the subsector map, over its worlds, cut to its hexes.
void drawSubsectorBorders(const SubsectorStore& store, Surface& surface, const MapLinks& links);
// Cuts the segment a-b to the box; false when nothing of it lies inside.
bool clipSegment(MapPoint& a, MapPoint& b, const MapBox& box);

// The sector hex under a point of the map ("ccrr" in sector numbering), by the nearest hex centre; empty
// when the point is outside every hex.
std::string sectorLocationAt(MapPoint point, double k = kScreenHexScale, MapPoint origin = kSectorMapOrigin);

}  // namespace qelvar
