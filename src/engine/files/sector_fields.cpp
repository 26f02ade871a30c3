#include "files/sector_fields.h"

#include <algorithm>
#include <array>
#include <set>
#include <utility>

#include "store/codes.h"
#include "store/cp1252.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "store/trade.h"

namespace qelvar {

namespace {

constexpr std::string_view kCommonDigits = "0123456789ABCDEFGHJKLMNPQRSTUVWXYZ";

struct BaseRow {
    char legacy;
    std::string_view modern;
};
constexpr std::array<BaseRow, 17> kBases = {{{'A', "NS"},
                                             {'B', "NW"},
                                             {'C', "C"},
                                             {'D', "D"},
                                             {'E', "E"},
                                             {'F', "KM"},
                                             {'H', "CK"},
                                             {'J', "K"},
                                             {'M', "M"},
                                             {'N', "N"},
                                             {'O', "O"},
                                             {'R', "R"},
                                             {'S', "S"},
                                             {'T', "T"},
                                             {'U', "RT"},
                                             {'V', "V"},
                                             {'W', "W"}}};

// The rows that hold only for some allegiances; they come before the general table.
std::vector<BaseRow> allegianceBases(std::string_view allegiance) {
    const std::string_view two = allegiance.substr(0, std::min<std::size_t>(2, allegiance.size()));
    if (two == "Zh") return {{'Y', "D"}, {'X', "W"}, {'Z', "KM"}};
    if (two == "Hv") return {{'L', "K"}};
    if (two == "Dr") return {{'P', "K"}, {'Q', "M"}};
    if (!two.empty() && two.front() == 'V') return {{'G', "K"}};
    return {};
}

std::string sortedLetters(std::string_view text) {
    std::string letters(text);
    std::sort(letters.begin(), letters.end());
    return letters;
}

std::vector<std::string_view> words(std::string_view text) { return blankWords(text); }

std::string joinWords(const std::vector<std::string_view>& parts) {
    std::string out;
    for (const std::string_view part : parts) out += (out.empty() ? "" : " ") + std::string(part);
    return out;
}

bool isStarSize(std::string_view word) {
    static const std::set<std::string> sizes = {"IA", "IB", "II", "III", "IV", "V", "VI", "VII", "D"};
    return sizes.count(upperAscii(word)) > 0;
}

// The trade codes a profile gives, by this program's rules or the published data's.
bool isTradeCodeWord(std::string_view word) {
    static constexpr std::string_view kModernOnly[] = {"Ga", "He", "Oc", "Di", "Ph", "Pa", "Pi", "Pr"};
    return std::find(std::begin(kStandardTradeCodes), std::end(kStandardTradeCodes), word) !=
               std::end(kStandardTradeCodes) ||
           std::find(std::begin(kModernOnly), std::end(kModernOnly), word) != std::end(kModernOnly);
}

std::string fieldOr(const SectorFields& fields, const std::string& name) {
    const auto it = fields.find(name);
    return it == fields.end() ? std::string() : it->second;
}

std::string_view emptyWhenDash(std::string_view text) {
    text = trimBlanks(text);
    return text == "-" ? std::string_view() : text;
}

// What a reader lost of a field, as the notice names it.
std::string lossLabel(const std::string& name) {
    static const std::map<std::string, std::string> labels = {{"Name", "full names"},
                                                              {"UWP", "UWP digits"},
                                                              {"Bases", "several bases"},
                                                              {"Remarks", "remarks"},
                                                              {"Zone", "zone"},
                                                              {"PBG", "PBG"},
                                                              {"Allegiance", "four-letter allegiance"},
                                                              {"Stars", "stars"},
                                                              {"Nobility", "nobility"},
                                                              {"Sector", "sector"}};
    const auto it = labels.find(name);
    return it == labels.end() ? name : it->second;
}

}  // namespace

std::string canonicalColumnName(std::string_view title) {
    static const std::map<std::string, std::string, std::less<>> aliases = {{"Trade Codes", "Remarks"},
                                                                            {"Comments", "Remarks"},
                                                                            {"B", "Bases"},
                                                                            {"Z", "Zone"},
                                                                            {"A", "Allegiance"},
                                                                            {"Al", "Allegiance"},
                                                                            {"Stellar", "Stars"},
                                                                            {"Stellar Data", "Stars"},
                                                                            {"N", "Nobility"},
                                                                            {"Worlds", "W"},
                                                                            {"Ix", "{Ix}"},
                                                                            {"{ Ix }", "{Ix}"},
                                                                            {"Ex", "(Ex)"},
                                                                            {"( Ex )", "(Ex)"},
                                                                            {"Cx", "[Cx]"},
                                                                            {"[ Cx ]", "[Cx]"}};
    const std::string_view trimmed = trimBlanks(title);
    const auto it = aliases.find(trimmed);
    return it == aliases.end() ? std::string(trimmed) : it->second;
}

std::string uwpFromSectorText(std::string_view text, std::string* unheld) {
    std::string uwp(trimBlanks(text));
    if (uwp.size() >= 8 && uwp[7] == '-') uwp.erase(7, 1);
    for (std::size_t i = 1; i < uwp.size(); ++i) {
        const char c = static_cast<char>(uwp[i] >= 'a' && uwp[i] <= 'z' ? uwp[i] - 'a' + 'A' : uwp[i]);
        const auto value = kCommonDigits.find(c);
        if (value == std::string_view::npos) continue;
        if (value > kExtendedHexDigits.size()) {
            if (unheld) unheld->push_back(c);
            uwp[i] = '?';
        } else {
            uwp[i] = value == 0 ? '0' : kExtendedHexDigits[value - 1];
        }
    }
    return uwp;
}

std::string sectorUwpText(std::string_view stored) {
    std::string uwp(trimBlanks(stored));
    for (std::size_t i = 1; i < uwp.size(); ++i) {
        const int value = uwp[i] == '0' ? 0 : hexDigitValue(uwp[i]);
        if (value >= 0) uwp[i] = kCommonDigits[static_cast<std::size_t>(value)];
    }
    if (uwp.size() == 8) uwp.insert(7, "-");
    return uwp;
}

std::optional<std::string> modernBases(char legacy, std::string_view allegiance) {
    if (legacy == '2') return "NS";
    for (const BaseRow& row : allegianceBases(allegiance)) {
        if (row.legacy == legacy) return std::string(row.modern);
    }
    for (const BaseRow& row : kBases) {
        if (row.legacy == legacy) return std::string(row.modern);
    }
    return std::nullopt;
}

std::optional<char> legacyBase(std::string_view modern, std::string_view allegiance) {
    const std::string letters = sortedLetters(modern);
    for (const BaseRow& row : allegianceBases(allegiance)) {
        if (sortedLetters(row.modern) == letters) return row.legacy;
    }
    for (const BaseRow& row : kBases) {
        if (sortedLetters(row.modern) == letters) return row.legacy;
    }
    return std::nullopt;
}

WorldRecord recordFromFields(const SectorFields& fields, Notices* notices, const std::string& where) {
    WorldRecord record;
    record.name = cp1252FromUtf8(trimBlanks(fieldOr(fields, "Name")));
    std::string unheld;
    record.uwp = uwpFromSectorText(fieldOr(fields, "UWP"), &unheld);
    if (!unheld.empty() && notices) {
        notices->emplace_back(where + "the UWP digit " + unheld + " has no digit here; it is kept for sector files");
    }
    const std::string allegiance = std::string(trimBlanks(fieldOr(fields, "Allegiance")));
    record.allegiance = allegiance;
    const std::string bases = std::string(emptyWhenDash(fieldOr(fields, "Bases")));
    if (bases.empty()) {
        record.base = " ";
    } else {
        const auto legacy = legacyBase(bases, allegiance);
        record.base = upperAscii(std::string(1, legacy ? *legacy : bases.front()));
    }
    const std::string zone = upperAscii(emptyWhenDash(fieldOr(fields, "Zone")));
    record.zone = zone == "G" ? std::string() : zone;
    const std::string pbg = std::string(trimBlanks(fieldOr(fields, "PBG")));
    record.pag = pbg;
    record.gasGiant = numericValue(columns(pbg, 3, 3)) > 0 ? "G" : " ";

    std::vector<std::string> stars;
    const std::string starsText = fieldOr(fields, "Stars");
    for (const std::string_view word : words(starsText)) {
        if (!stars.empty() && isStarSize(word) && stars.back().find(' ') == std::string::npos) {
            stars.back() += " " + std::string(word);
        } else {
            stars.emplace_back(word);
        }
    }
    stars.resize(std::max<std::size_t>(stars.size(), 3));
    // Upper-cased as the subsector files read them, so that what they are written with reads back the same.
    record.star1 = upperAscii(stars[0]);
    record.star2 = upperAscii(stars[1]);
    record.star3 = upperAscii(stars[2]);

    // Trade codes and price as the SBS reader computes them; the remarks' leading words that are those
    // codes are kept apart, the rest is the notes.
    const TradeResult trade = tradeFor(uwpValuesOf(record));
    record.tradeCodes = trade.codes;
    record.cargoBase = static_cast<std::int16_t>(trade.price);
    // The remarks are those codes followed by notes when they begin with exactly these codes, in this order,
    // and nothing after them is a trade code; otherwise the notes hold the remarks whole, and as they then
    // hold trade codes, the remarks written are the notes alone (see fieldsOfRecord). Remarks without a
    // trade code where the profile gives some are noted after a "-" (the files' word for none), which
    // stands for no codes.
    const std::string remarks = std::string(emptyWhenDash(fieldOr(fields, "Remarks")));
    const std::vector<std::string_view> codes = words(record.tradeCodes.view());
    const std::vector<std::string_view> said = words(remarks);
    std::size_t rest = 0;
    if (!codes.empty() && said.size() >= codes.size() && std::equal(codes.begin(), codes.end(), said.begin()) &&
        std::none_of(said.begin() + static_cast<std::ptrdiff_t>(codes.size()), said.end(), isTradeCodeWord)) {
        rest = static_cast<std::size_t>(said[codes.size() - 1].data() - remarks.data()) + codes.back().size();
    }
    std::string notes(trimBlanks(std::string_view(remarks).substr(rest)));
    if (rest == 0 && !codes.empty() && std::none_of(said.begin(), said.end(), isTradeCodeWord)) {
        notes = notes.empty() ? "-" : "- " + notes;
    }
    record.notes = cp1252FromUtf8(notes);
    record.facility = "";
    return record;
}

SectorFields fieldsOfRecord(const WorldRecord& record, int column, int row) {
    SectorFields fields;
    fields["SS"] = std::string(1, subsectorLetterOf(column, row));
    fields["Hex"] = formatFourDigits(column * 100 + row);
    fields["Name"] = utf8FromCp1252(record.name.trimmed());
    fields["UWP"] = sectorUwpText(record.uwp.view());
    const std::string allegiance(record.allegiance.trimmed());
    fields["Allegiance"] = utf8FromCp1252(allegiance);
    const std::string_view base = record.base.trimmed();
    if (!base.empty()) {
        const auto modern = modernBases(base.front(), allegiance);
        fields["Bases"] = utf8FromCp1252(modern ? *modern : std::string(base));
    } else {
        fields["Bases"] = "";
    }
    std::string_view notes = record.notes.trimmed();
    const std::vector<std::string_view> noted = words(notes);
    std::string remarks;
    if (!noted.empty() && noted.front() == "-") {
        notes = trimBlanks(notes.substr(1));
    } else if (std::none_of(noted.begin(), noted.end(), isTradeCodeWord)) {
        remarks = joinWords(words(record.tradeCodes.view()));
    }
    if (!notes.empty()) remarks += (remarks.empty() ? "" : " ") + std::string(notes);
    fields["Remarks"] = utf8FromCp1252(remarks);
    fields["Zone"] = utf8FromCp1252(record.zone.trimmed());
    fields["PBG"] = utf8FromCp1252(record.pag.trimmed());
    std::vector<std::string_view> stars;
    for (const auto* star : {&record.star1, &record.star2, &record.star3}) {
        if (!star->trimmed().empty()) stars.push_back(star->trimmed());
    }
    fields["Stars"] = utf8FromCp1252(joinWords(stars));
    return fields;
}

SectorFields fieldsToWrite(const SectorWorld& world) {
    SectorFields current = fieldsOfRecord(world.record, world.column, world.row);
    if (world.fields.empty()) return current;
    const SectorFields original = fieldsOfRecord(recordFromFields(world.fields), world.column, world.row);
    for (const auto& [name, text] : world.fields) {
        const auto now = current.find(name);
        if (now == current.end()) {
            current[name] = text;  // a field the record does not hold
        } else if (original.at(name) == now->second) {
            now->second = text;
        }
    }
    return current;
}

std::string meaningOf(const std::string& name, std::string_view text) {
    if (name == "Bases" || name == "Remarks" || name == "Zone" || name == "Nobility") text = emptyWhenDash(text);
    if (name == "Zone" && (text == "G" || text == "g")) text = {};
    std::string joined = joinWords(words(text));
    return name == "Stars" || name == "Zone" ? upperAscii(joined) : joined;
}

std::optional<Notice> lossNotice(const Sector& before, const Sector& after, int index, const std::string& formatName) {
    std::map<int, const SectorWorld*> afterAt;
    for (const SectorWorld& world : after.worlds) afterAt[world.column * 100 + world.row] = &world;
    std::set<std::string> lostNames;
    int count = 0;
    for (const SectorWorld& world : before.worlds) {
        if (index >= 0 && subsectorIndexOf(world.column, world.row) != index) continue;
        const SectorFields wanted = fieldsToWrite(world);
        const auto found = afterAt.find(world.column * 100 + world.row);
        const SectorFields kept = found == afterAt.end() ? SectorFields() : fieldsToWrite(*found->second);
        bool any = false;
        for (const auto& [name, text] : wanted) {
            if (name == "SS" || name == "Hex") continue;
            const auto other = kept.find(name);
            if (meaningOf(name, text) == meaningOf(name, other == kept.end() ? std::string() : other->second)) {
                continue;
            }
            any = true;
            lostNames.insert(name);
        }
        count += any ? 1 : 0;
    }
    // Named in the writer's column order, then any others.
    std::vector<std::string> lost;
    for (const std::string& name : kSectorColumnNames) {
        if (lostNames.erase(name) > 0) lost.push_back(lossLabel(name));
    }
    for (const std::string& name : lostNames) lost.push_back(lossLabel(name));
    if (count == 0) return std::nullopt;
    std::string list;
    for (std::size_t i = 0; i < lost.size(); ++i) {
        list += (i == 0 ? "" : i + 1 == lost.size() ? " and " : ", ") + lost[i];
    }
    return Notice(std::to_string(count) + (count == 1 ? " world loses its " : " worlds lose their ") + list + " in " +
                  formatName);
}

}  // namespace qelvar
