#include "reports/check.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_set>

#include "details/description_table.h"
#include "files/sector_fields.h"
#include "files/sector_file.h"
#include "generation/world_generation.h"
#include "store/codes.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "store/trade.h"

namespace qelvar {

namespace {

constexpr std::string_view kStandardTradeCodes[] = {"Ag", "As", "Ba", "De", "Fl", "Hi", "Ic", "In",
                                                    "Lo", "Na", "Ni", "Po", "Ri", "Va", "Wa"};
constexpr std::size_t kKeptTradeCodes = 5;

// Allegiances the generator has rules of its own for; every other code follows the common rules.
constexpr std::string_view kOwnRuleAllegiances[] = {"Hv", "As", "Va", "Zh", "Dr", "Ch"};

// The highest environmental minimum an atmosphere rolled for a size-0 world can give (it is at most 5).
constexpr int kSizeZeroHighestMinimum = 7;

bool knownCode(char prefix, std::string_view code) {
    static const std::unordered_set<std::string> keys = [] {
        std::unordered_set<std::string> all;
        const DescriptionTable& table = descriptionTable();
        for (int slot = 1; slot <= kDescriptionSlots; ++slot) all.insert(table.entry(slot).key);
        return all;
    }();
    return keys.count(prefix + std::string(code)) > 0;
}

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }
std::string number(int value) { return std::to_string(value); }

bool wellFormedUwp(std::string_view uwp) {
    if (uwp.size() != 8 || std::string_view("ABCDEX").find(uwp[0]) == std::string_view::npos) return false;
    return std::all_of(uwp.begin() + 1, uwp.end(), [](char c) { return c == '0' || hexDigitValue(c) > 0; });
}

// The sum of the tech level modifiers of the common rules for the world's values.
int techModifier(const std::array<int, 9>& v) {
    const int port = v[1], size = v[2], atm = v[3], hyd = v[4], pop = v[5], gov = v[6];
    int dm = 0;
    if (port == hexDigitValue('A')) dm += 6;
    if (port == hexDigitValue('B')) dm += 4;
    if (port == hexDigitValue('C')) dm += 2;
    if (port == hexDigitValue('X')) dm -= 4;
    dm += (size < 2) + (size < 5) + (atm < 4) + (atm > 9) + (hyd > 8);
    if (pop < 6) dm += 1;
    if (pop == 9) dm += 2;
    if (pop == 10) dm += 4;
    dm += (gov == 0) + (gov == 5) - 2 * (gov == 13);
    return dm;
}

std::vector<std::string_view> standardCodesIn(std::string_view text) {
    std::vector<std::string_view> codes;
    for (const std::string_view code : kStandardTradeCodes) {
        for (std::size_t at = text.find(code); at != std::string_view::npos; at = text.find(code, at + 1)) {
            const bool startsWord = at == 0 || isFieldBlank(text[at - 1]);
            const bool endsWord = at + 2 == text.size() || isFieldBlank(text[at + 2]);
            if (startsWord && endsWord) {
                codes.push_back(code);
                break;
            }
        }
    }
    return codes;  // in table order
}

std::string joined(const std::vector<std::string_view>& codes) {
    std::string text;
    for (const std::string_view code : codes) text += (text.empty() ? "" : " ") + std::string(code);
    return text.empty() ? "none" : text;
}

std::string tradeCodesMessage(std::string_view stored, const UwpValues& values) {
    std::vector<std::string_view> expected = standardCodesIn(tradeFor(values).codes);
    if (expected.size() > kKeptTradeCodes) expected.resize(kKeptTradeCodes);
    const std::vector<std::string_view> held = standardCodesIn(stored);
    std::vector<std::string_view> missing, extra;
    for (const std::string_view code : expected) {
        if (std::find(held.begin(), held.end(), code) == held.end()) missing.push_back(code);
    }
    for (const std::string_view code : held) {
        if (std::find(expected.begin(), expected.end(), code) == expected.end()) extra.push_back(code);
    }
    if (missing.empty() && extra.empty()) return {};
    std::string message = "stored " + joined(held) + ", the UWP gives " + joined(expected);
    if (!missing.empty()) message += ": missing " + joined(missing);
    if (!extra.empty()) message += (missing.empty() ? ": extra " : ", extra ") + joined(extra);
    return message;
}

void addPart(std::string& message, const std::string& part) { message += (message.empty() ? "" : "; ") + part; }

std::string profileRangeMessage(const std::array<int, 9>& v) {
    const int size = v[2], atm = v[3], hyd = v[4], pop = v[5], gov = v[6], law = v[7];
    std::string m;
    if (size > 10) addPart(m, "size " + number(size) + " above 10");
    if (atm > size + 5) addPart(m, "atmosphere " + number(atm) + " above size + 5");
    if (size >= 6 && atm < size - 5) addPart(m, "atmosphere " + number(atm) + " below size - 5");
    if (size > 0 && hyd > atm + 5) addPart(m, "hydrographics " + number(hyd) + " above atmosphere + 5");
    if (size > 0 && atm >= 6 && hyd < atm - 5) addPart(m, "hydrographics " + number(hyd) + " below atmosphere - 5");
    if (pop > 10) addPart(m, "population " + number(pop) + " above 10");
    if (pop > 0) {
        if (gov > pop + 5) addPart(m, "government " + number(gov) + " above population + 5");
        if (gov < pop - 5) addPart(m, "government " + number(gov) + " below population - 5");
        if (law > gov + 5) addPart(m, "law level " + number(law) + " above government + 5");
        if (law < gov - 5) addPart(m, "law level " + number(law) + " below government - 5");
    }
    return m;
}

std::string techRangeMessage(const std::array<int, 9>& v) {
    const int size = v[2], atm = v[3], tech = v[8];
    const int dm = techModifier(v);
    // A size-0 world's atmosphere was rolled, and gave its minimum, before it became 0.
    const int minimum = size == 0 ? 0 : environmentalMinimum(atm);
    const int highest = std::max(8 + dm, size == 0 ? kSizeZeroHighestMinimum : minimum);
    if (tech > highest) return "tech level " + number(tech) + " above " + number(highest);
    if (tech < minimum) {
        return "tech level " + number(tech) + " below the minimum " + number(minimum) + " for atmosphere " +
               number(atm);
    }
    return {};
}

}  // namespace

