#include "map_view.h"

#include <QApplication>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>

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
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(
        tr("Click a world, or move with the arrow keys and press Enter, to see its details; "
           "Ctrl and the wheel zoom"));
    baseSize_ =
        QSize(twipsToDots(kMapSurfaceWidthTwips, dotsPerInch_), twipsToDots(kMapSurfaceHeightTwips, dotsPerInch_));
    resize(baseSize_);
    makeSurface(screen ? screen->devicePixelRatio() : 1);
}

MapView::~MapView() = default;

void MapView::makeSurface(double devicePixelRatio) {
    devicePixelRatio_ = devicePixelRatio > 0 ? devicePixelRatio : 1;
    surface_ = std::make_unique<ImageSurface>(static_cast<int>(std::lround(baseSize_.width() * devicePixelRatio_)),
                                              static_cast<int>(std::lround(baseSize_.height() * devicePixelRatio_)),
                                              dotsPerInch_ * devicePixelRatio_, devicePixelRatio_);
    prepareMapSurface(*surface_);
    surface_->cls();
}

void MapView::setScale(double scale) {
    scale_ = scale > 0 ? scale : 1;
    resize(static_cast<int>(std::lround(baseSize_.width() * scale_)),
           static_cast<int>(std::lround(baseSize_.height() * scale_)));
    update();
}

MapPoint MapView::toMillimetres(QPointF point) const {
    const double dotsPerMillimetre = dotsPerInch_ * scale_ / 25.4;
    return {point.x() / dotsPerMillimetre, point.y() / dotsPerMillimetre};
}

QPointF MapView::toWidget(MapPoint point) const {
    const double dotsPerMillimetre = dotsPerInch_ * scale_ / 25.4;
    return {point.x * dotsPerMillimetre, point.y * dotsPerMillimetre};
}

MapPoint MapView::cursorCentre() const {
    return hexCentre(hexAnchor(cursorColumn_, cursorRow_, kScreenHexScale), kScreenHexScale);
}

void MapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRectF(0, 0, width(), height()), surface_->image());
    if (!hasFocus()) return;
    // The focus frame and the hex cursor.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2, Qt::DashLine));
    painter.drawRect(QRectF(1, 1, width() - 2, height() - 2));
    QPolygonF outline;
    for (const MapPoint& corner : hexOutline(hexAnchor(cursorColumn_, cursorRow_, kScreenHexScale), kScreenHexScale)) {
        outline << toWidget(corner);
    }
    painter.setPen(QPen(palette().color(QPalette::Highlight), 3));
    painter.drawPolyline(outline);
}

void MapView::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_ && (event->position() - pressedAt_).manhattanLength() >= QApplication::startDragDistance()) {
        dragging_ = true;
    }
    emit pointerMoved(toMillimetres(event->position()));
}

namespace {

// The hex under a point as column * 100 + row; 0 off every hex.
int hexUnder(MapPoint point) {
    const std::string location = locationAt(point.x, point.y);
    return location.find('-') == std::string::npos ? std::stoi(location) : 0;
}

}  // namespace

void MapView::mouseReleaseEvent(QMouseEvent* event) {
    if (!pressed_ || event->button() != Qt::LeftButton) return;
    pressed_ = false;
    if (!dragging_) {
        emit pointerPressed(toMillimetres(pressedAt_));
        return;
    }
    dragging_ = false;
    const int from = hexUnder(toMillimetres(pressedAt_));
    const int to = hexUnder(toMillimetres(event->position()));
    if (from != 0 && to != 0 && from != to) emit hexDragged(from, to);
}

void MapView::putCursorAt(MapPoint point) {
    const std::string location = locationAt(point.x, point.y);
    if (location.find('-') != std::string::npos) return;
    cursorColumn_ = std::stoi(location.substr(0, 2));
    cursorRow_ = std::stoi(location.substr(2, 2));
    update();
}

void MapView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    putCursorAt(toMillimetres(event->position()));
    if (event->button() != Qt::LeftButton) {
        emit pointerPressed(toMillimetres(event->position()));
        return;
    }
    // A click acts when the button comes up, unless it became a drag.
    pressed_ = true;
    dragging_ = false;
    pressedAt_ = event->position();
}

void MapView::mouseDoubleClickEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    putCursorAt(toMillimetres(event->position()));
    emit hexActivated();
}

void MapView::keyPressEvent(QKeyEvent* event) {
    int column = cursorColumn_;
    int row = cursorRow_;
    switch (event->key()) {
        case Qt::Key_Left:
            --column;
            break;
        case Qt::Key_Right:
            ++column;
            break;
        case Qt::Key_Up:
            --row;
            break;
        case Qt::Key_Down:
            ++row;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit pointerPressed(cursorCentre());
            emit hexActivated();
            return;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    cursorColumn_ = std::clamp(column, 1, kMapColumns);
    cursorRow_ = std::clamp(row, 1, kMapRows);
    update();
    emit pointerMoved(cursorCentre());
}

void MapView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void MapView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

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
