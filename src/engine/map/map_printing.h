#pragma once
// The subsector map on the printer page, alone or followed by the listing, for the subsector in the
// store or for every selected file of a folder. The page works in millimetres from the top-left of the
// printable area; the map is the screen map's drawing at the scale and place of the chosen mode.

#include <functional>
#include <string>
#include <vector>

#include "store/notice.h"
#include "map/hex_geometry.h"

namespace qelvar {

class Prompter;
class Surface;
class SubsectorStore;

// What the print options window sets. "Landscape" is ticked when the window is first loaded.
struct PrintOptions {
    bool colour = false;          // "Colour printing"
    bool scaleToOnePage = false;  // "Scale to one page"
    bool landscape = true;        // "Landscape" (the place on the page; the paper is turned in the printer setup)
    bool withListing = false;     // "Map and listing"; otherwise "Map only"
    bool operator==(const PrintOptions&) const = default;
};

// Where and how large the printed map is in a mode.
struct PrintedMapLayout {
    double k = 2;             // hex scale, millimetres per hex unit
    MapPoint origin{25, 20};  // anchor of hex 0101
    double fontSize = 8;      // "Times New Roman" for the hex texts
    MapPoint frameTopLeft{15, 10};
    MapPoint frameBottomRight{170, 235};
    MapPoint title{17, 11};
    // Full size (k = 2) ends its own print job; a listing then comes as a job of its own.
    bool fullSize() const { return k == 2; }
};

inline constexpr const char* kPrintFont = "Times New Roman";
inline constexpr double kPrintTitleSize = 10;
inline constexpr int kFrameLineWidth = 10;  // printer dots

PrintedMapLayout printedMapLayout(const PrintOptions& options);

// The map on the printer: the hexes, the title and the frame, then the end of the job when full size.
// The notices hold "DUFF SS LETTER" once for an unknown subsector letter.
Notices printSubsectorMap(const SubsectorStore& store, Surface& printer, const PrintOptions& options);

// The map and, with "Map and listing", the listing after it: on the same job unless the map was full
// size. The job is ended after the listing unless inBatch (a batch print ends it itself), and after a map
// alone that was not full size.
Notices printMapAndListing(const SubsectorStore& store, Surface& printer, const PrintOptions& options,
                           bool inBatch = false);

// "Print" after the options were chosen: the map (and listing) under the busy pointer, the notices told.
void printMap(SubsectorStore& store, Surface& printer, const PrintOptions& options, Prompter& prompter,
              bool inBatch = false);

// "Print all selected": the main window's file list and its "Reverse order ?" box.
struct BatchPrintFiles {
    std::string folder;
    std::vector<std::string> names;  // the list's entries in order
    std::vector<bool> selected;      // one per entry
    bool reverseOrder = false;
};

struct BatchPrintHooks {
    // Shows the print options window modally and gives its choices; asked once at the start and once
    // for every file.
    std::function<PrintOptions()> askOptions;
    // After a file is loaded: show its name and draw its map on the screen.
    std::function<void(const std::string& name)> fileLoaded;
};

// Loads and prints every selected entry, from the last to the first with reverseOrder. With
// unsavedChanges it asks first and does nothing on No. A file that cannot be read is reported by
// the loader and skipped. A job that a file leaves open (the listing in a batch) is turned to a new page
// before the next file, so that two subsectors never share a page. At the end two beeps and the job
// ended. Returns the number of files printed.
int printAllSelected(SubsectorStore& store, Surface& printer, Prompter& prompter, const BatchPrintFiles& files,
                     const BatchPrintHooks& hooks, bool unsavedChanges);

}  // namespace qelvar
