#pragma once
// The main window's map surface (object name Picture1): an image of the map surface's size in
// millimetres, drawn at the screen's device pixels so that it stays sharp on every screen, with the
// pointer reported in millimetres.

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

    // The surface the map is drawn on. It is made anew (blank) when the window moves to a screen with
    // another pixel ratio; surfaceRenewed then asks for a redraw.
    ImageSurface& surface() { return *surface_; }
    double dotsPerInch() const { return dotsPerInch_; }
    double devicePixelRatio() const { return devicePixelRatio_; }
    // A point of the widget in millimetres of the map surface.
    MapPoint toMillimetres(QPointF point) const;

    QSize sizeHint() const override { return size(); }

signals:
    void pointerMoved(qelvar::MapPoint point);
    void pointerPressed(qelvar::MapPoint point);
    void surfaceRenewed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void makeSurface(double devicePixelRatio);

    std::unique_ptr<ImageSurface> surface_;
    double dotsPerInch_ = 96;
    double devicePixelRatio_ = 1;
    bool screenWatched_ = false;
};

}  // namespace qelvar
