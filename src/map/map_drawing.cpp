#include "map/map_drawing.h"

#include <cmath>
#include <functional>

#include "core/codes.h"
#include "core/file_io.h"
#include "core/paths.h"
#include "core/subsector_store.h"
#include "core/text.h"
#include "platform/prompter.h"
#include "reports/listing.h"

namespace qelvar {

namespace {

// Design values of the main window's map surface: a dark slate background, white foreground.
constexpr Rgb kMapBackground{24, 32, 56};
constexpr Rgb kMapForeground = colours::kWhite;

constexpr const char* kTitleFont = "Times New Roman";
constexpr double kTitleFontSize = 10;
constexpr const char* kMapFont = "Small Fonts";
constexpr double kMapFontSize = 7;

constexpr MapPoint kFrameTopLeft{1, 5};
constexpr MapPoint kFrameBottomRight{100, 142};
constexpr double kGridHexScale = 0.3;
constexpr double kGridEvenColumnDrop = 5.5;  // in grid hex units
constexpr int kGridColumnPairs = 16;
constexpr const char* kScreenshotName = "QELVAR.bmp";

struct BeltDot {
    double dx;
    double dy;
    double radius;
};

// The six dots of an asteroid belt around the hex centre, in hex units.
constexpr BeltDot kBeltDots[] = {
    {-0.9, -0.9, 0.1}, {-0.5, 0.6, 0.1}, {-0.6, 0.3, 0.1}, {1, 1, 0.15}, {-1, 0, 0.1}, {0, 0, 0.1},
};

// Visits the 80 hexes in drawing order (each column top to bottom, columns left to right); `hex` is called
// with the slot (1..80) and its anchor.
void walkHexes(double k, MapPoint origin, const std::function<void(int, MapPoint)>& hex) {
    int slot = 0;
    for (int column = 1; column <= kMapColumns; ++column) {
        for (int row = 1; row <= kMapRows; ++row) hex(++slot, hexAnchor(column, row, k, origin));
    }
}

// The outline of one hex as six lines from the anchor around and back to it.
void drawHexOutline(Surface& surface, MapPoint anchor, double k) {
    const auto corners = hexOutline(anchor, k);
    surface.setPen(anchor.x, anchor.y);
    for (std::size_t i = 1; i < corners.size(); ++i) surface.lineTo(corners[i].x, corners[i].y);
}

// The name as the map writes it: trimmed, and cut to its first 7 characters and "." when longer than
// 8 times the whole part of k.
std::string mapWorldName(std::string_view storedName, double k) {
    std::string name(trimBlanks(storedName));
    const auto longest = static_cast<std::size_t>(8 * std::floor(k));
    if (name.size() > longest) name = name.substr(0, 7) + ".";
    return name;
}

// The last character of the PAG figures read as a number; a non-digit counts 0.
int gasGiantCount(const WorldRecord& w) {
    const char last = w.pag.at(decltype(w.pag)::width);
    return static_cast<int>(numericValue(std::string_view(&last, 1)));
}

void drawWorldDisc(const WorldRecord& w, Surface& surface, MapPoint centre, double k) {
    const Rgb savedFill = surface.fillColour();
    if (hexDigitValue(w.uwp.at(4)) > 1) {
        surface.setFillStyle(FillStyle::Solid);
        surface.setFillColour(colours::kBlue);
    } else {
        surface.setFillStyle(FillStyle::Transparent);
    }
    if (hexDigitValue(w.uwp.at(2)) == kNotADigit) {
        surface.setFillStyle(FillStyle::Solid);
        surface.setFillColour(colours::kWhite);
        for (const BeltDot& dot : kBeltDots) {
            surface.circle(centre.x + dot.dx * k, centre.y + dot.dy * k, dot.radius * k);
        }
    } else {
        surface.circle(centre.x, centre.y, k);
    }
    surface.setFillColour(savedFill);
}

void drawZoneRing(const WorldRecord& w, Surface& surface, MapPoint centre, double k) {
    if (w.zone.trimmed().empty()) return;
    const char zone = w.zone.at(1);
    const Rgb savedFore = surface.foreColour();
    const bool red = zone == 'R';
    surface.setForeColour(red ? colours::kRed : colours::kYellow);
    surface.setPen(centre.x, centre.y);
    surface.setFillStyle(FillStyle::Transparent);
    surface.setDrawStyle(red ? LineStyle::Solid : LineStyle::DashDot);
    surface.circle(centre.x, centre.y, 4 * k);
    surface.setDrawStyle(LineStyle::Solid);
    surface.setForeColour(savedFore);
}

void drawGridHex(Surface& surface, MapPoint anchor, double k) {
    drawHexOutline(surface, anchor, k);
    surface.setPen(anchor.x + 1.3 * k, anchor.y - 0.6 * k);
    surface.print("*");
    surface.setPen(anchor.x, anchor.y);
}

// The screen contents of one hex (number, then for a world its symbols); the pen ends on the anchor.
// `offset` is the letter's location offset added to the hex number.
void drawHexContents(const SubsectorStore& store, Surface& surface, int slot, MapPoint a, double k, int offset) {
    const WorldRecord& w = store.worlds[static_cast<std::size_t>(slot)];

    const Rgb savedFore = surface.foreColour();
    if (!w.occupied()) surface.setForeColour(colours::kSilver);
    surface.setPen(a.x, a.y);
    surface.print(formatFourDigits(offset + store.hexCodeValue(slot)));
    surface.setForeColour(savedFore);
    if (!w.occupied()) {
        surface.setPen(a.x, a.y);
        return;
    }

    const MapPoint centre = hexCentre(a, k);
    surface.setPen(centre.x, centre.y);
    drawWorldDisc(w, surface, centre, k);

    surface.setPen(a.x - k, a.y + 7 * k);
    const bool populous = hexDigitValue(w.uwp.at(5)) > 8;
    if (populous) {
        surface.setFontUnderline(true);
        surface.setForeColour(colours::kRed);
    }
    surface.print(mapWorldName(w.name.shown(), k));
    surface.setFontUnderline(false);
    surface.setForeColour(savedFore);

    surface.setPen(a.x + 2 * k, a.y + 2 * k);
    surface.print(w.uwp.shown().substr(0, 1));
    surface.setPen(a.x - k, a.y + 2 * k);
    surface.print(w.base.shown());

    if (gasGiantCount(w) > 0) {
        surface.setPen(a.x + 6 * k, a.y + 3 * k);
        surface.setFillStyle(FillStyle::Solid);
        const Rgb savedFill = surface.fillColour();
        surface.setFillColour(colours::kGreen);
        surface.circle(surface.currentX(), surface.currentY(), 0.5 * k);
        surface.setFillColour(savedFill);
    }

    drawZoneRing(w, surface, centre, k);

    surface.setPen(a.x + 5 * k, a.y + 4 * k);
    surface.print(w.allegiance.shown());

    surface.setPen(a.x, a.y);
}

}  // namespace

void prepareMapSurface(Surface& surface) {
    surface.setUnit(SurfaceUnit::Millimetres);
    surface.setBackColour(kMapBackground);
    surface.setForeColour(kMapForeground);
    surface.setFillColour(colours::kBlack);
    surface.setFillStyle(FillStyle::Transparent);
    surface.setDrawStyle(LineStyle::Solid);
    surface.setDrawWidth(1);
    surface.setFont({kMapFont, kMapFontSize, false, false});
}

Notices drawSubsectorMap(const SubsectorStore& store, Surface& surface) {
    Notices notices;
    const double k = kScreenHexScale;
    surface.setUnit(SurfaceUnit::Millimetres);
    surface.cls();

    surface.setFont({kTitleFont, kTitleFontSize, false, false});
    surface.print(subsectorTitle(store));

    surface.setFont({kMapFont, kMapFontSize, false, false});
    // The offset is the same for every hex; an unknown letter is reported once, and its hexes carry 0.
    const int offset = letterOffsetOrReport(store.subsectorLetter, notices);
    surface.setPen(kScreenMapOrigin.x, kScreenMapOrigin.y);
    walkHexes(k, kScreenMapOrigin, [&](int slot, MapPoint anchor) {
        drawHexContents(store, surface, slot, anchor, k, offset);
        drawHexOutline(surface, anchor, k);
    });

    surface.setFillStyle(FillStyle::Transparent);
    surface.box(kFrameTopLeft.x, kFrameTopLeft.y, kFrameBottomRight.x, kFrameBottomRight.y);
    return notices;
}

void drawSectorGrid(Surface& surface) {
    surface.cls();
    surface.setUnit(SurfaceUnit::Millimetres);
    const double k = kGridHexScale;
    MapPoint pen = kScreenMapOrigin;
    for (int row = 1; row <= kMapRows; ++row) {
        for (int pair = 1; pair <= kGridColumnPairs; ++pair) {
            drawGridHex(surface, pen, k);
            pen.x += 9 * k;
            drawGridHex(surface, {pen.x, pen.y + kGridEvenColumnDrop * k}, k);
            pen.x += 9 * k;
        }
        pen.x = kScreenMapOrigin.x;
        pen.y += 10 * k;
    }
    surface.setPen(pen.x, pen.y);
}

void redrawMap(SubsectorStore& store, Surface& surface, Prompter& prompter, bool sectorMode) {
    if (sectorMode) {
        {
            BusyPointer busy(prompter);
            drawSectorGrid(surface);
        }
        prompter.beep();
        return;
    }
    Notices notices;
    {
        BusyPointer busy(prompter);
        notices = drawSubsectorMap(store, surface);
        store.detailIndex = kHexCount;
    }
    prompter.tell(notices);
}

bool saveMapScreenshot(Surface& surface, const std::string& folder, Prompter& prompter) {
    const std::string path = joinPath(folder, kScreenshotName);
    const auto image = surface.imageAsBmp();
    if (!image) {
        prompter.message("Cannot write \"" + path + "\": the map has no image to save", MessageIcon::Exclamation);
        return false;
    }
    const std::string error = writeFileAtomically(path, *image);
    if (!error.empty()) {
        prompter.message(error, MessageIcon::Exclamation);
        return false;
    }
    prompter.message("Saved in " + folder + " as QELVAR.BMP");
    return true;
}

}  // namespace qelvar
