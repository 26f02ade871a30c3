#pragma once
// The main window's map surface (object name Picture1): an image of the map surface's size in
// millimetres, drawn at the screen's device pixels so that it stays sharp on every screen, shown at a
// display scale, with the pointer reported in millimetres. It takes the keyboard focus: the arrow keys
// move a hex cursor, reported as the pointer is, and Enter presses on the hex under it; a click puts the
// cursor on the hex clicked.

#include <QWidget>
#include <memory>

#include "map/hex_geometry.h"
#include "painter_surface.h"

namespace qelvar {

class MapView : public QWidget {
    Q_OBJECT
public:
    explicit MapView(QWidget* parent = nullptr);
    ~MapView() override;

    // The surface the map is drawn on, always at the map's own size (the screenshot and the printer use
    // it as it is). It is made anew (blank) when the window moves to a screen with another pixel ratio;
    // surfaceRenewed then asks for a redraw.
    ImageSurface& surface() { return *surface_; }
    double dotsPerInch() const { return dotsPerInch_; }
    double devicePixelRatio() const { return devicePixelRatio_; }
    // The map's size on the screen at scale 1, and the scale it is shown at now.
    QSize baseSize() const { return baseSize_; }
    double scale() const { return scale_; }
    void setScale(double scale);
    // A point of the widget in millimetres of the map surface, and back.
    MapPoint toMillimetres(QPointF point) const;
    QPointF toWidget(MapPoint point) const;
    // The hex the keyboard cursor is on, column 1..8 and row 1..10.
    int cursorColumn() const { return cursorColumn_; }
    int cursorRow() const { return cursorRow_; }

    QSize sizeHint() const override { return size(); }

signals:
    void pointerMoved(qelvar::MapPoint point);
    void pointerPressed(qelvar::MapPoint point);
    // A double-click on a hex, or Enter on the cursor's hex (after pointerPressed for it).
    void hexActivated();
    // A drag with the left button from one hex to another (column * 100 + row each); a press that is no
    // drag is pointerPressed when the button comes up.
    void hexDragged(int from, int to);
    void surfaceRenewed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void makeSurface(double devicePixelRatio);
    MapPoint cursorCentre() const;
    // The cursor on the hex under a point of the map; nowhere else.
    void putCursorAt(MapPoint point);

    std::unique_ptr<ImageSurface> surface_;
    double dotsPerInch_ = 96;
    double devicePixelRatio_ = 1;
    QSize baseSize_;
    double scale_ = 1;
    int cursorColumn_ = 1;
    int cursorRow_ = 1;
    bool screenWatched_ = false;
    bool pressed_ = false;   // the left button is down on the map
    bool dragging_ = false;  // and has moved far enough to be a drag
    QPointF pressedAt_;      // where, in this widget
};

}  // namespace qelvar
