#include "space/hex_outline.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

namespace qelvar {

namespace {

// A lattice in which every hex centre and corner has whole coordinates, y growing downwards: the centre of
// a hex at (3x, 2y + (x & 1)), its corners one or two units away.
struct LatticePoint {
    long long x = 0;
    long long y = 0;
};

constexpr int kCornerX[6] = {-1, -2, -1, 1, 2, 1};
constexpr int kCornerY[6] = {-1, 0, 1, 1, 0, -1};

LatticePoint centreOf(SpaceHex hex) { return {3LL * hex.x, 2LL * hex.y + (hex.x & 1)}; }

LatticePoint pointOf(const HexCorner& corner) {
    const LatticePoint c = centreOf(corner.hex);
    return {c.x + kCornerX[corner.corner], c.y + kCornerY[corner.corner]};
}

bool samePoint(const HexCorner& a, const HexCorner& b) {
    const LatticePoint p = pointOf(a);
    const LatticePoint q = pointOf(b);
    return p.x == q.x && p.y == q.y;
}

int mod6(int side) { return ((side % 6) + 6) % 6; }

// The side of `from` that faces `to`; -1 when they do not touch.
int sideTowards(SpaceHex from, SpaceHex to) {
    for (int side = 0; side < 6; ++side) {
        if (neighbourOf(from, side) == to) return side;
    }
    return -1;
}

}  // namespace

CornerLoop outlineOfHexList(const std::vector<SpaceHex>& list) {
    std::vector<SpaceHex> hexes = list;
    if (hexes.size() > 1 && hexes.front() == hexes.back()) hexes.pop_back();
    CornerLoop loop;
    if (hexes.empty()) return loop;
    const std::size_t n = hexes.size();
    if (n == 1) {
        for (int corner = 5; corner >= 0; --corner) loop.push_back({hexes[0], corner});
        return loop;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const SpaceHex hex = hexes[i];
        const int before = sideTowards(hex, hexes[(i + n - 1) % n]);
        const int after = sideTowards(hex, hexes[(i + 1) % n]);
        if (before < 0 || after < 0) continue;
        // On the left of the walk: from the side facing the hex before, backwards round the hex to the side
        // facing the hex after (all the way round when both are the same hex).
        // The first corner is the last of the hex before when the two touch; it is not repeated.
        const int corners = mod6(before - after - 1) + 1;
        for (int k = 0; k < corners; ++k) {
            const HexCorner corner{hex, mod6(before - k)};
            if (loop.empty() || !samePoint(loop.back(), corner)) loop.push_back(corner);
        }
    }
    if (loop.size() > 1 && samePoint(loop.front(), loop.back())) loop.pop_back();
    return loop;
}

HexSet hexesInside(const CornerLoop& loop) {
    HexSet inside;
    if (loop.size() < 3) return inside;
    std::vector<LatticePoint> points;
    points.reserve(loop.size());
    for (const HexCorner& corner : loop) points.push_back(pointOf(corner));
    long long minX = points[0].x;
    long long maxX = minX;
    for (const LatticePoint& p : points) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
    }
    std::vector<double> crossings;
    for (long long hx = (minX + 2) / 3 - 1; hx * 3 <= maxX; ++hx) {
        const long long sx = hx * 3;  // no corner lies on a line through hex centres
        crossings.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const LatticePoint a = points[i];
            const LatticePoint b = points[(i + 1) % points.size()];
            if ((a.x < sx) == (b.x < sx)) continue;
            crossings.push_back(static_cast<double>(a.y) + static_cast<double>(b.y - a.y) *
                                                               static_cast<double>(sx - a.x) /
                                                               static_cast<double>(b.x - a.x));
        }
        std::sort(crossings.begin(), crossings.end());
        const int x = static_cast<int>(hx);
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            // Centres at 2y + (x & 1) between the two crossings.
            const double low = (crossings[i] - (x & 1)) / 2;
            const double high = (crossings[i + 1] - (x & 1)) / 2;
            for (long long y = static_cast<long long>(std::ceil(low)); y <= static_cast<long long>(std::floor(high));
                 ++y)
                inside.insert({x, static_cast<int>(y)});
        }
    }
    return inside;
}

HexSet hexesEnclosed(const std::vector<CornerLoop>& loops) {
    std::unordered_map<SpaceHex, int, SpaceHexHash> winding;
    for (const CornerLoop& loop : loops) {
        const int turn = isClockwise(loop) ? 1 : -1;
        for (const SpaceHex hex : hexesInside(loop)) winding[hex] += turn;
    }
    HexSet set;
    for (const auto& [hex, count] : winding) {
        if (count > 0) set.insert(hex);
    }
    return set;
}

std::vector<CornerLoop> traceHexSet(const HexSet& hexes) {
    std::vector<SpaceHex> sorted(hexes.begin(), hexes.end());
    std::sort(sorted.begin(), sorted.end());
    std::map<std::pair<SpaceHex, int>, bool> used;
    std::vector<CornerLoop> loops;
    for (const SpaceHex start : sorted) {
        for (int startSide = 0; startSide < 6; ++startSide) {
            if (hexes.count(neighbourOf(start, startSide)) || used.count({start, startSide})) continue;
            CornerLoop loop;
            SpaceHex hex = start;
            int side = startSide;
            do {
                used[{hex, side}] = true;
                loop.push_back({hex, side});
                // The side ends at corner side + 1; the next side of the loop starts there, with the set on
                // its left: this hex's next side, or the side of the next hex round that corner.
                const SpaceHex across = neighbourOf(hex, side + 1);
                if (hexes.count(across)) {
                    hex = across;
                    side = mod6(side - 1);
                } else {
                    side = mod6(side + 1);
                }
            } while (!(hex == start && side == startSide));
            loops.push_back(std::move(loop));
        }
    }
    return loops;
}

std::vector<SpaceHex> hexListOf(const CornerLoop& loop) {
    std::vector<SpaceHex> hexes;
    for (const HexCorner& corner : loop) {
        if (hexes.empty() || !(hexes.back() == corner.hex)) hexes.push_back(corner.hex);
    }
    while (hexes.size() > 1 && hexes.front() == hexes.back()) hexes.pop_back();
    std::reverse(hexes.begin(), hexes.end());  // traced anticlockwise; the metadata lists clockwise
    if (!hexes.empty()) hexes.push_back(hexes.front());
    return hexes;
}

bool isClockwise(const CornerLoop& loop) {
    long long twiceArea = 0;
    for (std::size_t i = 0; i < loop.size(); ++i) {
        const LatticePoint a = pointOf(loop[i]);
        const LatticePoint b = pointOf(loop[(i + 1) % loop.size()]);
        twiceArea += a.x * b.y - b.x * a.y;
    }
    return twiceArea > 0;  // y grows downwards
}

}  // namespace qelvar
