#include "map/space_overlay.h"

#include <gtest/gtest.h>

#include "map/map_drawing.h"
#include "seams/recording_surface.h"
#include "support/recorded_ops.h"
#include "support/space_files.h"

namespace qelvar {
namespace {

using testing::RecordedOp;

std::vector<RecordedOp> drawnBorders(const SpaceOverlay& overlay, const SpacePlace& place) {
    RecordingSurface surface;
    prepareMapSurface(surface);
    drawSpaceRegions(overlay, surface, place);
    drawSpaceBorders(overlay, surface, place);
    return testing::recordedOps(surface.text());
}

TEST(SpaceOverlay, LabelsAreWrappedBetweenWordsWhenAskedAndDrawnInTheirColours) {
    SpaceOverlay overlay;
    overlay.labels = {{{3, 3}, "Islands of the Far Cluster", Rgb{1, 2, 3}, true, false},
                      {{3, 9}, "Islands of the Far Cluster", std::nullopt, false, true},
                      {{9, 9}, "Outrim\nVoid", std::nullopt, false, false}};
    const auto texts = [](const std::vector<RecordedOp>& ops) {
        std::vector<std::string> found;
        for (const RecordedOp& o : ops) {
            if (o[0] == "text") found.push_back(o[3] + " " + o[5] + " " + o.back());
        }
        return found;
    };
    const SpacePlace screen{{0, 0}, kScreenHexScale, false, {}, {}};
    EXPECT_EQ(
        texts(drawnBorders(overlay, screen)),
        (std::vector<std::string>{"#010203 8 Islands of", "#010203 8 the Far", "#010203 8 Cluster",
                                  "#dcdcdc 14 Islands of the Far Cluster", "#dcdcdc 8 Outrim", "#dcdcdc 8 Void"}));
    SpacePlace paper = screen;
    paper.printed = true;
    EXPECT_EQ(texts(drawnBorders(overlay, paper)).back(), "#5a5a5a 8 Void");
    overlay.showLabels = false;
    EXPECT_TRUE(texts(drawnBorders(overlay, screen)).empty());
    EXPECT_EQ(borderChoiceNamed("made"), BorderChoice::Made);
    EXPECT_EQ(borderChoiceNamed("Made"), std::nullopt);
}

TEST(SpaceOverlay, TheSubsectorMapShowsTheBordersCrossingItCutToItsHexes) {
    // A polity of subsector E reaching into F, and a region across their edge.
    SectorMetadata metadata;
    metadata.regions.push_back(
        {"", "", std::nullopt, true, false, "Purple", LineStyle::Solid, *parseHexList("0815 0915 0916 0816 0815")});
    ChartedSpace space;
    space.sectors.push_back(testing::placedSector(0, 0, {{"0815", "ZhCo"}}, metadata));
    const SpaceOverlay overlay = spaceOverlay(space, BorderChoice::Made, 2);
    SubsectorStore store;
    sectorToStore(space.sectors[0].sector, 5, store);  // F: columns 9-16, rows 11-20
    MapLinks links;
    links.overlay = &overlay;
    RecordingSurface surface;
    prepareMapSurface(surface);
    (void)drawSubsectorMap(store, surface, links);
    const auto ops = testing::recordedOps(surface.text());
    const double k = kScreenHexScale;
    const MapPoint last = hexAnchor(kMapColumns, kMapRows, k);
    std::size_t borders = 0;
    for (const RecordedOp& o : ops) {
        if (o[0] == "line" && o[7] == "4") {
            ++borders;
            for (const int x : {1, 3}) {
                EXPECT_GE(std::stod(o[x]), kScreenMapOrigin.x - 4 * k - 0.001);
                EXPECT_LE(std::stod(o[x]), kScreenMapOrigin.x + 18 * k + 0.001);  // two columns in
            }
            EXPECT_LE(std::stod(o[4]), last.y + 10 * k + 0.001);
        }
    }
    EXPECT_GT(borders, 4u);
    const std::string drawn = surface.text();  // the region cut where the map's hexes start, at x 0.8
    const std::size_t region = drawn.find("polygon");
    EXPECT_EQ(drawn.substr(region, drawn.find('\n', region) - region),
              "polygon\t#800080\t0.300\t0.800\t63.500\t6.000\t57.000\t12.500\t57.000\t17.700\t63.500\t12.500\t70.000\t"
              "17.700\t76.500\t12.500\t83.000\t6.000\t83.000\t0.800\t89.500");
    EXPECT_EQ(testing::countRecorded(ops, [](const RecordedOp& o) { return o[0] == "polygon"; }), 1u);
    sectorToStore(space.sectors[0].sector, 6, store);  // G: nothing of them
    RecordingSurface other;
    (void)drawSubsectorMap(store, other, links);
    EXPECT_EQ(other.text().find("\t4\n"), std::string::npos);
}

}  // namespace
}  // namespace qelvar
