#pragma once
// A whole sector gathered from a folder of subsector files: the galactic DAT files that the index DATA.MNU
// gives a letter, or else the SBS and ARP files of the folder, each placed by the letter it carries.

#include <string>

#include "files/sector.h"
#include "store/notice.h"
#include "store/result.h"

namespace qelvar {

// The sector of a folder. With DATA.MNU in it, every DAT file the index names, at its letter; otherwise every
// SBS and ARP file at its own letter. The readers' messages come back with the file's name before them, and
// a file without a letter A-P or with a letter already taken is left out with a notice. Fails when the
// folder cannot be read or holds no subsector at all.
[[nodiscard]] Result<WithNotices<Sector>> loadSectorFolder(const std::string& folder);

// A sector from a sector file (.tab, .tsv, .sec), a folder, or a DAT file with DATA.MNU beside it (its whole
// folder).
[[nodiscard]] Result<WithNotices<Sector>> loadSectorPath(const std::string& path);

// Whether the path names a sector: a sector file, a folder, or a DAT file with DATA.MNU beside it.
bool isSectorPath(const std::string& path);

// The metadata file that may list a sector's routes: in a folder, its first .xml file; beside a file, the
// file's name with .xml for its extension. Empty when there is none.
std::string sectorRoutesPath(const std::string& path);

}  // namespace qelvar
