#pragma once
// What the readers note about world lines the slots cannot show: a second line for a hex, and a line of a
// galactic file outside the subsector. The check reads these from the store's read facts.

#include <string_view>

#include "store/notice.h"

namespace qelvar {

class SubsectorStore;

// Called by a reader before it stores a line in slot (1..80 are hexes): when an earlier line already holds
// that hex, the line is noted and told as "DUPLICATE 0101 New replaces Old". The later line still wins.
void noteSecondLine(SubsectorStore& store, Notices& notices, int slot, int fileHex, std::string_view name);

}  // namespace qelvar
