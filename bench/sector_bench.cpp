// Whole sector files: reading a 500-world tab-separated sector and splitting it into its 16 SBS files.
#include <benchmark/benchmark.h>

#include "files/sbs.h"
#include "files/sector_file.h"
#include "full_subsector.h"

namespace {

// 500 worlds spread over the sixteen subsectors, every field set, as the tab-separated writer writes them.
std::string sectorOf500Worlds() {
    qelvar::Sector sector;
    sector.name = "Benchmark";
    const qelvar::SubsectorStore full = qelvar::bench::fullSubsector();
    for (int i = 0; i < 500; ++i) {
        const int index = i % qelvar::kSubsectorCount;
        const int slot = 1 + i / qelvar::kSubsectorCount * 2;
        qelvar::SectorWorld world;
        world.record = full.worlds[static_cast<std::size_t>(slot)];
        world.column = index % 4 * 8 + world.record.location / 100;
        world.row = index / 4 * 10 + world.record.location % 100;
        world.fields = {{"Allegiance", "KeDd"}, {"{Ix}", "{ 2 }"}, {"(Ex)", "(A46+2)"}, {"[Cx]", "[1716]"}};
        sector.worlds.push_back(world);
    }
    return qelvar::formatSector(sector, qelvar::SectorFormat::Tab).value;
}

void BM_ReadSectorAndSplitToSbs(benchmark::State& state) {
    const std::string bytes = sectorOf500Worlds();
    for (auto _ : state) {
        auto read = qelvar::readSector(bytes, "Benchmark");
        std::size_t written = 0;
        for (int index = 0; index < qelvar::kSubsectorCount; ++index) {
            qelvar::SubsectorStore store;
            qelvar::sectorToStore(read->value.sector, index, store);
            written += qelvar::formatSbs(store).value.size();
        }
        benchmark::DoNotOptimize(written);
    }
}
BENCHMARK(BM_ReadSectorAndSplitToSbs);

}  // namespace
