#pragma once
// The subsector map: the title, the 80 hex outlines with their sector numbers and, for every occupied hex,
// the world disc or asteroid belt, starport, base, name, gas giant dot, zone ring and allegiance, inside a
// frame. Also the empty sector grid and the screenshot of the map surface.
//
// The drawing reads the store and writes only its detailIndex, which serves as the running slot number
// and is left at 80. Whatever the code fields hold, it draws: odd characters only change which symbols
// appear.

#include <functional>
#include <string>

#include "map/hex_geometry.h"
#include "platform/surface.h"

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

// Visits the 80 hexes in drawing order (column pairs, each column top to bottom), counting detailIndex
// up from 1 to 80 as the slot of each; `hex` is called with the slot and its anchor.
void walkHexes(SubsectorStore& store, double k, MapPoint origin, const std::function<void(int, MapPoint)>& hex);

// The outline of one hex as six lines from the anchor around and back to it.
void drawHexOutline(Surface& surface, MapPoint anchor, double k);

// The name as the map writes it: trimmed, and cut to its first 7 characters and "." when longer than
// 8 times the whole part of k.
std::string mapWorldName(std::string_view storedName, double k);

// The screen contents of one hex (number, then for a world its symbols); the pen ends on the anchor.
// `offset` is the letter's location offset added to the hex number.
void drawHexContents(const SubsectorStore& store, Surface& surface, int slot, MapPoint anchor, double k,
                     int offset);

// The redraw of the main window's map: the sector grid when sectorMode is set, else the whole subsector
// map at the screen scale. An unknown subsector letter is reported once per drawing.
void mnuredisplay_Click(SubsectorStore& store, Surface& surface, Prompter& prompter, bool sectorMode = false);

// The empty sector grid: 32 columns by 10 rows of small hexes, a star in each; ends with a beep.
void Label2_Click(Surface& surface, Prompter& prompter);

// The screenshot: the surface's image as "QELVAR.bmp" in `folder`, then the "Saved in" message; a file
// that cannot be written is reported with its name and the reason instead. True when saved.
bool mnubmp_Click(Surface& surface, const std::string& folder, Prompter& prompter);

}  // namespace qelvar
