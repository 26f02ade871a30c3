#pragma once
// Outlines along hex sides. A line is a closed loop of hex corners; corner i of a hex is the corner that
// starts side i in the order the hex outline draws them (0 the anchor, the left end of the top; then the
// left, bottom-left, bottom-right, right and top-right corners), and side i faces neighbourOf(hex, i).
//
// Two ways to a line:
//  - from a hex list, as a sector's metadata gives a border: walking the list, the line runs around each
//    hex on the left of the walk, from the side facing the hex before it to the side facing the hex after
//    it. The published lists go clockwise round a polity, so the listed hexes lie just inside the line; a
//    list walked the other way round outlines a hole.
//  - from a set of hexes: each loop of sides between a hex of the set and one outside it. Outer loops and
//    the loops round holes both come out; hexListOf turns each into the list that gives it back.

#include <cstdint>
#include <unordered_set>
#include <vector>

#include "space/charted_space.h"

namespace qelvar {

struct HexCorner {
    SpaceHex hex;
    int corner = 0;  // 0..5
};
using CornerLoop = std::vector<HexCorner>;

struct SpaceHexHash {
    std::size_t operator()(SpaceHex hex) const { return std::hash<std::uint64_t>()(spaceKey(hex)); }
};
using HexSet = std::unordered_set<SpaceHex, SpaceHexHash>;

// The line a hex list gives (the first hex repeated at the end or not). A list of one hex is that hex's
// outline; a hex that does not touch the one before or after it adds no corners.
CornerLoop outlineOfHexList(const std::vector<SpaceHex>& hexes);

// The hexes whose centres lie inside the loop (even-odd).
HexSet hexesInside(const CornerLoop& loop);

// The hexes the loops enclose together: those inside more clockwise loops than anticlockwise ones, so that
// a hole takes its hexes away and an island in a hole gives its own back.
HexSet hexesEnclosed(const std::vector<CornerLoop>& loops);

// Every loop of sides between the set and the rest, in a fixed order (by the first hex of each loop).
std::vector<CornerLoop> traceHexSet(const HexSet& hexes);

// The hexes just inside a traced loop in the metadata's order (clockwise round the set, the first hex
// repeated at the end), so that outlineOfHexList gives the loop back.
std::vector<SpaceHex> hexListOf(const CornerLoop& loop);

// Whether a loop goes round its hexes clockwise on the map (an outer loop of a published list).
bool isClockwise(const CornerLoop& loop);

}  // namespace qelvar
