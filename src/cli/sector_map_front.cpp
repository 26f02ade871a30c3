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
    CLI::Option* paper = command->add_option("--paper", args.paper, "the sheet of a PDF poster (default A2)")
                             ->check(CLI::IsMember({"A4", "A3", "A2", "A1", "A0"}, CLI::ignore_case));
    command->add_option("--tile", args.tile, "a PDF across sheets of this size at full scale, to assemble")
        ->check(CLI::IsMember({"A4", "A3"}, CLI::ignore_case))
        ->excludes(paper);
    command->add_flag("--landscape", args.landscape, "sheets turned sideways");
    command->add_flag("--trade", args.trade,
                      "the sector's trade routes (jump 4, least BTN 13) under the worlds, by class");
    command->callback([&session, &args, paper, sectorMap, command] {
        const bool sheets = paper->count() > 0 || command->count("--tile") > 0 || args.landscape;
        if (sheets && extensionOf(args.out) != ".pdf") {
            throw CLI::ValidationError("--paper, --tile and --landscape lay out sheets: OUT must end in .pdf");
        }
        session.status = sectorMap(session, args);
    });
}

}  // namespace qelvar
