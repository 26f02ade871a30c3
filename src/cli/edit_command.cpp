// qelvar-cli edit: the document's edits applied in the order given, then the file saved in place (only
// the lines of changed worlds are written). Nothing is written when any edit cannot apply.
#include <CLI/CLI.hpp>

#include <map>
#include <memory>

#include "cli.h"
#include "document/document_file.h"
#include "document/edits.h"
#include "files/dat.h"
#include "store/cp1252.h"
#include "store/file_io.h"
#include "store/paths.h"

namespace qelvar {

namespace {

struct EditArguments {
    std::string file, letter;
    std::vector<std::string> sets, adds, deletes, moves;
};

Hex hexArgument(const std::string& text) {
    if (const auto hex = Hex::parse(text)) return *hex;
    throw CLI::ValidationError("the hex \"" + text + "\" is not four digits inside the sector (0101 to 3240)");
}

// The edits in the order the options were given.
std::vector<std::unique_ptr<Edit>> editsInOrder(const CLI::App& command, const Document& document) {
    std::vector<std::unique_ptr<Edit>> edits;
    // The parser lists an option once for every value it took; an edit is complete with its last value.
    std::map<const CLI::Option*, std::size_t> seen;
    for (const CLI::Option* option : command.parse_order()) {
        const std::vector<std::string>& values = option->results();
        const std::string name = option->get_name();
        const std::size_t count = name == "--delete" ? 1 : 2;
        const std::size_t taken = ++seen[option];
        if (name == "FILE" || name == "--letter" || taken % count != 0 || taken > values.size()) continue;
        const std::string& first = values[taken - count];
        const std::string& second = values[taken - 1];
        if (name == "--set") {
            const auto equals = second.find('=');
            if (equals == std::string::npos) throw CLI::ValidationError("--set takes HEX FIELD=VALUE, not " + second);
            edits.push_back(std::make_unique<SetFieldEdit>(hexArgument(first), second.substr(0, equals),
                                                           second.substr(equals + 1)));
        } else if (name == "--add") {
            Result<SectorWorld> world = worldFromTabLine(document, hexArgument(first), second);
            if (!world) throw CLI::ValidationError("--add " + first + ": " + world.error());
            edits.push_back(std::make_unique<AddWorldEdit>(std::move(*world)));
        } else if (name == "--delete") {
            edits.push_back(std::make_unique<DeleteWorldEdit>(hexArgument(first)));
        } else if (name == "--move") {
            edits.push_back(std::make_unique<MoveWorldEdit>(hexArgument(first), hexArgument(second)));
        }
    }
    return edits;
}

void runEdit(CliSession& session, const CLI::App& command, const EditArguments& args) {
    if (formatOfPath(args.file) == FileFormat::Dat && args.letter.empty()) {
        const auto index = readFileBytes(joinPath(folderOf(args.file), kDataIndexName));
        if (!index || !letterFromDataIndex(*index, fileNameOf(args.file))) {
            throw CLI::ValidationError("no subsector letter for \"" + args.file +
                                       "\" in DATA.MNU beside it; give one with --letter");
        }
    }
    Result<WithNotices<Document>> opened = openDocument(args.file, args.letter);
    if (!opened) {
        session.prompter.message(opened.error(), MessageIcon::Exclamation, {});
        session.status = kExitFile;
        return;
    }
    session.prompter.tell(opened->notices);
    Document& document = opened->value;
    std::vector<std::string> done;
    for (const auto& edit : editsInOrder(command, document)) {
        if (Result<> applied = edit->apply(document); !applied) {
            session.prompter.message("nothing written to \"" + args.file + "\": " + applied.error(),
                                     MessageIcon::Exclamation, {});
            session.status = kExitUsage;
            return;
        }
        done.push_back(edit->text());
    }
    Result<Notices> saved = saveDocument(document);
    if (!saved) {
        session.prompter.message(saved.error(), MessageIcon::Exclamation, {});
        session.status = kExitFile;
        return;
    }
    session.prompter.tell(*saved);
    for (const std::string& text : done) session.out << terminalText(text) << '\n';
}

}  // namespace

void addEditCommand(CLI::App& app, CliSession& session) {
    auto args = std::make_shared<EditArguments>();
    CLI::App* command = app.add_subcommand(
        "edit", "Change the worlds of a file in the order given and save it in place, writing only the changed lines");
    command->add_option("FILE", args->file, "a sector file (.tab, .tsv, .sec), an SBS or ARP file, or a galactic DAT")
        ->required();
    addLetterOption(*command, args->letter);
    command
        ->add_option("--set", args->sets,
                     "set a field of the world at HEX: name, uwp, bases, remarks, zone, pbg, "
                     "allegiance, stars, ix, ex, cx, nobility, w, ru or another column")
        ->type_name("HEX FIELD=VALUE")
        ->type_size(2)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    command->add_option("--add", args->adds, "a world on the empty HEX, given as a line of the tab-separated format")
        ->type_name("HEX TABLINE")
        ->type_size(2)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    command->add_option("--delete", args->deletes, "remove the world at HEX")->type_name("HEX");
    command->add_option("--move", args->moves, "move the world at FROM onto the empty hex TO")
        ->type_name("FROM TO")
        ->type_size(2)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    command->callback([&session, command, args] { runEdit(session, *command, *args); });
}

}  // namespace qelvar
