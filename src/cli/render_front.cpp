// The render command as the parser knows it; the drawing itself is done by whichever runner is given.
#include <CLI/CLI.hpp>

#include <cstdlib>

#include "cli.h"
#include "map/sector_map.h"

namespace qelvar {

void addRenderCommand(CLI::App& app, CliSession& session, RenderCommand& args, const RenderRunner& render) {
    CLI::App* command = app.add_subcommand(
        "render",
        "Draw the subsector map (or the sector grid); OUT's type by its extension: .png .bmp .svg .ops, "
        "and .pdf or .ops for a printed page (--print)");
    command->add_option("IN", args.in, "the subsector file to read (SBS, ARP or galactic DAT)")->required();
    command->add_option("OUT", args.out, "the picture to write")
        ->required()
        ->check(CLI::Validator(outputExtensionCheck({".png", ".bmp", ".svg", ".ops", ".pdf"}), "OUT", "output type"));
    addLetterOption(*command, args.letter);
    CLI::Option* grid =
        command->add_flag("--sector-grid", args.sectorGrid, "draw the empty sector grid instead of the map");
    CLI::Option* print =
        command->add_option("--print", args.printMode, "draw the printed page of a print mode (OUT .pdf or .ops)")
            ->check(CLI::IsMember({"full", "one-page", "landscape", "landscape-one-page"}))
            ->excludes(grid);
    command->add_flag("--colour", args.colour, "with --print: colour printing")->needs(print);
    command->add_flag("--listing", args.listing, "with --print: the map and the listing after it")->needs(print);
    command->add_option("--dpi", args.dpi, "dots per inch of a PNG or BMP (default: the screen's, 96 offscreen)")
        ->check(dotsPerInchCheck(24, 2400));
    addJumpOption(*command, args.jump)->excludes(grid)->excludes(print);
    command->add_option("--routes", args.routes, "the routes of this file between the subsector's own hexes")
        ->excludes(grid)
        ->excludes(print);
    command->callback([&session, &args, render] {
        const std::string extension = extensionOf(args.out);
        if (!args.printMode.empty() && extension != ".pdf" && extension != ".ops") {
            throw CLI::ValidationError("--print draws printed pages: OUT must end in .pdf or .ops");
        }
        if (args.printMode.empty() && extension == ".pdf") {
            throw CLI::ValidationError("a .pdf holds printed pages: give --print MODE");
        }
        session.status = render(session, args);
    });
}

}  // namespace qelvar
