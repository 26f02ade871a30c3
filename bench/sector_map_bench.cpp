// The whole sector: a folder of sixteen subsector files with some 500 worlds loaded and drawn into the
// operations recording, the Sector window's redraw of the whole map at 100 % into its image, and its
// repaint of a screenful from that image.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

#include "files/sbs.h"
#include "files/sector_folder.h"
#include "map/map_drawing.h"
#include "map/sector_map.h"
#include "gui_application.h"
#include "sector_image.h"
#include "seams/recording_surface.h"
#include "store/file_io.h"
#include "support/sample_sector.h"

namespace {

using namespace qelvar;

// The sample sector as SBS files in a folder of its own, made once.
const std::string& sectorFolder() {
    static const std::string folder = [] {
        const auto path =
            std::filesystem::temp_directory_path() / ("qelvar-bench-sector-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        const Sector sector = testing::sampleSector();
        SubsectorStore store;
        for (int index = 0; index < kSubsectorCount; ++index) {
            sectorToStore(sector, index, store);
            (void)writeFileAtomically((path / (std::string(1, static_cast<char>('a' + index)) + ".sbs")).string(),
                                      formatSbs(store).value);
        }
        std::atexit([] { std::filesystem::remove_all(sectorFolder()); });
        return path.string();
    }();
    return folder;
}

void BM_SectorLoadAndRecord(benchmark::State& state) {
    for (auto _ : state) {
        auto loaded = loadSectorFolder(sectorFolder());
        RecordingSurface surface;
        prepareMapSurface(surface);
        SectorMapOptions options;
        options.jump = 2;
        drawSectorMap(loaded->value, surface, options);
        benchmark::DoNotOptimize(surface.text().size());
    }
}
BENCHMARK(BM_SectorLoadAndRecord)->Unit(benchmark::kMillisecond);

// The window's redraw after a change: the map's bands drawn again at 100 % (96 dpi), the argument the
// number of bands (0: one a core). Wall-clock time, since the bands draw on threads of their own.
void BM_SectorWindowRedraw(benchmark::State& state) {
    bench::ensureGuiApplication();
    const Sector sector = loadSectorFolder(sectorFolder())->value;
    SectorImage image;
    image.draw(sector, {}, 96, 1, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        image.draw(sector, {}, 96, 1, static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(image.size());
    }
}
BENCHMARK(BM_SectorWindowRedraw)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime();

// The first drawing when the window opens or the zoom changes: new images, no text laid out yet.
void BM_SectorWindowFirstDraw(benchmark::State& state) {
    bench::ensureGuiApplication();
    const Sector sector = loadSectorFolder(sectorFolder())->value;
    for (auto _ : state) {
        SectorImage image;
        image.draw(sector, {}, 96);
        benchmark::DoNotOptimize(image.size());
    }
}
BENCHMARK(BM_SectorWindowFirstDraw)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the window does on a scroll, a drag or an expose: a 1400 x 1000 viewport painted from the map's
// images drawn before.
void BM_SectorWindowRepaint(benchmark::State& state) {
    bench::ensureGuiApplication();
    const Sector sector = loadSectorFolder(sectorFolder())->value;
    SectorImage image;
    image.draw(sector, {}, 96);
    QImage viewport(1400, 1000, QImage::Format_RGB32);
    int offset = 0;
    for (auto _ : state) {
        QPainter painter(&viewport);
        const QPoint at(offset % 50, offset % 900);
        painter.translate(-at);
        image.paint(painter, QRect(at, viewport.size()));
        ++offset;
        benchmark::DoNotOptimize(viewport.constBits());
    }
}
BENCHMARK(BM_SectorWindowRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
