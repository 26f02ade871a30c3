#pragma once
// The room the main window gives its map: the map is scaled to fill it (keeping its proportions), moved
// up and down by the window's scroll bar, and zoomed around a point (Ctrl and the wheel, or the zoom
// commands).

#include <QWidget>

namespace qelvar {

class MapView;

class MapArea : public QWidget {
    Q_OBJECT
public:
    explicit MapArea(QWidget* parent = nullptr);

    MapView& view() { return *view_; }
    // The zoom over the fitted size (1 = the whole map fills the room).
    double zoom() const { return zoom_; }
    // Zooms to zoom (kept within 1..8) so that the map point under around stays where it is.
    void zoomAround(double zoom, QPointF around);
    // The vertical offset of the scroll bar, in dots of the map at scale 1.
    void setScrollOffset(int dots);

    QSize minimumSizeHint() const override;

public slots:
    // Zoom in, out and back to the fitted map, around the pointer when it is over the map, else the middle.
    void zoomIn();
    void zoomOut();
    void resetZoom();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    double fittedScale() const;
    void placeView();
    QPointF zoomCentre() const;

    MapView* view_ = nullptr;
    double zoom_ = 1;
    QPointF pan_;     // where the map's corner is, over the corner the fitted map would have
    QPointF corner_;  // where the map's corner is, before it is rounded to whole dots
    int scrollOffset_ = 0;
};

}  // namespace qelvar
