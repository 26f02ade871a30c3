#include "map_area.h"

#include <QCursor>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "map_view.h"

namespace qelvar {

namespace {

constexpr double kMaxZoom = 8;
constexpr double kZoomStep = 1.25;

}  // namespace

MapArea::MapArea(QWidget* parent) : QWidget(parent) {
    view_ = new MapView(this);
    view_->installEventFilter(this);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMinimumSize(view_->baseSize());
}

QSize MapArea::minimumSizeHint() const { return view_->baseSize(); }

double MapArea::fittedScale() const {
    const QSize base = view_->baseSize();
    return std::max(
        1.0, std::min(static_cast<double>(width()) / base.width(), static_cast<double>(height()) / base.height()));
}

void MapArea::placeView() {
    const double scale = fittedScale() * zoom_;
    view_->setScale(scale);
    // The fitted map stands in the middle across, at the top.
    const double left = (width() - view_->baseSize().width() * fittedScale()) / 2;
    corner_ = {left + pan_.x() - horizontalOffset_ * scale, pan_.y() - scrollOffset_ * scale};
    view_->move(static_cast<int>(std::lround(corner_.x())), static_cast<int>(std::lround(corner_.y())));
}

void MapArea::zoomAround(double zoom, QPointF around) {
    zoom = std::clamp(zoom, 1.0, kMaxZoom);
    const double before = view_->scale();
    const QPointF mapPoint = (around - corner_) / before;
    zoom_ = zoom;
    if (zoom_ == 1) {
        pan_ = {};
    } else {
        const double after = fittedScale() * zoom_;
        const double left = (width() - view_->baseSize().width() * fittedScale()) / 2;
        const QPointF newCorner = around - mapPoint * after;
        pan_ = {newCorner.x() - left + horizontalOffset_ * after, newCorner.y() + scrollOffset_ * after};
    }
    placeView();
}

void MapArea::setScrollOffset(int dots) {
    scrollOffset_ = dots;
    placeView();
}

void MapArea::setHorizontalOffset(int dots) {
    horizontalOffset_ = dots;
    placeView();
}

bool MapArea::eventFilter(QObject* watched, QEvent* event) {
    if (watched != view_) return false;
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) {
        return false;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    switch (type) {
        case QEvent::MouseButtonPress:
            if (mouse->button() != Qt::MiddleButton) return false;
            dragging_ = true;
            dragFrom_ = view_->mapToParent(mouse->position());
            return true;
        case QEvent::MouseMove: {
            if (!dragging_) return false;
            const QPointF at = view_->mapToParent(mouse->position());
            pan_ += at - dragFrom_;
            dragFrom_ = at;
            placeView();
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (!dragging_ || mouse->button() != Qt::MiddleButton) return false;
            dragging_ = false;
            return true;
        default:
            return false;
    }
}

QPointF MapArea::zoomCentre() const {
    const QPointF pointer = mapFromGlobal(QCursor::pos());
    return rect().contains(pointer.toPoint()) ? pointer : QPointF(width() / 2.0, height() / 2.0);
}

void MapArea::zoomIn() { zoomAround(zoom_ * kZoomStep, zoomCentre()); }

void MapArea::zoomOut() { zoomAround(zoom_ / kZoomStep, zoomCentre()); }

void MapArea::resetZoom() {
    pan_ = {};
    zoomAround(1, zoomCentre());
}

void MapArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeView();
}

void MapArea::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QWidget::wheelEvent(event);
        return;
    }
    const double steps = event->angleDelta().y() / 120.0;
    zoomAround(zoom_ * std::pow(kZoomStep, steps), event->position());
    event->accept();
}

}  // namespace qelvar
