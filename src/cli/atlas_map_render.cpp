// The atlas-map command with Qt's painter: many sectors of charted space as PNG, SVG, a PDF poster or
// tiles, and the drawing operations.
#include <CLI/CLI.hpp>

#include "map/atlas_map.h"
#include "map/map_drawing.h"
#include "render_command.h"
#include "sector_poster.h"
#include "seams/recording_surface.h"
#include "space/trade_routes.h"

namespace qelvar {

namespace {

constexpr double kMostPicturePixels = 256.0 * 1024 * 1024;

// The block the command asks for: round the named sectors, the area given, or every loaded sector.
Result<AtlasArea> areaFor(const ChartedSpace& space, const AtlasMapCommand& command) {
    if (!command.sectors.empty()) return atlasAreaNamed(space, command.sectors);
    if (command.area.size() == 4) {
        const auto [x1, x2] = std::minmax(command.area[0], command.area[2]);
        const auto [y1, y2] = std::minmax(command.area[1], command.area[3]);
        if (x2 - x1 >= 16 || y2 - y1 >= 16) throw CLI::ValidationError("--area takes at most 16 x 16 sectors");
        return AtlasArea{x1, y1, x2, y2};
    }
    return atlasAreaOf(space);
}

// The trade of the sectors of the block among themselves, as their routes (with their own when kept).
void addBlockTrade(ChartedSpace& space, const AtlasArea& area, bool keepOwnRoutes) {
    ChartedSpace block;
    std::vector<std::size_t> from;
    for (std::size_t i = 0; i < space.sectors.size(); ++i) {
        const PlacedSector& placed = space.sectors[i];
        if (placed.x < area.left || placed.x > area.right || placed.y < area.top || placed.y > area.bottom) continue;
        block.sectors.push_back(placed);
        from.push_back(i);
    }
    block = withTradeRoutes(std::move(block), keepOwnRoutes);
    for (std::size_t i = 0; i < from.size(); ++i) {
        space.sectors[from[i]].metadata.routes = std::move(block.sectors[i].metadata.routes);
    }
}

}  // namespace

int drawAtlasMapWithQt(CliSession& session, const AtlasMapCommand& command) {
    auto loaded = loadChartedSpace({command.in});
    if (!loaded) {
        session.prompter.message(loaded.error(), MessageIcon::Exclamation, {});
        return kExitFile;
    }
    session.prompter.tell(loaded->notices);
    ChartedSpace& space = loaded->value;
    const Result<AtlasArea> area = areaFor(space, command);
    if (!area) throw CLI::ValidationError(area.error());
    if (command.trade) addBlockTrade(space, *area, command.routes);
    const SpaceOverlay overlay = spaceOverlay(space, borderChoiceNamed(command.borders).value_or(BorderChoice::Given));
    AtlasOptions options;
    options.jump = command.jump;
    options.routes = command.routes || command.trade;
    options.overlay = &overlay;

    std::string title;
    for (const PlacedSector& placed : space.sectors) {
        if (placed.x >= area->left && placed.x <= area->right && placed.y >= area->top && placed.y <= area->bottom)
            title += (title.empty() ? "" : ", ") + placed.sector.name;
    }
    const MapDrawing drawing{atlasMapSize(*area, options.k), title,
                             [&](Surface& surface, bool printed, std::optional<MapBox> visible) {
                                 AtlasOptions drawn = options;
                                 drawn.printed = printed;
                                 drawn.visible = visible;
                                 drawAtlasMap(space, *area, surface, drawn);
                             }};
    const std::string extension = extensionOf(command.out);
    if (extension == ".png") {
        const QSize pixels = mapPixels(drawing.size, command.dpi);
        if (static_cast<double>(pixels.width()) * pixels.height() > kMostPicturePixels) {
            throw CLI::ValidationError("the map would be " + std::to_string(pixels.width()) + " x " +
                                       std::to_string(pixels.height()) +
                                       " pixels, too large for a picture: choose fewer sectors or a lower --dpi");
        }
    }
    std::string bytes;
    if (extension == ".ops") {
        RecordingSurface surface;
        prepareMapSurface(surface);
        drawing.draw(surface, false, std::nullopt);
        bytes = surface.text();
    } else {
        const auto application = startGuiApplication();
        if (extension == ".pdf") {
            bytes = mapPdf(drawing, {command.paper, command.landscape, command.tile});
        } else {
            bytes = mapPicture(drawing, command.dpi, extension == ".svg" ? "SVG" : "PNG");
        }
    }
    return writeEncodedMap(session, command.out, bytes);
}

}  // namespace qelvar
