#include "sector_image.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "map/map_drawing.h"
#include "painter_surface.h"
#include "store/text.h"

namespace qelvar {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr int kMostBands = 8;

int bandsFor(int asked, int height) {
    int bands = asked > 0 ? asked : static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(bands, 1, std::min(kMostBands, std::max(height, 1)));
}

}  // namespace

// A thread that runs one job at a time, given by run() and waited for by wait().
class SectorImage::Worker {
public:
    Worker() : thread_([this] { loop(); }) {}
    ~Worker() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        thread_.join();
    }
    void run(std::function<void()> job) {
        {
            std::lock_guard lock(mutex_);
            job_ = std::move(job);
        }
        wake_.notify_all();
    }
    void wait() {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return !job_; });
    }

private:
    void loop() {
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [this] { return stopping_ || job_; });
            if (stopping_) return;
            lock.unlock();
            job_();
            lock.lock();
            job_ = nullptr;
            done_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable done_;
    std::function<void()> job_;
    bool stopping_ = false;
    std::thread thread_;
};

MapDrawing sectorMapDrawing(const Sector& sector, const SectorMapOptions& options) {
    return {sectorMapSize(options.k), std::string(trimBlanks(sector.name)),
            [&sector, options](Surface& surface, bool printed, std::optional<MapBox>) {
                SectorMapOptions drawn = options;
                drawn.printed = drawn.printed || printed;
                drawSectorMap(sector, surface, drawn);
            }};
}

QSize sectorMapPixels(double k, double dotsPerInch) { return mapPixels(sectorMapSize(k), dotsPerInch); }

QSize mapPixels(MapSize map, double dotsPerInch) {
    return {std::max(1, static_cast<int>(std::ceil(map.width / kMillimetresPerInch * dotsPerInch))),
            std::max(1, static_cast<int>(std::ceil(map.height / kMillimetresPerInch * dotsPerInch)))};
}

SectorImage::SectorImage() = default;

SectorImage::~SectorImage() { clearBands(); }

void SectorImage::clearBands() {
    // Each band's surface goes on the thread that drew it, while that thread's fonts still exist.
    for (std::size_t i = 1; i < bands_.size(); ++i) workers_[i - 1]->run([&band = bands_[i]] { band.surface.reset(); });
    for (auto& worker : workers_) worker->wait();
    bands_.clear();
}

void SectorImage::draw(const Sector& sector, const SectorMapOptions& options, double dotsPerInch,
                       double devicePixelRatio, int bands) {
    draw(sectorMapDrawing(sector, options), dotsPerInch, devicePixelRatio, bands);
}

void SectorImage::draw(const MapDrawing& map, double dotsPerInch, double devicePixelRatio, int bands) {
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1;
    const QSize size = mapPixels(map.size, dotsPerInch);
    const int count = bandsFor(bands, size.height());
    if (size != size_ || dotsPerInch != dotsPerInch_ || ratio != ratio_ || count != static_cast<int>(bands_.size())) {
        clearBands();
        size_ = size;
        dotsPerInch_ = dotsPerInch;
        ratio_ = ratio;
        while (static_cast<int>(workers_.size()) < count - 1) workers_.push_back(std::make_unique<Worker>());
        for (int i = 0; i < count; ++i) bands_.push_back({nullptr, size.height() * i / count});
    }
    const double dotsPerMillimetre = dotsPerInch / kMillimetresPerInch;
    const auto drawBand = [&](std::size_t i) {
        Band& band = bands_[i];
        if (!band.surface) {
            const int bottom = i + 1 < bands_.size() ? bands_[i + 1].top : size_.height();
            band.surface = std::make_unique<ImageSurface>(size_.width(), bottom - band.top, dotsPerInch, ratio);
            band.surface->setCirclesFromImages(true);
            band.surface->setPlacement(
                1, QPointF(0, -band.top / dotsPerMillimetre),
                QRectF(0, 0, size_.width() / dotsPerMillimetre, (bottom - band.top) / dotsPerMillimetre));
        }
        prepareMapSurface(*band.surface);
        const int bottom = i + 1 < bands_.size() ? bands_[i + 1].top : size_.height();
        map.draw(
            *band.surface, false,
            MapBox{0, band.top / dotsPerMillimetre, size_.width() / dotsPerMillimetre, bottom / dotsPerMillimetre});
    };
    for (std::size_t i = 1; i < bands_.size(); ++i) workers_[i - 1]->run([&drawBand, i] { drawBand(i); });
    drawBand(0);
    for (std::size_t i = 1; i < bands_.size(); ++i) workers_[i - 1]->wait();
}

void SectorImage::paint(QPainter& painter, const QRect& exposed) const {
    for (const Band& band : bands_) {
        const QImage& image = band.surface->image();
        const QRectF target(0, band.top / ratio_, image.width() / ratio_, image.height() / ratio_);
        const QRectF shown = target.intersected(QRectF(exposed));
        if (shown.isEmpty()) continue;
        const QRectF source((shown.x() - target.x()) * ratio_, (shown.y() - target.y()) * ratio_,
                            shown.width() * ratio_, shown.height() * ratio_);
        painter.drawImage(shown, image, source);
    }
}

QImage SectorImage::image() const {
    QImage whole(size_, QImage::Format_RGB32);
    whole.fill(Qt::white);
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerInch_ / 0.0254));
    whole.setDotsPerMeterX(dotsPerMetre);
    whole.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&whole);
    for (const Band& band : bands_) painter.drawImage(QPointF(0, band.top), band.surface->image());
    return whole;
}

}  // namespace qelvar
