// The check of a full subsector whose trade codes are the file's own (every rule has work to do).
#include <benchmark/benchmark.h>

#include "full_subsector.h"
#include "reports/check.h"
#include "store/subsector_store.h"

namespace {

void BM_CheckSubsector80(benchmark::State& state) {
    qelvar::SubsectorStore store = qelvar::bench::fullSubsector();
    store.readFacts.tradeCodesFromFile = true;
    for (auto _ : state) {
        auto findings = qelvar::checkSubsector(store, "bench.arp");
        benchmark::DoNotOptimize(findings.data());
    }
}
BENCHMARK(BM_CheckSubsector80);

}  // namespace
