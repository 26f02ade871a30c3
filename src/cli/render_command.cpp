#include "render_command.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPdfWriter>
#include <QScreen>
#include <cstdio>
#include <memory>

#include "map/map_drawing.h"
#include "store/startup.h"
#include "map/map_printing.h"
#include "painter_surface.h"
#include "text_codec.h"
#include "seams/recording_surface.h"

namespace qelvar {

std::unique_ptr<QGuiApplication> startGuiApplication() {
    if (QCoreApplication::instance()) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's own start-up notices (a missing runtime folder and the like) are no concern of the user here.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "qelvar-cli: %s\n", qPrintable(text));
    });
    static int argc = 1;
    static char name[] = "qelvar-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

namespace {

double screenDotsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 0;
    return dpi > 0 ? dpi : 96;
}

// The map or the sector grid, with the map's notices told.
void draw(CliSession& session, Surface& surface, bool sectorGrid, const MapLinks& links) {
    prepareMapSurface(surface);
    if (sectorGrid) {
        drawSectorGrid(surface);
    } else {
        session.prompter.tell(drawSubsectorMap(session.store, surface, links));
    }
}

// The options window's choices that a print mode stands for.
PrintOptions printOptionsOf(const RenderCommand& command) {
    PrintOptions options;
    options.scaleToOnePage = command.printMode == "one-page" || command.printMode == "landscape-one-page";
    options.landscape = command.printMode == "landscape" || command.printMode == "landscape-one-page";
    options.colour = command.colour;
    options.withListing = command.listing;
    return options;
}

// The paper of the printed pages: A4 with 5 mm unprintable edges, turned for the landscape modes (the
// printer setup of the desktop program).
constexpr double kPaperMarginMillimetres = 5;
QPageLayout paperFor(const PrintOptions& options) {
    return QPageLayout(
        QPageSize(QPageSize::A4), options.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(kPaperMarginMillimetres, kPaperMarginMillimetres, kPaperMarginMillimetres, kPaperMarginMillimetres),
        QPageLayout::Millimeter);
}

// The printed pages as "Print" makes them, every print job ending on a page of its own.
std::string renderPrintedPages(CliSession& session, const RenderCommand& command) {
    const PrintOptions options = printOptionsOf(command);
    const QPageLayout paper = paperFor(options);
    if (extensionOf(command.out) == ".ops") {
        RecordingSurface surface;
        surface.setPageHeight(paper.paintRect(QPageLayout::Millimeter).height());
        printMap(session.store, surface, options, session.prompter);
        return surface.text();
    }
    const auto application = startGuiApplication();
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setPageLayout(paper);
        writer.setTitle(fromBytes(applicationTitle()));
        writer.setCreator(QStringLiteral("qelvar-cli"));
        PrinterSurface surface(writer, PrinterSurface::JobEnd::NextPage);
        printMap(session.store, surface, options, session.prompter);
        surface.finish();
    }
    return pdf.toStdString();
}

}  // namespace

int renderWithQt(CliSession& session, const RenderCommand& command) {
    if (!loadInput(session, command.in, command.letter)) return kExitFile;
    MapLinks links;
    links.jump = command.jump;
    if (!command.routes.empty()) {
        auto routes = readRoutesFile(command.routes);
        if (!routes) {
            session.prompter.message(routes.error(), MessageIcon::Exclamation, {});
            return kExitFile;
        }
        session.prompter.tell(routes->notices);
        links.routes = std::move(routes->value);
    }
    const std::string extension = extensionOf(command.out);
    std::string bytes;
    if (!command.printMode.empty()) {
        bytes = renderPrintedPages(session, command);
    } else if (extension == ".ops") {
        RecordingSurface surface;
        draw(session, surface, command.sectorGrid, links);
        bytes = surface.text();
    } else {
        const auto application = startGuiApplication();
        const double dpi = command.dpi > 0 ? command.dpi : screenDotsPerInch();
        const int width = twipsToDots(kMapSurfaceWidthTwips, dpi);
        const int height = twipsToDots(kMapSurfaceHeightTwips, dpi);
        if (extension == ".svg") {
            SvgSurface surface(width, height, dpi, fromBytes(applicationTitle()));
            draw(session, surface, command.sectorGrid, links);
            bytes = surface.finish().toStdString();
        } else {
            ImageSurface surface(width, height, dpi);
            draw(session, surface, command.sectorGrid, links);
            bytes = surface.encoded(extension == ".png" ? "PNG" : "BMP").toStdString();
        }
    }
    return writeEncodedMap(session, command.out, bytes);
}

int writeEncodedMap(CliSession& session, const std::string& path, const std::string& bytes) {
    if (bytes.empty()) {
        session.prompter.message("Cannot write \"" + path + "\": the map could not be encoded",
                                 MessageIcon::Exclamation, {});
        return kExitFile;
    }
    return writeOutput(session, path, bytes);
}

}  // namespace qelvar
