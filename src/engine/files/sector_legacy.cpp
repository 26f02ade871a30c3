// The legacy fixed-column sector format. Published files do not share one layout: the galactic data files'
// columns (name 1-14, hex 15-18, UWP 20-28, one base letter at 31, remarks 33-47, zone 49, PBG 52-54,
// allegiance 56-57, stars from 59), or a 20-character name (or none) before the hex at 21-24 or 22-25, with
// the fields after the UWP one or two columns nearer. So each line's hex and UWP are found by their shape
// (four digits, blanks, a starport and six digits, a dash and a digit) and the other fields by their places
// after the UWP. Lines starting with "#", "$" or "@" are comments; a line with neither a four-digit number
// nor anything like a UWP is text around the worlds (a title, the subsector list) and is passed over; any
// other line that does not fit is a bad line, never a world.
#include <algorithm>
#include <cctype>

#include "files/sector_formats.h"
#include "store/cp1252.h"
#include "store/text.h"

namespace qelvar::sector_formats {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isUwpDigit(char c) { return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '?'; }

// Where a UWP's nine characters start at byte i: a starport, six digits, a dash and a digit.
bool uwpAt(std::string_view line, std::size_t i) {
    if (i + 9 > line.size() || !isUwpDigit(line[i]) || line[i + 7] != '-' || !isUwpDigit(line[i + 8])) return false;
    for (std::size_t k = i + 1; k < i + 7; ++k) {
        if (!isUwpDigit(line[k])) return false;
    }
    return i + 9 == line.size() || isBlank(line[i + 9]);
}

struct Anchor {
    std::size_t hex = std::string_view::npos;  // bytes
    std::size_t uwp = 0;
};

// The first four digits followed by blanks and a UWP, and not by a fifth digit before them, unless they
// stand at the 15th character, where a 14-character name ends (as this program's legacy writer puts it).
Anchor findAnchor(std::string_view line) {
    const auto starts = utf8CharacterStarts(line);
    for (std::size_t i = 0; i + 4 <= line.size(); ++i) {
        if (!(isDigit(line[i]) && isDigit(line[i + 1]) && isDigit(line[i + 2]) && isDigit(line[i + 3]))) continue;
        const bool fifteenth = starts.size() > 15 && starts[14] == i;
        if (i > 0 && isDigit(line[i - 1]) && !fifteenth) continue;
        std::size_t j = i + 4;
        if (j >= line.size() || !isBlank(line[j])) continue;
        while (j < line.size() && isBlank(line[j])) ++j;
        if (uwpAt(line, j)) return {i, j};
    }
    return {};
}

// Whether the line may be meant as a world: a four-digit number standing alone, or a UWP-like word.
bool looksLikeWorld(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (i > 0 && !isBlank(line[i - 1])) continue;
        std::size_t end = i;
        while (end < line.size() && !isBlank(line[end])) ++end;
        const std::string_view word = line.substr(i, end - i);
        if (word.size() == 4 && std::all_of(word.begin(), word.end(), isDigit)) return true;
        if (word.size() >= 8 && word.find('-') == 7) return true;
    }
    return false;
}

// A header line naming the columns: "World Name  Hex  UWP  B Remarks  Z PBG Al Stellar".
bool isColumnTitles(std::string_view line) {
    const std::string upper = upperAscii(line);
    return upper.find("HEX") != std::string::npos && upper.find("UWP") != std::string::npos;
}

// A blank-separated word of the text after the UWP, its first character counted from 1 after the UWP.
struct Word {
    std::size_t place;
    std::string_view text;
};

std::vector<Word> wordsOf(std::string_view tail) {
    std::vector<Word> words;
    for (std::size_t i = 0; i < tail.size();) {
        if (isBlank(tail[i])) {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < tail.size() && !isBlank(tail[i])) ++i;
        words.push_back({start + 1, tail.substr(start, i - start)});
    }
    return words;
}

bool isPbg(std::string_view word) { return word.size() == 3 && std::all_of(word.begin(), word.end(), isUwpDigit); }

