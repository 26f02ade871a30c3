#pragma once
// The file types the browser lists (its file-type list keeps 1, 2, 3 with them) and the files of a
// folder that one type shows.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/result.h"

namespace qelvar {

// Sector files are whole sectors (".tab", ".tsv", ".sec", ".txt"), one subsector of which is loaded.
enum class FileType { Sbs = 1, Arp = 2, Dat = 3, Sector = 4 };

// "sbs", "arp", "dat" in any case; nothing for another text.
std::optional<FileType> fileTypeNamed(std::string_view name);

// The browser's pattern of a type: "*.SBS", "*.ARP", "*.DAT", "*.tab *.tsv *.sec *.txt".
std::string filePattern(FileType type);

// The regular files of folder whose extension is that of the type (any case), sorted by name; a failure
// naming the folder when it cannot be read (missing, not a folder, not readable).
[[nodiscard]] Result<std::vector<std::string>> filesOfType(const std::string& folder, FileType type);

}  // namespace qelvar
