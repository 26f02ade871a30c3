#include "map/sector_map.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

#include "map/map_drawing.h"
#include "map/space_overlay.h"
#include "store/codes.h"
#include "store/subsector_store.h"
#include "store/text.h"

namespace qelvar {

namespace {

constexpr double kTitleSize = 16;
constexpr double kFrameGap = 2;          // millimetres between the outermost hex corners and the frame
constexpr double kRouteClearance = 1.5;  // hex units left free at a route's end inside the sector
constexpr double kLetterSize = 72;
constexpr double kSubsectorNameSize = 14;
constexpr Rgb kFaintOnScreen{52, 64, 96};
constexpr Rgb kFaintOnPaper{215, 215, 215};
constexpr Rgb kJumpLinkOnPaper{150, 150, 150};

using Box = MapBox;

Box hexArea(double k, MapPoint origin) { return sectorHexArea(k, origin); }

bool evenColumn(int column) { return ((column % 2) + 2) % 2 == 0; }

MapPoint centreOf(int column, int row, double k, MapPoint origin) {
    return hexCentre(sectorHexAnchor(column, row, k, origin), k);
}

// The hex across each edge of a hex, in the order its outline draws the edges: upper left, lower left,
// bottom, lower right, upper right, top.
std::array<std::pair<int, int>, 6> neighbours(int c, int r) {
    const int low = evenColumn(c) ? 1 : 0;
    return {{{c - 1, r - 1 + low}, {c - 1, r + low}, {c, r + 1}, {c + 1, r + low}, {c + 1, r - 1 + low}, {c, r - 1}}};
}

bool inSector(int c, int r) { return c >= 1 && c <= kSectorColumns && r >= 1 && r <= kSectorRows; }

}  // namespace

// Liang-Barsky.
bool clipSegment(MapPoint& a, MapPoint& b, const MapBox& box) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    double t0 = 0;
    double t1 = 1;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
    }
    if (t0 > t1) return false;
    const MapPoint start = a;
    a = {start.x + t0 * dx, start.y + t0 * dy};
    b = {start.x + t1 * dx, start.y + t1 * dy};
    return true;
}

