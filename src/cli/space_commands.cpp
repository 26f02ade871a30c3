// The commands over charted space that need no drawing: borders made from allegiances.
#include <CLI/CLI.hpp>

#include <memory>

#include "cli.h"
#include "files/sector_file.h"
#include "space/border_writing.h"
#include "space/borders.h"
#include "store/paths.h"

namespace qelvar {

namespace {

struct BordersCommand {
    std::string in;
    int distance = kDefaultBorderDistance;
    bool write = false;
};

int runBorders(CliSession& session, const BordersCommand& args) {
    auto loaded = loadChartedSpace({args.in});
    if (!loaded) {
        session.prompter.message(loaded.error(), MessageIcon::Exclamation, {});
        return kExitFile;
    }
    session.prompter.tell(loaded->notices);
    const ChartedSpace& space = loaded->value;
    const std::vector<Polity> polities = madeBorders(space, args.distance);
    int status = kExitOk;
    for (const PlacedSector& placed : space.sectors) {
        if (args.write) {
            if (Result<> written = writeSectorBorders(placed, polities); !written) {
                session.prompter.message(written.error(), MessageIcon::Exclamation, {});
                status = kExitFile;
            }
            continue;
        }
        if (space.sectors.size() > 1) session.out << "<!-- " << fileNameOf(sectorMetadataPath(placed.path)) << " -->\n";
        session.out << formatBordersElement(placed, polities, "", "\n") << '\n';
    }
    return status;
}

}  // namespace

void addAtlasMapCommand(CLI::App& app, CliSession& session, AtlasMapCommand& args, const AtlasMapRunner& atlasMap) {
    CLI::App* command = app.add_subcommand(
        "atlas-map",
        "Draw many sectors side by side, each placed by the X and Y of its metadata, with their borders, regions "
        "and labels; OUT's type by its extension: .png .svg .ops, or .pdf for a poster on one sheet or tiled");
    command->add_option("IN", args.in, "a folder of sector files (.tab .tsv .sec .txt) with their metadata files")
        ->required();
    command->add_option("OUT", args.out, "the picture to write")
        ->required()
        ->check(CLI::Validator(outputExtensionCheck({".png", ".svg", ".pdf", ".ops"}), "OUT", "output type"));
    CLI::Option* sectors =
        command->add_option("--sectors", args.sectors, "the block round these sectors (names, comma-separated)")
            ->delimiter(',')
            ->type_name("NAME,NAME...");
    command->add_option("--area", args.area, "the block of sector places from X1,Y1 to X2,Y2")
        ->delimiter(',')
        ->expected(4)
        ->type_name("X1,Y1,X2,Y2")
        ->check(CLI::Range(-kFarthestSector, kFarthestSector))
        ->excludes(sectors);
    command->add_option("--dpi", args.dpi, "dots per inch of a PNG or SVG (default 96)")
        ->check(dotsPerInchCheck(24, 600));
    addJumpOption(*command, args.jump);
    command->add_flag("--routes", args.routes, "the routes of the sectors' metadata, across sector edges");
    command->add_flag("--trade", args.trade,
                      "the trade routes of the sectors loaded (jump 4, least BTN 13) by class, across sector edges");
    addBordersOption(*command, args.borders);
    addSheetOptions(*command, args.paper, args.tile, args.landscape, args.out);
    command->callback([&session, &args, atlasMap] { session.status = atlasMap(session, args); });
}

void addBordersCommand(CLI::App& app, CliSession& session) {
    auto args = std::make_shared<BordersCommand>();
    CLI::App* command = app.add_subcommand(
        "borders",
        "Make polity borders from the worlds' allegiances and print them as the metadata's Borders element, "
        "or write them into each sector's metadata file");
    command->add_option("IN", args->in, "a sector file, or a folder of sector files placed by their metadata")
        ->required();
    command
        ->add_option("--distance", args->distance,
                     "hexes a world claims around it (default " + std::to_string(kDefaultBorderDistance) + ")")
        ->check(CLI::Range(0, 10));
    command->add_flag("--write", args->write,
                      "replace the Borders element of each sector's metadata file, keeping the rest as it is");
    command->callback([&session, args] { session.status = runBorders(session, *args); });
}

}  // namespace qelvar
