// The sector-map command with Qt's painter: PNG and SVG at the screen scale, a PDF poster on one sheet or
// tiled across several, and the drawing operations.
#include <QBuffer>
#include <QPageLayout>
#include <QPdfWriter>
#include <cmath>

#include "files/sector_folder.h"
#include "map/map_drawing.h"
#include "map/sector_map.h"
#include "painter_surface.h"
#include "render_command.h"
#include "seams/recording_surface.h"
#include "store/text.h"
#include "text_codec.h"

namespace qelvar {

namespace {

constexpr double kSheetMargin = 10;    // millimetres of white at every edge of a sheet
constexpr double kTileOverlap = 10;    // millimetres that neighbouring tiles share
constexpr double kCropMarkLength = 6;  // millimetres
constexpr int kPdfDotsPerInch = 300;
constexpr double kMillimetresPerInch = 25.4;

QPageSize::PageSizeId paperNamed(const std::string& name) {
    const std::string upper = upperAscii(name);
    if (upper == "A4") return QPageSize::A4;
    if (upper == "A3") return QPageSize::A3;
    if (upper == "A1") return QPageSize::A1;
    if (upper == "A0") return QPageSize::A0;
    return QPageSize::A2;
}

// The routes of --routes, else those of the sector's own metadata file (whose problems are only told).
bool routesFor(CliSession& session, const SectorMapCommand& command, std::vector<Route>& routes) {
    const std::string path = command.routes.empty() ? sectorMetadataPath(command.in) : command.routes;
    if (path.empty()) return true;
    auto read = readRoutesFile(path);
    if (!read) {
        session.prompter.message(read.error(), MessageIcon::Exclamation, {});
        return command.routes.empty();
    }
    session.prompter.tell(read->notices);
    routes = std::move(read->value);
    return true;
}

// Crop marks at the corners of the sheet's map area, outside it, and the sheet's place in the poster.
void drawSheetMarks(Surface& surface, QSizeF sheet, int row, int column, int rows, int columns,
                    const std::string& title) {
    surface.setForeColour(colours::kBlack);
    surface.setDrawStyle(LineStyle::Solid);
    surface.setDrawWidth(1);
    const double left = kSheetMargin;
    const double top = kSheetMargin;
    const double right = sheet.width() - kSheetMargin;
    const double bottom = sheet.height() - kSheetMargin;
    for (const double x : {left, right}) {
        for (const double y : {top, bottom}) {
            const double outX = x == left ? -1 : 1;
            const double outY = y == top ? -1 : 1;
            surface.line(x + outX, y, x + outX * kCropMarkLength, y);
            surface.line(x, y + outY, x, y + outY * kCropMarkLength);
        }
    }
    surface.setFont({kMapFont, kMapFontSize, false, false});
    surface.setPen(left + kCropMarkLength, bottom + 2);
    surface.print(std::to_string(row) + "/" + std::to_string(column) + " (row/column of " + std::to_string(rows) +
                  " x " + std::to_string(columns) + " sheets) " + title);
}

std::string drawPdf(const Sector& sector, const SectorMapCommand& command, SectorMapOptions options) {
    options.printed = true;
    const bool tiled = !command.tile.empty();
    const QPageLayout layout(QPageSize(paperNamed(tiled ? command.tile : command.paper)),
                             command.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                             QPageLayout::Millimeter);
    const QSizeF sheet = layout.fullRect(QPageLayout::Millimeter).size();
    const QRectF area(kSheetMargin, kSheetMargin, sheet.width() - 2 * kSheetMargin, sheet.height() - 2 * kSheetMargin);
    const MapSize map = sectorMapSize(options.k);

    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageLayout(layout);
    writer.setResolution(kPdfDotsPerInch);
    writer.setTitle(fromBytes(std::string(trimBlanks(sector.name))));
    writer.setCreator(QStringLiteral("qelvar-cli"));
    {
        PrinterSurface surface(writer, PrinterSurface::JobEnd::NextPage);
        prepareMapSurface(surface);
        if (!tiled) {
            const double zoom = std::min(area.width() / map.width, area.height() / map.height);
            const QPointF offset(area.x() + (area.width() - zoom * map.width) / 2,
                                 area.y() + (area.height() - zoom * map.height) / 2);
            surface.setPlacement(zoom, offset);
            drawSectorMap(sector, surface, options);
        } else {
            const double stepX = area.width() - kTileOverlap;
            const double stepY = area.height() - kTileOverlap;
            const int columns = std::max(1, static_cast<int>(std::ceil((map.width - kTileOverlap) / stepX)));
            const int rows = std::max(1, static_cast<int>(std::ceil((map.height - kTileOverlap) / stepY)));
            for (int row = 1; row <= rows; ++row) {
                for (int column = 1; column <= columns; ++column) {
                    if (row > 1 || column > 1) surface.newPage();
                    surface.setPlacement(1, QPointF(area.x() - (column - 1) * stepX, area.y() - (row - 1) * stepY),
                                         area);
                    drawSectorMap(sector, surface, options);
                    surface.setPlacement(1, QPointF(0, 0));
                    drawSheetMarks(surface, sheet, row, column, rows, columns, std::string(trimBlanks(sector.name)));
                }
            }
        }
        surface.finish();
    }
    return pdf.toStdString();
}

}  // namespace

int drawSectorMapWithQt(CliSession& session, const SectorMapCommand& command) {
    auto loaded = loadSectorPath(command.in);
    if (!loaded) {
        session.prompter.message(loaded.error(), MessageIcon::Exclamation, {});
        return kExitFile;
    }
    session.prompter.tell(loaded->notices);
    const Sector& sector = loaded->value;
    SectorMapOptions options;
    options.jump = command.jump;
    if (!routesFor(session, command, options.routes)) return kExitFile;

    const std::string extension = extensionOf(command.out);
    std::string bytes;
    if (extension == ".ops") {
        RecordingSurface surface;
        prepareMapSurface(surface);
        drawSectorMap(sector, surface, options);
        bytes = surface.text();
    } else {
        const auto application = startGuiApplication();
        if (extension == ".pdf") {
            bytes = drawPdf(sector, command, options);
        } else {
            const MapSize size = sectorMapSize(options.k);
            const int width = static_cast<int>(std::ceil(size.width / kMillimetresPerInch * command.dpi));
            const int height = static_cast<int>(std::ceil(size.height / kMillimetresPerInch * command.dpi));
            if (extension == ".svg") {
                SvgSurface surface(width, height, command.dpi, fromBytes(std::string(trimBlanks(sector.name))));
                prepareMapSurface(surface);
                drawSectorMap(sector, surface, options);
                bytes = surface.finish().toStdString();
            } else {
                ImageSurface surface(width, height, command.dpi);
                prepareMapSurface(surface);
                drawSectorMap(sector, surface, options);
                bytes = surface.encoded("PNG").toStdString();
            }
        }
    }
    if (bytes.empty()) {
        session.prompter.message("Cannot write \"" + command.out + "\": the map could not be encoded",
                                 MessageIcon::Exclamation, {});
        return kExitFile;
    }
    return writeOutput(session, command.out, bytes);
}

}  // namespace qelvar