namespace {

bool clipToBox(MapPoint& a, MapPoint& b, const Box& box) { return clipSegment(a, b, box); }

// Moves `from` towards `to` by `distance`.
MapPoint towards(MapPoint from, MapPoint to, double distance) {
    const double length = std::hypot(to.x - from.x, to.y - from.y);
    if (length <= 0) return from;
    return {from.x + (to.x - from.x) * distance / length, from.y + (to.y - from.y) * distance / length};
}

// Where the links of a map go: the centre of a hex given in sector numbering, the map's edge, the scale.
struct LinkPlace {
    std::function<MapPoint(int column, int row)> centre;
    Box edge;
    double k;
};

MapPoint routeEndPoint(const RouteEnd& end, const LinkPlace& place) {
    return place.centre(end.column + end.sectorX * kSectorColumns, end.row + end.sectorY * kSectorRows);
}

void drawRoute(const Route& route, Surface& surface, const LinkPlace& place) {
    drawRouteLine(route, surface, routeEndPoint(route.start, place), routeEndPoint(route.end, place),
                  route.start.insideSector(), route.end.insideSector(), place.edge, place.k);
}

// Jump links between the hexes (sector column, row) of worlds, then the routes, each in its own style.
void drawLinks(const std::vector<std::pair<int, int>>& worlds, Surface& surface, const MapLinks& links,
               const LinkPlace& place, bool printed) {
    const Rgb savedFore = surface.foreColour();
    if (links.jump > 0) {
        surface.setForeColour(printed ? kJumpLinkOnPaper : kJumpLinkColour);
        surface.setDrawStyle(LineStyle::Solid);
        surface.setDrawWidth(1);
        for (std::size_t i = 0; i < worlds.size(); ++i) {
            for (std::size_t j = i + 1; j < worlds.size(); ++j) {
                const auto [c1, r1] = worlds[i];
                const auto [c2, r2] = worlds[j];
                if (hexDistance(c1, r1, c2, r2) > links.jump) continue;
                const MapPoint a = place.centre(c1, r1);
                const MapPoint b = place.centre(c2, r2);
                surface.line(a.x, a.y, b.x, b.y);
            }
        }
    }
    for (const Route& route : links.routes) drawRoute(route, surface, place);
    surface.setDrawStyle(LineStyle::Solid);
    surface.setDrawWidth(1);
    surface.setForeColour(savedFore);
}

// The subsector's letter, large, and its name under it, in a faint colour in the middle of its area.
void drawSubsectorLabel(const Sector& sector, int index, Surface& surface, const SectorMapOptions& options,
                        MapPoint origin) {
    const double k = options.k;
    const int firstColumn = (index % 4) * 8 + 1;
    const int firstRow = (index / 4) * 10 + 1;
    const MapPoint topLeft = sectorHexAnchor(firstColumn, firstRow, k, origin);
    const double middleX = topLeft.x + 2.5 * k + 9 * k * 3.5;
    const double middleY = topLeft.y + 50 * k;
    surface.setForeColour(options.printed ? kFaintOnPaper : kFaintOnScreen);
    surface.setFont({kTitleFont, kLetterSize, true, false});
    const std::string letter(1, static_cast<char>('A' + index));
    surface.setPen(middleX - surface.textWidth(letter) / 2, middleY - surface.lineHeight() / 2);
    surface.print(letter);
    const std::string name(trimBlanks(sector.subsectorNames[static_cast<std::size_t>(index)]));
    if (name.empty()) return;
    surface.setFont({kTitleFont, kSubsectorNameSize, false, false});
    surface.setPen(middleX - surface.textWidth(name) / 2, surface.currentY());
    surface.print(name);
}

// The edges between hexes of different subsectors, and the sector's outer edge, each once.
void drawSubsectorBorders(Surface& surface, const SectorMapOptions& options, MapPoint origin, Rgb colour) {
    const double k = options.k;
    surface.setForeColour(colour);
    surface.setDrawStyle(LineStyle::Solid);
    surface.setDrawWidth(kSubsectorBorderWidth);
    for (int c = 1; c <= kSectorColumns; ++c) {
        for (int r = 1; r <= kSectorRows; ++r) {
            const auto corners = hexOutline(sectorHexAnchor(c, r, k, origin), k);
            const auto across = neighbours(c, r);
            for (std::size_t edge = 0; edge < across.size(); ++edge) {
                const auto [nc, nr] = across[edge];
                const bool outer = !inSector(nc, nr);
                const bool between =
                    !outer && subsectorIndexOf(nc, nr) != subsectorIndexOf(c, r) && std::pair(c, r) < std::pair(nc, nr);
                if (!outer && !between) continue;
                surface.line(corners[edge].x, corners[edge].y, corners[edge + 1].x, corners[edge + 1].y);
            }
        }
    }
    surface.setDrawWidth(1);
}

}  // namespace

MapBox sectorHexArea(double k, MapPoint origin) {
    return {origin.x - 4 * k, origin.y, origin.x + 9 * k * kSectorColumns, origin.y + 10 * k * kSectorRows + 5 * k};
}

void drawRouteLine(const Route& route, Surface& surface, MapPoint a, MapPoint b, bool clearStart, bool clearEnd,
                   const MapBox& clip, double k) {
    const double clearance = kRouteClearance * k;
    if (std::hypot(b.x - a.x, b.y - a.y) <= 2 * clearance) return;  // the same or touching hexes: no room
    const MapPoint start = a;
    if (clearStart) a = towards(a, b, clearance);
    if (clearEnd) b = towards(b, start, clearance);
    if (!clipToBox(a, b, clip)) return;
    surface.setForeColour(route.colour);
    surface.setDrawStyle(route.style);
    surface.setDrawWidth(static_cast<int>(std::lround(route.width)));
    surface.line(a.x, a.y, b.x, b.y);
}

void drawSubsectorLabels(const Sector& sector, Surface& surface, const SectorMapOptions& options, MapPoint origin) {
    for (int index = 0; index < kSubsectorCount; ++index) drawSubsectorLabel(sector, index, surface, options, origin);
}

