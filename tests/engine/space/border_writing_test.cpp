#include "space/border_writing.h"

#include <gtest/gtest.h>

#include "support/space_files.h"

namespace qelvar {
namespace {

using testing::placedSector;

ChartedSpace twoPolities() {
    ChartedSpace space;
    // Im round a hole at 1010 (a ring of worlds at distance 2 claiming at distance 1), Zh touching it.
    std::vector<testing::SpaceWorld> worlds;
    for (const char* hex : {"1008", "1208", "1210", "1012", "0810", "0808"}) worlds.push_back({hex, "ImDd"});
    worlds.push_back({"1410", "ZhCo"});
    worlds.push_back({"3240", "ZhCo"});
    space.sectors.push_back(placedSector(0, 0, worlds));
    space.sectors.back().path = "Alda.tab";
    return space;
}

TEST(BorderWriting, WrittenBordersReadBackAsTheSamePolities) {
    const ChartedSpace space = twoPolities();
    const auto made = madeBorders(space, 1);
    const auto bytes = withBorders("<Sector>\r\n  <Name>Alda</Name>\r\n</Sector>\r\n", space.sectors[0], made);
    ASSERT_TRUE(bytes);
    auto read = readSpaceMetadata(*bytes);
    ASSERT_TRUE(read);
    ChartedSpace back = space;
    back.sectors[0].metadata = read->value;
    const auto given = givenBorders(back);
    ASSERT_EQ(given.size(), made.size());
    for (std::size_t i = 0; i < made.size(); ++i) {
        EXPECT_EQ(given[i].allegiance, made[i].allegiance);
        EXPECT_EQ(given[i].hexes, made[i].hexes) << made[i].allegiance;
    }
    EXPECT_EQ(read->value.borders.size(), 4u);  // Im outside and round its hole; Zh twice
    EXPECT_EQ(bytes->substr(0, 42), "<Sector>\r\n  <Name>Alda</Name>\r\n  <Borders>");
    EXPECT_NE(bytes->find("\r\n    <Border Allegiance=\"ImDd\" ShowLabel=\"false\">"), std::string::npos);
    EXPECT_NE(bytes->find("</Borders>\r\n</Sector>\r\n"), std::string::npos);
    // The polity's name at the middle of its own hexes (not in the hole).
    EXPECT_EQ(read->value.borders[0].label, "ImDd");
    ASSERT_TRUE(read->value.borders[0].labelPosition);
    EXPECT_EQ(made[0].hexes.count(spaceHexOf(0, 0, *read->value.borders[0].labelPosition)), 1u);
    EXPECT_FALSE(read->value.borders[1].showLabel);
}

TEST(BorderWriting, OnlyTheBordersElementChanges) {
    const ChartedSpace space = twoPolities();
    const auto made = madeBorders(space, 1);
    const std::string head = "<?xml version=\"1.0\"?>\n<Sector>\n\t<X>0</X>\n\t<Borders Kind=\"old\">\n\t\t<Border>";
    const std::string tail = "\n\t<Labels><Label Hex=\"0101\">\xC3\xA9</Label></Labels>\n</Sector>";
    const std::string old = head + "0101 0101</Border>\n\t</Borders>" + tail;
    const auto replaced = withBorders(old, space.sectors[0], made);
    ASSERT_TRUE(replaced);
    EXPECT_EQ(replaced->substr(0, 44), head.substr(0, 44));
    EXPECT_EQ(replaced->substr(replaced->size() - tail.size()), tail);
    EXPECT_EQ(withBorders(*replaced, space.sectors[0], made), replaced);
    EXPECT_EQ(withBorders("<Sector><BordersOld/><Borders/></Sector>", space.sectors[0], {}),
              "<Sector><BordersOld/><Borders>\n</Borders></Sector>");
    EXPECT_FALSE(withBorders("<Sector><Borders><Border></Sector>", space.sectors[0], made));  // left open
    EXPECT_FALSE(withBorders("\x89PNG\r\n", space.sectors[0], made));
    EXPECT_EQ(withBorders("<Sector>\n \t</Sector>", space.sectors[0], {}),  // on a line of its own
              "<Sector>\n  <Borders>\n  </Borders>\n \t</Sector>");
    EXPECT_EQ(withBorders("<Sector><X/>\n\t</Sector>", space.sectors[0], {}),  // indented as the first child
              "<Sector><X/>\n<Borders>\n</Borders>\n\t</Sector>");
    EXPECT_EQ(withBorders("", space.sectors[0], {}),
              "<?xml version=\"1.0\"?>\n<Sector>\n  <Borders>\n  </Borders>\n</Sector>\n");
}

}  // namespace
}  // namespace qelvar
