#include "cli.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "store/startup.h"
#include "store/file_io.h"
#include "store/paths.h"
#include "store/text.h"
#include "files/loader.h"
#include "map/sector_map.h"
#include "files/sector_file.h"
#include "qelvar_version.h"

namespace qelvar {

CliSession::CliSession(std::ostream& out, std::ostream& err) : out(out), err(err), prompter(err) {}

CLI::Option* addJumpOption(CLI::App& command, int& jump) {
    return command.add_option("--jump", jump, "lines between every two worlds at most N hexes apart (1 to 6)")
        ->check(CLI::Range(1, kMaxJump));
}

CLI::Option* addLetterOption(CLI::App& command, std::string& letter) {
    return command
        .add_option("--letter", letter, "the subsector letter A to P of a galactic DAT file, taken before DATA.MNU")
        ->type_name("L")
        ->transform(CLI::Validator(
            [](std::string& value) {
                const std::string upper = upperAscii(value);
                if (upper.size() != 1 || upper[0] < 'A' || upper[0] > 'P') {
                    return std::string("the subsector letter is one letter from A to P, not \"" + value + "\"");
                }
                value = upper;
                return std::string();
            },
            "", "letter"));
}

bool loadInput(CliSession& session, const std::string& path, const std::string& letter) {
    session.prompter.inputAnswer = letter;
    const LoadOptions options{folderOf(path), fileNameOf(path), letter};
    const LoadStatus status = loadSubsectorFile(session.store, session.prompter, path, options);
    if (status == LoadStatus::Cancelled) {
        if (isSectorFile(path)) {
            throw CLI::ValidationError("\"" + path + "\" is a whole sector: give the subsector with --letter");
        }
        throw CLI::ValidationError("no subsector letter for \"" + path +
                                   "\" in DATA.MNU beside it; give one with --letter");
    }
    if (status != LoadStatus::Loaded) return false;
    session.store.refreshStatistics();
    return true;
}

std::string extensionOf(const std::string& path) {
    const std::string name = fileNameOf(path);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : lowerAscii(name.substr(dot));
}

CLI::Validator dotsPerInchCheck(double low, double high) {
    return CLI::Validator(
        [low, high](std::string& value) {
            // Written so that "nan" fails too: it compares as neither above nor below a limit.
            char* end = nullptr;
            const double dpi = std::strtod(value.c_str(), &end);
            const bool whole = !value.empty() && end == value.c_str() + value.size();
            return whole && dpi >= low && dpi <= high ? std::string()
                                                      : "must be a number from " + bareNumberText(low) + " to " +
                                                            bareNumberText(high) + ", not \"" + value + "\"";
        },
        "", "dpi");
}

std::function<std::string(std::string&)> outputExtensionCheck(std::vector<std::string> extensions) {
    return [extensions = std::move(extensions)](std::string& path) {
        if (std::find(extensions.begin(), extensions.end(), extensionOf(path)) != extensions.end()) {
            return std::string();
        }
        std::string allowed;
        for (const std::string& e : extensions) allowed += (allowed.empty() ? "" : " ") + e;
        return "cannot write \"" + path + "\": the output type is chosen by its extension, one of " + allowed;
    };
}

int writeOutput(CliSession& session, const std::string& path, const std::string& bytes) {
    const auto written = writeFileAtomically(path, bytes);
    if (written) return kExitOk;
    session.prompter.message(written.error(), MessageIcon::Exclamation, {});
    return kExitFile;
}

namespace {

// Help and errors laid out for a terminal; the error text comes first, then the command's usage.
int usageFailure(CliSession& session, const CLI::App& app, const std::string& text) {
    session.err << "qelvar-cli: " << text << "\n\n" << app.help();
    return kExitUsage;
}

}  // namespace

int runCli(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err, const RenderRunner& render,
           const SectorMapRunner& sectorMap, const AtlasMapRunner& atlasMap) {
    CliSession session(out, err);
    session.arguments = arguments;

    CLI::App app("Qelvar: subsector maps and files from the command line.", "qelvar-cli");
    app.set_version_flag("--version", std::string("qelvar-cli ") + QELVAR_VERSION);
    app.require_subcommand(1);
    app.fallthrough(false);
    addConvertCommand(app, session);
    addListCommand(app, session);
    addDescribeCommand(app, session);
    addDescriptionsCommand(app, session);
    addGenerateCommand(app, session);
    addIndexCommand(app, session);
    addBatchCommand(app, session);
    addCheckCommand(app, session);
    addEditCommand(app, session);
    addSplitCommand(app, session);
    addJoinCommand(app, session);
    addBordersCommand(app, session);
    addTradeCommand(app, session);
    addRouteCommand(app, session);
    RenderCommand renderCommand;
    addRenderCommand(app, session, renderCommand, render);
    SectorMapCommand sectorMapCommand;
    addSectorMapCommand(app, session, sectorMapCommand, sectorMap);
    AtlasMapCommand atlasMapCommand;
    addAtlasMapCommand(app, session, atlasMapCommand, atlasMap);

    // A first word that names no command is said plainly, before the parser's general complaint.
    if (arguments.size() > 1 && !arguments[1].starts_with("-")) {
        const auto known = app.get_subcommands([&](const CLI::App* c) { return c->get_name() == arguments[1]; });
        if (known.empty()) return usageFailure(session, app, "unknown command '" + arguments[1] + "'");
    }
    std::vector<std::string> reversed(arguments.begin() + (arguments.empty() ? 0 : 1), arguments.end());
    std::reverse(reversed.begin(), reversed.end());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForVersion& version) {
        out << version.what() << '\n';
        return kExitOk;
    } catch (const CLI::Success&) {
        out << app.help();  // the help of the command named, or of the whole program
        return kExitOk;
    } catch (const CLI::ParseError& error) {
        return usageFailure(session, app, error.what());
    }
    return session.status;
}

}  // namespace qelvar
