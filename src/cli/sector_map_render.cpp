// The sector-map command with Qt's painter: PNG and SVG at the screen scale, a PDF poster on one sheet or
// tiled across several (the drawing operations need no Qt: the front end writes them itself).
#include "render_command.h"
#include "sector_map_prepared.h"
#include "sector_poster.h"

namespace qelvar {

int drawSectorMapWithQt(CliSession& session, const SectorMapCommand& command) {
    const std::string extension = extensionOf(command.out);
    if (extension == ".ops") return drawSectorMapOperations(session, command);
    int status = kExitOk;
    const auto map = prepareSectorMap(session, command, status);
    if (!map) return status;
    const auto application = startGuiApplication();
    const std::string bytes =
        extension == ".pdf"
            ? sectorMapPdf(map->sector, map->options, {command.paper, command.landscape, command.tile})
            : sectorMapPicture(map->sector, map->options, command.dpi, extension == ".svg" ? "SVG" : "PNG");
    return writeEncodedMap(session, command.out, bytes);
}

}  // namespace qelvar
