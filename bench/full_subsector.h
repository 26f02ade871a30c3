#pragma once
// A full subsector for the benchmarks of the file formats: 80 worlds, every field set.

#include <string>

#include "store/subsector_store.h"

namespace qelvar::bench {

inline qelvar::SubsectorStore fullSubsector() {
    qelvar::SubsectorStore store;
    store.subsectorName = "Benchmark Reach";
    store.sectorName = "Kestrane";
    store.subsectorLetter = "F";
    const char* uwps[] = {"A788899C", "B5A6739B", "C100000H", "E9CA9FFJ", "X0000000", "D6867493"};
    for (int slot = 1; slot <= qelvar::kHexCount; ++slot) {
        auto& w = store.worlds[slot];
        w.location = static_cast<std::int16_t>(store.hexCodeValue(slot));
        w.name = "World number " + std::to_string(slot);
        w.uwp = uwps[slot % 6];
        w.base = slot % 3 ? "N" : " ";
        w.gasGiant = "G";
        w.zone = slot % 5 ? " " : "A";
        w.pag = "312";
        w.allegiance = "Ke";
        w.star1 = "G2 V";
        w.star2 = "M1 D";
        w.star3 = "";
        w.notes = "Research station and free port";
        w.facility = "  ";
        w.tradeCodes = "Ni Cp ";
    }
    return store;
}

}  // namespace qelvar::bench
