#include "map_view.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "map/map_drawing.h"

namespace qelvar {

namespace {

double screenLogicalDpi(const QScreen* screen) {
    const double dpi = screen ? screen->logicalDotsPerInch() : 0;
    return dpi > 0 ? dpi : 96;
}

}  // namespace

MapView::MapView(QWidget* parent) : QWidget(parent) {
    setObjectName("Picture1");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    const QScreen* screen = QGuiApplication::primaryScreen();
    dotsPerInch_ = screenLogicalDpi(screen);
    setFixedSize(twipsToDots(kMapSurfaceWidthTwips, dotsPerInch_), twipsToDots(kMapSurfaceHeightTwips, dotsPerInch_));
    makeSurface(screen ? screen->devicePixelRatio() : 1);
}

MapView::~MapView() = default;

void MapView::makeSurface(double devicePixelRatio) {
    devicePixelRatio_ = devicePixelRatio > 0 ? devicePixelRatio : 1;
    surface_ = std::make_unique<ImageSurface>(static_cast<int>(std::lround(width() * devicePixelRatio_)),
                                              static_cast<int>(std::lround(height() * devicePixelRatio_)),
                                              dotsPerInch_ * devicePixelRatio_, devicePixelRatio_);
    prepareMapSurface(*surface_);
    surface_->cls();
}

MapPoint MapView::toMillimetres(QPointF point) const {
    return {point.x() * 25.4 / dotsPerInch_, point.y() * 25.4 / dotsPerInch_};
}

void MapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, width(), height()), surface_->image());
}

void MapView::mouseMoveEvent(QMouseEvent* event) { emit pointerMoved(toMillimetres(event->position())); }

void MapView::mousePressEvent(QMouseEvent* event) { emit pointerPressed(toMillimetres(event->position())); }

void MapView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    QWindow* window = this->window()->windowHandle();
    if (!window || screenWatched_) return;
    screenWatched_ = true;
    connect(window, &QWindow::screenChanged, this, [this](QScreen* screen) {
        const double ratio = screen ? screen->devicePixelRatio() : 1;
        if (ratio == devicePixelRatio_) return;
        makeSurface(ratio);
        emit surfaceRenewed();
        update();
    });
}

}  // namespace qelvar
