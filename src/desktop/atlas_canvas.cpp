#include "atlas_canvas.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "map/map_drawing.h"
#include "painter_surface.h"

namespace qelvar {

namespace {

constexpr int kTilePixels = 512;
constexpr std::size_t kMostTiles = 400;

}  // namespace

AtlasCanvas::AtlasCanvas(QWidget* parent) : SectorCanvas(parent) {
    setObjectName("AtlasMap");
    idle_.setSingleShot(true);
    idle_.setInterval(0);
    connect(&idle_, &QTimer::timeout, this, &AtlasCanvas::drawNextTile);
}

void AtlasCanvas::showSpace(const ChartedSpace& space, const AtlasArea& area, const AtlasOptions& options, double zoom,
                            bool changed) {
    if (changed) {
        before_.clear();
    } else if (zoom != this->zoom() && !tiles_.empty()) {
        before_ = std::move(tiles_);
        beforeZoom_ = this->zoom();
    }
    tiles_.clear();
    space_ = &space;
    area_ = area;
    options_ = options;
    setZoomOf(zoom);
    const MapSize size = atlasMapSize(area, options.k);
    setFixedSize(std::max(1, static_cast<int>(std::ceil(size.width * dotsPerMillimetre()))),
                 std::max(1, static_cast<int>(std::ceil(size.height * dotsPerMillimetre()))));
    update();
}

QRect AtlasCanvas::tileRect(TileKey key) const {
    return {key.first * kTilePixels, key.second * kTilePixels, kTilePixels, kTilePixels};
}

QImage AtlasCanvas::drawTile(TileKey key) const {
    const double ratio = devicePixelRatioF() > 0 ? devicePixelRatioF() : 1;
    const double perMillimetre = dotsPerMillimetre();
    const QRect rect = tileRect(key);
    ImageSurface surface(static_cast<int>(kTilePixels * ratio), static_cast<int>(kTilePixels * ratio),
                         logicalDpi() * zoom() * ratio, ratio);
    surface.setCirclesFromImages(true);
    const double left = rect.x() / perMillimetre;
    const double top = rect.y() / perMillimetre;
    const double side = kTilePixels / perMillimetre;
    surface.setPlacement(1, QPointF(-left, -top), QRectF(0, 0, side, side));
    prepareMapSurface(surface);
    AtlasOptions options = options_;
    options.visible = MapBox{left, top, left + side, top + side};
    drawAtlasMap(*space_, area_, surface, options);
    QImage image = surface.image();
    image.setDevicePixelRatio(ratio);
    return image;
}

void AtlasCanvas::drawNextTile() {
    while (!wanted_.empty()) {
        const TileKey key = wanted_.back();
        wanted_.pop_back();
        if (tiles_.count(key)) continue;
        if (tiles_.size() >= kMostTiles) tiles_.clear();
        tiles_[key] = drawTile(key);
        update(tileRect(key));
        break;
    }
    if (!wanted_.empty()) idle_.start();
}

void AtlasCanvas::finishTiles() {
    while (!wanted_.empty()) drawNextTile();
}

void AtlasCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(kMapBackground.r, kMapBackground.g, kMapBackground.b));
    if (!space_) return;
    const QRect exposed = event->rect();
    // The tiles of the zoom before, scaled, under whatever is not drawn yet.
    if (!before_.empty() && beforeZoom_ > 0) {
        const double scale = zoom() / beforeZoom_;
        for (const auto& [key, image] : before_) {
            const QRectF target(tileRect(key).x() * scale, tileRect(key).y() * scale, kTilePixels * scale,
                                kTilePixels * scale);
            if (target.intersects(exposed)) painter.drawImage(target, image);
        }
    }
    bool missing = false;
    for (int row = exposed.top() / kTilePixels; row <= exposed.bottom() / kTilePixels; ++row) {
        for (int column = exposed.left() / kTilePixels; column <= exposed.right() / kTilePixels; ++column) {
            const auto found = tiles_.find({column, row});
            if (found != tiles_.end()) {
                painter.drawImage(tileRect(found->first).topLeft(), found->second);
            } else if (std::find(wanted_.begin(), wanted_.end(), TileKey{column, row}) == wanted_.end()) {
                wanted_.push_back({column, row});
                missing = true;
            }
        }
    }
    if (missing) idle_.start();
}

}  // namespace qelvar
