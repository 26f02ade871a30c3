#include "map/map_drawing.h"

#include <cmath>

#include "store/codes.h"
#include "store/file_io.h"
#include "store/paths.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "seams/prompter.h"
#include "reports/listing.h"
#include "map/sector_map.h"

namespace qelvar {

namespace {

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

// The last character of the PAG figures read as a number; a non-digit counts 0.
int gasGiantCount(const WorldRecord& w) {
    const char last = w.pag.at(decltype(w.pag)::width);
    return static_cast<int>(numericValue(std::string_view(&last, 1)));
}

// The disc (filled blue for hydrographics 2 or more) or, for size 0 or a non-digit, the asteroid belt.
// On paper the fill colour is black first, and blue only with colour printing.
void drawWorldDisc(const WorldRecord& w, Surface& surface, MapPoint centre, double k, HexStyle style) {
    const Rgb savedFill = surface.fillColour();
    if (style.printed) surface.setFillColour(colours::kBlack);
    if (hexDigitValue(w.uwp.at(4)) > 1) {
        surface.setFillStyle(FillStyle::Solid);
        if (!style.printed || style.colour) surface.setFillColour(colours::kBlue);
    } else {
        surface.setFillStyle(FillStyle::Transparent);
    }
    if (!isExtendedHexDigit(w.uwp.at(2))) {
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

// The ring of a non-blank zone: red and solid for "R", yellow and dash-dot otherwise. On paper without
// colour both are black; with colour the yellow ring is solid.
void drawZoneRing(const WorldRecord& w, Surface& surface, MapPoint centre, double k, HexStyle style) {
    if (w.zone.trimmed().empty()) return;
    const char zone = w.zone.at(1);
    const Rgb savedFore = surface.foreColour();
    const bool red = zone == 'R';
    const bool coloured = !style.printed || style.colour;
    if (coloured) surface.setForeColour(red ? colours::kRed : colours::kYellow);
    if (style.printed && !style.colour) surface.setForeColour(colours::kBlack);
    surface.setPen(centre.x, centre.y);
    surface.setFillStyle(FillStyle::Transparent);
    const bool dashed = !red && !(style.printed && style.colour);
    surface.setDrawStyle(dashed ? LineStyle::DashDot : LineStyle::Solid);
    surface.circle(centre.x, centre.y, 4 * k);
    surface.setDrawStyle(LineStyle::Solid);
    if (style.printed) {
        if (style.colour) surface.setForeColour(colours::kBlack);
    } else {
        surface.setForeColour(savedFore);
    }
}

void drawGridHex(Surface& surface, MapPoint anchor, double k) {
    drawHexOutline(surface, anchor, k);
    surface.setPen(anchor.x + 1.3 * k, anchor.y - 0.6 * k);
    surface.print("*");
    surface.setPen(anchor.x, anchor.y);
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

void walkHexes(double k, MapPoint origin, const std::function<void(int, MapPoint)>& hex) {
    int slot = 0;
    for (int column = 1; column <= kMapColumns; ++column) {
        for (int row = 1; row <= kMapRows; ++row) hex(++slot, hexAnchor(column, row, k, origin));
    }
}

void drawHexOutline(Surface& surface, MapPoint anchor, double k) {
    const auto corners = hexOutline(anchor, k);
    surface.setPen(anchor.x, anchor.y);
    for (std::size_t i = 1; i < corners.size(); ++i) surface.lineTo(corners[i].x, corners[i].y);
}

std::string mapWorldName(std::string_view storedName, double k) {
    std::string name(trimBlanks(storedName));
    const auto longest = static_cast<std::size_t>(8 * std::floor(k));
    if (name.size() > longest) name = name.substr(0, 7) + ".";
    return name;
}

void drawHexContents(const SubsectorStore& store, Surface& surface, int slot, MapPoint a, double k, int offset,
                     HexStyle style) {
    const WorldRecord& w = store.worlds[static_cast<std::size_t>(slot)];

    const Rgb savedFore = surface.foreColour();
    if (!w.occupied() && !style.printed) surface.setForeColour(colours::kSilver);
    surface.setPen(style.printed ? a.x + k : a.x, a.y);
    surface.print(formatFourDigits(offset + store.hexCodeValue(slot)));
    surface.setForeColour(savedFore);
    if (!w.occupied()) {
        surface.setPen(a.x, a.y);
        return;
    }

    const MapPoint centre = hexCentre(a, k);
    surface.setPen(centre.x, centre.y);
    drawWorldDisc(w, surface, centre, k, style);

    surface.setPen(a.x - k, a.y + 7 * k);
    const bool populous = hexDigitValue(w.uwp.at(5)) > 8;
    if (populous) {
        surface.setFontUnderline(true);
        if (!style.printed || style.colour) surface.setForeColour(colours::kRed);
    }
    surface.print(mapWorldName(w.name.shown(), k));
    surface.setFontUnderline(false);
    surface.setForeColour(style.printed ? colours::kBlack : savedFore);

    surface.setPen(a.x + 2 * k, a.y + 2 * k);
    surface.print(w.uwp.shown().substr(0, 1));
    surface.setPen(a.x - k, a.y + 2 * k);
    surface.print(w.base.shown());

    if (gasGiantCount(w) > 0) {
        surface.setPen(a.x + 6 * k, a.y + 3 * k);
        surface.setFillStyle(FillStyle::Solid);
        const Rgb savedFill = surface.fillColour();
        surface.setFillColour(!style.printed || style.colour ? colours::kGreen : colours::kBlack);
        surface.circle(surface.currentX(), surface.currentY(), 0.5 * k);
        surface.setFillColour(style.printed ? colours::kBlack : savedFill);
    }

    drawZoneRing(w, surface, centre, k, style);

    surface.setPen(a.x + 5 * k, a.y + 4 * k);
    surface.print(w.allegiance.shown());

    surface.setPen(a.x, a.y);
}

Notices drawSubsectorMap(const SubsectorStore& store, Surface& surface, const MapLinks& links) {
    Notices notices;
    const double k = kScreenHexScale;
    surface.setUnit(SurfaceUnit::Millimetres);
    surface.cls();

    surface.setFont({kTitleFont, kTitleFontSize, false, false});
    surface.print(subsectorTitle(store));

    drawSubsectorLinks(store, surface, links);
    surface.setFont({kMapFont, kMapFontSize, false, false});
    // The offset is the same for every hex; an unknown letter is reported once, and its hexes carry 0.
    const int offset = letterOffsetOrReport(store.subsectorLetter, notices);
    surface.setPen(kScreenMapOrigin.x, kScreenMapOrigin.y);
    walkHexes(k, kScreenMapOrigin, [&](int slot, MapPoint anchor) {
        drawHexContents(store, surface, slot, anchor, k, offset);
        drawHexOutline(surface, anchor, k);
    });
    drawSubsectorBorders(store, surface, links);

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

void redrawMap(SubsectorStore& store, Surface& surface, Prompter& prompter, bool sectorMode, const MapLinks& links) {
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
        notices = drawSubsectorMap(store, surface, links);
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
    const auto written = writeFileAtomically(path, *image);
    if (!written) {
        prompter.message(written.error(), MessageIcon::Exclamation);
        return false;
    }
    prompter.message("Saved in " + folder + " as QELVAR.BMP");
    return true;
}

}  // namespace qelvar
