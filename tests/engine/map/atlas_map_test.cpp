#include "map/atlas_map.h"

#include <gtest/gtest.h>

#include <cmath>

#include "map/map_drawing.h"
#include "seams/recording_surface.h"
#include "support/recorded_ops.h"
#include "support/space_files.h"

namespace qelvar {
namespace {

using testing::countRecorded;
using testing::placedSector;
using testing::RecordedOp;
using testing::twoSectors;

std::vector<RecordedOp> drawn(const ChartedSpace& space, const AtlasOptions& options) {
    RecordingSurface surface;
    prepareMapSurface(surface);
    drawAtlasMap(space, atlasAreaOf(space), surface, options);
    return testing::recordedOps(surface.text());
}

MapPoint centre(const AtlasArea& area, int sx, int sy, int column, int row) {
    return hexCentre(sectorHexAnchor(column, row, kScreenHexScale, atlasSectorOrigin(area, sx, sy)), kScreenHexScale);
}

TEST(AtlasMap, SectorsSideBySideWithLinksBordersRegionsAndNamesAcrossEdges) {
    const ChartedSpace space = twoSectors();
    const AtlasArea area = atlasAreaOf(space);
    EXPECT_EQ(area, (AtlasArea{0, 0, 1, 1}));
    const SpaceOverlay overlay = spaceOverlay(space, BorderChoice::Made, 1);
    AtlasOptions options;
    options.jump = 1;
    options.routes = true;
    options.overlay = &overlay;
    const auto ops = drawn(space, options);
    // Every hex of the two sectors outlined, none in the holes.
    EXPECT_EQ(
        countRecorded(ops, [](const RecordedOp& o) { return o[0] == "line" && o[5] == "#ffffff" && o[7] == "1"; }),
        2u * 1280 * 6);
    // The jump link from Alda 3240 to Bree 0101 (one hex across the corner), centre to centre.
    const MapPoint a = centre(area, 0, 0, 32, 40);
    const MapPoint b = centre(area, 1, 1, 1, 1);
    const auto at = [](const RecordedOp& o, MapPoint p, int field) {
        return std::abs(std::stod(o[field]) - p.x) < 0.01 && std::abs(std::stod(o[field + 1]) - p.y) < 0.01;
    };
    const auto link = [&](const std::string& colour) {
        return
            [&, colour](const RecordedOp& o) { return o[0] == "line" && at(o, a, 1) && at(o, b, 3) && o[5] == colour; };
    };
    EXPECT_EQ(countRecorded(ops, link("#8296c8")), 1u);
    AtlasOptions paper = options;
    paper.printed = true;
    EXPECT_EQ(countRecorded(drawn(space, paper), link("#969696")), 1u);  // grey on paper
    // The route to a loaded neighbour ends short of its hex; the one to a hole stops at Alda's edge.
    const auto route =
        std::find_if(ops.begin(), ops.end(), [](const RecordedOp& o) { return o.size() > 6 && o[5] == "#0ac81e"; });
    ASSERT_NE(route, ops.end());
    EXPECT_EQ((*route)[6], "dash");
    EXPECT_GT(std::stod((*route)[3]), sectorHexArea(kScreenHexScale, atlasSectorOrigin(area, 1, 1)).left);
    const auto cut =
        std::find_if(ops.begin(), ops.end(), [](const RecordedOp& o) { return o.size() > 6 && o[5] == "#0a641e"; });
    ASSERT_NE(cut, ops.end());
    EXPECT_NEAR(std::stod((*cut)[3]), sectorHexArea(kScreenHexScale, atlasSectorOrigin(area, 0, 0)).right, 0.01);
    // The region filled, under the hexes; the borders in the allegiances' colours over them.
    const auto region = std::find_if(ops.begin(), ops.end(), [](const RecordedOp& o) { return o[0] == "polygon"; });
    ASSERT_NE(region, ops.end());
    EXPECT_EQ((*region)[1], "#800080");
    EXPECT_EQ(region->size(), 3u + 2 * 14);  // four hexes touching in five places: fourteen corners
    const auto firstHex =
        std::find_if(ops.begin(), ops.end(), [](const RecordedOp& o) { return o.size() > 6 && o[5] == "#ffffff"; });
    EXPECT_LT(region, firstHex);
    const std::string im = "#e63c3c";  // the Imperium's own colour
    // 3240 and Bree's 0101 claim the hexes round them in loaded sectors, three each, touching across the
    // corner: one outline of 22 sides.
    EXPECT_EQ(countRecorded(ops, [&](const RecordedOp& o) { return o[0] == "line" && o[5] == im && o[7] == "4"; }),
              22u);
    // Names in the top and bottom margins; the free label in its size.
    const auto text = [&](const std::string& t) {
        return std::find_if(ops.begin(), ops.end(),
                            [&](const RecordedOp& o) { return o[0] == "text" && o.back() == t; });
    };
    ASSERT_NE(text("Alda"), ops.end());
    EXPECT_LT(std::stod((*text("Alda"))[2]), atlasSectorOrigin(area, 0, 0).y);
    EXPECT_GT(std::stod((*text("Bree"))[2]), sectorHexArea(kScreenHexScale, atlasSectorOrigin(area, 1, 1)).bottom);
    ASSERT_NE(text("Outrim Void"), ops.end());
    EXPECT_EQ((*text("Outrim Void"))[5], "14");
    EXPECT_NE(text("Rift"), ops.end());
}

TEST(AtlasMap, DrawsOnlyTheSectorsInTheVisiblePartAndFindsHexesUnderPoints) {
    const ChartedSpace space = twoSectors();
    const AtlasArea area = atlasAreaOf(space);
    AtlasOptions options;
    const MapBox alda = sectorHexArea(kScreenHexScale, atlasSectorOrigin(area, 0, 0));
    options.visible = MapBox{alda.left, alda.top, alda.left + 50, alda.top + 50};
    EXPECT_EQ(countRecorded(drawn(space, options), [](const RecordedOp& o) { return o[0] == "line" && o[7] == "1"; }),
              1280u * 6);
    const SpaceOverlay overlay = spaceOverlay(space, BorderChoice::None);  // Alda's region alone
    AtlasOptions beside;  // level with Alda, right of it: the region is not drawn
    beside.overlay = &overlay;
    beside.visible = MapBox{alda.right + 10, alda.top, alda.right + 60, alda.bottom};
    EXPECT_EQ(countRecorded(drawn(space, beside), [](const RecordedOp& o) { return o[0] == "polygon"; }), 0u);
    // At a small scale: the sectors' frames and a dot a world, no hexes, names of hexes or subsectors.
    options.visible.reset();
    options.sparse = true;
    const auto sparse = drawn(space, options);
    EXPECT_EQ(countRecorded(sparse, [](const RecordedOp& o) { return o[0] == "line" && o[7] == "1"; }), 0u);
    EXPECT_EQ(countRecorded(sparse, [](const RecordedOp& o) { return o[0] == "box" && o[7] == "3"; }), 2u);
    EXPECT_EQ(countRecorded(sparse, [](const RecordedOp& o) { return o[0] == "circle" && o[5] == "#0000ff"; }), 4u);
    EXPECT_EQ(countRecorded(sparse, [](const RecordedOp& o) { return o[0] == "text"; }), 2u);  // the names
    const MapPoint p = centre(area, 1, 1, 7, 9);
    EXPECT_EQ(atlasHexAt(p, area), spaceHexOf(1, 1, 7, 9));
    EXPECT_EQ(atlasHexAt({1, 1}, area), std::nullopt);
    // Near a sector's right and lower edges the next sector is guessed first; far down a tall block the
    // guessed row is still near.
    MapPoint edge = centre(area, 0, 0, 32, 2);
    edge.x += 4 * kScreenHexScale;
    EXPECT_EQ(atlasHexAt(edge, area), spaceHexOf(0, 0, 32, 2));
    EXPECT_EQ(atlasHexAt(centre(area, 0, 0, 2, 40), area), spaceHexOf(0, 0, 2, 40));
    const AtlasArea tall{0, 0, 0, 15};
    EXPECT_EQ(atlasHexAt(centre(tall, 0, 15, 7, 40), tall), spaceHexOf(0, 15, 7, 40));
    EXPECT_FALSE(atlasAreaNamed(space, {"Alda", "Corr"}));
    EXPECT_EQ(*atlasAreaNamed(space, {"BREE"}), (AtlasArea{1, 1, 1, 1}));
    const MapSize size = atlasMapSize(area);
    EXPECT_GT(size.width, 2 * 9 * kScreenHexScale * 32);
    EXPECT_GT(size.height, 2 * 10 * kScreenHexScale * 40);
}

}  // namespace
}  // namespace qelvar
