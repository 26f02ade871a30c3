#include <gtest/gtest.h>

#include <QGuiApplication>

#include "support/gui_application.h"
#include "map/map_drawing.h"
#include "map/routes.h"
#include "painter_surface.h"
#include "sector_image.h"
#include "sector_poster.h"
#include "support/pictures.h"
#include "support/sample_sector.h"

namespace qelvar {
namespace {

QGuiApplication& application() { return testing::guiApplication(); }

// The map as a window paints it, in logical pixels.
QImage painted(const SectorImage& image, double ratio) {
    QImage out(image.size() / ratio, QImage::Format_RGB32);
    out.fill(Qt::white);
    QPainter painter(&out);
    image.paint(painter, out.rect());
    return out;
}

// Bands drawn on threads of their own meet without a seam: the picture is the one a single band draws, on
// the first drawing and on a redraw after the sector changed, and at a device pixel ratio of 2. A line
// cut at a band's edge may shade its pixels a shade differently; a line or text missing at the seam would
// differ by far more.
TEST(SectorImage, BandsMakeTheSamePictureAsOneBand) {
    application();
    Sector sector = testing::sampleSector();
    SectorMapOptions options;
    options.jump = 2;
    for (const double ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        SectorImage one, three;
        one.draw(sector, options, 48 * ratio, ratio, 1);
        three.draw(sector, options, 48 * ratio, ratio, 3);
        ASSERT_EQ(one.size(), three.size());
        EXPECT_LE(testing::largestDifference(one.image(), three.image()), 48);

        Sector changed = sector;
        changed.worlds.resize(changed.worlds.size() / 2);
        changed.name = "Changed";
        one.draw(changed, options, 48 * ratio, ratio, 1);
        const QImage before = three.image();
        three.draw(changed, options, 48 * ratio, ratio, 3);
        EXPECT_LE(testing::largestDifference(one.image(), three.image()), 48);
        EXPECT_FALSE(before == three.image());
        // Drawn again at the other ratio, then a map of half the height: as if drawn so first.
        SectorImage other;
        other.draw(changed, options, 48 * ratio, 3 - ratio, 1);
        three.draw(changed, options, 48 * ratio, 3 - ratio, 3);
        EXPECT_LE(testing::largestDifference(painted(other, 3 - ratio), painted(three, 3 - ratio)), 48);
        MapDrawing half = sectorMapDrawing(changed, options);
        half.size.height /= 2;
        three.draw(half, 48 * ratio, ratio, 3);
        EXPECT_EQ(three.image().size(), mapPixels(half.size, 48 * ratio));
    }
}

// The sample sector's map with dashed, dotted and wide routes and jump links, subsector D of it as the main
// window draws it and a poster sheet of the sector, as the pictures checked by eye.
TEST(SectorImage, MapsLookAsThePicturesCheckedByEye) {
    application();
    const Sector sector = testing::sampleSector();
    SectorMapOptions options;
    options.jump = 2;
    options.routes = readRoutes(
                         "<Routes><Route Start='0101' End='0810' Style='Dashed'/><Route Start='0105' "
                         "End='2430' Style='Dotted' Color='#00ff00' Width='3'/></Routes>")
                         ->value;
    SectorImage image;
    image.draw(sector, options, 40, 1, 2);
    SubsectorStore store;
    sectorToStore(sector, 3, store);
    ImageSurface subsector(393, 545, 96);
    prepareMapSurface(subsector);
    drawSubsectorMap(store, subsector);
    ImageSurface poster(394, 551, 20);  // one sheet of a tiled poster: the map, crop marks and caption
    drawSectorPoster(sector, poster, QSizeF(500, 700), true, options);
    testing::expectPicture("render/sector.png", image.image());
    testing::expectPicture("render/subsector.png", subsector.image());
    testing::expectPicture("render/poster.png", poster.image());
}

// Sheets across a tiled poster: one while the map fits in a sheet within its margins, then one more each time
// it outgrows the sheets less their overlap; a map of no height still takes a row.
TEST(SectorPoster, TilesAcrossFollowTheMapsWidth) {
    for (const auto& [width, columns] : {std::pair{10.0, 1}, {190.0, 1}, {191.0, 2}, {370.0, 2}, {371.0, 3}}) {
        const TileGrid grid = tileGrid(MapSize{width, 0}, QSizeF(210, 297));
        EXPECT_EQ(std::pair(grid.columns, grid.rows), std::pair(columns, 1)) << width;
    }
}

}  // namespace
}  // namespace qelvar
