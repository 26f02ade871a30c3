#pragma once
// The sector map as a file or on paper: a PNG or SVG at the screen scale, a PDF poster on one sheet (the map
// scaled to fit inside 10 mm margins) or tiled across sheets at full scale, with 10 mm overlap, crop marks
// and each sheet's row and column so that a person can assemble it. The command line and the Sector window
// share these.

#include <QPageLayout>
#include <QSizeF>
#include <string>

#include "files/sector.h"
#include "map/sector_map.h"
#include "sector_image.h"

namespace qelvar {

class PainterSurface;

inline constexpr double kPosterMargin = 10;   // millimetres of white at every edge of a sheet
inline constexpr double kPosterOverlap = 10;  // millimetres that neighbouring tiles share

struct PosterPaper {
    std::string paper = "A2";  // A4, A3, A2, A1 or A0 (any case)
    bool landscape = false;
    std::string tile;  // A4 or A3: the map at full scale across as many sheets of that size as it needs
};

// The sheets of a tiled poster: how many across and down.
struct TileGrid {
    int rows = 1;
    int columns = 1;
};
TileGrid tileGrid(MapSize map, QSizeF sheet);

// The page layout of the poster's sheets, without margins of the device's own.
QPageLayout posterPageLayout(const PosterPaper& paper);

// Draws the poster on a paged surface whose pages are `sheet` millimetres, from their top-left corner: on
// one page scaled to fit, or tiled when `tiled`. The map is drawn in its paper colours.
void drawSectorPoster(const Sector& sector, PainterSurface& surface, QSizeF sheet, bool tiled,
                      SectorMapOptions options);
void drawMapPoster(const MapDrawing& map, PainterSurface& surface, QSizeF sheet, bool tiled);

// The files: "PNG" or "SVG" at dpi on the screen's colours, and the PDF poster. Empty when the picture
// could not be made.
std::string sectorMapPicture(const Sector& sector, const SectorMapOptions& options, double dpi, const char* format);
std::string sectorMapPdf(const Sector& sector, const SectorMapOptions& options, const PosterPaper& paper);
// The same for any map.
std::string mapPicture(const MapDrawing& map, double dpi, const char* format);
std::string mapPdf(const MapDrawing& map, const PosterPaper& paper);

}  // namespace qelvar
