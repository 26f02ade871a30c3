#pragma once
// The subsector listing laid out in character cells: a field at position c starts at cell c of its line.
// The printed listing places the same cells on paper; the command line prints them as text.

#include <string>
#include <vector>

#include "store/notice.h"

namespace qelvar {

class Surface;
class SubsectorStore;

// An empty line, the title, an empty line, the heading, one line per world (slots 1..90 with a location
// above 0), an empty line and the two statistics lines. An unknown subsector letter is reported once.
// The notices hold "DUFF SS LETTER" for an unknown letter (when any world is listed).
WithNotices<std::vector<std::string>> listingLines(const SubsectorStore& store);

// The listing on a printer page in character cells (1/12 inch across, 1/6 inch down), the lines of
// listingLines with each column at its cell position times the column factor: "Times New Roman" 9 with
// factor 0.75 from the pen's line, or with landscape from the second line of the page in size 6 with
// factor 0.5. The heading is bold and underlined, "S-DAHPGL-T" one point smaller; the statistics are in
// size 10. The job is ended unless inBatch (a batch print ends it itself).
Notices printListing(const SubsectorStore& store, Surface& printer, bool landscape, bool inBatch = false);

inline constexpr double kListingColumnFactor = 0.75;
inline constexpr double kLandscapeListingColumnFactor = 0.5;

// The title shared by the map and the listing: "name/sector (L)".
std::string subsectorTitle(const SubsectorStore& store);

}  // namespace qelvar
