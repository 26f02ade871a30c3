#include "map/map_pointer.h"

#include "store/codes.h"
#include "store/subsector_store.h"
#include "store/text.h"

namespace qelvar {

namespace {

MapPointerResult lookUp(const SubsectorStore& store, MapPoint point, const MapLabels& current) {
    MapPointerResult result{current, 0, false};
    const std::string location = locationAt(point.x, point.y);
    if (location.find('-') != std::string::npos) {
        result.labels.locationText = "-";
        return result;
    }
    const int local = static_cast<int>(numericValue(location));
    result.labels.locationText = shownHex(store.subsectorLetter, local);
    result.detailIndex = store.slotOfLocation(local);
    result.onWorld = store.worlds[static_cast<std::size_t>(result.detailIndex)].occupied();
    return result;
}

// The profile line of a world: "S-DAHPGL-T", a blank and the 15 characters of the trade codes.
std::string worldProfileLine(const WorldRecord& w) { return hyphenatedUwp(w.uwp.shown()) + " " + w.tradeCodes.shown(); }

}  // namespace

MapPointerResult mapPointerMoved(const SubsectorStore& store, MapPoint point, const MapLabels& current) {
    MapPointerResult result = lookUp(store, point, current);
    if (result.onWorld) {
        const WorldRecord& w = store.worlds[static_cast<std::size_t>(result.detailIndex)];
        result.labels.nameText = w.name.shown();
        result.labels.locationText = worldProfileLine(w);
    }
    return result;
}

MapPointerResult mapPointerPressed(const SubsectorStore& store, MapPoint point, const MapLabels& current) {
    return lookUp(store, point, current);
}

bool notesAvailableFor(const std::string& selectedFileName) {
    return selectedFileName.find(".dat") != std::string::npos;
}

}  // namespace qelvar
