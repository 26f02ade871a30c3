#include "core/trade.h"

#include <gtest/gtest.h>

#include "core/subsector_store.h"

namespace qelvar {
namespace {

TEST(ClassifyTrade, CodesAndPrice) {
    const struct {
        const char* uwp;
        const char* codes;  // the whole 15-character field
        int price;
    } cases[] = {
        {"A788899C", "Ri             ", 5200},
        {"X0000000", "As Ba Lo Ni Va ", 12000},
        {"B0209000", "As De Hi In Na ", 1000},  // Po qualifies too: cut from the text, counted in the price
        {"B666555H", "Ag Ni          ", 5700},
        {"B666555J", "Ag Ni          ", 4000},  // tech 18 and above adds nothing
        {"F5A5A000", "Fl Hi          ", 4000},  // no adjustment for starport F
        {"C1119000", "Hi Ic In Na    ", 3000},
        {"D3AA3000", "Fl Lo Ni Wa    ", 9000},
        {"E4A4000A", "Ba Fl Lo Ni    ", 12000},
        {"A6867493", "Ag Ri          ", 3300},
        {"????????", "As Ba Lo Ni Va ", 7000},  // unreadable digits count as 0
    };
    SubsectorStore store;
    store.workIndex = 12;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.uwp);
        store.worlds[12].uwp = c.uwp;
        store.loadUwpValues(12);
        classifyTrade(store);
        EXPECT_EQ(store.worlds[12].tradeCodes.str(), c.codes);
        EXPECT_EQ(store.worlds[12].cargoBase, c.price);
    }
}

}  // namespace
}  // namespace qelvar
