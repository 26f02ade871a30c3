#pragma once
// Polities on the map of charted space: the borders a sector's metadata gives, or borders made from the
// worlds' allegiances; with the metadata's regions and labels.
//
// Given borders: each <Border>'s hexes and what its line encloses, within its own sector, belong to its
// allegiance; the hexes of one allegiance in all sectors are one polity, traced again into lines, so that
// outlines of neighbouring sectors that meet at their shared edge become one.
//
// Made borders: every hex within `distance` of a world of an allegiance is claimed by it; a hex claimed by
// two goes to the nearer world, a tie to the world with the larger population (then to the world read
// first). Non-aligned and blank allegiances (Na, NaXX, --, blank) claim nothing. Claims are made over the
// whole map and kept only in loaded sectors.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "space/charted_space.h"
#include "space/hex_outline.h"

namespace qelvar {

inline constexpr int kDefaultBorderDistance = 2;

struct SpaceLabel {
    SpaceHex hex;
    std::string text;           // Windows-1252
    std::optional<Rgb> colour;  // none: the map's own text colour
    bool wrap = false;
    bool large = false;
};

struct Polity {
    std::string allegiance;
    Rgb colour;
    LineStyle style = LineStyle::Solid;
    HexSet hexes;
    std::vector<CornerLoop> lines;
    std::vector<SpaceLabel> labels;
};

struct SpaceRegion {
    Rgb colour;
    CornerLoop line;
    std::optional<SpaceLabel> label;
};

// The colour of an outline: its metadata colour ("#rrggbb" or a name) when it has a readable one, else
// the fixed colour of its allegiance's first two letters (the same every time).
Rgb outlineColour(std::string_view colourText, std::string_view allegiance);
Rgb allegianceColour(std::string_view allegiance);

// Whether an allegiance code claims nothing: blank, "--", or non-aligned ("Na", "NaXX").
bool isNonAligned(std::string_view allegiance);
// A world's allegiance: the four-letter code of its sector file line, else the two letters of its record.
std::string worldAllegiance(const SectorWorld& world);
// The full name the metadata of any sector gives for a code, else the code.
std::string allegianceName(const ChartedSpace& space, std::string_view code);

std::vector<Polity> givenBorders(const ChartedSpace& space);
std::vector<Polity> madeBorders(const ChartedSpace& space, int distance = kDefaultBorderDistance);
std::vector<SpaceRegion> spaceRegions(const ChartedSpace& space);
std::vector<SpaceLabel> spaceLabels(const ChartedSpace& space);

// The hex nearest the middle of a set (the first of the nearest by position); the label place of an outline.
SpaceHex middleOf(const HexSet& hexes);

}  // namespace qelvar
