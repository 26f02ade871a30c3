#include "reports/listing.h"

#include "store/codes.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "seams/surface.h"

namespace qelvar {

namespace {

// Writes text into a line of character cells starting at cell `at`; later fields cover earlier ones.
void putAt(std::string& line, std::size_t at, std::string_view text) {
    if (line.size() < at + text.size()) line.resize(at + text.size(), ' ');
    line.replace(at, text.size(), text);
}

struct Column {
    std::size_t at;
    const char* heading;
};

constexpr Column kColumns[] = {
    {0, "System Name"},  {26, "Locn"},    {31, "S-DAHPGL-T"}, {42, "B"},     {44, "Remarks"},
    {70, "Trade Codes"}, {86, "Z"},       {88, "G"},          {90, "Price"}, {96, "Star 1"},
    {103, "Star 2"},     {110, "Star 3"}, {117, "PAG"},       {121, "Al"},   {124, "T-F"},
};

std::string worldLine(const WorldRecord& w, int offset) {
    const std::string fields[] = {
        w.name.str(),
        formatFourDigits(offset + w.location),
        hyphenatedUwp(w.uwp.view()),
        w.base.str(),
        w.notes.str(),
        w.tradeCodes.str(),
        w.zone.str(),
        w.gasGiant.str(),
        printedNumber(w.cargoBase),
        w.star1.str(),
        w.star2.str(),
        w.star3.str(),
        w.pag.str(),
        w.allegiance.str(),
        w.facility.str(),
    };
    std::string line;
    for (std::size_t i = 0; i < std::size(kColumns); ++i) putAt(line, kColumns[i].at, fields[i]);
    return line;
}

std::string_view trimRight(std::string_view text) {
    while (!text.empty() && isFieldBlank(text.back())) text.remove_suffix(1);
    return text;
}

// One line of the listing on the printer: each column's cells moved to its position times the factor.
void printColumns(Surface& printer, std::string_view line, double factor, bool heading) {
    constexpr std::size_t count = std::size(kColumns);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = kColumns[i].at;
        const std::size_t end = i + 1 < count ? kColumns[i + 1].at : line.size();
        const std::string_view cells = at < line.size() ? line.substr(at, end > at ? end - at : 0) : std::string_view();
        const std::string_view text = trimRight(cells);
        const bool last = i + 1 == count;
        if (text.empty() && !last) continue;
        printer.setCurrentX(static_cast<double>(at) * factor);
        // The UWP heading is one point smaller than the line.
        const bool smaller = heading && i == 2;
        const double size = printer.font().size;
        if (smaller) printer.setFontSize(size - 1);
        printer.print(text, last);
        if (smaller) printer.setFontSize(size);
    }
}

}  // namespace

Notices printListing(const SubsectorStore& store, Surface& printer, bool landscape, bool inBatch) {
    auto listing = listingLines(store);
    const std::vector<std::string>& lines = listing.value;
    printer.setUnit(SurfaceUnit::CharacterCells);
    printer.setFont({"Times New Roman", 9, false, false});
    double factor = kListingColumnFactor;
    if (landscape) {
        printer.setCurrentY(1);
        factor = kLandscapeListingColumnFactor;
        printer.setFontSize(6);
    }
    // An empty line, the title, an empty line; then the heading, the worlds, an empty line and the
    // two statistics lines.
    const std::size_t worldsEnd = lines.size() - 3;
    printer.print(lines[0]);
    printer.print(lines[1]);
    printer.print(lines[2]);
    printer.setFontBold(true);
    printer.setFontUnderline(true);
    printColumns(printer, lines[3], factor, true);
    printer.setFontBold(false);
    printer.setFontUnderline(false);
    for (std::size_t i = 4; i < worldsEnd; ++i) printColumns(printer, lines[i], factor, false);
    printer.print(lines[worldsEnd]);
    printer.setFontSize(10);
    printer.print(lines[worldsEnd + 1]);
    printer.print(lines[worldsEnd + 2]);
    if (!inBatch) printer.endDoc();
    return std::move(listing.notices);
}

std::string subsectorTitle(const SubsectorStore& store) {
    return std::string(trimBlanks(store.subsectorName)) + "/" + std::string(trimBlanks(store.sectorName)) + " (" +
           store.subsectorLetter + ")";
}

WithNotices<std::vector<std::string>> listingLines(const SubsectorStore& store) {
    WithNotices<std::vector<std::string>> result;
    std::vector<std::string>& lines = result.value;
    lines.emplace_back();
    lines.push_back(subsectorTitle(store));
    lines.emplace_back();
    std::string heading;
    for (const Column& column : kColumns) putAt(heading, column.at, column.heading);
    lines.push_back(heading);

    bool offsetKnown = false;
    int offset = 0;
    for (int slot = 1; slot < kSlotCount; ++slot) {
        const WorldRecord& w = store.worlds[static_cast<std::size_t>(slot)];
        if (!w.occupied()) continue;
        if (!offsetKnown) {
            offset = letterOffsetOrReport(store.subsectorLetter, result.notices);
            offsetKnown = true;
        }
        lines.push_back(worldLine(w, offset));
    }
    lines.emplace_back();
    lines.push_back("Subsector " + store.subsectorName + " contains " + printedNumber(store.worldCount) +
                    " systems with a total population of " + formatThousands(store.totalPopulation));
    lines.push_back("Highest population is " + std::string(1, store.maxPopulationCode) + " and best tech level is " +
                    std::string(1, store.bestTechCode));
    return result;
}

}  // namespace qelvar
