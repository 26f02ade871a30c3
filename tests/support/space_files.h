#pragma once
// Small sector files of invented worlds for charted space: a tab-separated sector file and its metadata
// file with the sector's place (X, Y) and any further metadata elements.

#include <optional>
#include <string>
#include <vector>

#include "space/charted_space.h"
#include "support/temp_folder.h"

namespace qelvar::testing {

struct SpaceWorld {
    std::string hex;
    std::string allegiance = "ImDd";
    char population = '7';
};

inline std::string spaceSectorTab(const std::vector<SpaceWorld>& worlds) {
    std::string text = "Hex\tName\tUWP\tBases\tRemarks\tZone\tPBG\tAllegiance\tStars\tW\n";
    for (const SpaceWorld& w : worlds) {
        text += w.hex + "\tW" + w.hex + "\tA788" + std::string(1, w.population) + "99-C\t\t\t\t103\t" + w.allegiance +
                "\tG2 V\t5\n";
    }
    return text;
}

inline std::string spaceMetadata(const std::string& name, std::optional<int> x, std::optional<int> y,
                                 const std::string& inner = {}) {
    std::string text = "<?xml version=\"1.0\"?>\n<Sector>\n";
    if (x) text += "  <X>" + std::to_string(*x) + "</X>\n";
    if (y) text += "  <Y>" + std::to_string(*y) + "</Y>\n";
    return text + "  <Name>" + name + "</Name>\n" + inner + "</Sector>\n";
}

// A sector placed at (x, y) holding the worlds, in memory.
inline PlacedSector placedSector(int x, int y, const std::vector<SpaceWorld>& worlds, SectorMetadata metadata = {}) {
    PlacedSector placed;
    placed.x = x;
    placed.y = y;
    placed.sector.name = "S" + std::to_string(x) + "," + std::to_string(y);
    for (const SpaceWorld& w : worlds) {
        SectorWorld world;
        world.column = std::stoi(w.hex.substr(0, 2));
        world.row = std::stoi(w.hex.substr(2, 2));
        world.record.location = 101;
        world.record.uwp = "A788" + std::string(1, w.population) + "99C";
        world.fields["Allegiance"] = w.allegiance;
        placed.sector.worlds.push_back(world);
    }
    placed.metadata = std::move(metadata);
    return placed;
}

// Alda at (0, 0) and Bree at (1, 1): (1, 0) and (0, 1) are holes of the block.
inline ChartedSpace twoSectors() {
    SectorMetadata alda;
    alda.routes.push_back({{32, 40, 0, 0}, {1, 1, 1, 1}, "Trade", LineStyle::Dash, {10, 200, 30}, 1, {}});
    alda.routes.push_back({{31, 20, 0, 0}, {1, 20, 1, 0}, "Trade", LineStyle::Solid, {10, 100, 30}, 1, {}});
    alda.regions.push_back(
        {"", "Rift", std::nullopt, true, false, "Purple", LineStyle::Solid, *parseHexList("1010 1110 1111 1011 1010")});
    alda.labels.push_back({{5, 5}, "Outrim Void", "", true, false});
    ChartedSpace space;
    space.sectors.push_back(placedSector(0, 0, {{"3240", "ImDd"}, {"1515", "ZhCo"}, {"1220", "ZhCo"}}, alda));
    space.sectors.back().sector.name = "Alda";
    space.sectors.push_back(placedSector(1, 1, {{"0101", "ImDd"}}));
    space.sectors.back().sector.name = "Bree";
    return space;
}

class SpaceFolderTest : public TempFolderTest {
protected:
    void writeSector(const std::string& name, std::optional<int> x, std::optional<int> y,
                     const std::vector<SpaceWorld>& worlds, const std::string& inner = {}) const {
        write(name + ".tab", spaceSectorTab(worlds));
        write(name + ".xml", spaceMetadata(name, x, y, inner));
    }
};

}  // namespace qelvar::testing
