#pragma once
// What the readers note about world lines the slots cannot show: a second line for a hex, and a named line
// outside the subsector. The check reads these from the store's read facts.

#include <string_view>

#include "store/notice.h"

namespace qelvar {

class SubsectorStore;

// Called by a reader before it stores a line in slot (1..80 are hexes): when an earlier line already holds
// that hex, the line is noted and told as "DUPLICATE 0101 New replaces Old". The later line still wins.
void noteSecondLine(SubsectorStore& store, Notices& notices, int slot, int fileHex, std::string_view name);

// Called by a reader for each world line: a named line whose hex has no slot of the subsector (slot 0, or
// one of the spare slots above 80) is noted in the read facts' outside lines, at the hex the file gives.
void noteLineOutside(SubsectorStore& store, int slot, int fileHex, std::string_view name);

}  // namespace qelvar
