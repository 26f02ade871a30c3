#include "files/sector.h"

#include <algorithm>

#include "store/codes.h"
#include "store/text.h"

namespace qelvar {

int Sector::worldCount(int index) const {
    return static_cast<int>(std::count_if(worlds.begin(), worlds.end(), [index](const SectorWorld& w) {
        return subsectorIndexOf(w.column, w.row) == index;
    }));
}

void sectorToStore(const Sector& sector, int index, SubsectorStore& store) {
    store.clear();
    store.subsectorLetter = std::string(1, static_cast<char>('A' + index));
    store.subsectorName = sector.subsectorNames[static_cast<std::size_t>(index)];
    store.sectorName = sector.name;
    for (const SectorWorld& world : sector.worlds) {
        if (subsectorIndexOf(world.column, world.row) != index) continue;
        const int location = ((world.column - 1) % 8 + 1) * 100 + (world.row - 1) % 10 + 1;
        const int slot = store.slotOfLocation(location);
        if (slot < 1 || slot > kHexCount) continue;
        WorldRecord& record = store.worlds[static_cast<std::size_t>(slot)];
        record = world.record;
        record.location = static_cast<std::int16_t>(location);
    }
}

void storeIntoSector(const SubsectorStore& store, Sector& sector) {
    const auto offset = letterOffset(store.subsectorLetter);
    if (!offset) return;
    const int index = store.subsectorLetter.front() - 'A';
    std::vector<SectorWorld> kept;
    std::map<int, std::map<std::string, std::string>> fieldsAt;
    for (SectorWorld& world : sector.worlds) {
        if (subsectorIndexOf(world.column, world.row) == index) {
            fieldsAt[world.column * 100 + world.row] = std::move(world.fields);
        } else {
            kept.push_back(std::move(world));
        }
    }
    for (int slot = 1; slot <= kHexCount; ++slot) {
        const WorldRecord& record = store.worlds[static_cast<std::size_t>(slot)];
        if (!record.occupied()) continue;
        const int hex = record.location + *offset;
        SectorWorld world{hex / 100, hex % 100, record, {}};
        if (const auto it = fieldsAt.find(hex); it != fieldsAt.end()) world.fields = std::move(it->second);
        kept.push_back(std::move(world));
    }
    sector.worlds = std::move(kept);
    sector.subsectorNames[static_cast<std::size_t>(index)] = store.subsectorName;
    if (sector.name.empty()) sector.name = store.sectorName;
}

}  // namespace qelvar
