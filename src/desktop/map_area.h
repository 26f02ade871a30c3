#pragma once
// The room the main window gives its map: the map is scaled to fill it (keeping its proportions), moved
// by the window's scroll bars (the map goes up as the vertical bar goes down) and by a drag with the middle
// button, and zoomed around a point (Ctrl and the wheel, or the zoom commands).

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
    // The offsets of the scroll bars, in dots of the map at scale 1: the map moves up and left by them.
    void setScrollOffset(int dots);
    void setHorizontalOffset(int dots);

    QSize minimumSizeHint() const override;

public slots:
    // Zoom in, out and back to the fitted map, around the pointer when it is over the map, else the middle.
    void zoomIn();
    void zoomOut();
    void resetZoom();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    double fittedScale() const;
    void placeView();
    QPointF zoomCentre() const;

    MapView* view_ = nullptr;
    double zoom_ = 1;
    QPointF pan_;     // where the map's corner is, over the corner the fitted map would have
    QPointF corner_;  // where the map's corner is, before it is rounded to whole dots
    int scrollOffset_ = 0;
    int horizontalOffset_ = 0;
    QPointF dragFrom_;  // where a drag with the middle button last was, in this widget
    bool dragging_ = false;
};

}  // namespace qelvar
