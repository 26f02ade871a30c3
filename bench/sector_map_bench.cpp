// The whole sector: a folder of sixteen subsector files with some 500 worlds loaded and drawn into the
// operations recording, the Sector window's redraw of the whole map at 100 % into its image, and its
// repaint of a screenful from that image.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <filesystem>
#include <unistd.h>

#include "files/sbs.h"
#include "files/sector_folder.h"
#include "map/map_drawing.h"
#include "map/sector_map.h"
#include "painter_surface.h"
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

void BM_SectorWindowRedraw(benchmark::State& state) {
    if (!QCoreApplication::instance()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "qelvar_bench";
        static char* argv[] = {name, nullptr};
        static QGuiApplication application(argc, argv);
    }
    const Sector sector = loadSectorFolder(sectorFolder())->value;
    const MapSize size = sectorMapSize();
    ImageSurface surface(static_cast<int>(size.width / 25.4 * 96) + 1, static_cast<int>(size.height / 25.4 * 96) + 1,
                         96);
    prepareMapSurface(surface);
    for (auto _ : state) {
        drawSectorMap(sector, surface);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK(BM_SectorWindowRedraw)->Unit(benchmark::kMillisecond);

// What the window does on a scroll, a drag or an expose: a 1400 x 1000 viewport painted from the map's
// image drawn before.
void BM_SectorWindowRepaint(benchmark::State& state) {
    const Sector sector = loadSectorFolder(sectorFolder())->value;
    const MapSize size = sectorMapSize();
    ImageSurface surface(static_cast<int>(size.width / 25.4 * 96) + 1, static_cast<int>(size.height / 25.4 * 96) + 1,
                         96);
    prepareMapSurface(surface);
    drawSectorMap(sector, surface);
    QImage viewport(1400, 1000, QImage::Format_RGB32);
    int offset = 0;
    for (auto _ : state) {
        QPainter painter(&viewport);
        painter.drawImage(QPointF(-(offset % 50), -(offset % 900)), surface.image());
        ++offset;
        benchmark::DoNotOptimize(viewport.constBits());
    }
}
BENCHMARK(BM_SectorWindowRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