void drawSectorHexes(const Sector& sector, Surface& surface, const SectorMapOptions& options, MapPoint origin) {
    const double k = options.k;
    const Rgb foreground = surface.foreColour();
    surface.setFont({kMapFont, kMapFontSize, false, false});
    const HexStyle style{options.printed, true};
    SubsectorStore store;
    for (int index = 0; index < kSubsectorCount; ++index) {
        sectorToStore(sector, index, store);
        const int offset = letterOffset(store.subsectorLetter).value_or(0);
        const MapPoint first = sectorHexAnchor((index % 4) * 8 + 1, (index / 4) * 10 + 1, k, origin);
        walkHexes(k, first, [&](int slot, MapPoint anchor) {
            drawHexContents(store, surface, slot, anchor, k, offset, style);
            drawHexOutline(surface, anchor, k);
        });
    }
    drawSubsectorBorders(surface, options, origin, foreground);
}

MapSize sectorMapSize(double k) {
    const Box area = hexArea(k, kSectorMapOrigin);
    return {area.right + kFrameGap + area.left - kFrameGap, area.bottom + kFrameGap + kFrameGap};
}

int hexDistance(int column1, int row1, int column2, int row2) {
    // Cube coordinates of the grid whose even columns sit lower.
    const auto cube = [](int c, int r) {
        const int x = c - 1;
        const int z = r - (x - (x & 1)) / 2;
        return std::array<int, 3>{x, -x - z, z};
    };
    const auto a = cube(column1, row1);
    const auto b = cube(column2, row2);
    return std::max({std::abs(a[0] - b[0]), std::abs(a[1] - b[1]), std::abs(a[2] - b[2])});
}

MapPoint sectorHexAnchor(int column, int row, double k, MapPoint origin) {
    return {origin.x + 9 * k * (column - 1), origin.y + 10 * k * (row - 1) + (evenColumn(column) ? 5 * k : 0)};
}

Rgb beginMapPage(Surface& surface, bool printed) {
    const Rgb foreground = printed ? colours::kBlack : surface.foreColour();
    if (printed) {
        surface.setBackColour(colours::kWhite);
        surface.setForeColour(colours::kBlack);
    }
    surface.setUnit(SurfaceUnit::Millimetres);
    surface.cls();
    surface.setFillStyle(FillStyle::Transparent);
    return foreground;
}

void drawSectorMap(const Sector& sector, Surface& surface, const SectorMapOptions& options) {
    const double k = options.k;
    const MapPoint origin = kSectorMapOrigin;
    const Rgb foreground = beginMapPage(surface, options.printed);

    drawSubsectorLabels(sector, surface, options, origin);

    surface.setForeColour(foreground);
    surface.setFont({kTitleFont, kTitleSize, true, false});
    surface.setPen(origin.x - 4 * k, 0);
    surface.print(trimBlanks(sector.name));

    // Charted space's hex (0, 0) lies where this sector's place in it says.
    const SpacePlace place{
        {origin.x - 9 * k * kSectorColumns * options.sectorX, origin.y - 10 * k * kSectorRows * options.sectorY},
        k,
        options.printed,
        std::nullopt,
        std::nullopt};
    if (options.overlay) drawSpaceRegions(*options.overlay, surface, place);

    if (!options.empty()) {
        std::vector<std::pair<int, int>> hexes;
        for (const SectorWorld& w : sector.worlds) {
            if (inSector(w.column, w.row)) hexes.emplace_back(w.column, w.row);
        }
        const LinkPlace place{[&](int c, int r) { return centreOf(c, r, k, origin); }, hexArea(k, origin), k};
        MapLinks own{options.jump, {}};
        for (const Route& route : options.routes) {
            if (route.sector.empty() || trimBlanks(route.sector) == trimBlanks(sector.name))
                own.routes.push_back(route);
        }
        drawLinks(hexes, surface, own, place, options.printed);
    }

    drawSectorHexes(sector, surface, options, origin);
    if (options.overlay) drawSpaceBorders(*options.overlay, surface, place);
    const Box area = hexArea(k, origin);
    surface.setFillStyle(FillStyle::Transparent);
    surface.box(area.left - kFrameGap, area.top - kFrameGap, area.right + kFrameGap, area.bottom + kFrameGap);
}

