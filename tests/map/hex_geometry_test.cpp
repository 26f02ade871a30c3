#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/subsector_store.h"
#include "core/text.h"
#include "map/hex_geometry.h"
#include "map/map_pointer.h"

namespace qelvar {
namespace {

TEST(HexGeometry, AnchorsOnScreenAndOnThePrintedPage) {
    struct Case {
        int column, row;
        double k;
        MapPoint origin;
        double x, y;
    } const cases[] = {
        {1, 1, 1.3, kScreenMapOrigin, 6, 5},       {2, 1, 1.3, kScreenMapOrigin, 17.7, 11.5},
        {8, 10, 1.3, kScreenMapOrigin, 87.9, 128.5}, {3, 5, 1.3, kScreenMapOrigin, 29.4, 57},
        {1, 1, 2, {25, 20}, 25, 20},                 {2, 1, 2, {25, 20}, 43, 30},
        {8, 10, 1.5, {155, 20}, 249.5, 162.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.column << "/" << c.row << " k=" << c.k);
        const MapPoint a = hexAnchor(c.column, c.row, c.k, c.origin);
        EXPECT_NEAR(a.x, c.x, 1e-9);
        EXPECT_NEAR(a.y, c.y, 1e-9);
    }
}

TEST(HexGeometry, OutlineRunsFromTheAnchorRoundAndBack) {
    const auto corners = hexOutline({6, 5}, 1.3);
    const MapPoint expected[] = {{6, 5}, {0.8, 11.5}, {6, 18}, {12.5, 18}, {17.7, 11.5}, {12.5, 5}, {6, 5}};
    for (std::size_t i = 0; i < corners.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_NEAR(corners[i].x, expected[i].x, 1e-9);
        EXPECT_NEAR(corners[i].y, expected[i].y, 1e-9);
    }
    // Neighbouring columns share their slanted edge: the right corner of 0101 is the left corner of 0201.
    const auto next = hexOutline(hexAnchor(2, 1, 1.3), 1.3);
    EXPECT_NEAR(corners[4].x, next[0].x, 1e-9);
    EXPECT_NEAR(corners[4].y, next[0].y, 1e-9);
}

TEST(HexGeometry, LocationAtBandEdgesAndDeadZones) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double x, y;
        const char* location;
    } const cases[] = {
        {9, 10, "0101"},      {12, 10, "--01"},      {9, 14.5, "01--"},    {3.999, 10, "--01"},
        {4, 10, "0101"},      {11.999, 10, "0101"},  {9, 5.999, "01--"},   {9, 6, "0101"},
        {9, 13.999, "0101"},  {9, 14, "01--"},       {9, 131.999, "0110"}, {9, 132, "01--"},
        {94.999, 13, "0801"}, {95, 11, "--01"},      {-1, -1, "----"},     {nan, 10, "--01"},
        {56, 64, "0505"},     {56, 65.999, "0505"},  {56, 66, "05--"},
        // Even columns: the row bands are applied 6.5 mm lower.
        {20, 12.4, "02--"},   {20, 12.5, "0201"},    {20, 20.499, "0201"}, {20, 20.5, "02--"},
        {20, 24.5, "0202"},   {20, 137.999, "0210"}, {20, 138.5, "02--"},    {91, 135, "0810"},
        {44, 10, "04--"},     {18, 12.5, "0201"},    {17.999, 12.5, "--01"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "(" << c.x << ", " << c.y << ")");
        EXPECT_EQ(locationAt(c.x, c.y), c.location);
    }
}

TEST(HexGeometry, EveryHexCentreFindsItsOwnHex) {
    for (int column = 1; column <= kMapColumns; ++column) {
        for (int row = 1; row <= kMapRows; ++row) {
            const MapPoint centre = hexCentre(hexAnchor(column, row, kScreenHexScale), kScreenHexScale);
            EXPECT_EQ(locationAt(centre.x, centre.y), formatFourDigits(column * 100 + row))
                << "centre of " << column << "/" << row;
        }
    }
}

