#pragma once
// Pictures compared with the ones under tests/data/ that the program drew once and that were checked by eye
// (QELVAR_WRITE_PICTURES=1 draws them again). Text may be shaded a little differently by another font setup;
// a circle, line or name missing or moved differs by far more.

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <cstdlib>

namespace qelvar::testing {

// The largest difference of one pixel between two pictures of one size (red, green and blue added).
inline int largestDifference(const QImage& a, const QImage& b) {
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

// Compares a drawn picture with the file `name` (under tests/data/).
inline void expectPicture(const QString& name, const QImage& drawn) {
    const QString file = QELVAR_TEST_DATA "/" + name;
    const QImage picture = drawn.convertToFormat(QImage::Format_RGB32);
    if (std::getenv("QELVAR_WRITE_PICTURES")) picture.save(file, "PNG", 0);
    const QImage expected = QImage(file).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(expected.size(), picture.size()) << name.toStdString();
    EXPECT_LE(largestDifference(expected, picture), 48) << name.toStdString();
}

}  // namespace qelvar::testing
