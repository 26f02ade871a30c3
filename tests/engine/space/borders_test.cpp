#include "space/borders.h"

#include <gtest/gtest.h>

#include <map>

#include "support/space_files.h"

namespace qelvar {
namespace {

using testing::placedSector;
using testing::SpaceWorld;

// The allegiance owning each hex of the polities, and how many lines each has.
std::map<SpaceHex, std::string> owners(const std::vector<Polity>& polities) {
    std::map<SpaceHex, std::string> owner;
    for (const Polity& p : polities) {
        for (const SpaceHex hex : p.hexes) owner[hex] = p.allegiance;
    }
    return owner;
}

const Polity& polityOf(const std::vector<Polity>& polities, const std::string& allegiance) {
    for (const Polity& p : polities) {
        if (p.allegiance == allegiance) return p;
    }
    throw std::runtime_error("no polity " + allegiance);
}

TEST(MadeBorders, ClaimsHexesNearWorldsNearerWorldAndLargerPopulationWinning) {
    ChartedSpace space;
    space.sectors.push_back(placedSector(0, 0,
                                         {{"1010", "ImDd", '5'},
                                          {"1014", "ZhCo", '9'},  // four hexes below: 1012 is a tie, to Zh
                                          {"2020", "NaHu", '9'},  // non-aligned: nothing
                                          {"2520", "--", '9'},
                                          {"0101", "ImDd", '3'}}));  // a corner: only in-sector hexes
    const auto polities = madeBorders(space);
    ASSERT_EQ(polities.size(), 2u);
    const auto owner = owners(polities);
    EXPECT_EQ(owner.at(spaceHexOf(0, 0, 10, 11)), "ImDd");
    EXPECT_EQ(owner.at(spaceHexOf(0, 0, 10, 12)), "ZhCo");
    EXPECT_EQ(owner.count(spaceHexOf(0, 0, 20, 20)), 0u);
    EXPECT_EQ(owner.count(spaceHexOf(0, 0, 25, 21)), 0u);
    const Polity& im = polityOf(polities, "ImDd");
    EXPECT_EQ(im.hexes.size(), 19u - 3 + 9);  // 1010's claim less the three Zh took, and 0101's in-sector ones
    EXPECT_EQ(im.lines.size(), 2u);
    EXPECT_EQ(polityOf(polities, "ZhCo").hexes.size(), 19u + 3 - 3);
    EXPECT_EQ(madeBorders(space, 0).at(0).hexes.size(), 2u);
    EXPECT_EQ(madeBorders(space, 3).at(0).hexes.size() > im.hexes.size(), true);
}

TEST(MadeBorders, ClaimsCrossSectorEdgesIntoLoadedSectorsOnly) {
    ChartedSpace space;
    space.sectors.push_back(placedSector(-1, 0, {{"3220", "ImDd"}}));
    SectorMetadata names;
    names.allegiances = {{"ZhCo", "Zh", "Zhodani"}, {"ImDd", "Im", " Domain of Deneb "}};
    space.sectors.push_back(placedSector(0, 0, {{"0120", "ImDd"}}, names));
    const auto polities = madeBorders(space, 2);
    ASSERT_EQ(polities.size(), 1u);
    EXPECT_EQ(polities[0].lines.size(), 1u);  // one polity across the edge, one line
    EXPECT_EQ(polities[0].hexes.count(spaceHexOf(0, 0, 3, 20)), 1u);
    ASSERT_EQ(polities[0].labels.size(), 1u);
    EXPECT_EQ(polities[0].labels[0].text, "Domain of Deneb");  // its name in the metadata
    space.sectors.pop_back();
    const auto alone = madeBorders(space, 2);
    EXPECT_EQ(alone.at(0).hexes.count(spaceHexOf(0, 0, 1, 20)), 0u);  // an empty place claims nothing
    EXPECT_TRUE(alone.at(0).labels.empty());                          // a polity of one world has no label
}

TEST(GivenBorders, OutlinesOfOneAllegianceMeetingAtASectorEdgeAreOnePolity) {
    // Two hexes wide on each side of the edge between (0, 0) and (1, 0), three high on the left and two on
    // the right, each sector's list closing just outside it, as the published files do.
    SectorMetadata left;
    left.borders.push_back({"ImDd", "Domain", SectorHex{31, 6}, true, true, "", LineStyle::Solid,
                            *parseHexList("3105 3205 3305 3306 3307 3207 3107 3106 3105")});
    left.borders.push_back({"ZhCo", "", std::nullopt, false, false, "", LineStyle::Solid,
                            *parseHexList("0101 0100 0000 0001 0101")});  // three of them outside the sector
    SectorMetadata right;
    right.borders.push_back({"ImDd", "", std::nullopt, false, false, "#102030", LineStyle::Dash,
                             *parseHexList("0005 0105 0205 0206 0106 0006 0005")});
    ChartedSpace space;
    space.sectors.push_back(placedSector(0, 0, {}, left));
    space.sectors.push_back(placedSector(1, 0, {}, right));
    const auto polities = givenBorders(space);
    ASSERT_EQ(polities.size(), 2u);
    EXPECT_EQ(polities[0].hexes.size(), 10u);
    EXPECT_EQ(polities[1].hexes, HexSet{spaceHexOf(0, 0, 1, 1)});
    EXPECT_EQ(polities[0].lines.size(), 1u);
    EXPECT_EQ(polities[0].hexes.count(spaceHexOf(0, 0, 33, 7)), 0u);  // the closing hexes are the neighbour's
    ASSERT_EQ(polities[0].labels.size(), 1u);
    EXPECT_EQ(polities[0].labels[0].text, "Domain");
    EXPECT_EQ(polities[0].labels[0].hex, spaceHexOf(0, 0, 31, 6));
    EXPECT_TRUE(polities[0].labels[0].wrap);
    EXPECT_EQ(polities[0].colour, allegianceColour("Im"));  // the first outline's colour, else the palette's
}

TEST(BorderColours, MetadataColourElseAFixedPaletteByTheFirstTwoLetters) {
    EXPECT_EQ(outlineColour("#ff8000", "ImDd"), (Rgb{255, 128, 0}));
    EXPECT_EQ(outlineColour("SaddleBrown", "ImDd"), (Rgb{139, 69, 19}));
    EXPECT_EQ(outlineColour("lightblue", ""), (Rgb{173, 216, 230}));
    EXPECT_EQ(outlineColour("not a colour", "ZhCo"), allegianceColour("Zh"));
    EXPECT_EQ(allegianceColour("ImDd"), allegianceColour("ImSy"));
    EXPECT_NE(allegianceColour("ImDd"), allegianceColour("ZhCo"));
    EXPECT_NE(allegianceColour("Kr"), allegianceColour("Kq"));
    // The usual polities' colours, then codes whose letters fall on the palette's other eight.
    std::string palette;
    for (std::string code :
         {"Im", "Zh", "As", "Va", "Hv", "So", "Aa", "Kk", "Ai", "Aj", "Ak", "Al", "Am", "An", "Ao", "Ap"}) {
        const Rgb c = allegianceColour(code);
        palette += code + ":" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + " ";
    }
    EXPECT_EQ(palette,
              "Im:230,60,60 Zh:70,120,230 As:230,190,40 Va:60,180,90 Hv:190,90,220 So:240,130,40 Aa:50,190,200 "
              "Kk:220,90,160 Ai:150,190,60 Aj:140,110,70 Ak:110,110,240 Al:200,200,120 Am:90,160,140 "
              "An:240,110,110 Ao:160,160,160 Ap:120,70,170 ");
    for (const char* code : {"", "--", "----", "Na", "NaHu", " "}) EXPECT_TRUE(isNonAligned(code)) << code;
    for (const char* code : {"Im", "CsIm", "N-", "aN"}) EXPECT_FALSE(isNonAligned(code)) << code;
}

}  // namespace
}  // namespace qelvar
