#include "space/jump_route.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/trade_worlds.h"

namespace qelvar {
namespace {

using testing::TradeLine;

// Down column 01 from S to T, four hexes: X halfway (starport E, dry, no gas giant) or the ports Y1 and Y2.
std::vector<SpaceWorld> refuelMap(const std::string& xZone = "", const std::string& xPbg = "100",
                                  const std::string& xUwp = "E500900-4") {
    return testing::tradeWorlds({{"0101", "A555900-4"},
                                 {"0102", "B555900-4"},
                                 {"0103", xUwp, "", xZone, "ImDd", "{ 0 }", xPbg},
                                 {"0104", "B555900-4"},
                                 {"0105", "A555900-4"}});
}

TEST(JumpRouteTest, FewestJumpsWhereTheShipCanRefuel) {
    const struct {
        const char* what;
        std::vector<SpaceWorld> worlds;
        JumpRouteOptions options;
        std::vector<int> stops;
        int hexes;
    } cases[] = {
        {"any world", refuelMap(), {2, Refuelling::Any, false}, {0, 2, 4}, 4},
        {"ports only", refuelMap(), {2, Refuelling::Port, false}, {0, 1, 3, 4}, 4},
        {"a dry world without a gas giant", refuelMap(), {2, Refuelling::Gas, false}, {0, 1, 3, 4}, 4},
        {"a gas giant", refuelMap("", "101"), {2, Refuelling::Gas, false}, {0, 2, 4}, 4},
        {"water", refuelMap("", "100", "E505900-4"), {2, Refuelling::Gas, false}, {0, 2, 4}, 4},
        {"a starport D", refuelMap("", "100", "D500900-4"), {2, Refuelling::Port, false}, {0, 2, 4}, 4},
        {"a red zone", refuelMap("R"), {2, Refuelling::Any, true}, {0, 1, 3, 4}, 4},
        {"a forbidden zone", refuelMap("F"), {2, Refuelling::Any, true}, {0, 1, 3, 4}, 4},
        {"an amber zone", refuelMap("A"), {2, Refuelling::Any, true}, {0, 2, 4}, 4},
        {"a red zone allowed", refuelMap("R"), {2, Refuelling::Any, false}, {0, 2, 4}, 4},
        {"one jump", refuelMap(), {4, Refuelling::Port, false}, {0, 4}, 4},
    };
    for (const auto& c : cases) {
        const auto route = planJumpRoute(c.worlds, 0, 4, c.options);
        ASSERT_TRUE(route.has_value()) << c.what;
        EXPECT_EQ(route->stops, c.stops) << c.what;
        EXPECT_EQ(route->hexes, c.hexes) << c.what;
        EXPECT_EQ(route->jumps(), static_cast<int>(c.stops.size()) - 1);
    }
}

TEST(JumpRouteTest, FewerHexesBreakATieInJumps) {
    // Two two-jump routes from 0101 to 0105: by 0103 (four hexes) or by 0302 (five).
    const auto worlds = testing::tradeWorlds({{"0101"}, {"0103"}, {"0105"}, {"0302"}});
    const auto route = planJumpRoute(worlds, 0, 2, {3, Refuelling::Any, false});
    ASSERT_TRUE(route.has_value());
    EXPECT_EQ(route->stops, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(route->hexes, 4);
}

TEST(JumpRouteTest, NoRouteAcrossAGapWiderThanTheJump) {
    const auto worlds = testing::tradeWorlds({{"0101"}, {"0102"}, {"0105"}, {"0106"}});
    EXPECT_FALSE(planJumpRoute(worlds, 0, 3, {2, Refuelling::Any, false}).has_value());
    EXPECT_TRUE(planJumpRoute(worlds, 0, 3, {3, Refuelling::Any, false}).has_value());
    EXPECT_FALSE(planJumpRoute(worlds, 0, 9, {3, Refuelling::Any, false}).has_value());
}

// Each jump a line from stop to stop, its ends counted from the first stop's sector.
TEST(JumpRouteTest, LinesJoinTheStopsInTurn) {
    std::vector<SpaceWorld> worlds = testing::tradeWorlds({{"3240"}, {"0101"}, {"1620"}});
    for (auto& [w, x, y] : {std::tuple{&worlds[1], 1, 1}, {&worlds[2], -1, 0}})
        w->hex = spaceHexOf(x, y, w->column, w->row);
    std::string text;
    for (const Route& l : jumpRouteLines(worlds, {{0, 1, 2}, 0})) {
        for (const RouteEnd& e : {l.start, l.end})
            text += std::to_string(e.column) + "," + std::to_string(e.row) + "," + std::to_string(e.sectorX) + "," +
                    std::to_string(e.sectorY) + " ";
        EXPECT_TRUE(l.type == "Jump" && l.colour == kJumpRouteColour && l.width == kJumpRouteWidth);
    }
    EXPECT_EQ(text, "1,1,0,0 16,20,1,1 16,20,1,1 32,40,-1,0 ");
    EXPECT_TRUE(jumpRouteLines(worlds, {}).empty());
}

TEST(JumpRouteTest, WorldsAreFoundByPlaceOrName) {
    ChartedSpace space;
    space.sectors.push_back({});
    space.sectors[0].sector.name = "Test Reach";
    const auto worlds = testing::tradeWorlds({{"0101"}, {"1910"}});
    EXPECT_EQ(findSpaceWorld(space, worlds, "test reach 1910"), 1);
    EXPECT_EQ(findSpaceWorld(space, worlds, "w0101"), 0);
    EXPECT_EQ(findSpaceWorld(space, worlds, "Test Reach 0202"), std::nullopt);
}

}  // namespace
}  // namespace qelvar
