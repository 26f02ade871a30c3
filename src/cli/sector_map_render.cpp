// The sector-map command with Qt's painter: PNG and SVG at the screen scale, a PDF poster on one sheet or
// tiled across several, and the drawing operations.
#include "files/sector_folder.h"
#include "map/map_drawing.h"
#include "map/sector_map.h"
#include "map/space_overlay.h"
#include "render_command.h"
#include "sector_poster.h"
#include "seams/recording_surface.h"
#include "space/trade_routes.h"
#include "space/space_metadata.h"
#include "store/file_io.h"

namespace qelvar {

namespace {

// The routes of --routes, else those of the sector's own metadata file (whose problems are only told).
bool routesFor(CliSession& session, const SectorMapCommand& command, std::vector<Route>& routes) {
    const std::string path = command.routes.empty() ? sectorRoutesPath(command.in) : command.routes;
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
    if (command.trade) options.routes = sectorTradeRoutes(sector);
    std::vector<Route> routes;
    if (!routesFor(session, command, routes)) return kExitFile;
    options.routes.insert(options.routes.end(), routes.begin(), routes.end());
    // The sector alone in charted space, with its metadata's borders, regions and labels.
    ChartedSpace space;
    space.sectors.push_back({command.in, 0, 0, sector, {}});
    if (const std::string metadataPath = sectorRoutesPath(command.in); !metadataPath.empty()) {
        if (const Result<std::string> bytes = readFileBytes(metadataPath); bytes) {
            if (auto metadata = readSpaceMetadata(*bytes)) space.sectors[0].metadata = std::move(metadata->value);
        }
    }
    const SpaceOverlay overlay = spaceOverlay(space, borderChoiceNamed(command.borders).value_or(BorderChoice::Given));
    if (!overlay.empty()) options.overlay = &overlay;

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
            bytes = sectorMapPdf(sector, options, {command.paper, command.landscape, command.tile});
        } else {
            bytes = sectorMapPicture(sector, options, command.dpi, extension == ".svg" ? "SVG" : "PNG");
        }
    }
    return writeEncodedMap(session, command.out, bytes);
}

}  // namespace qelvar
