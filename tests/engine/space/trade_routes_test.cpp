#include "space/trade_routes.h"

#include <gtest/gtest.h>

#include "support/trade_worlds.h"

namespace qelvar {
namespace {

// Greater classes wider, each in its own colour (blues and greens); no class in the default look.
TEST(TradeRoutesTest, GreaterClassesAreWiderAndEachHasItsOwnColour) {
    std::string looks;
    for (const TradeClass c : {TradeClass::None, TradeClass::Minor, TradeClass::Feeder, TradeClass::Intermediate,
                               TradeClass::Main, TradeClass::Major}) {
        const Rgb colour = tradeClassColour(c);
        looks += std::to_string(colour.r) + "," + std::to_string(colour.g) + "," + std::to_string(colour.b) + " " +
                 std::to_string(static_cast<int>(tradeClassWidth(c))) + "; ";
    }
    EXPECT_EQ(looks, "128,128,128 1; 144,112,80 2; 176,176,64 3; 64,176,128 4; 40,144,240 5; 48,208,255 6; ");
}

// Two sectors side by side: a world at the east edge of the first trades with one at the west edge of the
// second, one hex apart, and with one three hexes inside its own sector whose trade stays below the classes.
TEST(TradeRoutesTest, ALinkAcrossASectorEdgeIsARouteOfEachSector) {
    const auto west = readSector(testing::tradeSectorTab({{"3201", "A555900-4"}, {"2901", "A555200-4"}}), "West");
    const auto east = readSector(testing::tradeSectorTab({{"0101", "A555900-4"}}), "East Side");
    ASSERT_TRUE(west.ok() && east.ok());
    ChartedSpace space;
    space.sectors.push_back({"west.tab", 0, 0, west->value.sector, {}});
    space.sectors.push_back({"east.tab", 1, 0, east->value.sector, {}});
    const std::vector<SpaceWorld> worlds = spaceWorldsOf(space);
    const TradeRun run = runTrade(worlds, {.jump = 4, .minBtn = 0});
    ASSERT_EQ(run.routed, 3);

    const std::vector<SectorRoute> routes = tradeRoutesOf(worlds, run);
    ASSERT_EQ(routes.size(), 2u);  // 2901 trades too little to be drawn
    EXPECT_EQ(routes[0].sector, 0);
    EXPECT_EQ(routes[0].route.start, (RouteEnd{32, 1, 0, 0}));
    EXPECT_EQ(routes[0].route.end, (RouteEnd{1, 1, 1, 0}));
    EXPECT_EQ(routes[1].sector, 1);
    EXPECT_EQ(routes[1].route.start, (RouteEnd{1, 1, 0, 0}));
    EXPECT_EQ(routes[1].route.end, (RouteEnd{32, 1, -1, 0}));
    EXPECT_EQ(routes[0].route.type, "Major");
    EXPECT_EQ(routes[0].route.width, tradeClassWidth(TradeClass::Major));

    // For a map of many sectors: each link once, under the sector's own routes when they are kept.
    Route own;
    own.start = {5, 5, 0, 0};
    own.end = {6, 6, 0, 0};
    space.sectors[1].metadata.routes.push_back(own);
    for (const bool keep : {true, false}) {
        const ChartedSpace traded = withTradeRoutes(space, keep);
        ASSERT_EQ(traded.sectors[0].metadata.routes.size(), 1u);
        EXPECT_EQ(traded.sectors[0].metadata.routes[0], routes[0].route);
        EXPECT_EQ(traded.sectors[1].metadata.routes.size(), keep ? 1u : 0u);
    }

    // The file reads back as the same routes, each naming its sector.
    const auto read = readRoutes(formatTradeRoutes(space, routes));
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read->value.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        Route expected = routes[i].route;
        expected.sector = i == 0 ? "West" : "East Side";
        EXPECT_EQ(read->value[i], expected);
    }
}

TEST(TradeRoutesTest, ASectorsOwnRoutesComeLesserClassesFirst) {
    const auto read = readSector(testing::tradeSectorTab({{"0101", "A555900-4"},
                                                          {"0102", "A555700-4", "", "", "ZhCo"},
                                                          {"0103", "A000000-0"},
                                                          {"0105", "A555900-4"},
                                                          {"0107", "C555600-4"}}),
                                 "Lane");
    ASSERT_TRUE(read.ok());
    const std::vector<Route> routes = sectorTradeRoutes(read->value.sector, {.jump = 2, .minBtn = 10});
    ASSERT_GE(routes.size(), 3u);
    for (std::size_t i = 1; i < routes.size(); ++i) EXPECT_LE(routes[i - 1].width, routes[i].width);
    EXPECT_LT(routes.front().width, routes.back().width);
}

}  // namespace
}  // namespace qelvar
