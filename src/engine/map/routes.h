#pragma once
// Routes between the worlds of a sector, as a sector's metadata file lists them:
//
//   <Sector> ... <Routes>
//     <Route Start="0101" End="0303" Type="Trade" Style="Solid|Dashed|Dotted" Color="#rrggbb or a name" Width="2"
//            StartOffsetX="-1" StartOffsetY="0" EndOffsetX="0" EndOffsetY="1"/>
//   </Routes></Sector>
//
// The root may also be <Routes> itself. A route with a Sector attribute belongs to the map of the sector of that
// name (a routes file of many sectors), one without to any map. A hex is in sector numbering (column * 100 + row); an
// end at a hex outside 0101-3240 or with an offset naming a neighbouring sector lies beyond the map.

#include <string>
#include <string_view>
#include <vector>

#include "seams/surface.h"
#include "store/notice.h"
#include "store/result.h"

namespace qelvar {

inline constexpr Rgb kDefaultRouteColour{128, 128, 128};

struct RouteEnd {
    int column = 0;   // sector column; outside 1..32 beyond the map
    int row = 0;      // sector row; outside 1..40 beyond the map
    int sectorX = 0;  // -1, 0 or 1: the sector to the left, this one, the one to the right
    int sectorY = 0;  // -1, 0 or 1: the sector above, this one, the one below
    bool insideSector() const;
    bool operator==(const RouteEnd&) const = default;
};

struct Route {
    RouteEnd start;
    RouteEnd end;
    std::string type;
    LineStyle style = LineStyle::Solid;
    Rgb colour = kDefaultRouteColour;
    double width = 1;    // times the default line width
    std::string sector;  // the name of the sector it belongs to, as Windows-1252 bytes; empty: any
    bool operator==(const Route&) const = default;
};

struct SpaceOverlay;

// What a map may draw under its worlds: jump links between every two worlds at most `jump` hexes apart
// (none for 0), and routes; and over and under them the borders, regions and labels of charted space, in
// which the map's sector lies at (sectorX, sectorY).
struct MapLinks {
    int jump = 0;
    std::vector<Route> routes;
    const SpaceOverlay* overlay = nullptr;
    int sectorX = 0;
    int sectorY = 0;
    bool empty() const { return jump <= 0 && routes.empty(); }
};

// The routes of a metadata file. A route without a readable Start or End, or with an unknown style, colour
// or width, is left out with a notice naming it; a file that is no XML at all fails.
[[nodiscard]] Result<WithNotices<std::vector<Route>>> readRoutes(std::string_view xmlBytes);

// The same, read from a file.
[[nodiscard]] Result<WithNotices<std::vector<Route>>> readRoutesFile(const std::string& path);

}  // namespace qelvar
