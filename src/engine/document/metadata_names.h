#pragma once
// Writing new names into a sector's metadata file without touching the rest of it: only the text of the
// Name element and of the Subsector elements whose names changed is replaced (an element that is missing
// is added), so routes, borders, labels and every element this program does not know keep their bytes.

#include <string>
#include <string_view>

#include "files/sector.h"
#include "store/result.h"

namespace qelvar {

// The metadata bytes with the names of `after` wherever they differ from those of `before`. Fails when
// the bytes are not a metadata file (no Sector element), and then nothing should be written.
[[nodiscard]] Result<std::string> withNewNames(std::string_view metadata, const Sector& before, const Sector& after);

}  // namespace qelvar
