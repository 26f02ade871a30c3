#include "cli/cli.h"

#include <functional>
#include <map>
#include <set>

#include "app/startup.h"
#include "cli/cli_prompter.h"
#include "core/subsector_store.h"
#include "core/text.h"
#include "files/loader.h"
#include "files/sbs.h"
#include "reports/listing.h"

namespace qelvar {

namespace {

constexpr const char* kUsage =
    "usage: qelvar-cli COMMAND ...\n"
    "  convert IN OUT [--letter L]     OUT by extension: .sbs\n"
    "  list IN [--letter L]            the subsector listing as text\n";

struct Arguments {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;
    std::set<std::string> flags;

    std::string value(const std::string& name) const {
        const auto it = values.find(name);
        return it == values.end() ? std::string() : it->second;
    }
};

struct CommandSpec {
    std::size_t positionalCount;
    std::set<std::string> valueOptions;
    std::set<std::string> flagOptions;
};

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

Arguments parseArguments(const std::vector<std::string>& args, const CommandSpec& spec) {
    Arguments parsed;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) == 0 && arg.size() > 2) {
            if (spec.flagOptions.count(arg)) {
                parsed.flags.insert(arg);
            } else if (spec.valueOptions.count(arg)) {
                if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
                parsed.values[arg] = args[++i];
            } else {
                throw UsageError("unknown option " + arg);
            }
        } else {
            parsed.positional.push_back(arg);
        }
    }
    if (parsed.positional.size() != spec.positionalCount) {
        throw UsageError("'" + args[0] + "' takes " + std::to_string(spec.positionalCount) + " file argument" +
                         (spec.positionalCount == 1 ? "" : "s"));
    }
    return parsed;
}

struct Session {
    SubsectorStore store;
    CliPrompter prompter;
    explicit Session(std::ostream& err) : prompter(err) { store.appTitle = applicationTitle(); }
};

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string extensionOf(const std::string& path) {
    const std::string name = nameOf(path);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : lowerAscii(name.substr(dot));
}

// Loads IN exactly as the desktop "Load" does; false when nothing could be loaded.
bool loadInput(Session& session, const std::string& path, const Arguments& arguments) {
    session.prompter.inputAnswer = arguments.value("--letter");
    const LoadOptions options{folderOf(path), nameOf(path)};
    if (loadSubsectorFile(session.store, session.prompter, path, options) != LoadStatus::Loaded) return false;
    session.store.refreshStatistics();
    session.store.unsavedChanges = 0;
    return true;
}

int convertCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    const Arguments arguments = parseArguments(args, {2, {"--letter"}, {}});
    const std::string& out = arguments.positional[1];
    const std::string extension = extensionOf(out);
    if (extension != ".sbs") {
        throw UsageError("cannot write \"" + out + "\": the output type is chosen by its extension, .sbs");
    }
    Session session(err);
    if (!loadInput(session, arguments.positional[0], arguments)) return kExitFile;
    return writeSbsFile(session.store, session.prompter, out) ? kExitOk : kExitFile;
}

int listCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const Arguments arguments = parseArguments(args, {1, {"--letter"}, {}});
    Session session(err);
    if (!loadInput(session, arguments.positional[0], arguments)) return kExitFile;
    for (const std::string& line : listingLines(session.store, session.prompter)) out << line << '\n';
    return kExitOk;
}

using Command = std::function<int(const std::vector<std::string>&, std::ostream&, std::ostream&)>;

const std::map<std::string, Command>& commands() {
    static const std::map<std::string, Command> table = {
        {"convert", convertCommand},
        {"list", listCommand},
    };
    return table;
}

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        (args.empty() ? err : out) << kUsage;
        return args.empty() ? kExitUsage : kExitOk;
    }
    const auto command = commands().find(args[0]);
    if (command == commands().end()) {
        err << "qelvar-cli: unknown command '" << args[0] << "'\n" << kUsage;
        return kExitUsage;
    }
    try {
        return command->second(args, out, err);
    } catch (const UsageError& error) {
        err << "qelvar-cli: " << error.what() << '\n' << kUsage;
        return kExitUsage;
    }
}

}  // namespace qelvar
