// The map redraw: a full subsector of 80 worlds into the screen image, and into the operations recording.

#include <benchmark/benchmark.h>

#include <string>

#include "store/subsector_store.h"
#include "map/hex_geometry.h"
#include "map/map_drawing.h"
#include "gui_application.h"
#include "painter_surface.h"
#include "seams/recording_surface.h"

namespace {

using namespace qelvar;

// Every hex occupied, with every kind of symbol spread over the map.
SubsectorStore fullSubsector() {
    SubsectorStore store;
    store.subsectorName = "Ostrel Drift";
    store.sectorName = "Kestrane Reach";
    store.subsectorLetter = "F";
    static const char* const names[] = {"Ost", "Draven", "Hamrocet", "Osttalvorvor", "Zabelor", "Ithlyul Prime"};
    static const char* const zones = " AR ";
    for (int slot = 1; slot <= kHexCount; ++slot) {
        WorldRecord& w = store.worlds[static_cast<std::size_t>(slot)];
        w.name = names[slot % 6];
        w.location = static_cast<std::int16_t>(((slot - 1) / 10 + 1) * 100 + (slot - 1) % 10 + 1);
        std::string uwp = "A7726789";
        uwp[1] = "0123456789A"[slot % 11];
        uwp[3] = "0123456789A"[(slot * 7) % 11];
        uwp[4] = "0123456789A"[(slot * 3) % 11];
        w.uwp = uwp;
        w.base = slot % 3 ? "N" : " ";
        w.zone = std::string(1, zones[slot % 4]);
        w.pag = slot % 2 ? "103" : "100";
        w.allegiance = "Ke";
    }
    return store;
}

void BM_MapDrawImage(benchmark::State& state) {
    bench::ensureGuiApplication();
    SubsectorStore store = fullSubsector();
    ImageSurface surface(twipsToDots(kMapSurfaceWidthTwips, 96), twipsToDots(kMapSurfaceHeightTwips, 96), 96);
    prepareMapSurface(surface);
    for (auto _ : state) {
        benchmark::DoNotOptimize(drawSubsectorMap(store, surface));
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK(BM_MapDrawImage)->Unit(benchmark::kMillisecond);

void BM_MapRecordOps(benchmark::State& state) {
    SubsectorStore store = fullSubsector();
    for (auto _ : state) {
        RecordingSurface surface;
        prepareMapSurface(surface);
        benchmark::DoNotOptimize(drawSubsectorMap(store, surface));
        benchmark::DoNotOptimize(surface.text().data());
    }
}
BENCHMARK(BM_MapRecordOps)->Unit(benchmark::kMicrosecond);

void BM_MapLocationAt(benchmark::State& state) {
    double x = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(locationAt(x, 140 - x));
        x = x > 100 ? 0 : x + 0.37;
    }
}
BENCHMARK(BM_MapLocationAt);

}  // namespace
