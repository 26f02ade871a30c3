#pragma once
// The sector map as the screen shows it, drawn in horizontal bands: each band on its own thread and its own
// image, so that a redraw of the whole sector uses every core. The bands' surfaces are kept from one redraw to
// the next at the same size, so that the texts laid out once serve every later redraw. A band stays with its
// thread for its whole life: Qt's fonts belong to the thread that loaded them.

#include <QImage>
#include <QPainter>
#include <memory>
#include <vector>

#include "files/sector.h"
#include "map/sector_map.h"

namespace qelvar {

class ImageSurface;

// The size in pixels of the sector map drawn at `dotsPerInch`.
QSize sectorMapPixels(double k, double dotsPerInch);

class SectorImage {
public:
    SectorImage();
    ~SectorImage();
    SectorImage(const SectorImage&) = delete;
    SectorImage& operator=(const SectorImage&) = delete;

    // Draws the sector afresh at `dotsPerInch` (device pixels) into an image of the map's size; on a screen
    // with several device pixels to a logical one, `devicePixelRatio` of them. `bands` 0 draws one band a core.
    void draw(const Sector& sector, const SectorMapOptions& options, double dotsPerInch, double devicePixelRatio = 1,
              int bands = 0);

    // The size in device pixels.
    QSize size() const { return size_; }
    // Paints the part of the map within `exposed` (logical pixels of the map) with its top-left at the
    // painter's origin.
    void paint(QPainter& painter, const QRect& exposed) const;
    // The whole map as one image, for a file.
    QImage image() const;

private:
    class Worker;
    struct Band {
        std::unique_ptr<ImageSurface> surface;
        int top = 0;  // device pixels
    };
    void clearBands();

    std::vector<Band> bands_;
    std::vector<std::unique_ptr<Worker>> workers_;  // one for each band after the first
    QSize size_;
    double dotsPerInch_ = 0;
    double ratio_ = 1;
};

}  // namespace qelvar
