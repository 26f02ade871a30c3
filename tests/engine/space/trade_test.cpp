#include "space/trade.h"

#include <gtest/gtest.h>

#include <random>

#include "support/trade_worlds.h"

namespace qelvar {
namespace {

using testing::TradeLine;
using testing::tradeWorlds;

std::vector<int> pathOf(const TradeRun& run, const TradePair& pair) {
    return {run.stops.begin() + pair.firstStop, run.stops.begin() + pair.firstStop + pair.stopCount};
}

// Five worlds down column 01, jump 2: A and V (trade number 10) trade across M1 and M2, which are barren; U
// (8, another allegiance) trades with both. M2's importance makes U-M2-V (74 + 29) cheaper than U-M1-V (55 +
// 50) until A's trade with V has made M1-V lighter (50 - 48 / 10): then U's trade follows A's lane.
std::vector<SpaceWorld> laneMap() {
    return tradeWorlds({{"0101", "A555900-4"},
                        {"0102", "A555700-4", "", "", "ZhCo"},
                        {"0103", "A000000-0"},
                        {"0104", "A000000-0", "", "", "ImDd", "{ 1 }"},
                        {"0105", "A555900-4"}});
}

TEST(TradeTest, TheSecondPairFollowsTheFirstPairsLane) {
    const TradeRun run = runTrade(laneMap(), {.jump = 2});
    ASSERT_EQ(run.pairs.size(), 3u);
    const struct {
        int a, b, btn;
        std::vector<int> path;
        double cost;
    } expected[] = {{0, 4, 18, {0, 2, 4}, 100}, {0, 1, 17, {0, 1}, 55}, {1, 4, 15, {1, 2, 4}, 100.2}};
    for (std::size_t i = 0; i < 3; ++i) {
        const TradePair& pair = run.pairs[i];
        const auto& e = expected[i];
        EXPECT_EQ(std::tuple(pair.a, pair.b, pair.btn, pathOf(run, pair)), std::tuple(e.a, e.b, e.btn, e.path)) << i;
        EXPECT_DOUBLE_EQ(pair.cost, e.cost) << i;
    }
    const auto tradeOn = [&](int a, int b) {
        for (std::size_t l = 0; l < run.graph.links.size(); ++l) {
            if (run.graph.links[l].a == a && run.graph.links[l].b == b) return creditsText(run.linkTrade[l]);
        }
        return std::string("no link");
    };
    // Link 0-4 spans four hexes: beyond jump 2.
    const std::string links = tradeOn(0, 2) + " " + tradeOn(2, 4) + " " + tradeOn(0, 1) + " " + tradeOn(1, 2) + " " +
                              tradeOn(1, 3) + " " + tradeOn(0, 4);
    EXPECT_EQ(links, "1000000000 1050000000 500000000 50000000 0 no link");
    // Own trade of worlds 0, 1, 4 and 2, then trade through 2 and 0.
    std::string worlds;
    for (const int w : {0, 1, 4, 2}) worlds += creditsText(run.worlds[static_cast<std::size_t>(w)].own) + " ";
    for (const int w : {2, 0}) worlds += creditsText(run.worlds[static_cast<std::size_t>(w)].through) + " ";
    EXPECT_EQ(worlds, "1500000000 550000000 1050000000 0 1050000000 0 ");
    EXPECT_EQ(creditsText(run.total), "1550000000");
    EXPECT_EQ(run.routed, 3);

    // Lanes that hardly get lighter leave U's trade on the cheaper way through M2.
    const TradeRun heavy = runTrade(laneMap(), {.jump = 2, .reuse = 1000000});
    EXPECT_EQ(pathOf(heavy, heavy.pairs[2]), (std::vector<int>{1, 3, 4}));
    EXPECT_DOUBLE_EQ(heavy.pairs[2].cost, 103);
}

TEST(TradeTest, WhichPairsTrade) {
    const TradeLine nine{"0101", "A555800-4"};   // trade number 9
    const TradeLine eight{"0101", "A555700-4"};  // 8
    const auto at = [](TradeLine line, const std::string& hex) {
        line.hex = hex;
        return line;
    };
    const auto with = [](TradeLine line, std::string TradeLine::*field, const std::string& value) {
        line.*field = value;
        return line;
    };
    const struct {
        const char* what;
        std::vector<TradeLine> lines;
        int minBtn;
        std::size_t pairs;
    } cases[] = {
        {"9 within 9 hexes", {nine, at(nine, "0110")}, 13, 1},
        {"9 beyond 9 hexes", {nine, at(nine, "0111")}, 13, 0},
        {"the larger number's range", {eight, at(nine, "0110")}, 13, 1},
        {"8 within 2 hexes", {eight, at(eight, "0103")}, 13, 1},
        {"8 beyond 2 hexes", {eight, at(eight, "0104")}, 13, 0},
        {"below the least BTN", {eight, at(eight, "0103")}, 16, 0},
        {"red zone", {nine, with(at(nine, "0102"), &TradeLine::zone, "R")}, 13, 0},
        {"forbidden zone", {with(nine, &TradeLine::zone, "F"), at(nine, "0102")}, 13, 0},
        {"amber zone", {nine, with(at(nine, "0102"), &TradeLine::zone, "A")}, 13, 1},
        {"barren", {nine, with(at(nine, "0102"), &TradeLine::remarks, "Ba")}, 13, 0},
        {"no population", {nine, with(at(nine, "0102"), &TradeLine::uwp, "A555000-F")}, 0, 0},
    };
    for (const auto& c : cases) {
        const auto worlds = tradeWorlds(c.lines);
        EXPECT_EQ(tradingPairs(worlds, tradeFactsOf(worlds), c.minBtn).size(), c.pairs) << c.what;
    }
}

TEST(TradeTest, PairsComeInFallingTradeNumberThenWorldOrder) {
    const auto worlds = tradeWorlds({{"0101", "A555700-4"},
                                     {"0102", "A555700-4"},
                                     {"0103", "A555900-4"},
                                     {"0301", "A555700-4"},
                                     {"0302", "A555700-4"}});
    std::vector<std::tuple<int, int, int>> order;
    for (const TradePair& p : tradingPairs(worlds, tradeFactsOf(worlds), 13)) order.emplace_back(p.btn, p.a, p.b);
    const std::vector<std::tuple<int, int, int>> expected{{17, 0, 2}, {17, 1, 2}, {17, 2, 4}, {16, 0, 1}, {16, 2, 3},
                                                          {16, 3, 4}, {15, 0, 3}, {15, 0, 4}, {15, 1, 3}, {15, 1, 4}};
    EXPECT_EQ(order, expected);
}

TEST(TradeTest, RedZonesHaveNoLinksAndAGapWiderThanTheJumpLeavesAPairUnrouted) {
    const auto worlds = tradeWorlds(
        {{"0101", "A555900-4"}, {"0103", "A000000-0", "", "R"}, {"0105", "A555900-4"}, {"0106", "A000000-0"}});
    const TradeRun run = runTrade(worlds, {.jump = 2});
    ASSERT_EQ(run.graph.links.size(), 1u);  // only 0105-0106
    ASSERT_EQ(run.pairs.size(), 1u);
    EXPECT_FALSE(run.pairs[0].routed());
    EXPECT_EQ(run.routed, 0);
    EXPECT_EQ(creditsText(run.total), "0");
}

TEST(TradeTest, SectorsFarApartMakeNoHugeGrid) {
    const std::vector<SpaceHex> hexes{{0, 0}, {1, 0}, {3'200'000, 4'000'000}, {3'200'001, 4'000'000}};
    const JumpGraph graph = buildJumpGraph(hexes, std::vector<char>(hexes.size(), 1), 6);
    ASSERT_EQ(graph.links.size(), 2u);
    EXPECT_EQ(std::pair(graph.links[1].a, graph.links[1].b), std::pair(2, 3));
    EXPECT_NE(graph.component[0], graph.component[2]);
}

// The searches against plain Dijkstra on a scattered map whose links keep getting lighter.
TEST(TradeTest, EveryPathFoundIsTheCheapestAtItsTime) {
    std::mt19937 random(7);
    std::vector<SpaceHex> hexes;
    for (int i = 0; i < 300; ++i) hexes.push_back({static_cast<int>(random() % 30), static_cast<int>(random() % 30)});
    std::sort(hexes.begin(), hexes.end());
    hexes.erase(std::unique(hexes.begin(), hexes.end()), hexes.end());
    const JumpGraph graph = buildJumpGraph(hexes, std::vector<char>(hexes.size(), 1), 3);
    std::vector<double> weights;
    for (const JumpLink& link : graph.links) weights.push_back(link.length * 25 + static_cast<double>(random() % 30));
    CheapestPaths finder(graph, hexes, weights);
    finder.leaveOutBeatenLinks();
    const auto at = [](int index) { return static_cast<std::size_t>(index); };
    const auto cheapest = [&](int from, int to) {
        const std::size_t none = hexes.size();
        std::vector<double> best(none, 1e300);
        std::vector<char> done(none, 0);
        best[at(from)] = 0;
        for (std::size_t round = 0; round < none; ++round) {
            std::size_t u = none;
            for (std::size_t v = 0; v < none; ++v) {
                if (!done[v] && (u == none || best[v] < best[u])) u = v;
            }
            done[u] = 1;
            for (std::size_t e = at(graph.firstEdge[u]); e < at(graph.firstEdge[u + 1]); ++e) {
                const std::size_t v = at(graph.edgeWorld[e]);
                best[v] = std::min(best[v], best[u] + weights[at(graph.edgeLink[e])]);
            }
        }
        return best[at(to)];
    };
    std::vector<int> path, links;
    int found = 0;
    for (int search = 0; search < 300; ++search) {
        const int from = static_cast<int>(random() % hexes.size());
        const int to = static_cast<int>(random() % hexes.size());
        const auto cost = finder.find(from, to, path, links);
        const double expected = cheapest(from, to);
        if (expected >= 1e300) {
            EXPECT_FALSE(cost.has_value());
            continue;
        }
        ASSERT_TRUE(cost.has_value());
        EXPECT_NEAR(*cost, expected, 1e-9) << search;
        double sum = 0;
        for (const int l : links) sum += weights[at(l)];
        EXPECT_NEAR(sum, *cost, 1e-9);
        EXPECT_EQ(path.front(), from);
        EXPECT_EQ(path.back(), to);
        ++found;
        for (const int l : links) {
            weights[at(l)] = lightenedWeight(weights[at(l)], graph.links[at(l)].length, 3);
            finder.setWeight(l, weights[at(l)]);
        }
        if (search % 50 == 0) finder.leaveOutBeatenLinks();
    }
    EXPECT_GT(found, 200);
}

TEST(TradeTest, WorldsReadFromTheirFields) {
    const auto worlds = tradeWorlds({{"0101", "B555900-4", "Ag Ni", "r", "ImDd", "{ +4 }", "113"},
                                     {"3240", "C555900-9", "", "", "ZhCo", "", "100"}});
    ASSERT_EQ(worlds.size(), 2u);
    EXPECT_EQ(worlds[0].zone, 'R');
    EXPECT_TRUE(worlds[0].barred());
    EXPECT_EQ(worlds[0].importance, 4);
    EXPECT_NE(modernImportance(worlds[0].profile, "Ag Ni", ""), 4);  // read, not computed
    EXPECT_EQ(std::pair(worlds[0].gasGiant, worlds[1].gasGiant), std::pair(true, false));
    EXPECT_EQ(worlds[1].importance, modernImportance(worlds[1].profile, "", ""));
    EXPECT_EQ(worlds[1].hex, (SpaceHex{31, 39}));
    EXPECT_EQ(worlds[1].profile.tech, 9);
    // The first two letters of the allegiance, blanks for those it has not.
    std::string letters;
    const std::string uwp = "A555900-4";
    for (const TradeFacts& f : tradeFactsOf(
             tradeWorlds({{"0101", uwp, "", "", "Iz"}, {"0102", uwp, "", "", ""}, {"0103", uwp, "", "", "ZhCo"}})))
        letters += std::string(f.allegiance.begin(), f.allegiance.end()) + "|";
    EXPECT_EQ(letters, "Iz|  |Zh|");
}

}  // namespace
}  // namespace qelvar
