#include "map/sector_map.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "map/map_drawing.h"
#include "store/subsector_store.h"
#include "seams/recording_surface.h"
#include "store/text.h"
#include "support/recorded_ops.h"
#include "support/sample_sector.h"

namespace qelvar {
namespace {

using Op = testing::RecordedOp;
using testing::countRecorded;

std::vector<Op> drawn(const Sector& sector, const SectorMapOptions& options = {}) {
    RecordingSurface surface;
    prepareMapSurface(surface);
    drawSectorMap(sector, surface, options);
    return testing::recordedOps(surface.text());
}

const Sector& sample() {
    static const Sector sector = testing::sampleSector();
    return sector;
}

double number(const std::string& field) { return std::stod(field); }

TEST(SectorMap, DrawsEveryHexEveryWorldAtItsSectorHexAndTheSixteenBorders) {
    ASSERT_GT(sample().worlds.size(), 450u);
    const auto ops = drawn(sample());
    EXPECT_EQ(ops.front(), (Op{"cls", "#182038"}));
    // Outlines: six thin lines in the foreground per hex.
    EXPECT_EQ(countRecorded(ops, [](const Op& o) { return o[0] == "line" && o[5] == "#ffffff" && o[7] == "1"; }),
              1280u * 6);
    // Hex numbers in sector numbering: silver for empty hexes, white exactly at the worlds' hexes.
    std::set<std::string> numbered, occupied, expected;
    for (const Op& o : ops) {
        if (o[0] != "text" || o[4] != kMapFont || o[8].size() != 4 || o[8].find_first_not_of("0123456789") != o[8].npos)
            continue;
        EXPECT_TRUE(numbered.insert(o[8]).second) << o[8];
        if (o[3] == "#ffffff") occupied.insert(o[8]);
    }
    for (const SectorWorld& w : sample().worlds) expected.insert(formatFourDigits(w.column * 100 + w.row));
    EXPECT_EQ(numbered.size(), 1280u);
    EXPECT_TRUE(numbered.count("0101") && numbered.count("3240") && numbered.count("2531"));
    EXPECT_EQ(occupied, expected);
    // The heavy borders: the sector's outer edge and the edges between subsectors, each once; the points
    // just either side of a border lie in two subsectors, or one lies outside the sector.
    std::set<std::string> borders;
    const auto subsectorAt = [](double x, double y) {
        const std::string hex = sectorLocationAt({x, y});
        return hex.empty() ? -1 : subsectorIndexOf(std::stoi(hex.substr(0, 2)), std::stoi(hex.substr(2)));
    };
    for (const Op& o : ops) {
        if (o[0] != "line" || o[7] != std::to_string(kSubsectorBorderWidth)) continue;
        EXPECT_TRUE(borders.insert(o[1] + " " + o[2] + " " + o[3] + " " + o[4]).second);
        const double x1 = std::stod(o[1]), y1 = std::stod(o[2]), x2 = std::stod(o[3]), y2 = std::stod(o[4]);
        const double length = std::hypot(x2 - x1, y2 - y1), nx = (y1 - y2) / length, ny = (x2 - x1) / length;
        const double mx = (x1 + x2) / 2, my = (y1 + y2) / 2;
        EXPECT_NE(subsectorAt(mx + nx, my + ny), subsectorAt(mx - nx, my - ny)) << o[1] << " " << o[2];
    }
    EXPECT_EQ(borders.size(), 703u);
    // Titles (text, colour, size, bold): the sector's name, and each subsector's letter and name faintly.
    for (const char* title : {"Kestrane Reach\t#ffffff\t16\t1", "A\t#344060\t72\t1", "F\t#344060\t72\t1",
                              "P\t#344060\t72\t1", "Reach A\t#344060\t14\t0", "Reach P\t#344060\t14\t0"}) {
        const auto isTitle = [&](const Op& o) {
            return o[0] == "text" && o[4] == kTitleFont && o[8] + "\t" + o[3] + "\t" + o[5] + "\t" + o[6] == title;
        };
        EXPECT_EQ(countRecorded(ops, isTitle), 1u) << title;
    }
    // Each letter sits in the middle of its subsector, where its middle hexes meet (over the fourth column's
    // fifth row).
    RecordingSurface measure;
    measure.setFont({kTitleFont, 72, true, false});
    for (const Op& o : ops) {
        if (o[0] != "text" || o[3] != "#344060" || o[8].size() != 1) continue;
        const int index = o[8][0] - 'A';
        const MapPoint centre{number(o[1]) + measure.textWidth(o[8]) / 2, number(o[2]) + measure.lineHeight() / 2};
        EXPECT_EQ(sectorLocationAt(centre), formatFourDigits((index % 4 * 8 + 4) * 100 + index / 4 * 10 + 5)) << o[8];
    }
}

TEST(SectorMap, HexDistanceCountsStepsWithEvenColumnsLower) {
    struct Case {
        int c1, r1, c2, r2, distance;
    } const cases[] = {{1, 1, 1, 1, 0},    {1, 1, 2, 1, 1}, {1, 2, 2, 1, 1}, {2, 1, 1, 1, 1},  {2, 1, 1, 2, 1},
                       {1, 1, 2, 2, 2},    {2, 2, 1, 1, 2}, {1, 1, 3, 1, 2}, {1, 1, 1, 10, 9}, {8, 10, 9, 11, 1},
                       {1, 1, 32, 40, 55}, {5, 5, 7, 6, 2}, {5, 5, 7, 4, 2}, {5, 5, 11, 5, 6}, {5, 5, 5, 12, 7}};
    for (const Case& c : cases) {
        EXPECT_EQ(hexDistance(c.c1, c.r1, c.c2, c.r2), c.distance) << c.c1 << c.r1 << " " << c.c2 << c.r2;
        EXPECT_EQ(hexDistance(c.c2, c.r2, c.c1, c.r1), c.distance);
    }
}

TEST(SectorMap, JumpLinksJoinEveryPairWithinNHexesUnderTheWorlds) {
    // Worlds at most one hex apart have centres 10k to 10.3k apart; two hexes at most 20.6k, three at least 26k.
    const double k = kScreenHexScale;
    const auto centre = [&](const SectorWorld& w) { return hexCentre(sectorHexAnchor(w.column, w.row, k), k); };
    const auto isLink = [](const Op& o) { return o[0] == "line" && o[5] == "#8296c8"; };
    for (const auto& [jump, reach] : {std::pair{0, 0.0}, {1, 10.5 * k}, {2, 21 * k}}) {  // none by default
        SCOPED_TRACE(jump);
        std::size_t pairs = 0;
        const auto& worlds = sample().worlds;
        for (std::size_t i = 0; i < worlds.size(); ++i) {
            for (std::size_t j = i + 1; j < worlds.size(); ++j) {
                const MapPoint a = centre(worlds[i]);
                const MapPoint b = centre(worlds[j]);
                if (std::hypot(a.x - b.x, a.y - b.y) <= reach) ++pairs;
            }
        }
        SectorMapOptions options;
        options.jump = jump;
        const auto ops = drawn(sample(), options);
        EXPECT_EQ(countRecorded(ops, isLink), pairs);
        const auto firstWorld = std::find_if(ops.begin(), ops.end(), [](const Op& o) { return o[0] == "circle"; });
        EXPECT_EQ(countRecorded({firstWorld, ops.end()}, isLink), 0u);
    }
}

TEST(SectorMap, RoutesAreDrawnOnceWithTheirStyleShortenedAndCutAtTheMapEdge) {
    const auto routes = readRoutes(
        "<Sector><Name>Kestrane Reach</Name><Routes>"
        "<Route Start=\"0101\" End=\"0103\" Type=\"Trade\" Style=\"Dashed\" Color=\"#ff8000\" Width=\"2\"/>"
        "<Route Start=\"0105\" End=\"0305\"/>"
        "<Route Start=\"3219\" End=\"3419\" Style=\"Dotted\"/>"
        "<Route Start=\"0110\" End=\"0110\" EndOffsetX=\"-1\"/>"
        "<Route Start=\"0101\" End=\"0000\"/>"
        "<Route Start=\"0142\" End=\"0139\" Width=\"0.5\"/><Route Start=\"0101\" End=\"0101\"/>"
        "<Route Start=\"0101\" End=\"0102\" Style=\"Wavy\"/>"
        "<Route Start=\"01\" End=\"0102\"/>"
        "<Route Start=\"0101\" End=\"0102\" Color=\"rouge\"/>"
        "<Route Start=\"0101\" End=\"0102\" EndOffsetY=\"2\"/>"
        "<Route Start=\"0101\" End=\"0102\" Color=\"#12345g\"/><Route Start=\"0101\" End=\"0102\" Width=\"0\"/>"
        "<Route Start=\"01a1\" End=\"0102\"/><Route Start=\"0101\" End=\"0102\" Width=\"21\"/>"
        "<Route Start=\"0200\" End=\"0600\"/></Routes></Sector>");
    ASSERT_TRUE(routes);
    ASSERT_EQ(routes->notices.size(), 8u);  // routes 8 to 15
    EXPECT_EQ(routes->notices[1].text, "Route 9 (01 to 0102) is left out: it cannot be read");
    ASSERT_EQ(routes->value.size(), 8u);
    EXPECT_EQ(routes->value[0].type, "Trade");
    SectorMapOptions options;
    options.routes = routes->value;
    Sector sector;
    sector.worlds.push_back({1, 1, {}, {}});
    sector.worlds.back().record.location = 101;
    sector.worlds.back().record.uwp = "A788899C";
    const auto ops = drawn(sector, options);
    // Subsectors without a name have only their letter.
    EXPECT_EQ(countRecorded(ops, [](const Op& o) { return o[0] == "text" && o[3] == "#344060"; }), 16u);
    std::vector<Op> lines;
    for (const Op& o : ops) {
        if (o[0] == "line" && o[5] != "#ffffff") lines.push_back(o);
    }
    // Hex centres: 0101 (11.25, 18.5), 0103 (11.25, 44.5), 0105 (11.25, 70.5), 0305 (34.65, 70.5),
    // 3219 (373.95, 259); the map's hexes end at x 382.4 on the right and 2.8 on the left. A route within one
    // hex has no room.
    const std::vector<Op> expected{
        {"line", "11.250", "20.450", "11.250", "42.550", "#ff8000", "dash", "2"},
        {"line", "13.200", "70.500", "32.700", "70.500", "#808080", "solid", "1"},
        {"line", "375.900", "259.000", "382.400", "259.000", "#808080", "dot", "1"},
        {"line", "9.300", "135.500", "2.800", "135.500", "#808080", "solid", "1"},
        // Towards 0000, up and left: shortened at 0101, cut where it leaves the map.
        {"line", "9.545", "17.553", "2.800", "13.806", "#808080", "solid", "1"},
        // From beyond the bottom: cut at the map's edge, not shortened there.
        {"line", "11.250", "538.500", "11.250", "514.450", "#808080", "solid", "1"},
        // Along the top edge of the hexes, where the centres of row 0 of the even columns lie.
        {"line", "22.950", "12.000", "69.750", "12.000", "#808080", "solid", "1"},
    };
    EXPECT_EQ(lines, expected);
    const auto firstWorld = std::find_if(ops.begin(), ops.end(), [](const Op& o) { return o[0] == "circle"; });
    EXPECT_LT(std::find(ops.begin(), ops.end(), expected[0]), firstWorld);
}

TEST(SectorMap, TheSubsectorMapDrawsLinksBetweenItsOwnHexesOnlyWhenAsked) {
    SubsectorStore store;
    store.subsectorLetter = "F";  // sector hexes 0911 to 1620
    for (const int location : {101, 102, 304, 801, 802}) {
        WorldRecord& w = store.worlds[static_cast<std::size_t>(store.slotOfLocation(location))];
        w.location = static_cast<std::int16_t>(location);
        w.uwp = "A788899C";
    }
    const auto record = [&](const MapLinks& links) {
        RecordingSurface surface;
        prepareMapSurface(surface);
        (void)drawSubsectorMap(store, surface, links);
        return surface.text();
    };
    const std::string plain = record({});
    MapLinks links;
    links.jump = 1;
    links.routes = readRoutes(
                       "<Routes><Route Start=\"0911\" End=\"1114\" Style=\"Dashed\"/>"
                       "<Route Start=\"0911\" End=\"0101\"/><Route Start=\"0911\" End=\"1114\" "
                       "EndOffsetX=\"1\"/></Routes>")
                       ->value;
    const std::string linked = record(links);
    // Hex 0101 of the map (sector 0911) has its centre at (9.25, 11.5), 0102 at (9.25, 24.5), 0304 at (32.65, 50.5).
    const std::string jump = "line\t9.250\t11.500\t9.250\t24.500\t#8296c8\tsolid\t1\n";
    const std::string route = "line\t10.253\t13.172\t31.647\t48.828\t#808080\tdash\t1\n";
    const std::string eastJump = "line\t91.150\t18.000\t91.150\t31.000\t#8296c8\tsolid\t1\n";  // 0801 to 0802
    EXPECT_EQ(linked.find(jump), linked.find("line\t"));  // the first line of the map
    EXPECT_NE(linked.find(route), std::string::npos);
    EXPECT_LT(linked.find(route), linked.find("circle"));
    EXPECT_NE(linked.find(eastJump), std::string::npos);
    EXPECT_EQ(linked.size(), plain.size() + jump.size() + eastJump.size() + route.size());
}

TEST(SectorMap, RoutesFilesWithEitherRootAndFilesThatAreNoXml) {
    const auto routes = readRoutes("<Routes><Route Start=\"0101\" End=\"0202\" Width=\"3\"/></Routes>");
    ASSERT_TRUE(routes);
    ASSERT_EQ(routes->value.size(), 1u);
    EXPECT_EQ(routes->value[0].width, 3);
    EXPECT_FALSE(readRoutes("<Sector><Routes>"));
    EXPECT_FALSE(readRoutes(std::string("\0\xff\x01", 3)));
    EXPECT_TRUE(readRoutes("<Sector/>")->value.empty());
    EXPECT_FALSE(readRoutesFile("/nonexistent/routes.xml"));
    EXPECT_FALSE(readRoutesFile(std::string(QELVAR_SAMPLES) + "/ostrel.sbs"));
}

TEST(SectorMap, PointerFindsTheSectorHexUnderIt) {
    const double k = kScreenHexScale;
    struct Case {
        int column, row;
    } const cases[] = {{1, 1}, {2, 1}, {8, 10}, {9, 11}, {17, 21}, {32, 40}, {31, 39}};
    for (const Case& c : cases) {
        const MapPoint centre = hexCentre(sectorHexAnchor(c.column, c.row, k), k);
        const std::string hex = formatFourDigits(c.column * 100 + c.row);
        EXPECT_EQ(sectorLocationAt(centre), hex);
        EXPECT_EQ(sectorLocationAt({centre.x + 3 * k, centre.y - 3 * k}), hex);
        EXPECT_EQ(sectorLocationAt({centre.x - 6.4 * k, centre.y}), hex);  // by the left corner
        EXPECT_EQ(sectorLocationAt({centre.x - 2 * k, centre.y + 4.9 * k}), hex);
        // A corner lies on the edges of the hexes that meet there, and so in one of them.
        for (const MapPoint corner : hexOutline(sectorHexAnchor(c.column, c.row, k), k))
            EXPECT_NE(sectorLocationAt(corner), "") << corner.x << " " << corner.y;
    }
    for (const MapPoint outside : {MapPoint{1, 1}, {400, 100}, {100, 560}}) EXPECT_EQ(sectorLocationAt(outside), "");
    const MapSize size = sectorMapSize();
    EXPECT_NEAR(size.width, 385.2, 0.01);
    EXPECT_NEAR(size.height, 542.5, 0.01);
}

// The part of a segment inside the box 0..10 x 0..10; one that only touches a corner keeps that point.
TEST(SectorMap, ClipKeepsThePartOfASegmentInsideTheBox) {
    const struct {
        MapPoint a, b;
        bool kept;
        MapPoint keptA, keptB;
    } cases[] = {
        {{2, 3}, {8, 7}, true, {2, 3}, {8, 7}},    {{-5, 5}, {15, 5}, true, {0, 5}, {10, 5}},
        {{4, 15}, {4, -5}, true, {4, 10}, {4, 0}}, {{-5, 5}, {5, -5}, true, {0, 0}, {0, 0}},
        {{12, 2}, {12, 8}, false, {}, {}},         {{2, 12}, {20, 14}, false, {}, {}},
        {{-4, 2}, {2, -4}, false, {}, {}},         {{10, 10}, {10, 10}, true, {10, 10}, {10, 10}},
    };
    for (const auto& c : cases) {
        MapPoint a = c.a, b = c.b;
        ASSERT_EQ(clipSegment(a, b, {0, 0, 10, 10}), c.kept) << c.a.x << "," << c.a.y;
        if (!c.kept) continue;
        EXPECT_EQ(std::vector({a.x, a.y, b.x, b.y}), std::vector({c.keptA.x, c.keptA.y, c.keptB.x, c.keptB.y}));
    }
}

}  // namespace
}  // namespace qelvar
