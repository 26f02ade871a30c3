#pragma once
// The subsector map: the title, the 80 hex outlines with their sector numbers and, for every occupied hex,
// the world disc or asteroid belt, starport, base, name, gas giant dot, zone ring and allegiance, inside a
// frame. Also the empty sector grid and the screenshot of the map surface.
//
// The drawing only reads the store. Whatever the code fields hold, it draws: odd characters only change
// which symbols appear.

#include <functional>
#include <string>

#include "store/notice.h"
#include "map/hex_geometry.h"
#include "map/routes.h"
#include "seams/surface.h"

namespace qelvar {

class Prompter;
class SubsectorStore;

// Design values of the main window's map surface: a dark slate background, white foreground.
inline constexpr Rgb kMapBackground{24, 32, 56};
inline constexpr Rgb kMapForeground = colours::kWhite;

inline constexpr const char* kTitleFont = "Times New Roman";
inline constexpr double kTitleFontSize = 10;
inline constexpr const char* kMapFont = "Small Fonts";
inline constexpr double kMapFontSize = 7;

// Gives a fresh surface the map surface's design colours and state.
void prepareMapSurface(Surface& surface);

// Visits the 80 hexes in drawing order (each column top to bottom, columns left to right); `hex` is called
// with the slot (1..80) and its anchor.
void walkHexes(double k, MapPoint origin, const std::function<void(int, MapPoint)>& hex);

// The outline of one hex as six lines from the anchor around and back to it.
void drawHexOutline(Surface& surface, MapPoint anchor, double k);

// The name as the map writes it: trimmed, and cut to its first 7 characters and "." when longer than
// 8 times the whole part of k.
std::string mapWorldName(std::string_view storedName, double k);

// How a hex is drawn: for the screen, or for the printed page, where the number stands one hex unit right
// of the anchor and never in silver, fills and rings are black, and the symbols take their colours only
// with colour printing.
struct HexStyle {
    bool printed = false;
    bool colour = true;  // printed only: "Colour printing"
};

// The contents of one hex (number, then for a world its symbols); the pen ends on the anchor. `offset`
// is the letter's location offset added to the hex number.
void drawHexContents(const SubsectorStore& store, Surface& surface, int slot, MapPoint anchor, double k, int offset,
                     HexStyle style = {});

// The whole subsector map at the screen scale: title, hexes and frame. The notices hold "DUFF SS LETTER"
// once for an unknown subsector letter (its hexes are then numbered with offset 0).
// With links, the jump links and routes between its own hexes are drawn under the worlds.
Notices drawSubsectorMap(const SubsectorStore& store, Surface& surface, const MapLinks& links = {});

// The empty sector grid: 32 columns by 10 rows of small hexes, a star in each.
void drawSectorGrid(Surface& surface);

// The main window's redraw, as "Redisplay" runs it: under the busy pointer, the sector grid followed by a
// beep when sectorMode is set, else the subsector map with its notices told.
void redrawMap(SubsectorStore& store, Surface& surface, Prompter& prompter, bool sectorMode = false,
               const MapLinks& links = {});

// The screenshot: the surface's image as "QELVAR.bmp" in `folder`, then the "Saved in" message; a file
// that cannot be written is reported with its name and the reason instead. True when saved.
[[nodiscard]] bool saveMapScreenshot(Surface& surface, const std::string& folder, Prompter& prompter);

}  // namespace qelvar
