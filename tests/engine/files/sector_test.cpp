#include "files/sector.h"

#include <gtest/gtest.h>

#include "support/sample_world.h"

namespace qelvar {
namespace {

TEST(SectorValue, ASubsectorGoesInAtItsSectorHexesAndComesBackTheSame) {
    SubsectorStore store;
    store.subsectorLetter = "G";  // third across, second down: columns 17-24, rows 11-20
    store.subsectorName = "Gale";
    store.sectorName = "Kestrane Reach";
    store.worlds[1] = testing::sampleWorld(101);
    store.worlds[80] = testing::sampleWorld(810);
    Sector sector;
    sector.worlds.push_back({17, 11, testing::sampleWorld(101), {{"Allegiance", "VoEx"}}});  // replaced, text kept
    sector.worlds.push_back({32, 40, testing::sampleWorld(810), {}});                        // P stays
    storeIntoSector(store, sector);
    ASSERT_EQ(sector.worlds.size(), 3u);
    EXPECT_EQ(std::make_pair(sector.worlds[1].column, sector.worlds[1].row), std::make_pair(17, 11));
    EXPECT_EQ(sector.worlds[1].fields.at("Allegiance"), "VoEx");
    EXPECT_EQ(std::make_pair(sector.worlds[2].column, sector.worlds[2].row), std::make_pair(24, 20));
    EXPECT_EQ(sector.name + "|" + sector.subsectorNames[6], "Kestrane Reach|Gale");
    EXPECT_EQ(subsectorLetterOf(32, 40), 'P');

    SubsectorStore back = store;
    back.worlds[40] = testing::sampleWorld(510);  // what the store held before goes
    sectorToStore(sector, 6, back);
    EXPECT_EQ(back.subsectorLetter + back.subsectorName + back.sectorName, "GGaleKestrane Reach");
    EXPECT_EQ(back.worlds, store.worlds);
    store.subsectorLetter = "Q";  // no such subsector: nothing changes
    storeIntoSector(store, sector);
    EXPECT_EQ(sector.worlds.size(), 3u);
}

}  // namespace
}  // namespace qelvar
