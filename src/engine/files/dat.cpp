#include "files/dat.h"

#include "store/codes.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "files/line_facts.h"

namespace qelvar {

namespace {

void readWorldLine(SubsectorStore& store, Notices& notices, std::string_view line, int offset) {
    const int loc = toInt16(numericValue(columns(line, 15, 18)) - offset);
    const int slot = store.slotOfLocation(loc);
    const int spilled = store.worlds[0].location;
    const std::string_view name = trimBlanks(columns(line, 1, 14));
    if (slot == 0 && spilled != 0 && !name.empty()) {
        notices.emplace_back("FAILED " + numberText(spilled) + " " + std::to_string(loc));
    }
    noteLineOutside(store, slot, loc + offset, name);
    noteSecondLine(store, notices, slot, loc + offset, name);
    WorldRecord& world = store.worlds[static_cast<std::size_t>(slot)];
    world.location = static_cast<std::int16_t>(loc);
    world.name = columns(line, 1, 14);
    world.uwp = upperAscii(std::string(columns(line, 20, 26)) + std::string(columns(line, 28, 28)));
    world.base = upperAscii(columns(line, 31, 31));
    world.tradeCodes = columns(line, 33, 47);
    world.zone = upperAscii(columns(line, 49, 49));
    world.pag = columns(line, 52, 54);
    world.gasGiant = numericValue(columns(line, 54, 54)) > 0 ? "G" : " ";
    world.allegiance = columns(line, 56, 57);
    world.star1 = "";
    world.star2 = "";
    world.star3 = "";
    world.notes = "";
    world.facility = "";
}

}  // namespace

std::optional<std::string> letterFromDataIndex(std::string_view indexBytes, std::string_view fileName) {
    for (const std::string_view line : splitLines(indexBytes)) {
        if (lowerAscii(line).find(fileName) == std::string::npos) continue;
        const std::string_view trimmed = trimBlanks(line);
        return upperAscii(trimmed.substr(0, 1));
    }
    return std::nullopt;
}

DatHeaderNames splitDatHeader(std::string_view header) {
    const std::string upper = upperAscii(header);
    const auto colon = upper.find(':');
    if (colon == std::string::npos) return {};
    const auto word = upper.find("SECTOR", colon + 1);
    if (word == std::string::npos) return {};
    DatHeaderNames names;
    names.subsectorName = trimBlanks(header.substr(colon + 1, word - colon - 1));
    // One character past the word (normally its colon) is skipped.
    const auto blankWord = upper.find(" SECTOR");
    if (blankWord != std::string::npos && blankWord + 8 < header.size()) {
        names.sectorName = trimBlanks(header.substr(blankWord + 8));
    }
    return names;
}

Notices readDat(SubsectorStore& store, std::string_view bytes, const std::string& letter) {
    Notices notices;
    store.subsectorLetter = letter;
    const auto lines = splitLines(bytes);
    const DatHeaderNames names = splitDatHeader(lines.empty() ? std::string_view() : lines.front());
    store.subsectorName = names.subsectorName;
    store.sectorName = names.sectorName;
    const int offset = letterOffsetOrReport(letter, notices);
    store.readFacts.tradeCodesFromFile = true;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        if (!line.empty() && (line.front() == '#' || line.front() == '$')) continue;
        readWorldLine(store, notices, line, offset);
    }
    return notices;
}

}  // namespace qelvar
