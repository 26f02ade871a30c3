#pragma once
// The subsector listing laid out in character cells: a field at position c starts at cell c of its line.
// The printed listing places the same cells on paper; the command line prints them as text.

#include <string>
#include <vector>

#include "core/notice.h"

namespace qelvar {

class SubsectorStore;

// An empty line, the title, an empty line, the heading, one line per world (slots 1..90 with a location
// above 0), an empty line and the two statistics lines. An unknown subsector letter is reported once.
// The notices hold "DUFF SS LETTER" for an unknown letter (when any world is listed).
WithNotices<std::vector<std::string>> listingLines(const SubsectorStore& store);

// The title shared by the map and the listing: "name/sector (L)".
std::string subsectorTitle(const SubsectorStore& store);

}  // namespace qelvar
