#pragma once
// Trade as routes a map draws: every link whose trade reaches a class, in the colour and width of its class,
// once in each sector it touches, and the routes file that holds them:
//
//   <Routes>
//     <Route Sector="Core" Start="0302" End="0101" EndOffsetX="1" Type="Main" Color="#2890f0" Width="5"/>
//   </Routes>

#include <string>
#include <vector>

#include "map/routes.h"
#include "space/trade.h"

namespace qelvar {

Rgb tradeClassColour(TradeClass tradeClass);
double tradeClassWidth(TradeClass tradeClass);

struct SectorRoute {
    int sector = 0;  // index into charted space; the route's start lies in it
    Route route;
    bool mirror = false;  // the same link again, for the sector of its far end
};

// The drawn links of a run, by link, in each sector they touch (the link's first world's sector first).
std::vector<SectorRoute> tradeRoutesOf(const std::vector<SpaceWorld>& worlds, const TradeRun& run);

// The trade routes of one sector by itself (its neighbours unknown) with the run's options, the lesser classes
// first so that the greater ones are drawn over them.
std::vector<Route> sectorTradeRoutes(const Sector& sector, const TradeOptions& options = {});

// Charted space with its trade routes among each sector's routes, each link once and the lesser classes first,
// then the metadata's own routes when kept (for a map of many sectors).
ChartedSpace withTradeRoutes(ChartedSpace space, bool keepOwnRoutes, const TradeOptions& options = {});

// The routes file, each route named by its sector's name.
std::string formatTradeRoutes(const ChartedSpace& space, const std::vector<SectorRoute>& routes);

}  // namespace qelvar
