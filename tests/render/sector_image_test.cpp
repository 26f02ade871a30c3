#include <gtest/gtest.h>

#include <QGuiApplication>

#include "support/gui_application.h"
#include <algorithm>
#include <cstdlib>

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

}  // namespace
}  // namespace qelvar
