#include "map/atlas_map.h"

#include <algorithm>
#include <cmath>

#include "map/map_drawing.h"
#include "store/text.h"

namespace qelvar {

namespace {

constexpr double kMargin = 14;  // millimetres round the block, room for the sectors' names
constexpr double kNameSize = 16;
constexpr Rgb kJumpLinkOnPaper{150, 150, 150};

bool overlaps(const MapBox& a, const std::optional<MapBox>& visible) {
    if (!visible) return true;
    return a.right >= visible->left && a.left <= visible->right && a.bottom >= visible->top && a.top <= visible->bottom;
}

MapBox grown(MapBox box, double by) { return {box.left - by, box.top - by, box.right + by, box.bottom + by}; }

SpacePlace spacePlace(const AtlasArea& area, const AtlasOptions& options) {
    const MapPoint first = atlasSectorOrigin(area, 0, 0, options.k);
    return {first, options.k, options.printed, std::nullopt, std::nullopt};
}

MapPoint centreOf(SpaceHex hex, const SpacePlace& place) { return hexCentre(spaceHexAnchor(hex, place), place.k); }

// Jump links between every two worlds at most `jump` hexes apart, within a sector and across its edges.
void drawJumpLinks(const ChartedSpace& space, const AtlasArea& area, Surface& surface, const AtlasOptions& options,
                   const SpacePlace& place) {
    surface.setForeColour(options.printed ? kJumpLinkOnPaper : kJumpLinkColour);
    surface.setDrawStyle(LineStyle::Solid);
    surface.setDrawWidth(1);
    const auto hexesOf = [&](const PlacedSector& placed) {
        std::vector<SpaceHex> hexes;
        for (const SectorWorld& w : placed.sector.worlds) {
            if (w.column >= 1 && w.column <= kSectorColumns && w.row >= 1 && w.row <= kSectorRows)
                hexes.push_back(spaceHexOf(placed.x, placed.y, w.column, w.row));
        }
        return hexes;
    };
    for (const PlacedSector& placed : space.sectors) {
        if (placed.x < area.left || placed.x > area.right || placed.y < area.top || placed.y > area.bottom) continue;
        const MapBox box = grown(sectorHexArea(options.k, atlasSectorOrigin(area, placed.x, placed.y, options.k)),
                                 9 * options.k * kMaxJump);
        if (!overlaps(box, options.visible)) continue;
        const std::vector<SpaceHex> own = hexesOf(placed);
        // This sector's pairs, then those with the sectors after it (right, and the row below).
        std::vector<std::vector<SpaceHex>> others{own};
        for (const auto& [dx, dy] : {std::pair{1, 0}, {-1, 1}, {0, 1}, {1, 1}}) {
            const PlacedSector* next = space.sectorAt(placed.x + dx, placed.y + dy);
            const int nx = placed.x + dx;
            const int ny = placed.y + dy;
            if (next && nx >= area.left && nx <= area.right && ny >= area.top && ny <= area.bottom)
                others.push_back(hexesOf(*next));
        }
        for (std::size_t group = 0; group < others.size(); ++group) {
            for (std::size_t i = 0; i < own.size(); ++i) {
                for (std::size_t j = group == 0 ? i + 1 : 0; j < others[group].size(); ++j) {
                    if (spaceDistance(own[i], others[group][j]) > options.jump) continue;
                    const MapPoint a = centreOf(own[i], place);
                    const MapPoint b = centreOf(others[group][j], place);
                    surface.line(a.x, a.y, b.x, b.y);
                }
            }
        }
    }
}

// A route end as a hex of charted space, and whether a loaded sector of the block holds it.
SpaceHex routeHex(const PlacedSector& placed, const RouteEnd& end) {
    return spaceHexOf(placed.x + end.sectorX, placed.y + end.sectorY, end.column, end.row);
}

void drawRoutes(const ChartedSpace& space, const AtlasArea& area, Surface& surface, const AtlasOptions& options,
                const SpacePlace& place) {
    const MapBox whole{atlasSectorOrigin(area, area.left, area.top, options.k).x - 4 * options.k,
                       atlasSectorOrigin(area, area.left, area.top, options.k).y,
                       sectorHexArea(options.k, atlasSectorOrigin(area, area.right, area.bottom, options.k)).right,
                       sectorHexArea(options.k, atlasSectorOrigin(area, area.right, area.bottom, options.k)).bottom};
    const auto shown = [&](SpaceHex hex) {
        const int x = sectorXOf(hex);
        const int y = sectorYOf(hex);
        return x >= area.left && x <= area.right && y >= area.top && y <= area.bottom && space.sectorAt(x, y);
    };
    for (const PlacedSector& placed : space.sectors) {
        if (placed.x < area.left || placed.x > area.right || placed.y < area.top || placed.y > area.bottom) continue;
        const MapBox own = sectorHexArea(options.k, atlasSectorOrigin(area, placed.x, placed.y, options.k));
        if (!overlaps(grown(own, 40 * options.k), options.visible)) continue;
        for (const Route& route : placed.metadata.routes) {
            const SpaceHex start = routeHex(placed, route.start);
            const SpaceHex end = routeHex(placed, route.end);
            const bool startShown = shown(start);
            const bool endShown = shown(end);
            drawRouteLine(route, surface, centreOf(start, place), centreOf(end, place), startShown, endShown,
                          startShown && endShown ? whole : own, options.k);
        }
    }
    surface.setDrawStyle(LineStyle::Solid);
    surface.setDrawWidth(1);
}

void drawSectorName(const PlacedSector& placed, const AtlasArea& area, Surface& surface, const AtlasOptions& options,
                    Rgb colour) {
    const MapBox box = sectorHexArea(options.k, atlasSectorOrigin(area, placed.x, placed.y, options.k));
    surface.setForeColour(colour);
    surface.setFont({kTitleFont, kNameSize, true, false});
    const std::string name(trimBlanks(placed.sector.name));
    const double x = (box.left + box.right) / 2 - surface.textWidth(name) / 2;
    double y = box.top + 1;
    if (placed.y == area.top) {
        y = box.top - surface.lineHeight() - 1;
    } else if (placed.y == area.bottom) {
        y = box.bottom + 1;
    }
    surface.setPen(x, y);
    surface.print(name, false);
}

// A sector at a small scale: its frame and a dot for each world.
void drawSparseSector(const PlacedSector& placed, Surface& surface, const AtlasOptions& options, MapPoint origin,
                      Rgb foreground) {
    const MapBox box = sectorHexArea(options.k, origin);
    surface.setForeColour(foreground);
    surface.setFillStyle(FillStyle::Transparent);
    surface.setDrawWidth(kSubsectorBorderWidth);
    surface.box(box.left, box.top, box.right, box.bottom);
    surface.setDrawWidth(1);
    surface.setFillStyle(FillStyle::Solid);
    surface.setFillColour(options.printed ? colours::kBlack : colours::kBlue);
    for (const SectorWorld& world : placed.sector.worlds) {
        const MapPoint centre = hexCentre(sectorHexAnchor(world.column, world.row, options.k, origin), options.k);
        surface.circle(centre.x, centre.y, 2 * options.k);
    }
    surface.setFillStyle(FillStyle::Transparent);
}

}  // namespace

AtlasArea atlasAreaOf(const ChartedSpace& space) {
    if (space.sectors.empty()) return {};
    AtlasArea area{space.sectors[0].x, space.sectors[0].y, space.sectors[0].x, space.sectors[0].y};
    for (const PlacedSector& placed : space.sectors) {
        area.left = std::min(area.left, placed.x);
        area.right = std::max(area.right, placed.x);
        area.top = std::min(area.top, placed.y);
        area.bottom = std::max(area.bottom, placed.y);
    }
    return area;
}

Result<AtlasArea> atlasAreaNamed(const ChartedSpace& space, const std::vector<std::string>& names) {
    ChartedSpace chosen;
    for (const std::string& name : names) {
        const PlacedSector* placed = space.sectorNamed(name);
        if (!placed) return fail("No sector named \"" + name + "\" was loaded");
        chosen.sectors.push_back({{}, placed->x, placed->y, {}, {}});
    }
    return atlasAreaOf(chosen);
}

MapSize atlasMapSize(const AtlasArea& area, double k) {
    const MapBox last = sectorHexArea(k, atlasSectorOrigin(area, area.right, area.bottom, k));
    return {last.right + kMargin, last.bottom + kMargin};
}

MapPoint atlasSectorOrigin(const AtlasArea& area, int x, int y, double k) {
    return {kMargin + 4 * k + 9 * k * kSectorColumns * (x - area.left),
            kMargin + 10 * k * kSectorRows * (y - area.top)};
}

void drawAtlasMap(const ChartedSpace& space, const AtlasArea& area, Surface& surface, const AtlasOptions& options) {
    const Rgb foreground = beginMapPage(surface, options.printed);
    SectorMapOptions sectorOptions;
    sectorOptions.k = options.k;
    sectorOptions.printed = options.printed;
    std::vector<const PlacedSector*> shown;
    for (const PlacedSector& placed : space.sectors) {
        if (placed.x < area.left || placed.x > area.right || placed.y < area.top || placed.y > area.bottom) continue;
        const MapPoint origin = atlasSectorOrigin(area, placed.x, placed.y, options.k);
        if (overlaps(grown(sectorHexArea(options.k, origin), kMargin), options.visible)) shown.push_back(&placed);
    }
    for (const PlacedSector* placed : shown) {
        if (options.sparse) continue;
        drawSubsectorLabels(placed->sector, surface, sectorOptions,
                            atlasSectorOrigin(area, placed->x, placed->y, options.k));
    }

    SpacePlace place = spacePlace(area, options);
    if (options.visible)
        place.visible =
            std::array{options.visible->left, options.visible->top, options.visible->right, options.visible->bottom};
    if (options.overlay) drawSpaceRegions(*options.overlay, surface, place);
    const Rgb savedFore = foreground;
    if (options.jump > 0) drawJumpLinks(space, area, surface, options, place);
    if (options.routes) drawRoutes(space, area, surface, options, place);
    surface.setForeColour(savedFore);

    for (const PlacedSector* placed : shown) {
        surface.setForeColour(foreground);
        if (options.sparse) {
            drawSparseSector(*placed, surface, options, atlasSectorOrigin(area, placed->x, placed->y, options.k),
                             foreground);
            continue;
        }
        drawSectorHexes(placed->sector, surface, sectorOptions,
                        atlasSectorOrigin(area, placed->x, placed->y, options.k));
    }
    if (options.overlay) drawSpaceBorders(*options.overlay, surface, place);
    for (const PlacedSector* placed : shown) drawSectorName(*placed, area, surface, options, foreground);
    surface.setForeColour(foreground);
}

std::optional<SpaceHex> atlasHexAt(MapPoint point, const AtlasArea& area, double k) {
    const MapPoint first = atlasSectorOrigin(area, area.left, area.top, k);
    const int column = static_cast<int>(std::floor((point.x - first.x + 4 * k) / (9 * k * kSectorColumns)));
    const int row = static_cast<int>(std::floor((point.y - first.y) / (10 * k * kSectorRows)));
    for (const int dx : {0, -1, 1}) {
        for (const int dy : {0, -1, 1}) {
            const int x = area.left + column + dx;
            const int y = area.top + row + dy;
            if (x < area.left || x > area.right || y < area.top || y > area.bottom) continue;
            const std::string hex = sectorLocationAt(point, k, atlasSectorOrigin(area, x, y, k));
            if (hex.size() == 4) return spaceHexOf(x, y, std::stoi(hex.substr(0, 2)), std::stoi(hex.substr(2, 2)));
        }
    }
    return std::nullopt;
}

}  // namespace qelvar
