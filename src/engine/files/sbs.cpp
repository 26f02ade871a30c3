#include "files/sbs.h"

#include <algorithm>

#include "store/codes.h"
#include "store/file_io.h"
#include "store/paths.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "store/trade.h"
#include "files/line_facts.h"
#include "seams/prompter.h"

namespace qelvar {

namespace {

constexpr std::size_t kLetterColumn = 79;

void readWorldLine(SubsectorStore& store, Notices& notices, std::string_view line, int offset) {
    const int loc = toInt16(numericValue(columns(line, 21, 24)) - offset);
    const int slot = store.slotOfLocation(loc);
    if (slot == 0) {
        notices.push_back({"FAILED " + numberText(store.worlds[0].location) + " " + std::to_string(loc) + " " +
                           std::string(columns(line, 1, 20))});
    }
    noteSecondLine(store, notices, slot, loc + offset, columns(line, 1, 20));
    noteLineOutside(store, slot, loc + offset, columns(line, 1, 20));
    WorldRecord& world = store.worlds[static_cast<std::size_t>(slot)];
    world.location = static_cast<std::int16_t>(loc);
    world.name = columns(line, 1, 20);
    world.uwp = upperAscii(columns(line, 27, 34));
    world.base = upperAscii(columns(line, 36, 36));
    world.gasGiant = upperAscii(columns(line, 38, 38));
    world.zone = upperAscii(columns(line, 40, 40));
    world.pag = columns(line, 42, 44);
    world.allegiance = upperAscii(columns(line, 46, 46)) + std::string(columns(line, 47, 47));
    world.star1 = upperAscii(columns(line, 49, 54));
    world.star2 = upperAscii(columns(line, 56, 61));
    world.star3 = upperAscii(columns(line, 63, 68));
    // The writer puts the remarks, a blank and the notes from column 70, so the notes run to the end of
    // the line whatever their length.
    world.notes = trimBlanks(line.substr(std::min<std::size_t>(line.size(), 69)));
    world.facility = "  ";
    classifyTrade(world, store.loadUwpValues(slot));
}

std::string notesColumn(const WorldRecord& world) {
    // Standard trade codes are recomputed on reading, so the writer leaves them out of the notes column.
    std::string remarks = world.tradeCodes.str();
    for (const std::string_view code : kStandardTradeCodes) {
        const auto at = remarks.find(code);
        if (at != std::string::npos) remarks.replace(at, 2, "  ");
    }
    const FixedText<15> remarksField(remarks);
    return std::string(remarksField.trimmed()) + " " + std::string(world.notes.trimmed());
}

// The header line with the letter at column 79.
std::string sbsHeader(const std::string& letter) {
    std::string header;
    appendAtColumns(header, {{1, "Name"},
                             {22, "Hex"},
                             {27, "SDAHPGLT"},
                             {36, "I G Z PAG Al Star 1 Star 2 Star 3 Notes SS="},
                             {kLetterColumn, letter}});
    return header;
}

}  // namespace

Notices readSbs(SubsectorStore& store, std::string_view bytes) {
    Notices notices;
    const auto lines = splitLines(bytes);
    const auto line = [&](std::size_t i) { return i < lines.size() ? lines[i] : std::string_view(); };
    store.subsectorName = line(0);
    store.sectorName = line(1);
    const std::string letter(columns(line(2), kLetterColumn, kLetterColumn));
    const int offset = letterOffsetOrReport(letter, notices);
    store.subsectorLetter = letter;
    for (std::size_t i = 3; i < lines.size(); ++i) readWorldLine(store, notices, lines[i], offset);
    return notices;
}

WithNotices<std::string> formatSbs(const SubsectorStore& store) {
    WithNotices<std::string> result;
    std::string& out = result.value;
    out.reserve(3 * 90 + kHexCount * 140);
    out += store.subsectorName + "\r\n";
    out += store.sectorName + "\r\n";
    out += sbsHeader(store.subsectorLetter) + "\r\n";
    const int offset = letterOffsetOrReport(store.subsectorLetter, result.notices);
    std::string line;
    for (int slot = 1; slot <= kHexCount; ++slot) {
        const WorldRecord& w = store.worlds[static_cast<std::size_t>(slot)];
        if (!w.occupied()) continue;
        line.clear();
        appendAtColumns(line, {{1, w.name.view()},
                               {21, formatFourDigits(w.location + offset)},
                               {27, w.uwp.view()},
                               {36, w.base.trimmed()},
                               {38, w.gasGiant.view()},
                               {40, w.zone.view()},
                               {42, w.pag.view()},
                               {46, w.allegiance.view()},
                               {49, w.star1.view()},
                               {56, w.star2.view()},
                               {63, w.star3.view()},
                               {70, notesColumn(w)}});
        out += line;
        out += "\r\n";
    }
    return result;
}

bool writeSbsFile(const SubsectorStore& store, Prompter& prompter, const std::string& path) {
    const auto sbs = formatSbs(store);
    prompter.tell(sbs.notices);
    const auto written = writeFileAtomically(path, sbs.value);
    if (!written) {
        prompter.message(written.error(), MessageIcon::Exclamation);
        return false;
    }
    return true;
}

std::optional<std::string> saveSbs(SubsectorStore& store, Prompter& prompter, std::string& tagText,
                                   const std::string& folder) {
    const bool batch = !tagText.empty();
    std::string path = tagText;
    tagText.clear();
    if (!batch) {
        const auto chosen = prompter.saveFileName(folder, "*.sbs");
        if (!chosen || chosen->empty()) return std::nullopt;
        path = withDefaultExtension(*chosen, ".sbs");
    }
    if (!writeSbsFile(store, prompter, path)) return std::nullopt;
    if (!batch) prompter.message("File saved OK", MessageIcon::Information);
    return path;
}

}  // namespace qelvar
