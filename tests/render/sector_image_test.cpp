#include <gtest/gtest.h>

#include <QGuiApplication>

#include "support/gui_application.h"
#include <algorithm>
#include <cstdlib>

#include "map/map_drawing.h"
#include "map/routes.h"
#include "painter_surface.h"
#include "sector_image.h"
#include "support/sample_sector.h"

namespace qelvar {
namespace {

QGuiApplication& application() { return testing::guiApplication(); }

// The largest difference of one pixel between two pictures of one size (red, green and blue added).
int largestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            largest = std::max(largest, std::abs(qRed(p[x]) - qRed(q[x])) + std::abs(qGreen(p[x]) - qGreen(q[x])) +
                                            std::abs(qBlue(p[x]) - qBlue(q[x])));
        }
    }
    return largest;
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
        EXPECT_LE(largestDifference(one.image(), three.image()), 48);

        Sector changed = sector;
        changed.worlds.resize(changed.worlds.size() / 2);
        changed.name = "Changed";
        one.draw(changed, options, 48 * ratio, ratio, 1);
        const QImage before = three.image();
        three.draw(changed, options, 48 * ratio, ratio, 3);
        EXPECT_LE(largestDifference(one.image(), three.image()), 48);
        EXPECT_FALSE(before == three.image());
    }
}

// The sample sector's map with dashed, dotted and wide routes and jump links, and subsector D of it as the
// main window draws it, each compared with the picture the program drew once and that was checked by eye
// (QELVAR_WRITE_PICTURES=1 draws them again). Text may be shaded a little differently elsewhere; a circle,
// line or name missing or moved differs by far more.
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
    for (const auto& [name, drawn] : {std::pair{"sector", image.image()}, {"subsector", subsector.image()}}) {
        const QString file = QString(QELVAR_TEST_DATA "/render/%1.png").arg(name);
        if (std::getenv("QELVAR_WRITE_PICTURES")) drawn.save(file, "PNG", 0);
        const QImage expected = QImage(file).convertToFormat(drawn.format());
        ASSERT_EQ(expected.size(), drawn.size()) << name;
        EXPECT_LE(largestDifference(expected, drawn), 48) << name;
    }
}

}  // namespace
}  // namespace qelvar
