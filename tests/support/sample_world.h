#pragma once
// One world with every field set, shared by the tests of the writers and the listing.

#include "store/subsector_store.h"

namespace qelvar::testing {

inline WorldRecord sampleWorld(std::int16_t location) {
    WorldRecord w;
    w.location = location;
    w.name = "Hollowmere";
    w.uwp = "A788899C";
    w.base = "N";
    w.zone = "A";
    w.gasGiant = "G";
    w.star1 = "G2 V";
    w.star2 = "M1 D";
    w.star3 = "K5 III";
    w.pag = "213";
    w.notes = "  Mining colony  ";
    w.allegiance = "Vo";
    w.facility = "Tf";
    w.tradeCodes = "Ni Cp Po ";
    w.cargoBase = 5200;
    return w;
}

}  // namespace qelvar::testing
