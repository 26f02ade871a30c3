#include "map/map_printing.h"

#include <cmath>

#include "store/codes.h"
#include "store/paths.h"
#include "store/subsector_store.h"
#include "store/startup.h"
#include "files/loader.h"
#include "map/map_drawing.h"
#include "seams/prompter.h"
#include "seams/surface.h"
#include "reports/listing.h"

namespace qelvar {

namespace {

// The printer's own state before a map: black on white, transparent fills, solid one-dot lines.
void preparePrinter(Surface& printer) {
    printer.setUnit(SurfaceUnit::Millimetres);
    printer.setForeColour(colours::kBlack);
    printer.setFillColour(colours::kBlack);
    printer.setFillStyle(FillStyle::Transparent);
    printer.setDrawStyle(LineStyle::Solid);
    printer.setDrawWidth(1);
}

// A file of a batch whose print leaves the job open: the listing, which leaves the end to the batch.
bool leavesJobOpen(const PrintOptions& options, bool inBatch) { return options.withListing && inBatch; }

}  // namespace

PrintedMapLayout printedMapLayout(const PrintOptions& options) {
    PrintedMapLayout layout;  // full size
    if (options.scaleToOnePage) {
        layout.k = 1;
        layout.fontSize = 6;
        layout.frameBottomRight = {100 * layout.k, 128 * layout.k};
    }
    if (options.landscape) {
        layout.k = 1.5;
        layout.fontSize = 6;
        layout.origin = {155, 20};
        layout.title = {155, 11};
        // The frame goes round the map on the turned page, one page or not (the upright page's frame would
        // run off the turned page and across the map).
        layout.frameTopLeft = {145, 10};
        layout.frameBottomRight = {280, 190};
    }
    return layout;
}

Notices printSubsectorMap(const SubsectorStore& store, Surface& printer, const PrintOptions& options) {
    Notices notices;
    const PrintedMapLayout layout = printedMapLayout(options);
    preparePrinter(printer);
    printer.setFont({kPrintFont, layout.fontSize, false, false});
    printer.setPen(layout.origin.x, layout.origin.y);

    const int offset = letterOffsetOrReport(store.subsectorLetter, notices);
    const HexStyle style{true, options.colour};
    walkHexes(layout.k, layout.origin, [&](int slot, MapPoint anchor) {
        drawHexContents(store, printer, slot, anchor, layout.k, offset, style);
        drawHexOutline(printer, anchor, layout.k);
    });

    printer.setFont({kPrintFont, kPrintTitleSize, false, false});
    printer.setPen(layout.title.x, layout.title.y);
    printer.print(subsectorTitle(store));

    printer.setFillStyle(FillStyle::Transparent);
    printer.setDrawWidth(kFrameLineWidth);
    printer.box(layout.frameTopLeft.x, layout.frameTopLeft.y, layout.frameBottomRight.x, layout.frameBottomRight.y);
    printer.setDrawWidth(1);

    if (layout.fullSize()) {
        printer.endDoc();
        printer.setPen(0, 0);
    }
    return notices;
}

Notices printMapAndListing(const SubsectorStore& store, Surface& printer, const PrintOptions& options, bool inBatch) {
    Notices notices = printSubsectorMap(store, printer, options);
    if (options.withListing) {
        Notices listed = printListing(store, printer, options.landscape, inBatch);
        notices.insert(notices.end(), listed.begin(), listed.end());
    } else if (!printedMapLayout(options).fullSize()) {
        printer.endDoc();
    }
    if (!leavesJobOpen(options, inBatch)) printer.setPen(0, 0);
    return notices;
}

void printMap(SubsectorStore& store, Surface& printer, const PrintOptions& options, Prompter& prompter, bool inBatch) {
    Notices notices;
    {
        BusyPointer busy(prompter);
        notices = printMapAndListing(store, printer, options, inBatch);
    }
    prompter.tell(notices);
}

int printAllSelected(SubsectorStore& store, Surface& printer, Prompter& prompter, const BatchPrintFiles& files,
                     const BatchPrintHooks& hooks, bool unsavedChanges) {
    if (unsavedChanges && !prompter.confirmDiscard(applicationTitle())) return 0;
    PrintOptions options = hooks.askOptions ? hooks.askOptions() : PrintOptions{};

    const std::size_t count = files.names.size();
    bool jobOpen = false;
    int printed = 0;
    for (std::size_t step = 0; step < count; ++step) {
        const std::size_t index = files.reverseOrder ? count - 1 - step : step;
        if (index >= files.selected.size() || !files.selected[index]) continue;
        const std::string& name = files.names[index];
        const LoadOptions load{files.folder, name};
        if (loadSubsectorFile(store, prompter, joinPath(files.folder, name), load) != LoadStatus::Loaded) {
            continue;  // the loader said why; the batch goes on
        }
        store.refreshStatistics();
        if (hooks.fileLoaded) hooks.fileLoaded(name);
        prompter.processEvents();

        if (hooks.askOptions) options = hooks.askOptions();
        if (jobOpen) printer.newPage();
        printMap(store, printer, options, prompter, true);
        jobOpen = leavesJobOpen(options, true);
        ++printed;
    }

    prompter.beep();
    prompter.beep();
    printer.endDoc();
    printer.setPen(0, 0);
    return printed;
}

}  // namespace qelvar
