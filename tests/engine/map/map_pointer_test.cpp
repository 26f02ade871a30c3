#include "map/map_pointer.h"

#include <gtest/gtest.h>

#include "store/subsector_store.h"

namespace qelvar {
namespace {

TEST(MapPointer, MovingOverWorldsEmptyHexesAndDeadZones) {
    SubsectorStore store;
    store.worlds[1].name = "Draven";
    store.worlds[1].location = 101;
    store.worlds[1].uwp = "X26A0002";
    store.worlds[1].tradeCodes = "Ba Wa";
    const std::string draven = "Draven" + std::string(14, ' ');
    const std::string profile = "X-26A000-2 Ba Wa" + std::string(10, ' ');
    struct Step {
        MapPoint at;
        const char* nameText;
        const char* locationText;
        int detailIndex;
        bool onWorld;
    } const steps[] = {
        {{9, 10}, draven.c_str(), profile.c_str(), 1, true},
        {{9, 24}, draven.c_str(), "0102", 2, false},  // empty hex: the last name stays
        {{12, 10}, draven.c_str(), "-", 0, false},    // dead zone: only Label2 changes
    };
    MapLabels labels{"start", "start"};
    for (const Step& step : steps) {
        SCOPED_TRACE(::testing::Message() << "(" << step.at.x << ", " << step.at.y << ")");
        const MapPointerResult r = mapPointerMoved(store, step.at, labels);
        EXPECT_EQ(r.labels.nameText, step.nameText);
        EXPECT_EQ(r.labels.locationText, step.locationText);
        EXPECT_EQ(r.detailIndex, step.detailIndex);
        EXPECT_EQ(r.onWorld, step.onWorld);
        labels = r.labels;
    }
    store.subsectorLetter = "F";  // a sector's subsector: its hexes as the sector and the map number them
    EXPECT_EQ(mapPointerMoved(store, {9, 24}, labels).labels.locationText, "0912");
    for (const auto& [name, notes] :
         {std::pair{"spin.dat", true}, {"x.dat.bak", true}, {"SPIN.DAT", false}, {"spin.sbs", false}}) {
        EXPECT_EQ(notesAvailableFor(name), notes) << name;
    }
}

}  // namespace
}  // namespace qelvar
