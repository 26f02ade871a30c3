#include "sector_poster.h"

#include <QBuffer>
#include <QPdfWriter>
#include <cmath>

#include "map/map_drawing.h"
#include "painter_surface.h"
#include "sector_image.h"
#include "store/text.h"
#include "text_codec.h"

namespace qelvar {

namespace {

constexpr double kCropMarkLength = 6;  // millimetres
constexpr int kPdfDotsPerInch = 300;

QPageSize::PageSizeId paperNamed(const std::string& name) {
    const std::string upper = upperAscii(name);
    if (upper == "A4") return QPageSize::A4;
    if (upper == "A3") return QPageSize::A3;
    if (upper == "A1") return QPageSize::A1;
    if (upper == "A0") return QPageSize::A0;
    return QPageSize::A2;
}

QRectF mapArea(QSizeF sheet) {
    return {kPosterMargin, kPosterMargin, sheet.width() - 2 * kPosterMargin, sheet.height() - 2 * kPosterMargin};
}

// Crop marks at the corners of the sheet's map area, outside it, and the sheet's place in the poster.
void drawSheetMarks(Surface& surface, QSizeF sheet, int row, int column, TileGrid grid, const std::string& title) {
    surface.setForeColour(colours::kBlack);
    surface.setDrawStyle(LineStyle::Solid);
    surface.setDrawWidth(1);
    const QRectF area = mapArea(sheet);
    for (const double x : {area.left(), area.right()}) {
        for (const double y : {area.top(), area.bottom()}) {
            const double outX = x == area.left() ? -1 : 1;
            const double outY = y == area.top() ? -1 : 1;
            surface.line(x + outX, y, x + outX * kCropMarkLength, y);
            surface.line(x, y + outY, x, y + outY * kCropMarkLength);
        }
    }
    surface.setFont({kMapFont, kMapFontSize, false, false});
    surface.setPen(area.left() + kCropMarkLength, area.bottom() + 2);
    surface.print(std::to_string(row) + "/" + std::to_string(column) + " (row/column of " + std::to_string(grid.rows) +
                  " x " + std::to_string(grid.columns) + " sheets) " + title);
}

}  // namespace

TileGrid tileGrid(MapSize map, QSizeF sheet) {
    const QRectF area = mapArea(sheet);
    const double stepX = area.width() - kPosterOverlap;
    const double stepY = area.height() - kPosterOverlap;
    if (stepX <= 0 || stepY <= 0) return {};
    return {std::max(1, static_cast<int>(std::ceil((map.height - kPosterOverlap) / stepY))),
            std::max(1, static_cast<int>(std::ceil((map.width - kPosterOverlap) / stepX)))};
}

QPageLayout posterPageLayout(const PosterPaper& paper) {
    return QPageLayout(QPageSize(paperNamed(paper.tile.empty() ? paper.paper : paper.tile)),
                       paper.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

void drawSectorPoster(const Sector& sector, PainterSurface& surface, QSizeF sheet, bool tiled,
                      SectorMapOptions options) {
    drawMapPoster(sectorMapDrawing(sector, options), surface, sheet, tiled);
}

void drawMapPoster(const MapDrawing& drawing, PainterSurface& surface, QSizeF sheet, bool tiled) {
    prepareMapSurface(surface);
    const QRectF area = mapArea(sheet);
    const MapSize map = drawing.size;
    if (!tiled) {
        const double zoom = std::min(area.width() / map.width, area.height() / map.height);
        surface.setPlacement(zoom, QPointF(area.x() + (area.width() - zoom * map.width) / 2,
                                           area.y() + (area.height() - zoom * map.height) / 2));
        drawing.draw(surface, true, std::nullopt);
        surface.setPlacement(1, QPointF(0, 0));
        return;
    }
    const TileGrid grid = tileGrid(map, sheet);
    const std::string& title = drawing.title;
    for (int row = 1; row <= grid.rows; ++row) {
        for (int column = 1; column <= grid.columns; ++column) {
            if (row > 1 || column > 1) surface.newPage();
            surface.setPlacement(1,
                                 QPointF(area.x() - (column - 1) * (area.width() - kPosterOverlap),
                                         area.y() - (row - 1) * (area.height() - kPosterOverlap)),
                                 area);
            const double left = (column - 1) * (area.width() - kPosterOverlap);
            const double top = (row - 1) * (area.height() - kPosterOverlap);
            drawing.draw(surface, true, MapBox{left, top, left + area.width(), top + area.height()});
            surface.setPlacement(1, QPointF(0, 0));
            drawSheetMarks(surface, sheet, row, column, grid, title);
        }
    }
}

std::string sectorMapPicture(const Sector& sector, const SectorMapOptions& options, double dpi, const char* format) {
    return mapPicture(sectorMapDrawing(sector, options), dpi, format);
}

std::string mapPicture(const MapDrawing& map, double dpi, const char* format) {
    if (std::string_view(format) == "SVG") {
        const QSize size = mapPixels(map.size, dpi);
        SvgSurface surface(size.width(), size.height(), dpi, fromBytes(map.title));
        prepareMapSurface(surface);
        map.draw(surface, false, std::nullopt);
        return surface.finish().toStdString();
    }
    SectorImage image;
    image.draw(map, dpi);
    return encodedImage(image.image(), format).toStdString();
}

std::string sectorMapPdf(const Sector& sector, const SectorMapOptions& options, const PosterPaper& paper) {
    return mapPdf(sectorMapDrawing(sector, options), paper);
}

std::string mapPdf(const MapDrawing& map, const PosterPaper& paper) {
    const QPageLayout layout = posterPageLayout(paper);
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(layout);
    writer.setResolution(kPdfDotsPerInch);
    writer.setTitle(fromBytes(map.title));
    writer.setCreator(QStringLiteral("Qelvar"));
    {
        PrinterSurface surface(writer, PrinterSurface::JobEnd::NextPage);
        drawMapPoster(map, surface, layout.fullRect(QPageLayout::Millimeter).size(), !paper.tile.empty());
        surface.finish();
    }
    return pdf.toStdString();
}

}  // namespace qelvar
