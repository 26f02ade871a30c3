#pragma once
// Where the 80 hexes of a subsector lie on the map surface (millimetres, origin top-left, y down) and how
// a pointer position is turned back into a hex location.
//
// A hex has a flat top and bottom and is placed by its anchor, the top-left corner of its top edge. It is
// 13k wide and 10k high for the hex scale k (1.3 mm on screen). Columns 1..8 run left to right, rows
// 1..10 top to bottom; even columns sit 5k lower than odd ones and neighbouring columns share their
// slanted edges.

#include <array>
#include <string>

namespace qelvar {

struct MapPoint {
    double x = 0;
    double y = 0;
};

inline constexpr double kScreenHexScale = 1.3;
inline constexpr MapPoint kScreenMapOrigin{6, 5};  // anchor of hex 0101 on the screen map
inline constexpr int kMapColumns = 8;
inline constexpr int kMapRows = 10;

// The map surface of the main window in twips, and in dots at a given resolution.
inline constexpr int kMapSurfaceWidthTwips = 5895;
inline constexpr int kMapSurfaceHeightTwips = 8175;
int twipsToDots(int twips, double dotsPerInch);

// The anchor of the hex of column c and row r: (x0 + 9k (c - 1), y0 + 10k (r - 1)), plus 5k down in even
// columns, where (x0, y0) is the anchor of hex 0101.
MapPoint hexAnchor(int column, int row, double k, MapPoint origin = kScreenMapOrigin);

// The six corners of the outline in drawing order, starting and ending at the anchor: left, bottom-left,
// bottom-right, right, top-right.
std::array<MapPoint, 7> hexOutline(MapPoint anchor, double k);

inline MapPoint hexCentre(MapPoint anchor, double k) { return {anchor.x + 2.5 * k, anchor.y + 5 * k}; }

// The hot-spot look-up of the screen map: the column from a fixed band of the whole-millimetre part of x,
// the row from a fixed band of the whole-millimetre part of y, as "ccrr" (for example "0305"). A
// coordinate in no band gives "--" for its part ("01--"), and any "-" means the point is on no hex. The
// row bands fit the odd columns; in even columns, which are drawn 6.5 mm lower, they are applied to
// y - 6.5 so that the hex reported is the hex under the pointer.
std::string locationAt(double x, double y);

}  // namespace qelvar
