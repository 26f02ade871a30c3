#include "core/trade.h"

#include <gtest/gtest.h>

#include "core/subsector_store.h"

namespace qelvar {
namespace {

struct TradeCase {
    const char* uwp;
    const char* codes;  // the 15-character field
    int price;
};

void classify(SubsectorStore& store, const char* uwp) {
    store.workIndex = 12;
    store.worlds[12].uwp = uwp;
    store.loadUwpValues(12);
    classifyTrade(store);
}

TEST(ClassifyTrade, CodesAndPrice) {
    const TradeCase cases[] = {
        {"A788899C", "Ri             ", 5200},
        {"X0000000", "As Ba Lo Ni Va ", 12000},
        {"B0209000", "As De Hi In Na ", 4000 - 1000 + 1000 - 1000 - 1000 - 1000},  // Po qualifies too, cut off
        {"B666555H", "Ag Ni          ", 4000 - 1000 + 1000 + 1700},
        {"B666555J", "Ag Ni          ", 4000 - 1000 + 1000},
        {"F5A5A000", "Fl Hi          ", 4000 + 1000 - 1000},
        {"C1119000", "Hi Ic In Na    ", 4000 - 1000 - 1000 + 1000},
        {"D3AA3000", "Fl Lo Ni Wa    ", 4000 + 1000 + 1000 + 1000 + 2000},
        {"E4A4000A", "Ba Fl Lo Ni    ", 4000 + 1000 + 1000 + 1000 + 1000 + 3000 + 1000},
        {"A6867493", "Ag Ri          ", 4000 - 1000 + 1000 - 1000 + 300},
        {"????????", "As Ba Lo Ni Va ", 12000 - 5000},  // unreadable digits count as 0
    };
    SubsectorStore store;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uwp);
        classify(store, c.uwp);
        EXPECT_EQ(store.worlds[12].tradeCodes.str(), c.codes);
        EXPECT_EQ(store.worlds[12].cargoBase, c.price);
    }
}

TEST(ClassifyTrade, StarportAdjustments) {
    const struct {
        char port;
        int change;
    } ports[] = {{'A', -1000}, {'B', 0}, {'C', 1000}, {'D', 2000}, {'E', 3000}, {'X', 5000}, {'F', 0}, {'?', 0}};
    SubsectorStore store;
    classify(store, "B7886000");
    const int base = store.worlds[12].cargoBase;
    for (const auto& p : ports) {
        SCOPED_TRACE(p.port);
        std::string uwp = "B7886000";
        uwp[0] = p.port;
        classify(store, uwp.c_str());
        EXPECT_EQ(store.worlds[12].cargoBase, base + p.change);
    }
}

TEST(ClassifyTrade, NeighbouringValuesSwitchCodes) {
    int values[9] = {0, 11, 5, 5, 5, 5, 5, 5, 5};  // a plain world: Ag and Ni
    EXPECT_EQ(tradeFor(values).codes, "Ag Ni ");
    values[5] = 9;
    EXPECT_EQ(tradeFor(values).codes, "Hi ");
    values[3] = 4;
    EXPECT_EQ(tradeFor(values).codes, "Hi In ");
    values[3] = 6;
    values[5] = 7;
    values[6] = 4;
    EXPECT_EQ(tradeFor(values).codes, "Ag Ri ");
}

}  // namespace
}  // namespace qelvar
