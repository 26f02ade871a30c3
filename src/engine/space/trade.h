#pragma once
// Trade across charted space. Every two worlds that trade (both outside red and forbidden zones, neither
// barren, their bilateral trade number at least the minimum, within the range of the larger trade number)
// are routed in falling trade number order over the jump links, each along the cheapest path on the links'
// weights at that moment; the pair's trade is added to every link of the path and to both worlds, and the
// links used get lighter, so that later pairs prefer the lanes already in use.
//
//     const TradeRun run = runTrade(spaceWorldsOf(space), {.jump = 4, .minBtn = 13, .reuse = 10});
//     for (std::size_t l = 0; l < run.graph.links.size(); ++l) draw(run.graph.links[l], run.linkTrade[l]);

#include <vector>

#include "space/jump_graph.h"
#include "space/space_worlds.h"
#include "space/trade_rules.h"

namespace qelvar {

struct TradeOptions {
    int jump = 4;
    int minBtn = 13;
    int reuse = 10;
};

struct TradePair {
    int a = 0;  // a < b, indices into the worlds
    int b = 0;
    int btn = 0;
    double cost = 0;    // of its path when it was found
    int firstStop = 0;  // its path in TradeRun::stops, from a to b; no stops when no path joins the two
    int stopCount = 0;
    bool routed() const { return stopCount > 0; }
};

struct WorldTrade {
    int wtn = 0;
    Credits own = 0;      // the trade of the pairs it is one of
    Credits through = 0;  // the trade of the pairs whose path passes through it
};

struct TradeRun {
    JumpGraph graph;
    std::vector<double> weights;     // per link, at the end
    std::vector<Credits> linkTrade;  // per link
    std::vector<WorldTrade> worlds;
    std::vector<TradePair> pairs;  // in the order they were routed
    std::vector<int> stops;
    int routed = 0;
    Credits total = 0;  // of the routed pairs
};

// What each world brings to trade.
std::vector<TradeFacts> tradeFactsOf(const std::vector<SpaceWorld>& worlds);

// The pairs that trade, in the order they are routed: falling trade number, then by the first world, then
// by the second.
std::vector<TradePair> tradingPairs(const std::vector<SpaceWorld>& worlds, const std::vector<TradeFacts>& facts,
                                    int minBtn);

// The starting weight of every link of the graph.
std::vector<double> startingWeights(const std::vector<SpaceWorld>& worlds, const JumpGraph& graph);

// The jump graph of trade: links between worlds outside red and forbidden zones.
JumpGraph tradeGraph(const std::vector<SpaceWorld>& worlds, const std::vector<SpaceHex>& hexes, int jump);

TradeRun runTrade(const std::vector<SpaceWorld>& worlds, const TradeOptions& options);

}  // namespace qelvar
