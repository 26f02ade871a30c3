#include "core/subsector_store.h"

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
    EXPECT_EQ(name.str().size(), 20u);
    EXPECT_EQ(name.trimmed(), "Ostra");
    EXPECT_EQ(name.at(1), 'O');
}

TEST(SubsectorStore, HexCodesAreColumnMajor) {
    const SubsectorStore store;
    EXPECT_EQ(store.hexCodes[1].str(), "0101");
    EXPECT_EQ(store.hexCodes[10].str(), "0110");
    EXPECT_EQ(store.hexCodes[11].str(), "0201");
    EXPECT_EQ(store.hexCodes[80].str(), "0810");
    EXPECT_EQ(store.hexCodes[0].str(), std::string(4, '\0'));
    EXPECT_EQ(store.hexCodes[81].str(), std::string(4, '\0'));
}

TEST(SubsectorStore, SlotOfLocation) {
    const SubsectorStore store;
    const struct {
        int location;
        int slot;
    } cases[] = {{101, 1}, {110, 10}, {201, 11}, {305, 25}, {810, 80}, {811, 0}, {0, 81}, {111, 0}, {-800, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.location);
        EXPECT_EQ(store.slotOfLocation(c.location), c.slot);
    }
    for (int slot = 1; slot <= 80; ++slot) EXPECT_EQ(store.slotOfLocation(store.hexCodeValue(slot)), slot);
}

TEST(SubsectorStore, ClearKeepsNamesAndFlags) {
    SubsectorStore store;
    store.subsectorName = "Ostrel";
    store.unsavedChanges = 1;
    store.worlds[3].location = 103;
    store.worlds[3].name = "X";
    store.clear();
    EXPECT_EQ(store.worlds[3], WorldRecord{});
    EXPECT_EQ(store.subsectorName, "Ostrel");
    EXPECT_EQ(store.unsavedChanges, 1);
}

TEST(SubsectorStore, LoadUwpValuesReadsNonDigitsAsZero) {
    SubsectorStore store;
    store.worlds[7].uwp = "A7I8?9-C";
    store.loadUwpValues(7);
    const std::array<int, 9> expected{0, 10, 7, 0, 8, 0, 9, 0, 12};
    EXPECT_EQ(store.uwpValues, expected);
}

struct World {
    const char* uwp;
    const char* pag;
};

SubsectorStore storeWith(std::initializer_list<World> worlds) {
    SubsectorStore store;
    int slot = 0;
    for (const World& w : worlds) {
        ++slot;
        store.worlds[slot].location = static_cast<std::int16_t>(store.hexCodeValue(slot));
        store.worlds[slot].uwp = w.uwp;
        store.worlds[slot].pag = w.pag;
    }
    return store;
}

TEST(RefreshStatistics, CountsCodesAndPopulation) {
    SubsectorStore empty;
    empty.refreshStatistics();
    EXPECT_EQ(empty.worldCount, 0);
    EXPECT_EQ(empty.maxPopulationCode, ' ');
    EXPECT_EQ(empty.bestTechCode, ' ');
    EXPECT_EQ(empty.totalPopulation, 0);

    const struct {
        const char* name;
        std::initializer_list<World> worlds;
        int count;
        char maxPop;
        char bestTech;
        double total;
    } cases[] = {
        {"pop 0 adds nothing", {{"A7880009", "500"}}, 1, '0', '9', 0},
        {"pop A times 3", {{"A788A009", "312"}}, 1, 'A', '9', 3e10},
        {"pop V counted, adds nothing", {{"A788V00C", "900"}}, 1, 'V', 'C', 0},
        {"multiplier not a digit", {{"A7886009", "x00"}}, 1, '6', '9', 0},
        {"letters rank above digits",
         {{"A7889009", "200"}, {"A788A00F", "100"}, {"A7883002", "400"}},
         3,
         'A',
         'F',
         2e9 + 1e10 + 4e3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SubsectorStore store = storeWith(c.worlds);
        store.refreshStatistics();
        EXPECT_EQ(store.worldCount, c.count);
        EXPECT_EQ(store.maxPopulationCode, c.maxPop);
        EXPECT_EQ(store.bestTechCode, c.bestTech);
        EXPECT_DOUBLE_EQ(store.totalPopulation, c.total);
    }
}

TEST(RefreshStatistics, IgnoresSpillAndUnusedSlots) {
    SubsectorStore store;
    store.worlds[0].location = 900;
    store.worlds[0].uwp = "A788A009";
    store.worlds[81].location = 0;
    store.worlds[81].uwp = "A788A009";
    store.refreshStatistics();
    EXPECT_EQ(store.worldCount, 0);
}

}  // namespace
}  // namespace qelvar
