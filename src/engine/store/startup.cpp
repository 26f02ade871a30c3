#include "store/startup.h"

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

#include "store/file_io.h"
#include "store/text.h"
#include "qelvar_version.h"

extern char** environ;

namespace qelvar {

std::string versionText(int major, int minor, int revision) {
    return bareNumberText(major + minor / 10.0 + revision / 100.0);
}

std::string applicationTitle(int major, int minor, int revision) {
    return "Duvuderaz Orizuvo Devade v" + versionText(major, minor, revision);
}

std::string applicationTitle() {
    return applicationTitle(QELVAR_VERSION_MAJOR, QELVAR_VERSION_MINOR, QELVAR_VERSION_PATCH);
}

std::string environmentValue(const std::string& name) {
    const std::string wanted = upperAscii(name);
    for (int i = 0; i < 1000 && environ != nullptr && environ[i] != nullptr; ++i) {
        const std::string_view entry(environ[i]);
        if (entry.empty()) break;
        if (upperAscii(entry.substr(0, wanted.size())) != wanted) continue;
        const auto equals = entry.find('=');
        if (equals == std::string_view::npos) return {};
        return std::string(trimBlanks(entry.substr(equals + 1)));
    }
    return {};
}

std::string settingsPath() {
    if (const char* explicitPath = std::getenv("QELVAR_SETTINGS"); explicitPath && *explicitPath) {
        return explicitPath;
    }
    std::string folder;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
        folder = config;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        folder = std::string(home) + "/.config";
    } else {
        folder = ".";
    }
    return folder + "/qelvar.ini";
}

std::string atlasPath() {
    if (const char* explicitPath = std::getenv("QELVAR_ATLAS"); explicitPath && *explicitPath) return explicitPath;
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/~atlas.arp";
}

std::string startUpMessage(const std::string& appTitle) {
    const std::string crlf = "\r\n";
    // The first sentence of the message is empty.
    return appTitle + crlf + crlf + "" + crlf + crlf +
           "However, if you like it, put a quid (\xa3"
           "1) in a charity collection box. Any charity will do!" +
           crlf + crlf + "Enjoy! Brannock.";
}

bool startUpMessageWanted() { return environmentValue("_ZIP").empty(); }

std::optional<std::string> readSettings() {
    const auto read = readFileBytes(settingsPath(), 1024 * 1024);
    if (!read) return std::nullopt;
    const auto lines = splitLines(*read);
    if (lines.empty() || lines.front().empty()) return std::nullopt;
    return std::string(lines.front());
}

Result<> saveSettings(const std::string& folder) {
    const std::string path = settingsPath();
    const auto slash = path.find_last_of('/');
    if (slash != std::string::npos && slash > 0) ::mkdir(path.substr(0, slash).c_str(), 0777);
    return writeFileAtomically(path, folder + "\r\n");
}

}  // namespace qelvar
