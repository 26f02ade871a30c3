// The render command as the parser knows it; the drawing itself is done by whichever runner is given.
#include <CLI/CLI.hpp>

#include "cli/cli.h"

namespace qelvar {

void addRenderCommand(CLI::App& app, CliSession& session, RenderCommand& args, const RenderRunner& render) {
    CLI::App* command = app.add_subcommand(
        "render", "Draw the subsector map (or the sector grid); OUT's type by its extension: .png .bmp .svg .ops");
    command->add_option("IN", args.in, "the subsector file to read (SBS, ARP or galactic DAT)")->required();
    command->add_option("OUT", args.out, "the picture to write")->required()->check(
        CLI::Validator(outputExtensionCheck({".png", ".bmp", ".svg", ".ops"}), "OUT", "output type"));
    addLetterOption(*command, args.letter);
    command->add_flag("--sector-grid", args.sectorGrid, "draw the empty sector grid instead of the map");
    command->add_option("--dpi", args.dpi, "dots per inch of a PNG or BMP (default: the screen's, 96 offscreen)")
        ->check(CLI::Range(24.0, 2400.0));
    command->callback([&session, &args, render] { session.status = render(session, args); });
}

}  // namespace qelvar
