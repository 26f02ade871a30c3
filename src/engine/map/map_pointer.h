#pragma once
// What the main window shows while the pointer moves over the map, and what a click on a hex does. The
// window passes the pointer position in millimetres and its current label texts and applies the result:
// Label1 is the world name line, Label2 the location / profile line.

#include <string>

#include "map/hex_geometry.h"

namespace qelvar {

class SubsectorStore;

struct MapLabels {
    std::string nameText;
    std::string locationText;
};

struct MapPointerResult {
    MapLabels labels;
    int detailIndex = 0;   // the slot of the hex under the pointer (its details); 0 off every hex
    bool onWorld = false;  // the pointer is on an occupied hex (a click opens its details)
};

// Pointer moved over the map. Off every hex Label2 shows "-" and Label1 stays. On a hex Label2
// shows its location and detailIndex is its slot; on a world Label1 shows the stored name (all 20
// characters) and Label2 the profile "S-DAHPGL-T" and the trade codes. On an empty hex Label1 keeps
// the name of the last world passed over.
MapPointerResult mapPointerMoved(const SubsectorStore& store, MapPoint point, const MapLabels& current);

// A button pressed over the map: Label2 and detailIndex as for a move, Label1 untouched; onWorld tells
// the window to open the details of detailIndex and redraw the map when they close.
MapPointerResult mapPointerPressed(const SubsectorStore& store, MapPoint point, const MapLabels& current);

// The details window's "Notes" button is enabled for a file whose name contains ".dat" (exactly, so
// ".DAT" does not count).
bool notesAvailableFor(const std::string& selectedFileName);

}  // namespace qelvar
