#include "sector_canvas.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>

#include "map/map_drawing.h"

namespace qelvar {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr int kDragThreshold = 4;  // pixels the pointer may move and still click

}  // namespace

SectorCanvas::SectorCanvas(QWidget* parent) : QWidget(parent) {
    setObjectName("SectorMap");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && screen->logicalDotsPerInch() > 0) logicalDpi_ = screen->logicalDotsPerInch();
}

double SectorCanvas::dotsPerMillimetre() const { return logicalDpi_ * zoom_ / kMillimetresPerInch; }

void SectorCanvas::draw(const Sector& sector, const SectorMapOptions& options, double zoom) {
    zoom_ = zoom;
    const double ratio = devicePixelRatioF() > 0 ? devicePixelRatioF() : 1;
    const QSize logical = sectorMapPixels(options.k, logicalDpi_ * zoom_);
    image_.draw(sector, options, logicalDpi_ * zoom_ * ratio, ratio);
    setFixedSize(logical);
    update();
}

MapPoint SectorCanvas::toMillimetres(QPointF point) const {
    return {point.x() / dotsPerMillimetre(), point.y() / dotsPerMillimetre()};
}

QPointF SectorCanvas::toWidget(MapPoint point) const {
    return {point.x * dotsPerMillimetre(), point.y * dotsPerMillimetre()};
}

void SectorCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    image_.paint(painter, event->rect());
}

void SectorCanvas::mousePressEvent(QMouseEvent* event) {
    pressed_ = true;
    dragging_ = false;
    pressedAt_ = lastDrag_ = event->globalPosition().toPoint();
}

void SectorCanvas::mouseMoveEvent(QMouseEvent* event) {
    emit pointerMoved(toMillimetres(event->position()));
    if (!pressed_) return;
    const QPoint now = event->globalPosition().toPoint();
    if (!dragging_ && (now - pressedAt_).manhattanLength() < kDragThreshold) return;
    dragging_ = true;
    setCursor(Qt::ClosedHandCursor);
    emit dragged(now - lastDrag_);
    lastDrag_ = now;
}

void SectorCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (pressed_ && !dragging_ && event->button() == Qt::LeftButton) emit clicked(toMillimetres(event->position()));
    pressed_ = false;
    dragging_ = false;
    unsetCursor();
}

void SectorCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    pressed_ = false;
    emit doubleClicked(toMillimetres(event->position()));
}

void SectorCanvas::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        event->ignore();  // the scroll area scrolls
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) emit zoomAsked(steps, event->position());
    event->accept();
}

}  // namespace qelvar
