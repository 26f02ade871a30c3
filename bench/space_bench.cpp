// Charted space: 26 sectors of some 500 generated worlds each, placed 6 across by their metadata files, with
// the borders made once and written into the metadata, so that they hold given borders too. Loading the
// folder, making the borders for all of it, the atlas-map PNG of a 2 x 2 block at 96 dpi, and the redraw of
// a window's worth of the atlas (1600 x 1000 pixels) at 100 % and at 25 %.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>

#include "files/sector_file.h"
#include "gui_application.h"
#include "map/atlas_map.h"
#include "map/map_drawing.h"
#include "painter_surface.h"
#include "sector_poster.h"
#include "space/border_writing.h"
#include "store/file_io.h"
#include "support/sample_sector.h"

namespace {

using namespace qelvar;

constexpr int kSectors = 26;
constexpr int kAcross = 6;

// Polities in bands across charted space, with non-aligned worlds between them.
std::string allegianceAt(SpaceHex hex) {
    static const char* const codes[] = {"ImDd", "ZhCo", "NaHu", "AsT0", "SoCf", "ImSy", "--"};
    return codes[static_cast<std::size_t>((hex.x / 23 + hex.y / 31 * 3) % 7 + 7) % 7];
}

const std::string& spaceFolder() {
    static const std::string folder = [] {
        const auto path = std::filesystem::temp_directory_path() / ("qelvar-bench-space-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        const Sector sample = testing::sampleSector();
        for (int i = 0; i < kSectors; ++i) {
            Sector sector = sample;
            sector.name = "Reach " + std::to_string(i);
            const int x = i % kAcross - 3;
            const int y = i / kAcross - 2;
            for (SectorWorld& world : sector.worlds) {
                world.fields["Allegiance"] = allegianceAt(spaceHexOf(x, y, world.column, world.row));
            }
            const std::string file = (path / ("reach" + std::to_string(i) + ".tab")).string();
            (void)writeSectorFile(sector, file, SectorFormat::Tab);
            std::string metadata = formatSectorMetadata(sector);
            metadata.insert(metadata.find("<Name>"),
                            "<X>" + std::to_string(x) + "</X><Y>" + std::to_string(y) + "</Y>");
            (void)writeFileAtomically(sectorMetadataPath(file), metadata);
        }
        const ChartedSpace space = loadChartedSpace({path.string()})->value;
        const auto made = madeBorders(space);
        for (const PlacedSector& placed : space.sectors) (void)writeSectorBorders(placed, made);
        std::atexit([] { std::filesystem::remove_all(spaceFolder()); });
        return path.string();
    }();
    return folder;
}

const ChartedSpace& loadedSpace() {
    static const ChartedSpace space = loadChartedSpace({spaceFolder()})->value;
    return space;
}

void BM_ChartedSpaceLoad26Sectors(benchmark::State& state) {
    spaceFolder();
    for (auto _ : state) {
        auto loaded = loadChartedSpace({spaceFolder()});
        benchmark::DoNotOptimize(loaded->value.sectors.size());
    }
}
BENCHMARK(BM_ChartedSpaceLoad26Sectors)->Unit(benchmark::kMillisecond);

void BM_MadeBorders26Sectors(benchmark::State& state) {
    const ChartedSpace& space = loadedSpace();
    for (auto _ : state) benchmark::DoNotOptimize(madeBorders(space).size());
}
BENCHMARK(BM_MadeBorders26Sectors)->Unit(benchmark::kMillisecond);

void BM_GivenBorders26Sectors(benchmark::State& state) {
    const ChartedSpace& space = loadedSpace();
    for (auto _ : state) benchmark::DoNotOptimize(givenBorders(space).size());
}
BENCHMARK(BM_GivenBorders26Sectors)->Unit(benchmark::kMillisecond);

// The whole atlas-map PNG of a 2 x 2 block at 96 dpi, given borders, routes and jump-2 links: drawing and
// encoding. Wall-clock time, since the bands draw on threads of their own.
void BM_AtlasMapPng2x2(benchmark::State& state) {
    bench::ensureGuiApplication();
    const ChartedSpace& space = loadedSpace();
    const SpaceOverlay overlay = spaceOverlay(space, BorderChoice::Given);
    const AtlasArea area{-3, -2, -2, -1};
    AtlasOptions options;
    options.jump = 2;
    options.routes = true;
    options.overlay = &overlay;
    const MapDrawing drawing{atlasMapSize(area), "bench",
                             [&](Surface& surface, bool printed, std::optional<MapBox> visible) {
                                 AtlasOptions drawn = options;
                                 drawn.printed = printed;
                                 drawn.visible = visible;
                                 drawAtlasMap(space, area, surface, drawn);
                             }};
    for (auto _ : state) benchmark::DoNotOptimize(mapPicture(drawing, 96, "PNG").size());
}
BENCHMARK(BM_AtlasMapPng2x2)->Unit(benchmark::kMillisecond)->UseRealTime();

// A window of 1600 x 1000 pixels over the middle of the whole atlas, drawn afresh at a zoom (percent, the
// argument): only what the window shows is drawn.
void BM_AtlasWindowRedraw(benchmark::State& state) {
    bench::ensureGuiApplication();
    const ChartedSpace& space = loadedSpace();
    const SpaceOverlay overlay = spaceOverlay(space, BorderChoice::Given);
    const AtlasArea area = atlasAreaOf(space);
    const double zoom = static_cast<double>(state.range(0)) / 100;
    const double dotsPerMillimetre = 96 / 25.4 * zoom;
    const MapSize size = atlasMapSize(area);
    const double width = 1600 / dotsPerMillimetre;
    const double height = 1000 / dotsPerMillimetre;
    const MapBox visible{size.width / 2 - width / 2, size.height / 2 - height / 2, size.width / 2 + width / 2,
                         size.height / 2 + height / 2};
    ImageSurface surface(1600, 1000, 96);
    surface.setCirclesFromImages(true);
    AtlasOptions options;
    options.overlay = &overlay;
    options.visible = visible;
    options.jump = 2;
    for (auto _ : state) {
        surface.setPlacement(zoom, QPointF(-visible.left * zoom, -visible.top * zoom),
                             QRectF(0, 0, width * zoom, height * zoom));
        prepareMapSurface(surface);
        drawAtlasMap(space, area, surface, options);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK(BM_AtlasWindowRedraw)->Arg(100)->Arg(25)->Unit(benchmark::kMillisecond);

}  // namespace
