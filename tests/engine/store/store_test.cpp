#include "store/subsector_store.h"

#include <gtest/gtest.h>

namespace qelvar {
namespace {

TEST(FixedText, PadsCutsAndClears) {
    FixedText<20> name;
    EXPECT_EQ(name.str(), std::string(20, '\0'));
    EXPECT_EQ(name.trimmed(), "");
    name = "Abcdefghijklmnopqrstuvwxyz";
    EXPECT_EQ(name.str(), "Abcdefghijklmnopqrst");
    name = "Ostra";
    EXPECT_EQ(name.str(), "Ostra" + std::string(15, ' '));
}

TEST(SubsectorStore, SlotOfLocation) {
    const SubsectorStore store;
    const int cases[][2] = {{101, 1}, {110, 10}, {201, 11}, {810, 80}, {811, 0}, {0, 81}, {111, 0}, {-800, 0}};
    for (const auto& c : cases) EXPECT_EQ(store.slotOfLocation(c[0]), c[1]) << c[0];
    EXPECT_EQ(store.hexCodes[11].str(), "0201");
    EXPECT_EQ(store.hexCodes[81].str(), std::string(4, '\0'));
}

TEST(SubsectorStore, LoadUwpValuesReadsNonDigitsAsZero) {
    SubsectorStore store;
    store.worlds[7].uwp = "A7I8?9-C";
    EXPECT_EQ(store.loadUwpValues(7), (UwpValues{0, 10, 7, 0, 8, 0, 9, 0, 12}));
}

TEST(RefreshStatistics, CountsCodesAndPopulation) {
    struct World {
        const char *uwp, *pag;
    };
    const struct {
        const char* name;
        std::vector<World> worlds;
        int count;
        char maxPop, bestTech;
        double total;
    } cases[] = {
        {"empty", {}, 0, ' ', ' ', 0},
        {"pop 0 adds nothing", {{"A7880009", "500"}}, 1, '0', '9', 0},
        {"pop A times 3", {{"A788A009", "312"}}, 1, 'A', '9', 3e10},
        {"pop V counted, adds nothing", {{"A788V00C", "900"}}, 1, 'V', 'C', 0},
        {"multiplier not a digit", {{"A7886009", "x00"}}, 1, '6', '9', 0},
        {"letters over digits",
         {{"A7889009", "200"}, {"A788A00F", "100"}, {"A7883002", "400"}},
         3,
         'A',
         'F',
         2e9 + 1e10 + 4e3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SubsectorStore store;
        for (std::size_t i = 0; i < c.worlds.size(); ++i) {
            store.worlds[i + 1].location = static_cast<std::int16_t>(store.hexCodeValue(static_cast<int>(i) + 1));
            store.worlds[i + 1].uwp = c.worlds[i].uwp;
            store.worlds[i + 1].pag = c.worlds[i].pag;
        }
        store.worlds[0] = store.worlds[1];  // the spill slot never counts
        store.refreshStatistics();
        store.refreshStatistics();  // counted afresh each time
        EXPECT_EQ(store.worldCount, c.count);
        EXPECT_EQ(store.maxPopulationCode, c.maxPop);
        EXPECT_EQ(store.bestTechCode, c.bestTech);
        EXPECT_DOUBLE_EQ(store.totalPopulation, c.total);
    }
}

}  // namespace
}  // namespace qelvar
