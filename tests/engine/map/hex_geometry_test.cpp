#include <gtest/gtest.h>

#include <tuple>

#include "store/text.h"
#include "map/hex_geometry.h"

namespace qelvar {
namespace {

TEST(HexGeometry, AnchorsAndOutline) {
    struct Case {
        int column, row;
        double k;
        MapPoint origin, anchor;
    } const cases[] = {
        {1, 1, 1.3, kScreenMapOrigin, {6, 5}},
        {2, 1, 1.3, kScreenMapOrigin, {17.7, 11.5}},
        {8, 10, 1.3, kScreenMapOrigin, {87.9, 128.5}},
        {8, 10, 1.5, {155, 20}, {249.5, 162.5}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.column << "/" << c.row << " k=" << c.k);
        EXPECT_NEAR(hexAnchor(c.column, c.row, c.k, c.origin).x, c.anchor.x, 1e-9);
        EXPECT_NEAR(hexAnchor(c.column, c.row, c.k, c.origin).y, c.anchor.y, 1e-9);
    }
    const auto corners = hexOutline({6, 5}, 1.3);
    const MapPoint expected[] = {{6, 5}, {0.8, 11.5}, {6, 18}, {12.5, 18}, {17.7, 11.5}, {12.5, 5}, {6, 5}};
    for (std::size_t i = 0; i < corners.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(corners[i].x, expected[i].x, 1e-9);
        EXPECT_NEAR(corners[i].y, expected[i].y, 1e-9);
    }
}

TEST(HexGeometry, LocationAtWholeMillimetresDeadZonesAndEveryCentre) {
    struct Case {
        double x, y;
        const char* location;
    } const cases[] = {
        {3.999, 10, "--01"}, {11.999, 10, "0101"}, {9, 13.999, "0101"},  {9, 131.999, "0110"}, {9, 132, "01--"},
        {95, 11, "--01"},    {-1, -1, "----"},     {20, 20.499, "0201"}, {20, 138.5, "02--"},  {91, 135, "0810"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "(" << c.x << ", " << c.y << ")");
        EXPECT_EQ(locationAt(c.x, c.y), c.location);
    }
    for (int column = 1; column <= kMapColumns; ++column) {
        for (int row = 1; row <= kMapRows; ++row) {
            const MapPoint centre = hexCentre(hexAnchor(column, row, kScreenHexScale), kScreenHexScale);
            EXPECT_EQ(locationAt(centre.x, centre.y), formatFourDigits(column * 100 + row));
        }
    }
}

// The hot-spot bands of the pointer (whole millimetres, both ends included), probed half a millimetre
// inside and outside each end. Rows are probed in an odd column (3) and, 6.5 mm lower, an even one (4).
TEST(HexGeometry, LocationAtEveryBandEdgeInBothColumnParities) {
    const int columnBands[][2] = {{4, 11}, {18, 24}, {29, 35}, {40, 48}, {52, 59}, {64, 70}, {75, 82}, {87, 94}};
    const int rowBands[][2] = {{6, 13},  {18, 26}, {31, 40},  {44, 52},   {57, 65},
                               {70, 78}, {83, 91}, {96, 104}, {109, 117}, {122, 131}};
    const auto probe = [](double x, double y, const std::string& expected) {
        EXPECT_EQ(locationAt(x, y), expected) << "(" << x << ", " << y << ")";
    };
    for (int c = 0; c < kMapColumns; ++c) {
        const std::string column = formatFourDigits(c + 1).substr(2);
        const double y = 13;  // row 1 in either parity
        probe(columnBands[c][0] - 0.5, y, "--01");
        probe(columnBands[c][0] + 0.5, y, column + "01");
        probe(columnBands[c][1] + 0.5, y, column + "01");
        probe(columnBands[c][1] + 1.5, y, "--01");
    }
    for (const auto& [x, column, drop] : {std::tuple{32.0, "03", 0.0}, {44.0, "04", 6.5}}) {
        for (int r = 0; r < kMapRows; ++r) {
            const std::string row = formatFourDigits(r + 1).substr(2);
            probe(x, rowBands[r][0] - 0.5 + drop, std::string(column) + "--");
            probe(x, rowBands[r][0] + 0.5 + drop, column + row);
            probe(x, rowBands[r][1] + 0.5 + drop, column + row);
            probe(x, rowBands[r][1] + 1.5 + drop, std::string(column) + "--");
        }
    }
}

}  // namespace
}  // namespace qelvar
