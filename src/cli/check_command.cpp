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
    std::string rules = "auto";
    bool json = false;
};

// A file's findings and the rule set they were found by.
struct FileFindings {
    std::vector<Finding> findings;
    CheckRules rules;
};

void printFindings(std::ostream& out, const std::vector<FileFindings>& files, bool json) {
    if (!json) {
        for (const FileFindings& file : files) {
            for (const Finding& f : file.findings) {
                out << f.file << ':' << formatFourDigits(f.hex) << ": " << f.rule << ": " << terminalText(f.message)
                    << '\n';
            }
        }
        return;
    }
    nlohmann::json array = nlohmann::json::array();
    for (const FileFindings& file : files) {
        for (const Finding& f : file.findings) {
            array.push_back({{"file", f.file},
                             {"hex", formatFourDigits(f.hex)},
                             {"rule", f.rule},
                             {"message", terminalText(f.message)},
                             {"rules", checkRulesName(file.rules)}});
        }
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
    command
        ->add_option("--rules", args->rules,
                     "classic (this program's tables), modern (published sector data) or auto (default: modern for "
                     "sector files, classic for SBS, ARP and galactic files)")
        ->check(CLI::IsMember({"classic", "modern", "auto"}));
    command->add_flag("--json", args->json, "one JSON array of {file, hex, rule, message, rules} instead");
    command->callback([&session, args] {
        std::vector<FileFindings> files;
        bool unread = false, found = false;
        const auto rulesFor = [&](bool sectorFile) {
            return args->rules == "auto"     ? automaticRules(sectorFile)
                   : args->rules == "modern" ? CheckRules::Modern
                                             : CheckRules::Classic;
        };
        const auto noWorld = [&](const std::string& path) {
            session.prompter.message("\"" + path + "\": no world could be read", MessageIcon::Exclamation, {});
            unread = true;
        };
        for (const std::string& path : args->in) {
            const bool sectorFile = isSectorFile(path);
            const CheckRules rules = rulesFor(sectorFile);
            if (sectorFile) {  // every subsector of it
                const Result<WithNotices<SectorRead>> read = readSectorFile(path);
                if (!read) {
                    session.prompter.message(read.error(), MessageIcon::Exclamation, {});
                    unread = true;
                    continue;
                }
                session.prompter.tell(read->notices);
                files.push_back({checkSector(read->value, read->notices, path, rules), rules});
                found = found || !files.back().findings.empty();
                continue;
            }
            if (!loadInput(session, path, args->letter)) {
                unread = true;
                continue;
            }
            if (session.store.worldCount == 0) noWorld(path);
            files.push_back({checkSubsector(session.store, path, rules), rules});
            found = found || !files.back().findings.empty();
        }
        printFindings(session.out, files, args->json);
        session.status = unread ? kExitFile : found ? kExitFindings : kExitOk;
    });
}

}  // namespace qelvar
