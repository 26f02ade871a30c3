#include "files/arp.h"

#include "store/codes.h"
#include "store/file_io.h"
#include "store/paths.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "store/startup.h"
#include "files/line_facts.h"
#include "seams/prompter.h"

namespace qelvar {

namespace {

constexpr std::size_t kLetterColumn = 33;
constexpr std::size_t kRemarksWidth = 25;
constexpr std::size_t kFirstWorldLine = 7;  // 0-based: lines 1..7 are the head of the file
constexpr int kLowestPrice = -9999;         // the lowest the five price columns hold

void readWorldLine(SubsectorStore& store, Notices& notices, std::string_view line, int offset) {
    const int loc = toInt16(numericValue(columns(line, 26, 29)) - offset);
    const int slot = store.slotOfLocation(loc);
    noteSecondLine(store, notices, slot, loc + offset, columns(line, 1, 25));
    noteLineOutside(store, slot, loc + offset, columns(line, 1, 25));
    WorldRecord& world = store.worlds[static_cast<std::size_t>(slot)];
    world.location = static_cast<std::int16_t>(loc);
    world.name = columns(line, 1, 25);
    world.uwp = upperAscii(std::string(columns(line, 31, 31)) + std::string(columns(line, 33, 38)) +
                           std::string(columns(line, 40, 40)));
    world.base = upperAscii(columns(line, 42, 42));
    world.notes = columns(line, 44, 68);
    world.tradeCodes = columns(line, 70, 84);
    world.zone = upperAscii(columns(line, 86, 86));
    world.gasGiant = upperAscii(columns(line, 88, 88));
    world.cargoBase = toInt16(numericValue(columns(line, 90, 94)));
    world.star1 = upperAscii(columns(line, 96, 101));
    world.star2 = upperAscii(columns(line, 103, 108));
    world.star3 = upperAscii(columns(line, 110, 115));
    world.pag = columns(line, 117, 119);
    world.allegiance = columns(line, 121, 122);
    world.facility = columns(line, 124, 125);
}

std::string_view remarksOf(const WorldRecord& world) { return world.notes.trimmed().substr(0, kRemarksWidth); }

std::string cells(std::initializer_list<std::string_view> values) {
    std::string line;
    for (const std::string_view value : values) line += "<td>" + escapeMarkup(value) + "</td>";
    return line;
}

constexpr const char* kHtmlHeadings[] = {"System Name", "Locn",   "S-DAHPGL-T", "B",     "Remarks",
                                         "Trade",       "Zone",   "G",          "Price", "Star 1",
                                         "Star 2",      "Star 3", "PAG",        "Algn",  "TF"};

}  // namespace

Notices readArp(SubsectorStore& store, std::string_view bytes) {
    Notices notices;
    const auto lines = splitLines(bytes);
    const auto line = [&](std::size_t i) { return i < lines.size() ? lines[i] : std::string_view(); };
    store.sectorName = trimBlanks(line(1));
    store.subsectorLetter = columns(line(3), kLetterColumn, kLetterColumn);
    if (store.subsectorLetter == ")") store.subsectorLetter.clear();  // "()": the subsector had no letter
    store.subsectorName = trimBlanks(columns(line(3), 10, 29));
    const int offset = letterOffsetOrReport(store.subsectorLetter, notices);
    store.readFacts.tradeCodesFromFile = true;
    for (std::size_t i = kFirstWorldLine; i < lines.size(); ++i) {
        if (trimBlanks(lines[i]).empty()) break;
        readWorldLine(store, notices, lines[i], offset);
    }
    return notices;
}

std::string arpSubsectorLine(const SubsectorStore& store) {
    std::string line = "Subsector " + store.subsectorName;
    if (line.size() > 31) line.resize(31);
    appendAtColumns(line, {{32, "("}, {33, store.subsectorLetter}});
    return line + ")";
}

WithNotices<std::string> formatArp(const SubsectorStore& store) {
    WithNotices<std::string> file;
    std::string& out = file.value;
    out.reserve(7 * 130 + kHexCount * 130);
    out += "\r\n" + store.sectorName + "\r\n\r\n" + arpSubsectorLine(store) + "\r\n\r\n";
    out += std::string(kArpHeading) + "\r\n" + kArpRule + "\r\n";
    const int offset = letterOffsetOrReport(store.subsectorLetter, file.notices);
    std::string line;
    for (int slot = 1; slot <= kHexCount; ++slot) {
        const WorldRecord& w = store.worlds[static_cast<std::size_t>(slot)];
        if (!w.occupied()) continue;
        line.clear();
        int price = w.cargoBase;
        if (price < kLowestPrice) {
            file.notices.push_back({"The price " + std::to_string(price) + " of " + std::string(w.name.trimmed()) +
                                    " (" + formatFourDigits(w.location + offset) +
                                    ") is below what the ARP price column holds; " + "written as " +
                                    std::to_string(kLowestPrice)});
            price = kLowestPrice;
        }
        appendAtColumns(line, {{1, w.name.view()},
                               {26, formatFourDigits(w.location + offset)},
                               {31, hyphenatedUwp(w.uwp.view())},
                               {42, w.base.view()},
                               {44, remarksOf(w)},
                               {70, w.tradeCodes.view()},
                               {86, w.zone.view()},
                               {88, w.gasGiant.view()},
                               {90, formatWhole(price)},
                               {96, w.star1.view()},
                               {103, w.star2.view()},
                               {110, w.star3.view()},
                               {117, w.pag.view()},
                               {121, w.allegiance.view()},
                               {124, w.facility.view()}});
        out += line;
        out += "\r\n";
    }
    return file;
}

WithNotices<std::string> formatArpHtml(const SubsectorStore& store) {
    WithNotices<std::string> file;
    std::string& out = file.value;
    const int offset = letterOffsetOrReport(store.subsectorLetter, file.notices);
    const auto put = [&out](std::string_view line) {
        out += line;
        out += "\r\n";
    };
    put("<html>");
    put("<body>");
    std::string title = "<h1>Subsector " + escapeMarkup(store.subsectorName);
    if (title.size() > 31) title += ' ';  // a long name: the bracket follows after one blank
    appendAtColumns(title, {{32, "(" + escapeMarkup(store.subsectorLetter) + ")</h1>"}});
    put(title);
    put("<table width=\"100%\"border=1>");
    put("<tr>");
    for (const char* heading : kHtmlHeadings) put(std::string("  <Th>") + heading + "</th>");
    put("</tr>");
    for (int slot = 1; slot <= kHexCount; ++slot) {
        const WorldRecord& w = store.worlds[static_cast<std::size_t>(slot)];
        if (!w.occupied()) continue;
        put("<tr>");
        put(cells({w.name.view()}));
        put(cells({formatFourDigits(w.location + offset)}));
        put(cells({hyphenatedUwp(w.uwp.view())}));
        put(cells({w.base.view(), w.notes.trimmed()}));
        put(cells({w.tradeCodes.view(), w.zone.view()}));
        put(cells({w.gasGiant.view(), formatWhole(w.cargoBase)}));
        put(cells({w.star1.view(), w.star2.view(), w.star3.view()}));
        put(cells({w.pag.view(), w.allegiance.view(), w.facility.view()}));
        put("</tr>");
    }
    put("</table>");
    put("</body>");
    put("</html>");
    return file;
}

std::string htmlNameFor(const std::string& arpPath) {
    std::string name = arpPath;
    if (name.size() < 3) return name + ".htm";
    name.replace(name.size() - 3, 3, "htm");
    return name == arpPath ? arpPath + ".htm" : name;
}

std::optional<std::string> saveArp(SubsectorStore& store, Prompter& prompter, const std::string& folder) {
    const auto chosen = prompter.saveFileName(folder, "*.arp");
    if (!chosen || chosen->empty()) return std::nullopt;
    const std::string path = withDefaultExtension(*chosen, ".arp");
    const auto arp = formatArp(store);
    prompter.tell(arp.notices);
    if (const auto written = writeFileAtomically(path, arp.value); !written) {
        prompter.message(written.error(), MessageIcon::Exclamation);
        return std::nullopt;
    }
    if (!prompter.askYesNo(kHtmlQuestion, MessageIcon::Question, applicationTitle(), true)) return path;
    // The letter was reported with the ARP file already.
    if (const auto written = writeFileAtomically(htmlNameFor(path), formatArpHtml(store).value); !written) {
        prompter.message(written.error(), MessageIcon::Exclamation);
    }
    return path;
}

}  // namespace qelvar
