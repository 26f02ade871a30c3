#include "space/trade.h"

#include <algorithm>
#include <array>

namespace qelvar {

namespace {

// How many pairs are routed between two looks for links that others beat.
constexpr int kLeaveOutEvery = 2000;

std::array<char, 2> firstTwo(const std::string& allegiance) {
    return {allegiance.size() > 0 ? allegiance[0] : ' ', allegiance.size() > 1 ? allegiance[1] : ' '};
}

bool trades(const SpaceWorld& world) {
    return !world.barred() && world.profile.population > 0 && !hasRemark(world.remarks, "Ba");
}

std::vector<SpaceHex> hexesOf(const std::vector<SpaceWorld>& worlds) {
    std::vector<SpaceHex> hexes;
    hexes.reserve(worlds.size());
    for (const SpaceWorld& w : worlds) hexes.push_back(w.hex);
    return hexes;
}

}  // namespace

std::vector<TradeFacts> tradeFactsOf(const std::vector<SpaceWorld>& worlds) {
    std::vector<TradeFacts> facts;
    facts.reserve(worlds.size());
    for (const SpaceWorld& w : worlds) {
        facts.push_back({worldTradeNumber(w.profile.starport, w.profile.population, w.profile.tech),
                         firstTwo(w.allegiance), tradeCodesOf(w.remarks)});
    }
    return facts;
}

std::vector<TradePair> tradingPairs(const std::vector<SpaceWorld>& worlds, const std::vector<TradeFacts>& facts,
                                    int minBtn) {
    // A pair's number is never above twice the smaller trade number and one: worlds below that never trade.
    std::vector<SpaceHex> hexes;
    std::vector<int> index;
    for (std::size_t i = 0; i < worlds.size(); ++i) {
        if (trades(worlds[i]) && 2 * facts[i].wtn + 1 >= minBtn) {
            hexes.push_back(worlds[i].hex);
            index.push_back(static_cast<int>(i));
        }
    }
    const HexGrid grid(hexes, 16);
    std::vector<TradePair> pairs;
    for (std::size_t k = 0; k < hexes.size(); ++k) {
        const int i = index[k];
        const TradeFacts& mine = facts[static_cast<std::size_t>(i)];
        // Each pair is found once, from the world with the larger trade number (the earlier one on a tie).
        grid.forEachNear(hexes[k], tradeRange(mine.wtn), [&](int other) {
            const int j = index[static_cast<std::size_t>(other)];
            const TradeFacts& theirs = facts[static_cast<std::size_t>(j)];
            if (theirs.wtn > mine.wtn || (theirs.wtn == mine.wtn && j <= i)) return;
            const int btn =
                bilateralTradeNumber(mine, theirs, spaceDistance(hexes[k], hexes[static_cast<std::size_t>(other)]));
            if (btn >= minBtn) pairs.push_back({std::min(i, j), std::max(i, j), btn});
        });
    }
    std::sort(pairs.begin(), pairs.end(), [](const TradePair& x, const TradePair& y) {
        return std::tuple(-x.btn, x.a, x.b) < std::tuple(-y.btn, y.a, y.b);
    });
    return pairs;
}

std::vector<double> startingWeights(const std::vector<SpaceWorld>& worlds, const JumpGraph& graph) {
    std::vector<double> weights;
    weights.reserve(graph.links.size());
    const auto end = [&](int i) {
        const SpaceWorld& w = worlds[static_cast<std::size_t>(i)];
        return LinkEndFacts{w.profile.starport, firstTwo(w.allegiance), w.importance};
    };
    for (const JumpLink& link : graph.links) weights.push_back(linkWeight(end(link.a), end(link.b), link.length));
    return weights;
}

JumpGraph tradeGraph(const std::vector<SpaceWorld>& worlds, const std::vector<SpaceHex>& hexes, int jump) {
    std::vector<char> usable;
    usable.reserve(worlds.size());
    for (const SpaceWorld& w : worlds) usable.push_back(!w.barred());
    return buildJumpGraph(hexes, usable, jump);
}

TradeRun runTrade(const std::vector<SpaceWorld>& worlds, const TradeOptions& options) {
    const std::vector<SpaceHex> hexes = hexesOf(worlds);
    const std::vector<TradeFacts> facts = tradeFactsOf(worlds);
    TradeRun run;
    run.graph = tradeGraph(worlds, hexes, options.jump);
    run.weights = startingWeights(worlds, run.graph);
    run.linkTrade.assign(run.graph.links.size(), 0);
    run.worlds.resize(worlds.size());
    for (std::size_t i = 0; i < worlds.size(); ++i) run.worlds[i].wtn = facts[i].wtn;
    run.pairs = tradingPairs(worlds, facts, options.minBtn);

    CheapestPaths finder(run.graph, hexes, run.weights);
    finder.leaveOutBeatenLinks();
    std::vector<int> path;
    std::vector<int> pathLinks;
    int sinceLeftOut = 0;
    for (TradePair& pair : run.pairs) {
        const auto cost = finder.find(pair.a, pair.b, path, pathLinks);
        if (!cost) continue;
        if (++sinceLeftOut == kLeaveOutEvery) {
            finder.leaveOutBeatenLinks();
            sinceLeftOut = 0;
        }
        pair.cost = *cost;
        pair.firstStop = static_cast<int>(run.stops.size());
        pair.stopCount = static_cast<int>(path.size());
        run.stops.insert(run.stops.end(), path.begin(), path.end());
        const Credits value = tradeValue(pair.btn);
        ++run.routed;
        run.total += value;
        run.worlds[static_cast<std::size_t>(pair.a)].own += value;
        run.worlds[static_cast<std::size_t>(pair.b)].own += value;
        for (std::size_t s = 1; s + 1 < path.size(); ++s)
            run.worlds[static_cast<std::size_t>(path[s])].through += value;
        for (const int l : pathLinks) {
            const auto link = static_cast<std::size_t>(l);
            run.linkTrade[link] += value;
            run.weights[link] = lightenedWeight(run.weights[link], run.graph.links[link].length, options.reuse);
            finder.setWeight(l, run.weights[link]);
        }
    }
    return run;
}

}  // namespace qelvar
