#include "space/borders.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

#include "map/colour_names.h"
#include "store/codes.h"
#include "store/text.h"

namespace qelvar {

namespace {

// Distinct colours, light enough for the dark screen map and dark enough for paper.
constexpr Rgb kPalette[] = {
    {230, 60, 60},  {70, 120, 230},  {230, 190, 40},  {60, 180, 90},  {190, 90, 220},  {240, 130, 40},
    {50, 190, 200}, {220, 90, 160},  {150, 190, 60},  {140, 110, 70}, {110, 110, 240}, {200, 200, 120},
    {90, 160, 140}, {240, 110, 110}, {160, 160, 160}, {120, 70, 170},
};
// The usual polities keep a colour of their own.
constexpr std::pair<std::string_view, std::size_t> kChosen[] = {{"Im", 0}, {"Zh", 1}, {"As", 2}, {"Va", 3},
                                                                {"Hv", 4}, {"So", 5}, {"Aa", 6}, {"Kk", 7}};

bool inSector(SectorHex hex) {
    return hex.column >= 1 && hex.column <= kSectorColumns && hex.row >= 1 && hex.row <= kSectorRows;
}

SpaceHex globalHex(const PlacedSector& placed, SectorHex hex) { return spaceHexOf(placed.x, placed.y, hex); }

bool inPlacedSector(const PlacedSector& placed, SpaceHex hex) {
    return sectorXOf(hex) == placed.x && sectorYOf(hex) == placed.y;
}

CornerLoop lineOf(const PlacedSector& placed, const OutlineEntry& entry) {
    std::vector<SpaceHex> hexes;
    hexes.reserve(entry.hexes.size());
    for (const SectorHex& hex : entry.hexes) hexes.push_back(globalHex(placed, hex));
    return outlineOfHexList(hexes);
}

int populationOf(const SectorWorld& world) {
    const int digit = hexDigitValue(world.record.uwp.at(5));
    return digit == kNotADigit ? 0 : digit;
}

struct Claim {
    int polity = -1;
    int distance = 0;
    int population = 0;
};

// Labels for the outer loops of a made polity that hold two worlds or more of it.
void labelMadePolity(const ChartedSpace& space, const std::unordered_map<SpaceHex, int, SpaceHexHash>& homes, int index,
                     Polity& polity) {
    const std::string name = allegianceName(space, polity.allegiance);
    for (const CornerLoop& loop : polity.lines) {
        if (!isClockwise(outlineOfHexList(hexListOf(loop)))) continue;
        HexSet inside = hexesInside(loop);
        std::erase_if(inside, [&polity](SpaceHex hex) { return !polity.hexes.count(hex); });
        int worlds = 0;
        for (const SpaceHex hex : inside) {
            const auto home = homes.find(hex);
            if (home != homes.end() && home->second == index) ++worlds;
        }
        if (worlds >= 2) polity.labels.push_back({middleOf(inside), name, polity.colour, true, false});
    }
}

}  // namespace

Rgb allegianceColour(std::string_view allegiance) {
    const std::string_view two = allegiance.substr(0, 2);
    for (const auto& [code, index] : kChosen) {
        if (code == two) return kPalette[index];
    }
    std::size_t hash = 0;
    for (const char c : two) hash = hash * 31 + static_cast<unsigned char>(c);
    return kPalette[hash % std::size(kPalette)];
}

Rgb outlineColour(std::string_view colourText, std::string_view allegiance) {
    if (const auto colour = parseColourText(colourText)) return *colour;
    return allegianceColour(allegiance);
}

bool isNonAligned(std::string_view allegiance) {
    allegiance = trimBlanks(allegiance);
    if (allegiance.empty() || allegiance.substr(0, 2) == "Na") return true;
    return allegiance.find_first_not_of('-') == std::string_view::npos;
}

std::string worldAllegiance(const SectorWorld& world) {
    const auto field = world.fields.find("Allegiance");
    if (field != world.fields.end() && !trimBlanks(field->second).empty())
        return std::string(trimBlanks(field->second));
    return std::string(trimBlanks(world.record.allegiance.view()));
}

std::string allegianceName(const ChartedSpace& space, std::string_view code) {
    for (const PlacedSector& placed : space.sectors) {
        for (const AllegianceName& name : placed.metadata.allegiances) {
            if (name.code == code && !trimBlanks(name.name).empty()) return std::string(trimBlanks(name.name));
        }
    }
    return std::string(code);
}

SpaceHex middleOf(const HexSet& hexes) {
    if (hexes.empty()) return {};
    double sx = 0;
    double sy = 0;
    for (const SpaceHex hex : hexes) {
        sx += hex.x;
        sy += hex.y + 0.5 * (hex.x & 1);
    }
    sx /= static_cast<double>(hexes.size());
    sy /= static_cast<double>(hexes.size());
    std::vector<SpaceHex> sorted(hexes.begin(), hexes.end());
    std::sort(sorted.begin(), sorted.end());
    SpaceHex best = sorted.front();
    double bestDistance = 1e300;
    for (const SpaceHex hex : sorted) {
        const double dx = (hex.x - sx) * 0.866;
        const double dy = hex.y + 0.5 * (hex.x & 1) - sy;
        if (dx * dx + dy * dy < bestDistance) {
            bestDistance = dx * dx + dy * dy;
            best = hex;
        }
    }
    return best;
}

std::vector<Polity> givenBorders(const ChartedSpace& space) {
    std::vector<Polity> polities;
    std::map<std::string, std::size_t> byKey;
    for (const PlacedSector& placed : space.sectors) {
        // The lines of each polity in this sector, enclosing together.
        std::map<std::size_t, std::vector<CornerLoop>> lines;
        int unnamed = 0;
        for (const OutlineEntry& entry : placed.metadata.borders) {
            const std::string key = !entry.allegiance.empty() ? "A" + entry.allegiance
                                    : !entry.label.empty()    ? "L" + entry.label
                                                              : "U" + placed.path + std::to_string(++unnamed);
            auto [at, fresh] = byKey.emplace(key, polities.size());
            if (fresh) {
                Polity polity;
                polity.allegiance = entry.allegiance;
                polity.colour = outlineColour(entry.colour, entry.allegiance);
                polity.style = entry.style;
                polities.push_back(std::move(polity));
            }
            Polity& polity = polities[at->second];
            CornerLoop line = lineOf(placed, entry);
            if (entry.showLabel) {
                const std::string text = !entry.label.empty() ? entry.label : allegianceName(space, entry.allegiance);
                const SpaceHex hex =
                    entry.labelPosition ? globalHex(placed, *entry.labelPosition) : middleOf(hexesInside(line));
                if (!text.empty()) polity.labels.push_back({hex, text, polity.colour, entry.wrapLabel, false});
            }
            lines[at->second].push_back(std::move(line));
            for (const SectorHex& hex : entry.hexes) {
                if (inSector(hex)) polity.hexes.insert(globalHex(placed, hex));
            }
        }
        for (const auto& [index, loops] : lines) {
            for (const SpaceHex hex : hexesEnclosed(loops)) {
                if (inPlacedSector(placed, hex)) polities[index].hexes.insert(hex);
            }
        }
    }
    for (Polity& polity : polities) polity.lines = traceHexSet(polity.hexes);
    return polities;
}

std::vector<Polity> madeBorders(const ChartedSpace& space, int distance) {
    distance = std::clamp(distance, 0, 40);
    std::vector<Polity> polities;
    std::map<std::string, int> byCode;
    std::unordered_map<SpaceHex, Claim, SpaceHexHash> claims;
    std::unordered_map<SpaceHex, int, SpaceHexHash> homes;  // each aligned world's hex: its polity
    for (const PlacedSector& placed : space.sectors) {
        for (const SectorWorld& world : placed.sector.worlds) {
            const std::string code = worldAllegiance(world);
            if (isNonAligned(code) || !inSector({world.column, world.row})) continue;
            const auto [at, fresh] = byCode.emplace(code, static_cast<int>(polities.size()));
            if (fresh) {
                Polity polity;
                polity.allegiance = code;
                polity.colour = allegianceColour(code);
                polities.push_back(std::move(polity));
            }
            const SpaceHex home = spaceHexOf(placed.x, placed.y, world.column, world.row);
            const int population = populationOf(world);
            homes[home] = at->second;
            for (int x = home.x - distance; x <= home.x + distance; ++x) {
                for (int y = home.y - distance; y <= home.y + distance; ++y) {
                    const SpaceHex hex{x, y};
                    const int d = spaceDistance(home, hex);
                    if (d > distance) continue;
                    Claim& claim = claims[hex];
                    const bool better = claim.polity < 0 || d < claim.distance ||
                                        (d == claim.distance && population > claim.population);
                    if (better) claim = {at->second, d, population};
                }
            }
        }
    }
    for (const auto& [hex, claim] : claims) {
        if (space.sectorAt(sectorXOf(hex), sectorYOf(hex))) {
            polities[static_cast<std::size_t>(claim.polity)].hexes.insert(hex);
        }
    }
    std::vector<Polity> kept;
    for (std::size_t i = 0; i < polities.size(); ++i) {
        Polity& polity = polities[i];
        if (polity.hexes.empty()) continue;
        polity.lines = traceHexSet(polity.hexes);
        labelMadePolity(space, homes, static_cast<int>(i), polity);
        kept.push_back(std::move(polity));
    }
    return kept;
}

std::vector<SpaceRegion> spaceRegions(const ChartedSpace& space) {
    std::vector<SpaceRegion> regions;
    for (const PlacedSector& placed : space.sectors) {
        for (const OutlineEntry& entry : placed.metadata.regions) {
            SpaceRegion region;
            region.colour = outlineColour(entry.colour, entry.label);
            region.line = lineOf(placed, entry);
            if (entry.showLabel && !entry.label.empty()) {
                const SpaceHex hex =
                    entry.labelPosition ? globalHex(placed, *entry.labelPosition) : middleOf(hexesInside(region.line));
                region.label = SpaceLabel{hex, entry.label, region.colour, entry.wrapLabel, false};
            }
            regions.push_back(std::move(region));
        }
    }
    return regions;
}

std::vector<SpaceLabel> spaceLabels(const ChartedSpace& space) {
    std::vector<SpaceLabel> labels;
    for (const PlacedSector& placed : space.sectors) {
        for (const MapLabel& label : placed.metadata.labels) {
            labels.push_back(
                {globalHex(placed, label.hex), label.text, parseColourText(label.colour), label.wrap, label.large});
        }
    }
    return labels;
}

}  // namespace qelvar
