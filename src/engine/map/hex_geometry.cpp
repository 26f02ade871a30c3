#include "map/hex_geometry.h"

#include <cmath>

namespace qelvar {

namespace {

struct Band {
    int first;
    int last;
};

// Whole millimetres, both ends included.
constexpr std::array<Band, kMapColumns> kColumnBands{{
    {4, 11},
    {18, 24},
    {29, 35},
    {40, 48},
    {52, 59},
    {64, 70},
    {75, 82},
    {87, 94},
}};
constexpr std::array<Band, kMapRows> kRowBands{{
    {6, 13},
    {18, 26},
    {31, 40},
    {44, 52},
    {57, 65},
    {70, 78},
    {83, 91},
    {96, 104},
    {109, 117},
    {122, 131},
}};

// Even columns are drawn half a hex (5k) lower on the screen map.
constexpr double kEvenColumnDrop = 5 * kScreenHexScale;

template <std::size_t N>
int bandOf(const std::array<Band, N>& bands, double value) {
    const double whole = std::floor(value);
    for (std::size_t i = 0; i < N; ++i) {
        if (whole >= bands[i].first && whole <= bands[i].last) return static_cast<int>(i) + 1;
    }
    return 0;  // also for a value that is no number or infinite: no band holds it
}

void appendPart(std::string& out, int value) {
    if (value == 0) {
        out += "--";
        return;
    }
    out.push_back(static_cast<char>('0' + value / 10));
    out.push_back(static_cast<char>('0' + value % 10));
}

}  // namespace

int twipsToDots(int twips, double dotsPerInch) { return static_cast<int>(std::lround(twips * dotsPerInch / 1440.0)); }

MapPoint hexAnchor(int column, int row, double k, MapPoint origin) {
    MapPoint anchor{origin.x + 9 * k * (column - 1), origin.y + 10 * k * (row - 1)};
    if (column % 2 == 0) anchor.y += 5 * k;
    return anchor;
}

std::array<MapPoint, 7> hexOutline(MapPoint a, double k) {
    return {{
        a,
        {a.x - 4 * k, a.y + 5 * k},
        {a.x, a.y + 10 * k},
        {a.x + 5 * k, a.y + 10 * k},
        {a.x + 9 * k, a.y + 5 * k},
        {a.x + 5 * k, a.y},
        a,
    }};
}

std::string locationAt(double x, double y) {
    const int column = bandOf(kColumnBands, x);
    const int row = bandOf(kRowBands, column != 0 && column % 2 == 0 ? y - kEvenColumnDrop : y);
    std::string location;
    appendPart(location, column);
    appendPart(location, row);
    return location;
}

}  // namespace qelvar
