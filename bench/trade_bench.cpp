// Trade across charted space on a made-up map: path finder searches a second, and whole runs.
#include <benchmark/benchmark.h>

#include <random>

#include "space/trade.h"

namespace {

// Sectors side by side, `across` by `down`, each hex holding a world at `percent` per cent, their profiles
// drawn from a fixed seed: busy worlds among many small ones, as published sectors have them.
std::vector<qelvar::SpaceWorld> madeUpSpace(int across, int down, int percent) {
    std::mt19937 random(2024);
    const auto roll = [&](int sides) { return static_cast<int>(random() % static_cast<unsigned>(sides)); };
    const char* ports = "AABBCCCDDEEX";
    const char* allegiances[] = {"ImDd", "ImDd", "ImDd", "ZhCo", "NaHu"};
    std::vector<qelvar::SpaceWorld> worlds;
    for (int x = 0; x < across * qelvar::kSectorColumns; ++x) {
        for (int y = 0; y < down * qelvar::kSectorRows; ++y) {
            if (roll(100) >= percent) continue;
            qelvar::SpaceWorld w;
            w.hex = {x, y};
            w.column = x % qelvar::kSectorColumns + 1;
            w.row = y % qelvar::kSectorRows + 1;
            w.profile.starport = ports[roll(12)];
            w.profile.population = roll(6) + roll(6);
            w.profile.tech = roll(6) + roll(10);
            w.profile.hydrographics = roll(11);
            w.allegiance = allegiances[roll(5)];
            w.remarks = roll(4) == 0 ? "Ag" : roll(4) == 0 ? "In" : roll(3) == 0 ? "Ni Na" : "";
            w.zone = roll(40) == 0 ? 'R' : ' ';
            w.importance = roll(5) - 2;
            worlds.push_back(std::move(w));
        }
    }
    return worlds;
}

void BM_CheapestPathSearches(benchmark::State& state) {
    const auto worlds = madeUpSpace(2, 2, 45);
    std::vector<qelvar::SpaceHex> hexes;
    for (const auto& w : worlds) hexes.push_back(w.hex);
    const qelvar::JumpGraph graph = qelvar::tradeGraph(worlds, hexes, 4);
    const auto pairs = qelvar::tradingPairs(worlds, qelvar::tradeFactsOf(worlds), 13);
    std::vector<double> weights = qelvar::startingWeights(worlds, graph);
    qelvar::CheapestPaths finder(graph, hexes, weights);
    finder.leaveOutBeatenLinks();
    std::vector<int> path, links;
    std::size_t next = 0;
    double settled = 0;
    for (auto _ : state) {
        const qelvar::TradePair& pair = pairs[next++ % pairs.size()];
        benchmark::DoNotOptimize(finder.find(pair.a, pair.b, path, links));
        settled += finder.lastSettled();
        for (const int l : links) {
            const auto link = static_cast<std::size_t>(l);
            weights[link] = qelvar::lightenedWeight(weights[link], graph.links[link].length, 10);
            finder.setWeight(l, weights[link]);
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["worlds"] = static_cast<double>(worlds.size());
    state.counters["settled"] = settled / static_cast<double>(state.iterations());
    state.counters["links searched"] = finder.linksSearched();
}
BENCHMARK(BM_CheapestPathSearches);

void BM_TradeRun(benchmark::State& state) {
    const auto worlds = madeUpSpace(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), 45);
    std::size_t pairs = 0;
    for (auto _ : state) {
        const qelvar::TradeRun run = qelvar::runTrade(worlds, {});
        pairs = run.pairs.size();
        benchmark::DoNotOptimize(run.total);
    }
    state.counters["worlds"] = static_cast<double>(worlds.size());
    state.counters["pairs"] = static_cast<double>(pairs);
}
BENCHMARK(BM_TradeRun)->Args({1, 1})->Args({2, 2})->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
