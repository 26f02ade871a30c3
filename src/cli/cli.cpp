#include "cli/cli.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "app/startup.h"
#include "cli/cli_prompter.h"
#include "core/file_io.h"
#include "core/paths.h"
#include "core/subsector_store.h"
#include "core/text.h"
#include "files/loader.h"
#include "files/sbs.h"
#include "map/map_drawing.h"
#include "platform/qt/painter_surface.h"
#include "platform/qt/text_codec.h"
#include "platform/recording_surface.h"
#include "reports/listing.h"

namespace qelvar {

namespace {

constexpr const char* kUsage =
    "usage: qelvar-cli COMMAND ...\n"
    "  convert IN OUT [--letter L]     OUT by extension: .sbs\n"
    "  list IN [--letter L]            the subsector listing as text\n"
    "  render IN OUT [--letter L] [--sector-grid]\n"
    "                                  the map; OUT by extension: .png .bmp .svg .ops\n";

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

Arguments parseArguments(const std::vector<std::string>& args, const CommandSpec& command) {
    Arguments parsed;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) == 0 && arg.size() > 2) {
            if (command.flagOptions.count(arg)) {
                parsed.flags.insert(arg);
            } else if (command.valueOptions.count(arg)) {
                if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
                parsed.values[arg] = args[++i];
            } else {
                throw UsageError("unknown option " + arg);
            }
        } else {
            parsed.positional.push_back(arg);
        }
    }
    if (parsed.positional.size() != command.positionalCount) {
        throw UsageError("'" + args[0] + "' takes " + std::to_string(command.positionalCount) + " file argument" +
                         (command.positionalCount == 1 ? "" : "s"));
    }
    return parsed;
}

struct Session {
    SubsectorStore store;
    CliPrompter prompter;
    explicit Session(std::ostream& err) : prompter(err) { store.appTitle = applicationTitle(); }
};

std::string extensionOf(const std::string& path) {
    const std::string name = fileNameOf(path);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos ? std::string() : lowerAscii(name.substr(dot));
}

// Loads IN exactly as the desktop "Load" does; false when nothing could be loaded.
bool loadInput(Session& session, const std::string& path, const Arguments& arguments) {
    session.prompter.inputAnswer = arguments.value("--letter");
    const LoadOptions options{folderOf(path), fileNameOf(path)};
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

// Fonts need a QGuiApplication; only render makes one, so the other commands stay free of Qt at run time.
std::unique_ptr<QGuiApplication> startGuiApplication() {
    if (QCoreApplication::instance()) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's own start-up notices (a missing runtime folder and the like) are no concern of the user here.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg) fprintf(stderr, "qelvar-cli: %s\n", qPrintable(text));
    });
    static int argc = 1;
    static char name[] = "qelvar-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

double screenDotsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 0;
    return dpi > 0 ? dpi : 96;
}

int renderCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    const Arguments arguments = parseArguments(args, {2, {"--letter"}, {"--sector-grid"}});
    const std::string& out = arguments.positional[1];
    const std::string extension = extensionOf(out);
    if (extension != ".png" && extension != ".bmp" && extension != ".svg" && extension != ".ops") {
        throw UsageError("cannot write \"" + out +
                         "\": the output type is chosen by its extension, .png .bmp .svg or .ops");
    }
    Session session(err);
    if (!loadInput(session, arguments.positional[0], arguments)) return kExitFile;
    const bool sectorGrid = arguments.flags.count("--sector-grid") > 0;

    std::string bytes;
    if (extension == ".ops") {
        RecordingSurface surface;
        prepareMapSurface(surface);
        mnuredisplay_Click(session.store, surface, session.prompter, sectorGrid);
        bytes = surface.text();
    } else {
        const auto application = startGuiApplication();
        const double dpi = screenDotsPerInch();
        const int width = twipsToDots(kMapSurfaceWidthTwips, dpi);
        const int height = twipsToDots(kMapSurfaceHeightTwips, dpi);
        if (extension == ".svg") {
            SvgSurface surface(width, height, dpi, fromBytes(session.store.appTitle));
            prepareMapSurface(surface);
            mnuredisplay_Click(session.store, surface, session.prompter, sectorGrid);
            bytes = surface.finish().toStdString();
        } else {
            ImageSurface surface(width, height, dpi);
            prepareMapSurface(surface);
            mnuredisplay_Click(session.store, surface, session.prompter, sectorGrid);
            bytes = surface.encoded(extension == ".png" ? "PNG" : "BMP").toStdString();
        }
    }
    if (bytes.empty()) {
        session.prompter.message("Cannot write \"" + out + "\": the map could not be encoded",
                                 MessageIcon::Exclamation, {});
        return kExitFile;
    }
    const std::string error = writeFileAtomically(out, bytes);
    if (!error.empty()) {
        session.prompter.message(error, MessageIcon::Exclamation, {});
        return kExitFile;
    }
    return kExitOk;
}

using Command = std::function<int(const std::vector<std::string>&, std::ostream&, std::ostream&)>;

const std::map<std::string, Command>& commands() {
    static const std::map<std::string, Command> table = {
        {"convert", convertCommand},
        {"list", listCommand},
        {"render", renderCommand},
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
