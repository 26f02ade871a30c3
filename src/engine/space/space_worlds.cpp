#include "space/space_worlds.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "files/sector_fields.h"
#include "store/cp1252.h"
#include "store/text.h"

namespace qelvar {

namespace {

std::string fieldOf(const SectorFields& fields, const std::string& name) {
    const auto found = fields.find(name);
    return found == fields.end() ? std::string() : meaningOf(name, found->second);
}

// "{ 2 }", "{-1}" or "2"; nothing for anything else.
std::optional<int> readImportance(std::string_view text) {
    text = trimBlanks(text);
    if (text.size() >= 2 && text.front() == '{' && text.back() == '}')
        text = trimBlanks(text.substr(1, text.size() - 2));
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    int value = 0;
    const auto read = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || read.ec != std::errc() || read.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

bool sameText(std::string_view a, std::string_view b) { return lowerAscii(a) == lowerAscii(b); }

}  // namespace

void appendSpaceWorlds(const Sector& sector, int sectorIndex, int sectorX, int sectorY,
                       std::vector<SpaceWorld>& worlds) {
    std::vector<const SectorWorld*> inOrder;
    for (const SectorWorld& w : sector.worlds) inOrder.push_back(&w);
    std::sort(inOrder.begin(), inOrder.end(), [](const SectorWorld* a, const SectorWorld* b) {
        return std::pair(a->column, a->row) < std::pair(b->column, b->row);
    });
    for (const SectorWorld* w : inOrder) {
        const SectorFields fields = fieldsToWrite(*w);
        SpaceWorld world;
        world.hex = SpaceHex{sectorX * kSectorColumns + w->column - 1, sectorY * kSectorRows + w->row - 1};
        world.sector = sectorIndex;
        world.column = w->column;
        world.row = w->row;
        world.name = fieldOf(fields, "Name");
        world.uwp = fieldOf(fields, "UWP");
        world.profile = readProfile(world.uwp).value_or(ProfileValues{});
        world.allegiance = fieldOf(fields, "Allegiance");
        world.remarks = fieldOf(fields, "Remarks");
        const std::string zone = upperAscii(fieldOf(fields, "Zone"));
        world.zone = zone.empty() ? ' ' : zone.front();
        const std::string pbg = fieldOf(fields, "PBG");
        world.gasGiant = pbg.size() >= 3 && commonDigitValue(pbg[2]) > 0;
        world.importance = readImportance(fieldOf(fields, "{Ix}"))
                               .value_or(modernImportance(world.profile, world.remarks, fieldOf(fields, "Bases")));
        worlds.push_back(std::move(world));
    }
}

std::vector<SpaceWorld> spaceWorldsOf(const ChartedSpace& space) {
    std::vector<SpaceWorld> worlds;
    for (std::size_t i = 0; i < space.sectors.size(); ++i) {
        const PlacedSector& placed = space.sectors[i];
        appendSpaceWorlds(placed.sector, static_cast<int>(i), placed.x, placed.y, worlds);
    }
    return worlds;
}

std::string spaceWorldPlace(const ChartedSpace& space, const SpaceWorld& world) {
    return terminalText(trimBlanks(space.sectors[static_cast<std::size_t>(world.sector)].sector.name)) + ' ' +
           formatFourDigits(world.column * 100 + world.row);
}

std::optional<int> findSpaceWorld(const ChartedSpace& space, const std::vector<SpaceWorld>& worlds,
                                  std::string_view text) {
    text = trimBlanks(text);
    for (std::size_t i = 0; i < worlds.size(); ++i) {
        if (sameText(spaceWorldPlace(space, worlds[i]), text)) return static_cast<int>(i);
    }
    for (std::size_t i = 0; i < worlds.size(); ++i) {
        if (sameText(trimBlanks(worlds[i].name), text)) return static_cast<int>(i);
    }
    return std::nullopt;
}

}  // namespace qelvar
