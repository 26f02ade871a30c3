// The commands that only read and write data: they load no Qt library.
#include <CLI/CLI.hpp>

#include <memory>

#include "cli.h"
#include "file_commands.h"
#include "store/cp1252.h"
#include "files/sbs.h"
#include "reports/listing.h"

namespace qelvar {

void addConvertCommand(CLI::App& app, CliSession& session) {
    struct Arguments {
        std::string in, out, letter;
    };
    auto args = std::make_shared<Arguments>();
    CLI::App* command = app.add_subcommand(
        "convert", "Convert a subsector file; OUT's type by its extension: .sbs .arp .htm/.html (the HTML table)");
    command->add_option("IN", args->in, "the subsector file to read (SBS, ARP or galactic DAT)")->required();
    command->add_option("OUT", args->out, "the file to write")
        ->required()
        ->check(CLI::Validator(outputExtensionCheck({std::begin(kConvertOutputs), std::end(kConvertOutputs)}), "OUT",
                               "output type"));
    addLetterOption(*command, args->letter);
    command->callback([&session, args] {
        if (!loadInput(session, args->in, args->letter)) {
            session.status = kExitFile;
            return;
        }
        session.status = writeConvertedFile(session.store, session.prompter, args->out);
    });
}

void addListCommand(CLI::App& app, CliSession& session) {
    struct Arguments {
        std::string in, letter;
    };
    auto args = std::make_shared<Arguments>();
    CLI::App* command = app.add_subcommand("list", "Print the subsector listing as text");
    command->add_option("IN", args->in, "the subsector file to read (SBS, ARP or galactic DAT)")->required();
    addLetterOption(*command, args->letter);
    command->callback([&session, args] {
        if (!loadInput(session, args->in, args->letter)) {
            session.status = kExitFile;
            return;
        }
        const auto listing = listingLines(session.store);
        session.prompter.tell(listing.notices);
        for (const std::string& line : listing.value) session.out << terminalText(line) << '\n';
    });
}

}  // namespace qelvar
