#include "map/map_pointer.h"

#include "core/subsector_store.h"
#include "core/text.h"

namespace qelvar {

namespace {

// Fields of a slot that was never filled hold NULs; labels show them as blanks.
std::string shown(std::string_view field) {
    std::string text(field);
    for (char& c : text) {
        if (c == '\0') c = ' ';
    }
    return text;
}

MapPointerResult lookUp(const SubsectorStore& store, MapPoint point, const MapLabels& current) {
    MapPointerResult result{current, store.detailIndex, false};
    const std::string location = locationAt(point.x, point.y);
    if (location.find('-') != std::string::npos) {
        result.labels.label2 = "-";
        return result;
    }
    result.labels.label2 = location;
    result.detailIndex = store.slotOfLocation(static_cast<int>(numericValue(location)));
    result.onWorld = store.worlds[static_cast<std::size_t>(result.detailIndex)].occupied();
    return result;
}

}  // namespace

std::string worldProfileLine(const SubsectorStore& store, int slot) {
    const WorldRecord& w = store.worlds[static_cast<std::size_t>(slot)];
    const std::string uwp = shown(w.uwp.view());
    return uwp.substr(0, 1) + "-" + uwp.substr(1, 6) + "-" + uwp.substr(7, 1) + " " + shown(w.tradeCodes.view());
}

MapPointerResult mapPointerMoved(const SubsectorStore& store, MapPoint point, const MapLabels& current) {
    MapPointerResult result = lookUp(store, point, current);
    if (result.onWorld) {
        result.labels.label1 = shown(store.worlds[static_cast<std::size_t>(result.detailIndex)].name.view());
        result.labels.label2 = worldProfileLine(store, result.detailIndex);
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
