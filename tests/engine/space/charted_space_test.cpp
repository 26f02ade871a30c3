#include "space/charted_space.h"

#include <gtest/gtest.h>

#include "support/notices.h"
#include "support/space_files.h"

namespace qelvar {
namespace {

using testing::SpaceFolderTest;

struct DistanceCase {
    SpaceHex a;
    SpaceHex b;
    int hexes;
};

TEST(SpaceDistance, CountsHexesAcrossSectorEdges) {
    const DistanceCase cases[] = {
        {spaceHexOf(0, 0, 32, 40), spaceHexOf(1, 0, 1, 40), 1},   // across the right edge
        {spaceHexOf(0, 0, 32, 40), spaceHexOf(1, 1, 1, 1), 1},    // 3240 to 0101 of the one below right
        {spaceHexOf(0, 0, 16, 40), spaceHexOf(0, 1, 16, 1), 1},   // across the bottom edge
        {spaceHexOf(-1, -1, 32, 40), spaceHexOf(0, 0, 1, 1), 1},  // negative sectors keep the parity
        {spaceHexOf(-1, 0, 31, 5), spaceHexOf(0, 0, 2, 5), 3},    // an odd column to an even one
        {spaceHexOf(-2, 0, 1, 1), spaceHexOf(0, 0, 1, 1), 64},   {spaceHexOf(0, 0, 1, 1), spaceHexOf(0, 0, 1, 1), 0},
    };
    for (const DistanceCase& c : cases) {
        EXPECT_EQ(spaceDistance(c.a, c.b), c.hexes) << c.a.x << "," << c.a.y << " to " << c.b.x << "," << c.b.y;
        EXPECT_EQ(spaceDistance(c.b, c.a), c.hexes);
    }
    for (int side = 0; side < 6; ++side) {
        EXPECT_EQ(spaceDistance(neighbourOf(spaceHexOf(-1, 0, 32, 40), side), spaceHexOf(-1, 0, 32, 40)), 1);
        EXPECT_EQ(neighbourOf(neighbourOf({-1, -1}, side), side + 3), (SpaceHex{-1, -1}));
    }
}

using ChartedSpaceLoad = SpaceFolderTest;

TEST_F(ChartedSpaceLoad, PlacesSectorsByTheirMetadataWithHolesAndUnplacedOnesToTheRight) {
    writeSector("Alda", -1, 0, {{"3240"}, {"0101"}});
    writeSector("Bree", 1, 1, {{"0101", "ZhCo"}});  // (-1, 1) and (0, 1) stay empty
    writeSector("Corr", std::nullopt, std::nullopt, {{"1010"}}, "<Labels><Label>Lost</Label></Labels>");
    write("notes.txt", "nothing of a sector here\n");
    const auto loaded = loadChartedSpace({dir_.string()});
    ASSERT_TRUE(loaded) << loaded.error();
    const ChartedSpace& space = loaded->value;
    ASSERT_EQ(space.sectors.size(), 3u);
    EXPECT_EQ(space.sectorAt(-1, 0)->sector.name, "Alda");
    EXPECT_EQ(space.sectorAt(1, 1)->sector.name, "Bree");
    EXPECT_EQ(space.sectorAt(0, 1), nullptr);
    EXPECT_EQ(space.sectorNamed("CORR"), space.sectorAt(0, 0));
    EXPECT_EQ(space.worldAt(spaceHexOf(1, 1, 1, 1))->fields.at("Allegiance"), "ZhCo");
    EXPECT_EQ(space.worldAt(spaceHexOf(-1, 0, 32, 40))->column, 32);
    EXPECT_EQ(space.worldAt(spaceHexOf(0, 1, 1, 1)), nullptr);
    // notes.txt is no sector file: it is passed over.
    EXPECT_EQ(testing::texts(loaded->notices),
              (std::vector<std::string>{"Corr.xml: Label \"Lost\" is left out: no hex",
                                        "Corr.tab has no X and Y in its metadata; it is placed at 0,0"}));
}

TEST_F(ChartedSpaceLoad, LeavesOutASecondSectorAtATakenPlaceAndFailsWithNoSector) {
    writeSector("Alda", 2, 3, {{"0101"}});
    writeSector("Bree", 2, 3, {{"0101"}});
    const auto loaded = loadChartedSpace({path("Alda.tab"), path("Bree.tab")});
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->value.sectors.size(), 1u);
    EXPECT_EQ(loaded->notices.at(0).text, "Bree.tab is left out: Alda.tab already lies at 2,3");
    EXPECT_FALSE(loadChartedSpace({path("missing.tab")}));
}

}  // namespace
}  // namespace qelvar
