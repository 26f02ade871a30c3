#pragma once
// Made borders written into a sector's metadata file as <Border> hex lists, the rest of the file kept
// byte for byte:
//
//   <Borders>
//     <Border Allegiance="ImDd" Label="Third Imperium" LabelPosition="1910">0910 1009 ... 0910</Border>
//     <Border Allegiance="ImDd" ShowLabel="false">1214 1315 ... 1214</Border>     (a hole: anticlockwise)
//   </Borders>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "space/borders.h"
#include "store/result.h"

namespace qelvar {

// The Borders element for one sector: each polity's hexes in the sector traced into loops, each loop a
// <Border> (outer loops first, by the first hex of each), the label of the polity at the middle of the
// largest outer loop. `indent` is the indent of the element's own line; its children go two blanks deeper.
std::string formatBordersElement(const PlacedSector& placed, const std::vector<Polity>& polities,
                                 std::string_view indent, std::string_view lineEnd);

// The metadata bytes with their Borders element replaced by the one for the polities (or added before
// </Sector>, indented as its first child); no bytes give a new file. Nothing for bytes that hold no
// <Sector> element or a Borders element that is never closed.
std::optional<std::string> withBorders(std::string_view metadata, const PlacedSector& placed,
                                       const std::vector<Polity>& polities);

// Writes the sector's metadata file (beside its sector file) with the polities' borders, atomically.
[[nodiscard]] Result<> writeSectorBorders(const PlacedSector& placed, const std::vector<Polity>& polities);

}  // namespace qelvar