namespace {

// The box round the hexes of the subsector map.
MapBox subsectorHexArea() {
    const double k = kScreenHexScale;
    const MapPoint last = hexAnchor(kMapColumns, kMapRows, k);
    return {kScreenMapOrigin.x - 4 * k, kScreenMapOrigin.y, last.x + 9 * k, last.y + 10 * k};
}

// Where charted space lies on the subsector map of the store's subsector, cut to its hexes.
std::optional<SpacePlace> subsectorPlace(const SubsectorStore& store, const MapLinks& links) {
    const auto offset = letterOffset(store.subsectorLetter);
    if (!offset || !links.overlay) return std::nullopt;
    const double k = kScreenHexScale;
    const int firstColumn = *offset / 100 + links.sectorX * kSectorColumns;  // of charted space, less one
    const int firstRow = *offset % 100 + links.sectorY * kSectorRows;
    SpacePlace place{
        {kScreenMapOrigin.x - 9 * k * firstColumn, kScreenMapOrigin.y - 10 * k * firstRow}, k, false, {}, {}};
    place.clip = subsectorHexArea();
    return place;
}

}  // namespace

void drawSubsectorBorders(const SubsectorStore& store, Surface& surface, const MapLinks& links) {
    if (const auto place = subsectorPlace(store, links)) drawSpaceBorders(*links.overlay, surface, *place);
}

void drawSubsectorLinks(const SubsectorStore& store, Surface& surface, const MapLinks& links) {
    if (const auto place = subsectorPlace(store, links)) drawSpaceRegions(*links.overlay, surface, *place);
    const auto offset = letterOffset(store.subsectorLetter);
    if (!offset || links.empty()) return;
    const int firstColumn = *offset / 100;  // of the sector, less one
    const int firstRow = *offset % 100;
    const double k = kScreenHexScale;
    std::vector<std::pair<int, int>> hexes;
    for (int slot = 1; slot <= kHexCount; ++slot) {
        const WorldRecord& w = store.worlds[static_cast<std::size_t>(slot)];
        if (w.occupied()) hexes.emplace_back(firstColumn + w.location / 100, firstRow + w.location % 100);
    }
    MapLinks own{links.jump, {}};
    const auto inSubsector = [&](const RouteEnd& end) {
        return end.insideSector() && subsectorIndexOf(end.column, end.row) == store.subsectorLetter.front() - 'A';
    };
    for (const Route& route : links.routes) {
        if (inSubsector(route.start) && inSubsector(route.end)) own.routes.push_back(route);
    }
    const LinkPlace place{[&](int c, int r) { return hexCentre(hexAnchor(c - firstColumn, r - firstRow, k), k); },
                          subsectorHexArea(), k};
    drawLinks(hexes, surface, own, place, false);
}

std::string sectorLocationAt(MapPoint point, double k, MapPoint origin) {
    const int guess = static_cast<int>(std::lround((point.x - origin.x - 2.5 * k) / (9 * k))) + 1;
    for (int c = guess - 1; c <= guess + 1; ++c) {
        const double drop = evenColumn(c) ? 5 * k : 0;
        const int rowGuess = static_cast<int>(std::lround((point.y - origin.y - drop - 5 * k) / (10 * k))) + 1;
        for (int r = rowGuess - 1; r <= rowGuess + 1; ++r) {
            if (!inSector(c, r)) continue;
            // Inside when the point is on the inner side of all six edges (the outline runs anticlockwise on
            // the screen, whose y grows downwards).
            const auto corners = hexOutline(sectorHexAnchor(c, r, k, origin), k);
            bool inside = true;
            for (std::size_t i = 0; i + 1 < corners.size() && inside; ++i) {
                const double cross = (corners[i + 1].x - corners[i].x) * (point.y - corners[i].y) -
                                     (corners[i + 1].y - corners[i].y) * (point.x - corners[i].x);
                inside = cross <= 0;
            }
            if (inside) return formatFourDigits(c * 100 + r);
        }
    }
    return {};
}

}  // namespace qelvar
