#include "space/hex_outline.h"

#include <gtest/gtest.h>

#include <set>

namespace qelvar {
namespace {

// Hexes of the sector at (sx, 0) by their four-digit numbers.
HexSet hexes(std::initializer_list<int> numbers, int sx = 0) {
    HexSet set;
    for (const int n : numbers) set.insert(spaceHexOf(sx, 0, n / 100, n % 100));
    return set;
}

// The hexes from `inner` to `outer` hexes away from the centre.
HexSet ring(SpaceHex centre, int inner, int outer) {
    HexSet set;
    for (int x = centre.x - outer; x <= centre.x + outer; ++x) {
        for (int y = centre.y - outer; y <= centre.y + outer; ++y) {
            const int d = spaceDistance(centre, {x, y});
            if (d >= inner && d <= outer) set.insert({x, y});
        }
    }
    return set;
}

HexSet joined(HexSet a, const HexSet& b) {
    a.insert(b.begin(), b.end());
    return a;
}

std::set<SpaceHex> sorted(const HexSet& set) { return {set.begin(), set.end()}; }

// The hexes the outlines of a set enclose, read back from the hex lists the metadata would hold.
HexSet readBack(const std::vector<CornerLoop>& loops) {
    std::vector<CornerLoop> lines;
    for (const CornerLoop& loop : loops) lines.push_back(outlineOfHexList(hexListOf(loop)));
    return hexesEnclosed(lines);
}

struct TraceCase {
    const char* name;
    HexSet set;
    std::size_t outer;
    std::size_t holes;
};

TEST(HexOutline, TracedSetsReadBackFromTheirHexLists) {
    const TraceCase cases[] = {
        {"a single hex", hexes({1010}), 1, 0},
        {"a line of hexes", hexes({1010, 1011, 1012, 1013}), 1, 0},
        {"a ring round one hex", ring({9, 9}, 1, 1), 1, 1},
        {"a thick ring round seven hexes", ring({-9, 9}, 2, 3), 1, 1},
        {"two blobs joined at one hex", joined(joined(ring({9, 9}, 0, 1), ring({9, 13}, 0, 1)), {{9, 11}}), 1, 0},
        {"a blob with a hole and an island in it", joined(ring({20, 20}, 2, 4), {{20, 20}}), 2, 1},
        {"two apart", hexes({101, 3240}), 2, 0},
    };
    for (const TraceCase& c : cases) {
        const auto loops = traceHexSet(c.set);
        std::size_t outer = 0;
        for (const CornerLoop& loop : loops) outer += isClockwise(outlineOfHexList(hexListOf(loop))) ? 1 : 0;
        EXPECT_EQ(outer, c.outer) << c.name;
        EXPECT_EQ(loops.size() - outer, c.holes) << c.name;
        EXPECT_EQ(sorted(readBack(loops)), sorted(c.set)) << c.name;
    }
}

TEST(HexOutline, ASetAcrossASectorEdgeIsOneLoop) {
    HexSet set = hexes({3101, 3102, 3201, 3202}, -1);
    set.merge(hexes({101, 102, 201}, 0));
    const auto loops = traceHexSet(set);
    ASSERT_EQ(loops.size(), 1u);
    EXPECT_EQ(sorted(readBack(loops)), sorted(set));
    EXPECT_EQ(hexListOf(loops[0]).front(), hexListOf(loops[0]).back());
}

TEST(HexOutline, APublishedListEnclosesItsHexesAndTheirInside) {
    // Clockwise round 0303: its six neighbours, starting at the top.
    const std::vector<SpaceHex> list = {{2, 1}, {3, 1}, {3, 2}, {2, 3}, {1, 2}, {1, 1}, {2, 1}};
    const CornerLoop line = outlineOfHexList(list);
    EXPECT_TRUE(isClockwise(line));
    EXPECT_EQ(sorted(hexesInside(line)), sorted(hexes({303, 302, 402, 403, 304, 203, 202})));
    EXPECT_EQ(outlineOfHexList({{4, 4}}).size(), 6u);
    EXPECT_EQ(sorted(hexesInside(outlineOfHexList({{4, 4}, {4, 4}}))), sorted(HexSet{{4, 4}}));
    // A gap in the ring: the hexes either side of it give no corners.
    EXPECT_EQ(sorted(hexesInside(outlineOfHexList({{2, 1}, {3, 1}, {3, 2}, {1, 2}, {1, 1}, {2, 1}}))),
              sorted(HexSet{{1, 1}, {2, 1}, {2, 2}, {3, 1}}));
}

}  // namespace
}  // namespace qelvar