void checkWorld(const WorldRecord& world, int hex, std::optional<std::string_view> storedTradeCodes,
                const std::string& file, std::vector<Finding>& findings) {
    const auto add = [&](const char* rule, std::string message) {
        if (!message.empty()) findings.push_back({file, hex, rule, std::move(message)});
    };
    const std::string_view uwp = world.uwp.view();
    const std::string_view allegiance = world.allegiance.trimmed();
    const bool uwpGiven = !world.uwp.trimmed().empty() && uwp.find('?') == std::string_view::npos;
    if (uwpGiven && !wellFormedUwp(uwp)) {
        add("uwp-form", "UWP " + quoted(world.uwp.trimmed()) + " is not a starport A-E or X and seven digits");
    } else if (uwpGiven) {
        std::array<int, 9> v{};
        for (std::size_t i = 1; i <= 8; ++i) v[i] = uwp[i - 1] == '0' ? 0 : hexDigitValue(uwp[i - 1]);
        const int size = v[2], atm = v[3], hyd = v[4], pop = v[5], gov = v[6], law = v[7], tech = v[8];
        if (size == 0 && (atm > 0 || hyd > 0)) {
            add("size-zero", "size 0 with atmosphere " + number(atm) + " and hydrographics " + number(hyd));
        }
        if (hyd > 10) add("hydrographics-max", "hydrographics " + number(hyd) + " above 10");
        if (pop == 0 && (gov > 0 || law > 0 || tech > 0)) {
            add("population-zero", "population 0 with government " + number(gov) + ", law level " + number(law) +
                                       " and tech level " + number(tech));
        }
        if (pop > 0 && world.pag.view()[0] == '0') {
            add("pag-population", "PAG population multiplier 0 with population " + number(pop));
        }
        if (storedTradeCodes) add("trade-codes", tradeCodesMessage(*storedTradeCodes, v));
        const bool commonRules = std::find(std::begin(kOwnRuleAllegiances), std::end(kOwnRuleAllegiances),
                                           allegiance) == std::end(kOwnRuleAllegiances);
        if (commonRules) {
            add("profile-range", profileRangeMessage(v));
            if (pop > 0) add("tech-range", techRangeMessage(v));
        }
    }
    const std::string_view zone = world.zone.trimmed();
    if (!zone.empty() && zone != "A" && zone != "R") add("zone-code", "zone " + quoted(zone) + " is not blank, A or R");
    const std::string_view base = world.base.trimmed();
    if (!base.empty() && !knownCode('B', base)) add("base-code", "base " + quoted(base) + " is not a known base");
    if (!allegiance.empty() && !knownCode('Y', allegiance)) {
        add("allegiance-code", "allegiance " + quoted(allegiance) + " is not a known allegiance");
    }
    const FixedText<6>* stars[] = {&world.star1, &world.star2, &world.star3};
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string_view star = stars[i]->trimmed();
        if (!star.empty() && !knownCode('X', star.substr(0, 1))) {
            add("star-form", "star " + number(static_cast<int>(i) + 1) + " " + quoted(star) + ": spectral class " +
                                 quoted(star.substr(0, 1)) + " is not a known class");
        }
    }
}

void sortFindings(std::vector<Finding>& findings) {
    const auto order = [](const std::string& rule) {
        return std::find_if(std::begin(kCheckRules), std::end(kCheckRules),
                            [&](const char* known) { return rule == known; }) -
               std::begin(kCheckRules);
    };
    std::stable_sort(findings.begin(), findings.end(), [&](const Finding& a, const Finding& b) {
        return a.hex != b.hex ? a.hex < b.hex : order(a.rule) < order(b.rule);
    });
}

