#pragma once
// The subsector map: the title, the 80 hex outlines with their sector numbers and, for every occupied hex,
// the world disc or asteroid belt, starport, base, name, gas giant dot, zone ring and allegiance, inside a
// frame. Also the empty sector grid and the screenshot of the map surface.
//
// The drawing only reads the store. Whatever the code fields hold, it draws: odd characters only change
// which symbols appear.

#include <string>

#include "core/notice.h"
#include "map/hex_geometry.h"
#include "platform/surface.h"

namespace qelvar {

class Prompter;
class SubsectorStore;

// Gives a fresh surface the map surface's design colours (a dark slate background, a white foreground)
// and state.
void prepareMapSurface(Surface& surface);

// The whole subsector map at the screen scale: title, hexes and frame. The notices hold "DUFF SS LETTER"
// once for an unknown subsector letter (its hexes are then numbered with offset 0).
Notices drawSubsectorMap(const SubsectorStore& store, Surface& surface);

// The empty sector grid: 32 columns by 10 rows of small hexes, a star in each.
void drawSectorGrid(Surface& surface);

// The main window's redraw, as "Redisplay" runs it: under the busy pointer, the sector grid followed by a
// beep when sectorMode is set, else the subsector map with its notices told and detailIndex left at 80
// (the last hex drawn).
void redrawMap(SubsectorStore& store, Surface& surface, Prompter& prompter, bool sectorMode = false);

// The screenshot: the surface's image as "QELVAR.bmp" in `folder`, then the "Saved in" message; a file
// that cannot be written is reported with its name and the reason instead. True when saved.
bool saveMapScreenshot(Surface& surface, const std::string& folder, Prompter& prompter);

}  // namespace qelvar
