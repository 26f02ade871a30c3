#include "details/field_edits.h"

#include "store/subsector_store.h"
#include "store/text.h"
#include "details/description_table.h"

namespace qelvar {

namespace {

std::string firstCharacter(std::string_view text) { return std::string(text.substr(0, 1)); }

// The outer box is this much wider and taller than its client area: a frame of 60 twips on each side and
// a title bar of 300 twips.
constexpr int kFrameTwips = 60;
constexpr int kTitleBarTwips = 300;

}  // namespace

std::string upperCodePage(std::string_view text) {
    std::string out(text);
    for (char& ch : out) {
        const auto b = static_cast<unsigned char>(ch);
        if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7)) {
            ch = static_cast<char>(b - 0x20);
        } else if (b == 0x9A || b == 0x9C || b == 0x9E) {  // s, oe and z with their marks
            ch = static_cast<char>(b - 0x10);
        } else if (b == 0xFF) {  // y with diaeresis
            ch = static_cast<char>(0x9F);
        }
    }
    return out;
}

bool storeName(WorldRecord& w, std::string_view answer) {
    if (answer.empty()) return false;
    w.name = answer;
    return true;
}

bool storePag(WorldRecord& w, std::string_view answer) {
    if (answer.empty()) return false;
    w.pag = upperCodePage(answer);
    w.gasGiant = (answer.size() >= 3 && answer[2] == '0') ? " " : "G";
    return true;
}

bool storeStar(WorldRecord& w, int star, std::string_view answer) {
    if (answer.empty()) return false;
    switch (star) {
        case 1:
            w.star1 = answer;
            return true;
        case 2:
            w.star2 = answer;
            return true;
        case 3:
            w.star3 = answer;
            return true;
        default:
            return false;
    }
}

bool storeNotes(WorldRecord& w, std::string_view answer) {
    if (answer.empty()) return false;
    w.notes = answer;
    return true;
}

bool storeUwpDigit(WorldRecord& w, int position, const DialogAnswer& answer) {
    if (!answer || position < 1 || position > 8) return false;
    std::string uwp = w.uwp.str();
    // An empty answer replaces nothing: the digit stays as it was.
    if (!answer->empty()) uwp[static_cast<std::size_t>(position) - 1] = upperCodePage(*answer).front();
    w.uwp = uwp;
    return true;
}

bool storeBase(WorldRecord& w, const DialogAnswer& answer) {
    if (!answer) return false;
    w.base = upperCodePage(firstCharacter(*answer));
    return true;
}

bool storeZone(WorldRecord& w, const DialogAnswer& answer) {
    if (!answer) return false;
    w.zone = upperCodePage(firstCharacter(*answer));
    return true;
}

bool storeAllegiance(WorldRecord& w, const DialogAnswer& answer) {
    if (!answer) return false;
    w.allegiance = *answer;
    return true;
}

std::optional<UwpDigitField> uwpDigitField(int option) {
    static constexpr UwpDigitField kFields[8] = {
        {'S', "Starport", 1},   {'D', "Size", 2},       {'A', "Atmosphere", 3}, {'H', "Hydrographics", 4},
        {'P', "Population", 5}, {'G', "Government", 6}, {'L', "Law", 7},        {'T', "Tech Level", 8},
    };
    if (option < 1 || option > 8) return std::nullopt;
    return kFields[option - 1];
}

std::string lookupLine(const FamilyDescription& row) { return row.code + ": " + row.text; }

std::string lookupLineValue(std::string_view line) { return std::string(trimBlanks(line.substr(0, 2))); }

PickBoxLayout pickBoxLayout(std::string_view options, std::string_view title) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        const auto slash = options.find('/', start);
        items.emplace_back(options.substr(start, slash == std::string_view::npos ? slash : slash - start));
        if (slash == std::string_view::npos) break;
        start = slash + 1;
    }
    if (items.size() > static_cast<std::size_t>(kMaxPickOptions)) items.resize(kMaxPickOptions);

    std::size_t longest = title.size();
    for (const std::string& item : items) longest = std::max(longest, item.size());
    const int l = static_cast<int>(longest);
    const int n = static_cast<int>(items.size());

    PickBoxLayout layout;
    const int buttonWidth = 150 + 100 * l;
    const int boxWidth = 800 + 100 * l;
    const int boxHeight = 500 * (n + 1);
    layout.clientWidth = boxWidth - 2 * kFrameTwips;
    layout.clientHeight = boxHeight - kTitleBarTwips - 2 * kFrameTwips;
    for (int i = 0; i < n; ++i) {
        const int left = i <= 14 ? layout.clientWidth / 2 - buttonWidth / 2 : 360;
        layout.buttons.push_back({items[static_cast<std::size_t>(i)], left, 120 + 480 * i, buttonWidth, 375});
    }
    return layout;
}

}  // namespace qelvar