TEST(HexGeometry, MapSurfaceSizeInDots) {
    EXPECT_EQ(twipsToDots(kMapSurfaceWidthTwips, 96), 393);
    EXPECT_EQ(twipsToDots(kMapSurfaceHeightTwips, 96), 545);
}

class MapPointerTest : public ::testing::Test {
protected:
    void SetUp() override {
        WorldRecord& w = store.worlds[1];
        w.name = "Draven";
        w.location = 101;
        w.uwp = "X26A0002";
        w.tradeCodes = "Ba Wa";
        WorldRecord& v = store.worlds[11];
        v.name = "Ostmark";
        v.location = 201;
        v.uwp = "A867A99C";
        v.tradeCodes = "Hi";
    }
    SubsectorStore store;
};

TEST_F(MapPointerTest, MovingOverWorldsEmptyHexesAndDeadZones) {
    const std::string draven = "Draven              ";
    const std::string dravenProfile = "X-26A000-2 Ba Wa" + std::string(10, ' ');
    const std::string ostmarkProfile = "A-867A99-C Hi" + std::string(13, ' ');
    struct Step {
        MapPoint at;
        const char* label1;
        const char* label2;
        int detailIndex;
        bool onWorld;
    };
    const Step steps[] = {
        {{9, 10}, draven.c_str(), dravenProfile.c_str(), 1, true},
        {{9, 24}, draven.c_str(), "0102", 2, false},  // empty hex: the last name stays
        {{12, 10}, draven.c_str(), "-", 2, false},    // dead zone: only Label2 changes
        {{20, 13}, "Ostmark             ", ostmarkProfile.c_str(), 11, true},
        {{20, 11}, "Ostmark             ", "-", 11, false},  // above 0201 in the even column
        {{91, 135}, "Ostmark             ", "0810", 80, false},
    };
    MapLabels labels{"start", "start"};
    store.detailIndex = 7;
    for (const Step& step : steps) {
        SCOPED_TRACE(::testing::Message() << "(" << step.at.x << ", " << step.at.y << ")");
        const MapPointerResult r = mapPointerMoved(store, step.at, labels);
        EXPECT_EQ(r.labels.label1, step.label1);
        EXPECT_EQ(r.labels.label2, step.label2);
        EXPECT_EQ(r.detailIndex, step.detailIndex);
        EXPECT_EQ(r.onWorld, step.onWorld);
        labels = r.labels;
        store.detailIndex = r.detailIndex;
    }
}

TEST_F(MapPointerTest, PressShowsTheLocationAndOpensOnlyWorlds) {
    const MapLabels labels{"name", "line"};
    MapPointerResult r = mapPointerPressed(store, {9, 10}, labels);
    EXPECT_TRUE(r.onWorld);
    EXPECT_EQ(r.detailIndex, 1);
    EXPECT_EQ(r.labels.label1, "name");
    EXPECT_EQ(r.labels.label2, "0101");

    r = mapPointerPressed(store, {9, 24}, labels);
    EXPECT_FALSE(r.onWorld);
    EXPECT_EQ(r.detailIndex, 2);
    EXPECT_EQ(r.labels.label2, "0102");

    store.detailIndex = 5;
    r = mapPointerPressed(store, {9, 14.5}, labels);
    EXPECT_FALSE(r.onWorld);
    EXPECT_EQ(r.detailIndex, 5);
    EXPECT_EQ(r.labels.label2, "-");
}

TEST(MapPointer, NotesNeedALowerCaseDatName) {
    EXPECT_TRUE(notesAvailableFor("spin.dat"));
    EXPECT_TRUE(notesAvailableFor("x.dat.bak"));
    EXPECT_FALSE(notesAvailableFor("SPIN.DAT"));
    EXPECT_FALSE(notesAvailableFor("spin.sbs"));
    EXPECT_FALSE(notesAvailableFor(""));
}

}  // namespace
}  // namespace qelvar
