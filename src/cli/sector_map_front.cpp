// The sector-map command as the parser knows it; the drawing itself is done by whichever runner is given.
#include <CLI/CLI.hpp>

#include "cli.h"
#include "map/sector_map.h"

namespace qelvar {

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
