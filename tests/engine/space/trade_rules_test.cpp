#include "space/trade_rules.h"

#include <gtest/gtest.h>

namespace qelvar {
namespace {

TEST(TradeRulesTest, WorldTradeNumberAtEachThreshold) {
    const struct {
        char port;
        int population, tech, wtn;
    } cases[] = {
        {'?', 5, 4, 5}, {'?', 5, 5, 6},  {'?', 5, 9, 7}, {'?', 5, 15, 8}, {'?', 5, 0, 4},   {'?', 5, -1, 5},
        {'?', 5, 8, 6}, {'?', 5, 14, 7}, {'A', 5, 9, 8}, {'A', 0, 0, 2},  {'B', 5, 9, 8},   {'B', 4, 9, 7},
        {'C', 5, 9, 7}, {'C', 1, 4, 3},  {'C', 9, 4, 9}, {'C', 10, 4, 9}, {'C', 12, 4, 10}, {'D', 5, 9, 7},
        {'D', 1, 4, 2}, {'D', 12, 4, 9}, {'E', 5, 9, 6}, {'E', 0, 4, 1},  {'E', 12, 4, 8},  {'X', 5, 9, 1},
        {'X', 8, 4, 1}, {'X', 4, 4, 0},  {'X', 0, 0, 0}, {'C', 2, 4, 3},  {'D', 4, 4, 4},   {'E', 2, 4, 2},
        {'E', 5, 4, 5}, {'E', 1, 4, 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(worldTradeNumber(c.port, c.population, c.tech), c.wtn)
            << c.port << " population " << c.population << " tech " << c.tech;
    }
}

TEST(TradeRulesTest, DistanceModifierAtEveryBandEdge) {
    const std::pair<int, int> cases[] = {{1, 0},   {2, 1},   {3, 2},   {5, 2},   {6, 3},    {9, 3},   {10, 4},
                                         {19, 4},  {20, 5},  {29, 5},  {30, 6},  {59, 6},   {60, 7},  {99, 7},
                                         {100, 8}, {199, 8}, {200, 9}, {299, 9}, {300, 10}, {900, 10}};
    for (const auto& [hexes, modifier] : cases) EXPECT_EQ(distanceModifier(hexes), modifier) << hexes;
}

TEST(TradeRulesTest, BilateralTradeNumber) {
    const TradeFacts im8{8, {'I', 'm'}, 0};
    const struct {
        TradeFacts a, b;
        int hexes, btn;
    } cases[] = {
        {im8, {7, {'I', 'm'}, 0}, 1, 15},
        {im8, {7, {'Z', 'h'}, 0}, 1, 14},                                            // allegiances differ
        {im8, {7, {'I', 'x'}, 0}, 1, 14},                                            // the second letter counts too
        {{8, {'I', 'm'}, kAgricultural}, {7, {'I', 'm'}, kNonAgricultural}, 1, 15},  // capped at 2 x 7 + 1
        {{8, {'I', 'm'}, kAgricultural}, {8, {'I', 'm'}, kNonAgricultural}, 3, 15},
        {{8, {'I', 'm'}, kNonAgricultural}, {8, {'I', 'm'}, kAgricultural}, 3, 15},
        {{8, {'I', 'm'}, kIndustrial}, {8, {'I', 'm'}, kNonIndustrial}, 3, 15},
        {{8, {'I', 'm'}, kNonIndustrial}, {8, {'I', 'm'}, kIndustrial}, 3, 15},
        {{8, {'I', 'm'}, kAgricultural | kIndustrial}, {8, {'I', 'm'}, kNonAgricultural | kNonIndustrial}, 3, 16},
        {{8, {'I', 'm'}, kAgricultural}, {8, {'I', 'm'}, kAgricultural}, 3, 14},
        {{8, {'I', 'm'}, kIndustrial}, {8, {'I', 'm'}, kNonAgricultural}, 3, 14},
        {im8, im8, 30, 10},
        {{3, {'I', 'm'}, 0}, {9, {'I', 'm'}, 0}, 1, 7},  // never above twice the smaller and one
    };
    for (const auto& c : cases) EXPECT_EQ(bilateralTradeNumber(c.a, c.b, c.hexes), c.btn) << c.a.wtn << " " << c.b.wtn;
}

TEST(TradeRulesTest, TradeCodesAreWordsOfTheRemarks) {
    EXPECT_EQ(tradeCodesOf("Ag Ni Ri"), kAgricultural | kNonIndustrial);
    EXPECT_EQ(tradeCodesOf("Na In"), kNonAgricultural | kIndustrial);
    EXPECT_EQ(tradeCodesOf("Agx Nil Ba"), 0u);
}

TEST(TradeRulesTest, PairRangeByTheLargerTradeNumber) {
    const std::pair<int, int> cases[] = {{0, 2},   {8, 2},    {9, 9},    {10, 29}, {11, 59},
                                         {12, 99}, {13, 299}, {14, 599}, {17, 599}};
    for (const auto& [wtn, range] : cases) EXPECT_EQ(tradeRange(wtn), range) << wtn;
}

TEST(TradeRulesTest, LinkWeights) {
    const LinkEndFacts a{'A', {'I', 'm'}, 0};
    const struct {
        LinkEndFacts one, other;
        int length, weight;
    } cases[] = {
        {a, a, 1, 30},
        {a, a, 2, 50},
        {a, a, 3, 75},
        {a, a, 4, 130},
        {a, a, 5, 230},
        {a, a, 6, 490},
        {a, {'B', {'I', 'm'}, 0}, 2, 50},
        {a, {'A', {'Z', 'h'}, 0}, 2, 75},
        {{'C', {'I', 'm'}, 0}, a, 2, 75},
        {a, {'D', {'I', 'm'}, 0}, 2, 100},
        {a, {'E', {'I', 'm'}, 0}, 2, 100},
        {{'X', {'I', 'm'}, 0}, a, 2, 100},
        {a, {'?', {'I', 'm'}, 0}, 2, 100},
        {{'C', {'I', 'm'}, 0}, {'X', {'Z', 'h'}, 0}, 1, 105},
        {{'A', {'I', 'm'}, 3}, {'A', {'I', 'm'}, -1}, 1, 28},
        {{'A', {'I', 'm'}, 5}, {'A', {'I', 'm'}, 40}, 1, 1},  // never below 1
    };
    for (const auto& c : cases) {
        EXPECT_EQ(linkWeight(c.one, c.other, c.length), c.weight) << c.one.starport << c.other.starport << c.length;
    }
}

TEST(TradeRulesTest, AUsedLinkComesAReuseThOfTheWayDownToItsLength) {
    EXPECT_DOUBLE_EQ(lightenedWeight(130, 4, 10), 117.4);
    EXPECT_DOUBLE_EQ(lightenedWeight(50, 2, 4), 38);
    EXPECT_DOUBLE_EQ(lightenedWeight(2, 2, 10), 2);
}

TEST(TradeRulesTest, TradeValuesAndClasses) {
    EXPECT_EQ(creditsText(tradeValue(0)), "1");
    EXPECT_EQ(creditsText(tradeValue(1)), "5");
    EXPECT_EQ(creditsText(tradeValue(13)), "5000000");
    EXPECT_EQ(creditsText(tradeValue(14)), "10000000");
    EXPECT_EQ(creditsText(tradeValue(33)), "50000000000000000");
    EXPECT_EQ(creditsText(tradeValue(33) * 1000), "50000000000000000000");  // beyond 64 bits
    EXPECT_EQ(creditsText(tradeValue(-1)), "0");
    const std::pair<Credits, std::string_view> classes[] = {
        {999999, ""},           {1000000, "Minor"},          {9999999, "Minor"},   {10000000, "Feeder"},
        {99999999, "Feeder"},   {100000000, "Intermediate"}, {1000000000, "Main"}, {9999999999, "Main"},
        {10000000000, "Major"}, {tradeValue(33), "Major"},
    };
    for (const auto& [trade, name] : classes)
        EXPECT_EQ(tradeClassName(tradeClassOf(trade)), name) << creditsText(trade);
}

}  // namespace
}  // namespace qelvar
