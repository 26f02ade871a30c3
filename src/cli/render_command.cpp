#include "cli/render_command.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstdio>
#include <memory>

#include "map/map_drawing.h"
#include "platform/qt/painter_surface.h"
#include "platform/qt/text_codec.h"
#include "platform/recording_surface.h"

namespace qelvar {

namespace {

// Fonts need a QGuiApplication, made here only when a picture is drawn.
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

double screenDotsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 0;
    return dpi > 0 ? dpi : 96;
}

// The map or the sector grid, with the map's notices told.
void draw(CliSession& session, Surface& surface, bool sectorGrid) {
    prepareMapSurface(surface);
    if (sectorGrid) {
        drawSectorGrid(surface);
    } else {
        session.prompter.tell(drawSubsectorMap(session.store, surface));
    }
}

}  // namespace

int renderWithQt(CliSession& session, const RenderCommand& command) {
    if (!loadInput(session, command.in, command.letter)) return kExitFile;
    const std::string extension = extensionOf(command.out);
    std::string bytes;
    if (extension == ".ops") {
        RecordingSurface surface;
        draw(session, surface, command.sectorGrid);
        bytes = surface.text();
    } else {
        const auto application = startGuiApplication();
        const double dpi = command.dpi > 0 ? command.dpi : screenDotsPerInch();
        const int width = twipsToDots(kMapSurfaceWidthTwips, dpi);
        const int height = twipsToDots(kMapSurfaceHeightTwips, dpi);
        if (extension == ".svg") {
            SvgSurface surface(width, height, dpi, fromBytes(session.store.appTitle));
            draw(session, surface, command.sectorGrid);
            bytes = surface.finish().toStdString();
        } else {
            ImageSurface surface(width, height, dpi);
            draw(session, surface, command.sectorGrid);
            bytes = surface.encoded(extension == ".png" ? "PNG" : "BMP").toStdString();
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
