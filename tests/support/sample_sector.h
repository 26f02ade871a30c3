#pragma once
// A whole sector of generated worlds (fixed seeds): sixteen subsectors of about 40 % density, some 500
// worlds, each subsector named after its letter and each world "Ost" and its sector hex ("Ost1207").

#include <string>

#include "files/sector.h"
#include "generation/dice.h"
#include "generation/generation_options.h"
#include "generation/world_generation.h"
#include "store/subsector_store.h"

namespace qelvar::testing {

inline Sector sampleSector(int densityPercent = 40) {
    Sector sector;
    SubsectorStore store;
    for (int index = 0; index < kSubsectorCount; ++index) {
        GenerationOptions options;
        options.generateAsLetter = std::string(1, static_cast<char>('A' + index));
        options.densityPercent = densityPercent;
        Dice dice(1000 + static_cast<std::uint64_t>(index));
        generateSubsector(store, options, dice);
        store.subsectorName = "Reach " + options.generateAsLetter;
        store.sectorName = "Kestrane Reach";
        const int offset = index % 4 * 800 + index / 4 * 10;
        for (int slot = 1; slot <= kHexCount; ++slot) {
            WorldRecord& w = store.worlds[static_cast<std::size_t>(slot)];
            if (w.occupied()) w.name = "Ost" + std::to_string(10000 + offset + w.location).substr(1);
        }
        storeIntoSector(store, sector);
    }
    return sector;
}

}  // namespace qelvar::testing
