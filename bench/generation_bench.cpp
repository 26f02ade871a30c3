// One whole generated subsector: fixed seed, standard density (50 %, about 40 worlds), every roll.
#include <benchmark/benchmark.h>

#include "store/subsector_store.h"
#include "generation/dice.h"
#include "generation/generation_options.h"
#include "generation/world_generation.h"

namespace {

void BM_GenerateSubsector(benchmark::State& state) {
    qelvar::SubsectorStore store;
    const qelvar::GenerationOptions options;  // density 50 %
    for (auto _ : state) {
        qelvar::Dice dice(1);
        qelvar::generateSubsector(store, options, dice);
        benchmark::DoNotOptimize(store.worlds.data());
        benchmark::ClobberMemory();
    }
    int worlds = 0;
    for (int slot = 1; slot <= qelvar::kHexCount; ++slot) worlds += store.worlds[slot].occupied();
    state.counters["worlds"] = worlds;
}
BENCHMARK(BM_GenerateSubsector);

}  // namespace
