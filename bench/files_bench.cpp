// Reading and writing a full subsector: 80 worlds, every field set.
#include <benchmark/benchmark.h>

#include "store/subsector_store.h"
#include "store/text.h"
#include "files/sbs.h"
#include "full_subsector.h"

namespace {

void BM_ReadSbs80(benchmark::State& state) {
    const std::string bytes = qelvar::formatSbs(qelvar::bench::fullSubsector()).value;
    qelvar::SubsectorStore store;
    for (auto _ : state) {
        store.clear();
        benchmark::DoNotOptimize(qelvar::readSbs(store, bytes));
        benchmark::DoNotOptimize(store.worlds[80].cargoBase);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadSbs80);

void BM_WriteSbs80(benchmark::State& state) {
    const qelvar::SubsectorStore store = qelvar::bench::fullSubsector();
    for (auto _ : state) {
        std::string bytes = qelvar::formatSbs(store).value;
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_WriteSbs80);

}  // namespace
