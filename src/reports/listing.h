#pragma once
// The subsector listing laid out in character cells: a field at position c starts at cell c of its line.
// The printed listing places the same cells on paper; the command line prints them as text.

#include <string>
#include <vector>

namespace qelvar {

class Prompter;
class SubsectorStore;

// An empty line, the title, an empty line, the heading, one line per world (slots 1..90 with a location
// above 0), an empty line and the two statistics lines. An unknown subsector letter is reported once.
std::vector<std::string> listingLines(const SubsectorStore& store, Prompter& prompter);

// The title shared by the map and the listing: "name/sector (L)".
std::string subsectorTitle(const SubsectorStore& store);

}  // namespace qelvar
