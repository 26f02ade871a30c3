// The commands that only read and write data: they load no Qt library.
#include <CLI/CLI.hpp>

#include <memory>

#include "cli.h"
#include "file_commands.h"
#include "store/cp1252.h"
#include "files/sbs.h"
#include "files/sector_file.h"
#include "reports/listing.h"

namespace qelvar {

void addConvertCommand(CLI::App& app, CliSession& session) {
    struct Arguments {
        std::string in, out, letter, sectorFormat;
    };
    auto args = std::make_shared<Arguments>();
    CLI::App* command = app.add_subcommand(
        "convert",
        "Convert a subsector or sector file; OUT's type by its extension: .sbs .arp .htm/.html (the HTML "
        "table), .tab/.tsv (tab-separated sector), .txt (column sector) or .sec (legacy sector, or --sector-format "
        "columns)");
    command->add_option("IN", args->in, "the file to read (SBS, ARP, galactic DAT, or a sector file by content)")
        ->required();
    std::vector<std::string> outputs(std::begin(kConvertOutputs), std::end(kConvertOutputs));
    outputs.insert(outputs.end(), {".tab", ".tsv", ".sec", ".txt"});
    command->add_option("OUT", args->out, "the file to write")
        ->required()
        ->check(CLI::Validator(outputExtensionCheck(outputs), "OUT", "output type"));
    addLetterOption(*command, args->letter)
        ->description(
            "the subsector letter A to P: of a galactic DAT file (before DATA.MNU), or taken out of a "
            "sector file");
    command->add_option("--sector-format", args->sectorFormat, "a sector OUT's format: tab, columns or legacy")
        ->type_name("F")
        ->check(CLI::IsMember({"tab", "columns", "legacy"}));
    command->callback([&session, args] {
        if (isSectorFile(args->in) || isSectorFileName(args->out)) {
            session.status = convertWithSectors(session, args->in, args->out, args->letter, args->sectorFormat);
            return;
        }
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
