#pragma once
// What a sector's metadata file says about its place in charted space and what is drawn over its hexes:
//
//   <Sector><X>-4</X><Y>-1</Y><Name>...</Name> ... <Routes>...</Routes>
//     <Borders><Border Allegiance="ImDd" Label="..." LabelPosition="2021" ShowLabel="false"
//              WrapLabel="true" Color="#rrggbb or a name" Style="Solid|Dashed|Dotted">0223 0323 ... 0223</Border>
//     <Regions><Region Color="..." Label="..." LabelPosition="...">hex list</Region>
//     <Labels><Label Hex="1234" Color="..." Size="small|large">text</Label>
//     <Allegiances><Allegiance Code="ImDd" Base="Im">Third Imperium, Domain of Deneb</Allegiance>
//
// A hex list names hexes in sector numbering (column * 100 + row); a hex may lie just outside the sector
// ("0000", "3300") so that the outlines of neighbouring sectors meet. Texts are kept as Windows-1252 bytes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "map/routes.h"
#include "seams/surface.h"
#include "store/notice.h"
#include "store/result.h"

namespace qelvar {

// The sector places X and Y may name, either way from 0.
inline constexpr int kFarthestSector = 10000;

// A hex in one sector's numbering; may lie just outside 1..32, 1..40.
struct SectorHex {
    int column = 0;
    int row = 0;
    bool operator==(const SectorHex&) const = default;
};

// A border (drawn as a line) or a region (drawn filled): its boundary hexes in order around it.
struct OutlineEntry {
    std::string allegiance;  // borders only
    std::string label;
    std::optional<SectorHex> labelPosition;
    bool showLabel = true;
    bool wrapLabel = false;
    std::string colour;  // as the file has it: "#rrggbb", a colour name, or empty
    LineStyle style = LineStyle::Solid;
    std::vector<SectorHex> hexes;
};

struct MapLabel {
    SectorHex hex;
    std::string text;
    std::string colour;
    bool large = false;
    bool wrap = false;
};

struct AllegianceName {
    std::string code;
    std::string base;
    std::string name;
};

struct SectorMetadata {
    std::optional<int> x;
    std::optional<int> y;
    std::vector<Route> routes;
    std::vector<OutlineEntry> borders;
    std::vector<OutlineEntry> regions;
    std::vector<MapLabel> labels;
    std::vector<AllegianceName> allegiances;
};

// Reads the metadata; an element that cannot be read (a hex list with a word that is no hex, an X that is
// no number) is left out with a notice. Fails only for bytes that are no XML or have no <Sector> root.
[[nodiscard]] Result<WithNotices<SectorMetadata>> readSpaceMetadata(std::string_view xmlBytes);

// The hexes of a hex list ("0223 0323 0422"); nothing when a word is not four digits.
std::optional<std::vector<SectorHex>> parseHexList(std::string_view text);
// A hex list as the metadata writes it: four digits a hex, separated by single blanks.
std::string formatHexList(const std::vector<SectorHex>& hexes);

}  // namespace qelvar
