#pragma once
// The start-up pieces that need no window: version and title, the environment look-up and the settings
// file that remembers the last folder.

#include <optional>
#include <string>

#include "store/result.h"

namespace qelvar {

// major + minor / 10 + revision / 100, as the plain number-to-text conversion writes it (6.3.15 -> "6.45").
std::string versionText(int major, int minor, int revision);
// "Duvuderaz Orizuvo Devade v" + the version text of this build.
std::string applicationTitle();
std::string applicationTitle(int major, int minor, int revision);

// The value of the first environment variable whose name starts with name (either case), blanks trimmed;
// empty when there is none. At most 1000 entries are looked at.
std::string environmentValue(const std::string& name);

// $QELVAR_SETTINGS, else qelvar.ini in $XDG_CONFIG_HOME (default ~/.config).
std::string settingsPath();
// The first line of the settings file; nothing when it is missing, unreadable or empty.
std::optional<std::string> readSettings();
// The file the command line ATLAS loads: $QELVAR_ATLAS, else ~atlas.arp in the home folder.
std::string atlasPath();

// The start-up message: the title, then the two sentences and the signature, CR LF pairs between.
std::string startUpMessage(const std::string& appTitle);
// Whether the start-up message is shown: not when an environment variable named _ZIP... has a value.
bool startUpMessageWanted();

// Replaces the settings file with the one line folder + CR LF.
[[nodiscard]] Result<> saveSettings(const std::string& folder);

}  // namespace qelvar
