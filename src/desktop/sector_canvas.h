#pragma once
// The Sector window's map (object name SectorMap): the whole sector drawn into an image at the window's
// zoom, with the pointer reported in millimetres of the map. A drag pans (the window moves its scroll
// bars), a click without a drag picks, Ctrl and the wheel ask for another zoom.

#include <QWidget>

#include "files/sector.h"
#include "map/sector_map.h"
#include "sector_image.h"

namespace qelvar {

class SectorCanvas : public QWidget {
    Q_OBJECT
public:
    explicit SectorCanvas(QWidget* parent = nullptr);

    // Draws the sector afresh at the zoom (1 is the screen scale of the subsector map).
    void draw(const Sector& sector, const SectorMapOptions& options, double zoom);
    double zoom() const { return zoom_; }
    // A point of the widget in millimetres of the map, and back.
    MapPoint toMillimetres(QPointF point) const;
    QPointF toWidget(MapPoint point) const;

signals:
    void pointerMoved(qelvar::MapPoint point);
    void clicked(qelvar::MapPoint point);
    void doubleClicked(qelvar::MapPoint point);
    void dragged(QPoint delta);
    void zoomAsked(int steps, QPointF at);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

    // For maps drawn otherwise (the atlas): the zoom the pointer's millimetres are counted at.
    void setZoomOf(double zoom) { zoom_ = zoom; }
    double dotsPerMillimetre() const;
    double logicalDpi() const { return logicalDpi_; }

private:
    SectorImage image_;
    double zoom_ = 1;
    double logicalDpi_ = 96;
    QPoint pressedAt_;
    QPoint lastDrag_;
    bool pressed_ = false;
    bool dragging_ = false;
};

}  // namespace qelvar
