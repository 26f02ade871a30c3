// The check of a full subsector whose trade codes are the file's own (every rule has work to do), and of a
// generated sector file of about 500 worlds, read and checked.
#include <benchmark/benchmark.h>

#include "files/sector_file.h"
#include "full_subsector.h"
#include "generation/dice.h"
#include "generation/generation_options.h"
#include "generation/world_generation.h"
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

// A tab-separated sector file of sixteen generated subsectors, about 500 worlds.
const std::string& sectorFile() {
    static const std::string bytes = [] {
        qelvar::Sector sector;
        sector.name = "Bench";
        qelvar::Dice dice(7);
        qelvar::GenerationOptions options;
        options.densityPercent = 39;
        for (char letter = 'A'; letter <= 'P'; ++letter) {
            qelvar::SubsectorStore store;
            options.generateAsLetter = std::string(1, letter);
            qelvar::generateSubsector(store, options, dice);
            qelvar::storeIntoSector(store, sector);
        }
        return qelvar::formatSector(sector, qelvar::SectorFormat::Tab).value;
    }();
    return bytes;
}

void BM_ReadAndCheckSector500(benchmark::State& state) {
    std::size_t worlds = 0;
    for (auto _ : state) {
        const auto read = qelvar::readSector(sectorFile(), "bench");
        auto findings = qelvar::checkSector(read->value, read->notices, "bench.tab", qelvar::CheckRules::Modern);
        worlds = read->value.sector.worlds.size();
        benchmark::DoNotOptimize(findings.data());
    }
    state.counters["worlds"] = static_cast<double>(worlds);
}
BENCHMARK(BM_ReadAndCheckSector500);

// Argument 0: the classic rules, 1: the modern rules.
void BM_CheckSector500(benchmark::State& state) {
    const auto read = qelvar::readSector(sectorFile(), "bench");
    const auto rules = state.range(0) == 0 ? qelvar::CheckRules::Classic : qelvar::CheckRules::Modern;
    for (auto _ : state) {
        auto findings = qelvar::checkSector(read->value, read->notices, "bench.tab", rules);
        benchmark::DoNotOptimize(findings.data());
    }
    state.counters["worlds"] = static_cast<double>(read->value.sector.worlds.size());
}
BENCHMARK(BM_CheckSector500)->Arg(0)->Arg(1);

}  // namespace
