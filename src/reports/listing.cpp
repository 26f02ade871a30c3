#include "reports/listing.h"

#include "core/codes.h"
#include "core/subsector_store.h"
#include "core/text.h"

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
    {0, "System Name"}, {26, "Locn"},    {31, "S-DAHPGL-T"}, {42, "B"},       {44, "Remarks"},
    {70, "Trade Codes"}, {86, "Z"},      {88, "G"},          {90, "Price"},   {96, "Star 1"},
    {103, "Star 2"},    {110, "Star 3"}, {117, "PAG"},       {121, "Al"},     {124, "T-F"},
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

}  // namespace

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
    lines.push_back("Highest population is " + std::string(1, store.maxPopulationCode) +
                    " and best tech level is " + std::string(1, store.bestTechCode));
    return result;
}

}  // namespace qelvar
