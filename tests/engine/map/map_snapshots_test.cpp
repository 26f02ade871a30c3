// Every map the program draws, in each of its modes, against the drawing that was looked at.

#include <gtest/gtest.h>

#include <functional>

#include "files/sector.h"
#include "map/atlas_map.h"
#include "map/map_drawing.h"
#include "map/map_printing.h"
#include "map/sector_map.h"
#include "map/space_overlay.h"
#include "seams/recording_surface.h"
#include "store/subsector_store.h"
#include "support/sample_sector.h"
#include "support/scripted_prompter.h"
#include "support/snapshots.h"
#include "support/space_files.h"

namespace qelvar {
namespace {

const Sector& sample() {
    static const Sector sector = testing::sampleSector();
    return sector;
}

// Subsector F of the sample sector, with the sector's routes through it.
SubsectorStore subsectorF() {
    SubsectorStore store;
    sectorToStore(sample(), 5, store);
    return store;
}

std::vector<Route> routesThroughF() {
    return {{{10, 12, 0, 0}, {14, 17, 0, 0}, "Trade", LineStyle::Dash, {200, 40, 40}, 2, {}},
            {{9, 11, 0, 0}, {16, 20, 0, 0}, "Trade", LineStyle::Solid, {40, 200, 40}, 1, {}}};
}

void print(const PrintOptions& options, Surface& printer) {
    SubsectorStore store = subsectorF();
    testing::ScriptedPrompter prompter;
    printMap(store, printer, options, prompter);
}

void atlas(const AtlasOptions& options, Surface& surface) {
    const ChartedSpace space = testing::twoSectors();
    const SpaceOverlay overlay = spaceOverlay(space, BorderChoice::Made, 1);
    AtlasOptions withOverlay = options;
    withOverlay.overlay = &overlay;
    drawAtlasMap(space, atlasAreaOf(space), surface, withOverlay);
}

struct Drawing {
    const char* name;
    std::function<void(Surface&)> draw;
};

const Drawing kDrawings[] = {
    {"subsector", [](Surface& s) { drawSubsectorMap(subsectorF(), s); }},
    {"subsector-links",
     [](Surface& s) {
         const ChartedSpace space = testing::twoSectors();
         const SpaceOverlay overlay = spaceOverlay(space, BorderChoice::Made, 1);
         MapLinks links{2, routesThroughF(), &overlay, 0, 0};
         SubsectorStore store = subsectorF();
         store.worlds[kHexCount] = store.worlds[1].occupied() ? store.worlds[1] : store.worlds[2];
         store.worlds[kHexCount].location = 810;  // the last hex linked too
         drawSubsectorMap(store, s, links);
     }},
    {"sector-grid", [](Surface& s) { drawSectorGrid(s); }},
    {"sector",
     [](Surface& s) {
         SectorMapOptions options;
         options.jump = 2;
         options.routes = routesThroughF();
         drawSectorMap(sample(), s, options);
     }},
    {"sector-printed",
     [](Surface& s) {
         SectorMapOptions options;
         options.printed = true;
         options.k = 1;
         options.jump = 1;  // grey on paper
         drawSectorMap(sample(), s, options);
     }},
    {"print-full-portrait", [](Surface& s) { print({.landscape = false}, s); }},
    {"print-full-landscape-listing-colour", [](Surface& s) { print({.colour = true, .withListing = true}, s); }},
    {"print-page-landscape-colour", [](Surface& s) { print({.colour = true, .scaleToOnePage = true}, s); }},
    {"print-page-portrait-listing",
     [](Surface& s) { print({.scaleToOnePage = true, .landscape = false, .withListing = true}, s); }},
    {"atlas",
     [](Surface& s) {
         AtlasOptions options;
         options.jump = 2;
         options.routes = true;
         atlas(options, s);
     }},
    {"atlas-printed",
     [](Surface& s) {
         AtlasOptions options;
         options.printed = true;
         options.routes = true;
         options.k = 1;
         atlas(options, s);
     }},
    {"atlas-sparse",
     [](Surface& s) {
         AtlasOptions options;
         options.sparse = true;
         options.jump = 1;
         atlas(options, s);
     }},
};

TEST(MapSnapshots, EveryMapInEachModeIsTheDrawingThatWasLookedAt) {
    for (const Drawing& drawing : kDrawings) {
        RecordingSurface surface;
        surface.setPageHeight(270);
        prepareMapSurface(surface);
        drawing.draw(surface);
        testing::expectSnapshot(drawing.name, surface.text());
    }
}

}  // namespace
}  // namespace qelvar
