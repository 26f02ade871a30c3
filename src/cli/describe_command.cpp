// The describe and descriptions commands: data only, no Qt.
#include "describe_command.h"

#include <CLI/CLI.hpp>

#include <memory>

#include "cli.h"
#include "store/codes.h"
#include "store/cp1252.h"
#include "details/description_table.h"
#include "details/world_details.h"

namespace qelvar {

namespace {

// The slot of a four-digit subsector location, or 0 when the text is not one.
int slotOfHex(const std::string& hex) {
    if (hex.size() != 4) return 0;
    for (char c : hex) {
        if (c < '0' || c > '9') return 0;
    }
    const int column = (hex[0] - '0') * 10 + (hex[1] - '0');
    const int row = (hex[2] - '0') * 10 + (hex[3] - '0');
    if (column < 1 || column > 8 || row < 1 || row > 10) return 0;
    return (column - 1) * 10 + row;
}

// A caption on one line: its line breaks as the two characters \n.
std::string oneLine(const std::string& caption) {
    std::string line;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const char c = caption[i];
        if (c == '\r' || c == '\n') {
            line += "\\n";
            if (c == '\r' && i + 1 < caption.size() && caption[i + 1] == '\n') ++i;
        } else {
            line.push_back(c);
        }
    }
    return line;
}

}  // namespace

int runDescribe(CliSession& session, const DescribeCommand& command) {
    Prompter& prompter = session.prompter;
    const int slot = slotOfHex(command.hex);
    if (slot == 0) {
        prompter.message("HEX \"" + command.hex + "\" is not a hex of the subsector (0101 to 0810)");
        return kExitUsage;
    }
    if (!loadInput(session, command.in, command.letter)) return kExitFile;
    SubsectorStore& store = session.store;
    if (!store.worlds[static_cast<std::size_t>(slot)].occupied()) {
        prompter.message("hex " + command.hex + " holds no world");
        return kExitUsage;
    }
    // As the window's activation does: an unknown letter is reported and counts as 0.
    const auto offset = letterOffset(store.subsectorLetter);
    if (!offset) prompter.message(kDuffLetterMessage);
    for (const ControlCaption& c : worldDetailCaptions(store, descriptionTable(), slot, offset.value_or(0))) {
        session.out << c.control << '\t' << terminalText(oneLine(c.caption)) << '\n';
    }
    return kExitOk;
}

int runDescriptions(CliSession& session, const DescriptionsCommand& command) {
    const DescriptionTable& table = descriptionTable();
    if (command.out.empty()) {
        for (const std::string& line : table.dumpLines()) session.out << terminalText(line) << '\n';
        return kExitOk;
    }
    return writeOutput(session, command.out, table.dumpText());
}

void addDescribeCommand(CLI::App& app, CliSession& session) {
    auto args = std::make_shared<DescribeCommand>();
    CLI::App* command = app.add_subcommand("describe", "Print the details window of one hex");
    command->add_option("IN", args->in, "the subsector file to read (SBS, ARP or galactic DAT)")->required();
    command->add_option("HEX", args->hex, "the hex, four digits from 0101 to 0810")->required();
    addLetterOption(*command, args->letter);
    command->callback([&session, args] { session.status = runDescribe(session, *args); });
}

void addDescriptionsCommand(CLI::App& app, CliSession& session) {
    auto args = std::make_shared<DescriptionsCommand>();
    CLI::App* command = app.add_subcommand("descriptions", "Write the description table dump");
    command->add_option("OUT", args->out, "the file to write; standard output when left out");
    command->callback([&session, args] { session.status = runDescriptions(session, *args); });
}

}  // namespace qelvar
