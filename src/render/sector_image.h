#pragma once
// The sector map as the screen shows it, drawn in horizontal bands: each band on its own thread and its own
// image, so that a redraw of the whole sector uses every core. The bands' surfaces are kept from one redraw to
// the next at the same size, so that the texts laid out once serve every later redraw. A band stays with its
// thread for its whole life: Qt's fonts belong to the thread that loaded them.

#include <QImage>
#include <QPainter>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/sector.h"
#include "map/sector_map.h"

namespace qelvar {

class ImageSurface;

// A map to draw: its size in millimetres, its title (Windows-1252), and the drawing on a prepared surface,
// which it clears itself; in paper colours when `printed`, and only what lies in `visible` when given.
struct MapDrawing {
    MapSize size;
    std::string title;
    std::function<void(Surface& surface, bool printed, std::optional<MapBox> visible)> draw;
};
MapDrawing sectorMapDrawing(const Sector& sector, const SectorMapOptions& options);

// The size in pixels of a map drawn at `dotsPerInch`.
QSize mapPixels(MapSize size, double dotsPerInch);
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
    // The same for any map.
    void draw(const MapDrawing& map, double dotsPerInch, double devicePixelRatio = 1, int bands = 0);

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