// The fields after the UWP, by their places: a base letter 2 or 3 after it, the PBG (three digits) from 20
// on, a one-letter zone at most three before the PBG, the remarks between, the allegiance right after the
// PBG and the stars after that. Nothing when no PBG is there.
std::optional<SectorFields> fieldsAfterUwp(std::string_view tail) {
    const std::vector<Word> words = wordsOf(tail);
    const auto pbg =
        std::find_if(words.begin(), words.end(), [](const Word& w) { return w.place >= 20 && isPbg(w.text); });
    if (pbg == words.end()) return std::nullopt;
    SectorFields fields;
    fields["PBG"] = std::string(pbg->text);
    auto first = words.begin();
    if (first != pbg && first->text.size() == 1 && (first->place == 2 || first->place == 3)) {
        fields["Bases"] = std::string(first->text);
        ++first;
    }
    auto last = pbg;
    if (last != first && std::prev(last)->text.size() == 1 && std::prev(last)->place + 3 >= pbg->place) {
        --last;
        fields["Zone"] = std::string(last->text);
    }
    if (first != last) {
        const std::size_t from = first->place - 1;
        const std::size_t to = std::prev(last)->place - 1 + std::prev(last)->text.size();
        fields["Remarks"] = std::string(tail.substr(from, to - from));
    }
    const auto after = std::next(pbg);
    if (after != words.end() && after->place == pbg->place + 4) {
        fields["Allegiance"] = std::string(after->text);
        if (std::next(after) != words.end()) {
            fields["Stars"] = std::string(trimBlanks(tail.substr(std::next(after)->place - 1)));
        }
    } else if (after != words.end()) {
        fields["Stars"] = std::string(trimBlanks(tail.substr(after->place - 1)));
    }
    return fields;
}

// The galactic data files' own places after the UWP (it ends at column 28): a base letter at 31, remarks
// 33-47, zone 49, allegiance 56-57, stars from 59. For a line in those columns whose PBG (52-54) is blank.
SectorFields fieldsInGalacticPlaces(std::string_view tail) {
    const auto starts = utf8CharacterStarts(tail);
    const auto cell = [&](std::size_t first, std::size_t count) {
        return std::string(trimBlanks(characters(tail, starts, first - 1, count)));
    };
    return {{"Bases", cell(3, 1)}, {"Remarks", cell(5, 15)},    {"Zone", cell(21, 1)},
            {"PBG", ""},           {"Allegiance", cell(28, 2)}, {"Stars", cell(31, std::string_view::npos)}};
}

}  // namespace

void readLegacy(const std::vector<PhysicalLine>& lines, SectorReader& reader) {
    reader.read.layout.format = SectorFormat::Legacy;
    for (const PhysicalLine& physical : lines) {
        const std::string_view line = physical.text;
        if (trimBlanks(line).empty() || line.front() == '#' || line.front() == '$' || line.front() == '@') continue;
        const Anchor anchor = findAnchor(line);
        if (anchor.hex == std::string_view::npos) {
            if (looksLikeWorld(line) && !isColumnTitles(line)) {
                reader.badLine(physical.number, "no hex and UWP in the places of a world line");
            }
            continue;
        }
        const std::string_view tail = line.substr(anchor.uwp + 9);
        std::optional<SectorFields> fields = fieldsAfterUwp(tail);
        const auto starts = utf8CharacterStarts(line);
        if (!fields && starts.size() > 15 && starts[14] == anchor.hex && anchor.uwp == anchor.hex + 5 &&
            trimBlanks(characters(tail, utf8CharacterStarts(tail), 23, 3)).empty()) {
            fields = fieldsInGalacticPlaces(tail);
        }
        if (!fields) {
            reader.badLine(physical.number, "no PBG after the UWP");
            continue;
        }
        (*fields)["Name"] = std::string(trimBlanks(line.substr(0, anchor.hex)));
        (*fields)["UWP"] = std::string(line.substr(anchor.uwp, 9));
        for (const char* name : {"Bases", "Remarks", "Zone", "Allegiance", "Stars"}) (*fields)[name];
        const std::string base = (*fields)["Bases"];
        const auto modern = base.empty() ? std::nullopt : modernBases(base.front(), (*fields)["Allegiance"]);
        if (modern) (*fields)["Bases"] = *modern;
        reader.addWorld(std::move(*fields), line.substr(anchor.hex, 4), physical.number);
    }
}

}  // namespace qelvar::sector_formats
