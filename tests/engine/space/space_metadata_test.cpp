#include "space/space_metadata.h"

#include <gtest/gtest.h>

namespace qelvar {
namespace {

TEST(SpaceMetadata, ReadsPlaceBordersRegionsLabelsAndAllegiancesLeavingOutWhatCannotBeRead) {
    const auto read = readSpaceMetadata(
        "<Sector><X> -4 </X><Y>10001</Y><Name>Alda</Name>"
        "<Routes><Route Start=\"0101\" End=\"0102\" EndOffsetX=\"1\"/></Routes>"
        "<Borders><Border Allegiance=\"ImDd\" Label=\"Third \xC3\xA9\" LabelPosition=\"2021\" ShowLabel=\"false\""
        " WrapLabel=\"true\" Color=\"Red\" Style=\"Dashed\">\n  0223 0323\n  0000 3341\n</Border>"
        "<Border Style=\"Dotted\">0101 0101</Border>"
        "<Border>0101 01O2</Border><Border LabelPosition=\"21\">0101</Border><Border Style=\"Wavy\">0101</Border>"
        "<Border></Border></Borders>"
        "<Regions><Region Color=\"#102030\" Label=\"Rift\">1010 1011 1010</Region></Regions>"
        "<Labels><Label Hex=\"1726\" Color=\"White\" Size=\"large\" Wrap=\"true\">Islands</Label>"
        "<Label Hex=\"17\">Lost</Label><Label Hex=\"0101\">Small</Label></Labels>"
        "<Allegiances><Allegiance Code=\"ImDd\" Base=\"Im\">Third Imperium</Allegiance></Allegiances></Sector>");
    ASSERT_TRUE(read);
    const SectorMetadata& m = read->value;
    EXPECT_EQ(m.x, -4);
    EXPECT_EQ(m.y, std::nullopt);
    ASSERT_EQ(m.routes.size(), 1u);
    EXPECT_EQ(m.routes[0].end.sectorX, 1);
    ASSERT_EQ(m.borders.size(), 2u);
    const OutlineEntry& b = m.borders[0];
    EXPECT_EQ(b.allegiance, "ImDd");
    EXPECT_EQ(b.label, "Third \xE9");  // Windows-1252
    EXPECT_EQ(b.labelPosition, (SectorHex{20, 21}));
    EXPECT_FALSE(b.showLabel);
    EXPECT_TRUE(b.wrapLabel);
    EXPECT_EQ(b.colour, "Red");
    EXPECT_EQ(b.style, LineStyle::Dash);
    EXPECT_EQ(b.hexes, (std::vector<SectorHex>{{2, 23}, {3, 23}, {0, 0}, {33, 41}}));
    EXPECT_EQ(m.borders[1].style, LineStyle::Dot);
    EXPECT_TRUE(m.borders[1].showLabel);
    EXPECT_FALSE(m.borders[1].wrapLabel);
    ASSERT_EQ(m.regions.size(), 1u);
    EXPECT_EQ(m.regions[0].label, "Rift");
    ASSERT_EQ(m.labels.size(), 2u);
    EXPECT_EQ(m.labels[0].hex, (SectorHex{17, 26}));
    EXPECT_TRUE(m.labels[0].large);
    EXPECT_TRUE(m.labels[0].wrap);
    EXPECT_FALSE(m.labels[1].large);
    ASSERT_EQ(m.allegiances.size(), 1u);
    EXPECT_EQ(m.allegiances[0].base, "Im");
    EXPECT_EQ(m.allegiances[0].name, "Third Imperium");
    std::vector<std::string> notices;
    for (const Notice& n : read->notices) notices.push_back(n.text);
    EXPECT_EQ(notices, (std::vector<std::string>{"the sector's Y is no whole number from -10000 to 10000",
                                                 "Border 3 is left out: its hexes or attributes cannot be read",
                                                 "Border 4 is left out: its hexes or attributes cannot be read",
                                                 "Border 5 is left out: its hexes or attributes cannot be read",
                                                 "Border 6 is left out: its hexes or attributes cannot be read",
                                                 "Label \"Lost\" is left out: no hex"}));
    EXPECT_FALSE(readSpaceMetadata("<Routes/>"));
    EXPECT_FALSE(readSpaceMetadata("\x89PNG"));
    EXPECT_EQ(formatHexList({{1, 1}, {33, 0}}), "0101 3300");
}

}  // namespace
}  // namespace qelvar
