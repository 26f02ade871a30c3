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
    options.printed = true;
    prepareMapSurface(surface);
    const QRectF area = mapArea(sheet);
    const MapSize map = sectorMapSize(options.k);
    if (!tiled) {
        const double zoom = std::min(area.width() / map.width, area.height() / map.height);
        surface.setPlacement(zoom, QPointF(area.x() + (area.width() - zoom * map.width) / 2,
                                           area.y() + (area.height() - zoom * map.height) / 2));
        drawSectorMap(sector, surface, options);
        surface.setPlacement(1, QPointF(0, 0));
        return;
    }
    const TileGrid grid = tileGrid(map, sheet);
    const std::string title(trimBlanks(sector.name));
    for (int row = 1; row <= grid.rows; ++row) {
        for (int column = 1; column <= grid.columns; ++column) {
            if (row > 1 || column > 1) surface.newPage();
            surface.setPlacement(1,
                                 QPointF(area.x() - (column - 1) * (area.width() - kPosterOverlap),
                                         area.y() - (row - 1) * (area.height() - kPosterOverlap)),
                                 area);
            drawSectorMap(sector, surface, options);
            surface.setPlacement(1, QPointF(0, 0));
            drawSheetMarks(surface, sheet, row, column, grid, title);
        }
    }
}

std::string sectorMapPicture(const Sector& sector, const SectorMapOptions& options, double dpi, const char* format) {
    if (std::string_view(format) == "SVG") {
        const QSize size = sectorMapPixels(options.k, dpi);
        SvgSurface surface(size.width(), size.height(), dpi, fromBytes(std::string(trimBlanks(sector.name))));
        prepareMapSurface(surface);
        drawSectorMap(sector, surface, options);
        return surface.finish().toStdString();
    }
    SectorImage image;
    image.draw(sector, options, dpi);
    return encodedImage(image.image(), format).toStdString();
}

std::string sectorMapPdf(const Sector& sector, const SectorMapOptions& options, const PosterPaper& paper) {
    const QPageLayout layout = posterPageLayout(paper);
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(layout);
    writer.setResolution(kPdfDotsPerInch);
    writer.setTitle(fromBytes(std::string(trimBlanks(sector.name))));
    writer.setCreator(QStringLiteral("Qelvar"));
    {
        PrinterSurface surface(writer, PrinterSurface::JobEnd::NextPage);
        drawSectorPoster(sector, surface, layout.fullRect(QPageLayout::Millimeter).size(), !paper.tile.empty(),
                         options);
        surface.finish();
    }
    return pdf.toStdString();
}

}  // namespace qelvar
