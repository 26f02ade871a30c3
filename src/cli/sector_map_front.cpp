// The sector-map command as the parser knows it; the drawing itself is done by whichever runner is given.
#include <CLI/CLI.hpp>

#include "cli.h"
#include "files/sector_folder.h"
#include "map/map_drawing.h"
#include "map/sector_map.h"
#include "sector_map_prepared.h"
#include "seams/recording_surface.h"
#include "space/space_metadata.h"
#include "space/trade_routes.h"
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

std::unique_ptr<PreparedSectorMap> prepareSectorMap(CliSession& session, const SectorMapCommand& command, int& status) {
    auto loaded = loadSectorPath(command.in);
    if (!loaded) {
        session.prompter.message(loaded.error(), MessageIcon::Exclamation, {});
        status = kExitFile;
        return nullptr;
    }
    session.prompter.tell(loaded->notices);
    auto map = std::make_unique<PreparedSectorMap>();
    map->sector = std::move(loaded->value);
    map->options.jump = command.jump;
    if (command.trade) map->options.routes = sectorTradeRoutes(map->sector);
    std::vector<Route> routes;
    if (!routesFor(session, command, routes)) {
        status = kExitFile;
        return nullptr;
    }
    map->options.routes.insert(map->options.routes.end(), routes.begin(), routes.end());
    // The sector alone in charted space, with its metadata's borders, regions and labels.
    ChartedSpace space;
    space.sectors.push_back({command.in, 0, 0, map->sector, {}});
    if (const std::string metadataPath = sectorRoutesPath(command.in); !metadataPath.empty()) {
        if (const Result<std::string> bytes = readFileBytes(metadataPath); bytes) {
            if (auto metadata = readSpaceMetadata(*bytes)) space.sectors[0].metadata = std::move(metadata->value);
        }
    }
    map->overlay = spaceOverlay(space, borderChoiceNamed(command.borders).value_or(BorderChoice::Given));
    if (!map->overlay.empty()) map->options.overlay = &map->overlay;
    return map;
}

int drawSectorMapOperations(CliSession& session, const SectorMapCommand& command) {
    int status = kExitOk;
    const auto map = prepareSectorMap(session, command, status);
    if (!map) return status;
    RecordingSurface surface;
    prepareMapSurface(surface);
    drawSectorMap(map->sector, surface, map->options);
    return writeOutput(session, command.out, surface.text());
}

void addSectorMapCommand(CLI::App& app, CliSession& session, SectorMapCommand& args, const SectorMapRunner& sectorMap) {
    CLI::App* command = app.add_subcommand(
        "sector-map",
        "Draw the whole sector on one map; OUT's type by its extension: .png .svg .ops, or .pdf for a poster "
        "on one sheet or tiled across several");
    command
        ->add_option("IN", args.in,
                     "the sector: a sector file (.tab .tsv .sec), a folder of subsector files (DAT with "
                     "DATA.MNU, or SBS and ARP), or a DAT file with DATA.MNU beside it")
        ->required();
    command->add_option("OUT", args.out, "the picture to write")
        ->required()
        ->check(CLI::Validator(outputExtensionCheck({".png", ".svg", ".pdf", ".ops"}), "OUT", "output type"));
    command->add_option("--dpi", args.dpi, "dots per inch of a PNG or SVG (default 96)")
        ->check(dotsPerInchCheck(24, 600));
    addJumpOption(*command, args.jump);
    command->add_option("--routes", args.routes,
                        "the routes from this file (root <Sector> or <Routes>) instead of the sector's own");
    addBordersOption(*command, args.borders);
    addSheetOptions(*command, args.paper, args.tile, args.landscape, args.out);
    command->add_flag("--trade", args.trade,
                      "the sector's trade routes (jump 4, least BTN 13) under the worlds, by class");
    command->callback([&session, &args, sectorMap] { session.status = sectorMap(session, args); });
}

void addBordersOption(CLI::App& command, std::string& borders) {
    command
        .add_option("--borders", borders,
                    "the polities' borders: given (the metadata's, the default), made (from the worlds' "
                    "allegiances) or none")
        ->check(CLI::IsMember({"given", "made", "none"}));
}

void addSheetOptions(CLI::App& command, std::string& paper, std::string& tile, bool& landscape,
                     const std::string& out) {
    CLI::Option* paperOption = command.add_option("--paper", paper, "the sheet of a PDF poster (default A2)")
                                   ->check(CLI::IsMember({"A4", "A3", "A2", "A1", "A0"}, CLI::ignore_case));
    CLI::Option* tileOption =
        command.add_option("--tile", tile, "a PDF across sheets of this size at full scale, to assemble")
            ->check(CLI::IsMember({"A4", "A3"}, CLI::ignore_case))
            ->excludes(paperOption);
    command.add_flag("--landscape", landscape, "sheets turned sideways");
    command.parse_complete_callback([paperOption, tileOption, &landscape, &out] {
        const bool sheets = paperOption->count() > 0 || tileOption->count() > 0 || landscape;
        if (sheets && extensionOf(out) != ".pdf") {
            throw CLI::ValidationError("--paper, --tile and --landscape lay out sheets: OUT must end in .pdf");
        }
    });
}

}  // namespace qelvar