const char* checkRulesName(CheckRules rules) { return rules == CheckRules::Modern ? "modern" : "classic"; }

namespace {

bool sectorHex(int hex) {
    return hex / 100 >= 1 && hex / 100 <= kSectorColumns && hex % 100 >= 1 && hex % 100 <= kSectorRows;
}

// The number N of a reader's "line N: ..." notice; 0 for another notice.
int noticeLine(std::string_view text) {
    if (text.substr(0, 5) != "line ") return 0;
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos || colon == 5 || colon > 12) return 0;
    int line = 0;
    for (const char c : text.substr(5, colon - 5)) {
        if (c < '0' || c > '9') return 0;
        line = line * 10 + (c - '0');
    }
    return line;
}

void addSecondLines(const SubsectorStore& store, const std::string& file, std::vector<Finding>& findings) {
    for (const LineSeen& line : store.readFacts.duplicates) {
        findings.push_back(
            {file, line.hex, "duplicate-hex",
             "a further line for this hex: " + quoted(line.name) + " replaces " + quoted(line.replaced)});
    }
}

}  // namespace

std::vector<Finding> checkSubsector(const SubsectorStore& store, const std::string& file, CheckRules rules) {
    std::vector<Finding> findings;
    const int offset = letterOffset(store.subsectorLetter).value_or(0);
    for (int slot = 1; slot <= kHexCount; ++slot) {
        const WorldRecord& world = store.worlds[static_cast<std::size_t>(slot)];
        if (!world.occupied()) continue;
        const int hex = world.location + offset;
        if (rules == CheckRules::Modern) {
            checkWorldModern(fieldsOfRecord(world, hex / 100, hex % 100), hex, store.readFacts.tradeCodesFromFile, file,
                             findings);
            continue;
        }
        const auto stored = store.readFacts.tradeCodesFromFile ? std::optional(world.tradeCodes.view()) : std::nullopt;
        checkWorld(world, hex, stored, file, findings);
    }
    addSecondLines(store, file, findings);
    for (const LineSeen& line : store.readFacts.outside) {
        if (sectorHex(line.hex)) {
            findings.push_back({file, line.hex, "outside-subsector",
                                quoted(line.name) + " lies outside subsector " + store.subsectorLetter});
        } else {
            findings.push_back({file, 0, "unreadable-line",
                                quoted(line.name) + ": its hex is no hex of the sector; the line is not read"});
        }
    }
    sortFindings(findings);
    return findings;
}

std::vector<Finding> checkSector(const SectorRead& read, const Notices& readNotices, const std::string& file,
                                 CheckRules rules) {
    std::vector<Finding> findings;
    for (const SectorWorld& world : read.sector.worlds) {
        const int hex = world.column * 100 + world.row;
        if (rules == CheckRules::Modern) {
            if (world.fields.empty()) {
                checkWorldModern(fieldsOfRecord(world.record, world.column, world.row), hex, true, file, findings);
            } else {
                checkWorldModern(world.fields, hex, true, file, findings);
            }
            continue;
        }
        const auto remarks = world.fields.find("Remarks");
        const auto stored =
            remarks == world.fields.end() ? std::nullopt : std::optional<std::string_view>(remarks->second);
        checkWorld(world.record, hex, stored, file, findings);
    }
    for (const LineSeen& line : read.duplicates) {
        findings.push_back(
            {file, line.hex, "duplicate-hex",
             "a further line for this hex: " + quoted(line.name) + " is skipped, " + quoted(line.replaced) + " stays"});
    }
    // A line the reader told of and made no world of was dropped; a second line for a hex is told above.
    std::unordered_set<int> worldLines;
    for (const SectorWorld& world : read.sector.worlds) worldLines.insert(world.line);
    for (const Notice& notice : readNotices) {
        const int line = noticeLine(notice.text);
        const bool second = notice.text.find(": a second world at hex ") != std::string::npos;
        if (line > 0 && !second && worldLines.insert(line).second) {
            findings.push_back({file, 0, "unreadable-line", notice.text});
        }
    }
    sortFindings(findings);
    return findings;
}

std::vector<Finding> checkSubsectorOfSector(const SubsectorStore& store, const Sector& loaded,
                                            const std::string& file) {
    Sector sector = loaded;
    storeIntoSector(store, sector);
    const auto index = letterOffset(store.subsectorLetter);
    std::vector<Finding> findings;
    for (const SectorWorld& world : sector.worlds) {
        const int hex = world.column * 100 + world.row;
        if (index && subsectorLetterOf(world.column, world.row) == store.subsectorLetter[0]) {
            checkWorldModern(fieldsToWrite(world), hex, true, file, findings);
        }
    }
    addSecondLines(store, file, findings);
    sortFindings(findings);
    return findings;
}

std::string findingLine(const Finding& finding) {
    return finding.file + ":" + formatFourDigits(finding.hex) + ": " + finding.rule + ": " + finding.message;
}

}  // namespace qelvar
