// qelvar-cli check: the check of every file given, one finding a line or one JSON array.
#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <memory>

#include "cli.h"
#include "files/sector_file.h"
#include "reports/check.h"
#include "store/cp1252.h"
#include "store/text.h"

namespace qelvar {

namespace {

inline constexpr int kExitFindings = 3;

struct CheckArguments {
    std::vector<std::string> in;
    std::string letter;
    bool json = false;
};

void printFindings(std::ostream& out, const std::vector<Finding>& findings, bool json) {
    if (!json) {
        for (const Finding& f : findings) {
            out << f.file << ':' << formatFourDigits(f.hex) << ": " << f.rule << ": " << terminalText(f.message)
                << '\n';
        }
        return;
    }
    nlohmann::json array = nlohmann::json::array();
    for (const Finding& f : findings) {
        array.push_back({{"file", f.file},
                         {"hex", formatFourDigits(f.hex)},
                         {"rule", f.rule},
                         {"message", terminalText(f.message)}});
    }
    out << array.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

}  // namespace

void addCheckCommand(CLI::App& app, CliSession& session) {
    auto args = std::make_shared<CheckArguments>();
    CLI::App* command = app.add_subcommand(
        "check", "Check subsector files: FILE:HEX: RULE: MESSAGE a line; exit 3 when there is a finding");
    command
        ->add_option("IN", args->in,
                     "the files to check (SBS, ARP, galactic DAT, or a sector file: all its subsectors)")
        ->required();
    addLetterOption(*command, args->letter);
    command->add_flag("--json", args->json, "one JSON array of {file, hex, rule, message} instead");
    command->callback([&session, args] {
        std::vector<Finding> findings;
        bool unread = false;
        for (const std::string& path : args->in) {
            if (isSectorFile(path)) {  // every subsector of it
                const Result<WithNotices<SectorRead>> read = readSectorFile(path);
                if (!read) {
                    session.prompter.message(read.error(), MessageIcon::Exclamation, {});
                    unread = true;
                    continue;
                }
                session.prompter.tell(read->notices);
                const std::vector<Finding> found = checkSector(read->value, path);
                findings.insert(findings.end(), found.begin(), found.end());
                continue;
            }
            if (!loadInput(session, path, args->letter)) {
                unread = true;
                continue;
            }
            const std::vector<Finding> found = checkSubsector(session.store, path);
            findings.insert(findings.end(), found.begin(), found.end());
        }
        printFindings(session.out, findings, args->json);
        session.status = unread ? kExitFile : findings.empty() ? kExitOk : kExitFindings;
    });
}

}  // namespace qelvar
