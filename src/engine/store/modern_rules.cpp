#include "store/modern_rules.h"

#include <initializer_list>
#include <iterator>

#include "store/text.h"

namespace qelvar {

namespace {

constexpr int kUnknown = -1;

// A known value within lowest..highest.
bool within(int value, int lowest, int highest) { return value >= 0 && value >= lowest && value <= highest; }
bool oneOf(int value, std::initializer_list<int> values) {
    for (const int v : values) {
        if (value >= 0 && value == v) return true;
    }
    return false;
}

int digitPlace(char c) { return c == '?' || c == 'X' ? kUnknown : commonDigitValue(c); }
bool digitShape(char c) { return c == '?' || commonDigitValue(c) >= 0; }

bool hasBase(std::string_view bases, std::string_view letters) {
    return bases.find_first_of(letters) != std::string_view::npos;
}

}  // namespace

int commonDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'H') return 10 + (c - 'A');
    if (c >= 'J' && c <= 'N') return 18 + (c - 'J');
    if (c >= 'P' && c <= 'Z') return 23 + (c - 'P');
    return kUnknown;
}

bool ProfileValues::complete() const {
    return starport != '?' && size >= 0 && atmosphere >= 0 && hydrographics >= 0 && population >= 0 &&
           government >= 0 && law >= 0 && tech >= 0;
}

std::optional<ProfileValues> readProfile(std::string_view uwp) {
    const bool dashed = uwp.size() == 9 && uwp[7] == '-';
    if (!dashed && uwp.size() != 8) return std::nullopt;
    const char places[8] = {uwp[0], uwp[1], uwp[2], uwp[3], uwp[4], uwp[5], uwp[6], uwp[uwp.size() - 1]};
    const bool port = (places[0] >= 'A' && places[0] <= 'Z') || places[0] == '?';
    if (!port) return std::nullopt;
    for (int i = 1; i < 8; ++i) {
        if (!digitShape(places[i])) return std::nullopt;
    }
    ProfileValues p;
    p.starport = places[0];
    p.size = digitPlace(places[1]);
    p.atmosphere = digitPlace(places[2]);
    p.hydrographics = digitPlace(places[3]);
    p.population = digitPlace(places[4]);
    p.government = digitPlace(places[5]);
    p.law = digitPlace(places[6]);
    p.tech = digitPlace(places[7]);
    return p;
}

bool hasRemark(std::string_view remarks, std::string_view code, bool prefixOnly) {
    for (std::size_t at = remarks.find(code); at != std::string_view::npos; at = remarks.find(code, at + 1)) {
        const std::size_t end = at + code.size();
        const bool starts = at == 0 || isFieldBlank(remarks[at - 1]);
        const bool ends = end == remarks.size() || isFieldBlank(remarks[end]);
        if (starts && (ends || prefixOnly)) return true;
    }
    return false;
}

int modernImportance(const ProfileValues& p, std::string_view remarks, std::string_view bases) {
    int ix = 0;
    if (p.starport == 'A' || p.starport == 'B') ix += 1;
    if (p.starport == 'D' || p.starport == 'E' || p.starport == 'X') ix -= 1;
    if (p.tech >= 10) ix += 1;
    if (p.tech >= 16) ix += 1;
    if (within(p.tech, 0, 8)) ix -= 1;
    if (p.population >= 9) ix += 1;
    if (within(p.population, 0, 6)) ix -= 1;
    for (const char* code : {"Ag", "Ri", "In"}) ix += hasRemark(remarks, code) ? 1 : 0;
    const std::string letters = upperAscii(bases);  // a base in lower case is the same base
    if (hasBase(letters, "NK") && hasBase(letters, "SMVC")) ix += 1;
    if (hasBase(letters, "WD")) ix += 1;
    if (hasBase(letters, "R") && hasBase(letters, "T")) ix += 1;
    return ix;
}

std::uint32_t modernTradeCodeBits(const ProfileValues& p) {
    const int size = p.size, atm = p.atmosphere, hyd = p.hydrographics, pop = p.population, tech = p.tech;
    const bool given[] = {
        size == 0,                                                                                  // As
        within(atm, 2, 9) && hyd == 0,                                                              // De
        within(atm, 10, 12) && within(hyd, 1, 10),                                                  // Fl
        within(size, 6, 8) && oneOf(atm, {5, 6, 8}) && within(hyd, 5, 7),                           // Ga
        within(size, 3, 12) && (oneOf(atm, {2, 4, 7}) || within(atm, 9, 12)) && within(hyd, 0, 2),  // He
        within(atm, 0, 1) && within(hyd, 1, 10),                                                    // Ic
        within(size, 10, 15) && (within(atm, 3, 9) || within(atm, 13, 15)) && hyd == 10,            // Oc
        atm == 0,                                                                                   // Va
        within(size, 3, 9) && (within(atm, 3, 9) || within(atm, 13, 15)) && hyd == 10,              // Wa
        pop == 0 && tech == 0,                                                                      // Ba
        pop == 0 && tech > 0,                                                                       // Di
        within(pop, 1, 3),                                                                          // Lo
        within(pop, 4, 6),                                                                          // Ni
        pop == 8,                                                                                   // Ph
        pop >= 9,                                                                                   // Hi
        within(atm, 4, 9) && within(hyd, 4, 8) && oneOf(pop, {4, 8}),                               // Pa
        within(atm, 4, 9) && within(hyd, 4, 8) && within(pop, 5, 7),                                // Ag
        within(atm, 0, 3) && within(hyd, 0, 3) && pop >= 6,                                         // Na
        oneOf(atm, {0, 1, 2, 4, 7, 9}) && within(pop, 7, 8),                                        // Pi
        oneOf(atm, {0, 1, 2, 4, 7, 9, 10, 11, 12}) && pop >= 9,                                     // In
        within(atm, 2, 5) && within(hyd, 0, 3),                                                     // Po
        oneOf(atm, {6, 8}) && oneOf(pop, {5, 9}),                                                   // Pr
        oneOf(atm, {6, 8}) && within(pop, 6, 8),                                                    // Ri
    };
    static_assert(std::size(given) == std::size(kModernTradeCodes));
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < std::size(given); ++i) bits |= given[i] ? 1u << i : 0u;
    return bits;
}

std::vector<std::string> modernTradeCodes(const ProfileValues& profile) {
    const std::uint32_t bits = modernTradeCodeBits(profile);
    std::vector<std::string> codes;
    for (std::size_t i = 0; i < std::size(kModernTradeCodes); ++i) {
        if (bits & (1u << i)) codes.emplace_back(kModernTradeCodes[i]);
    }
    return codes;
}

int modernTechModifier(const ProfileValues& p) {
    int dm = 0;
    if (p.starport == 'A') dm += 6;
    if (p.starport == 'B') dm += 4;
    if (p.starport == 'C') dm += 2;
    if (p.starport == 'X') dm -= 4;
    if (within(p.size, 0, 1)) dm += 2;
    if (within(p.size, 2, 4)) dm += 1;
    if (within(p.atmosphere, 0, 3) || within(p.atmosphere, 10, 15)) dm += 1;
    if (p.hydrographics == 9) dm += 1;
    if (p.hydrographics == 10) dm += 2;
    if (within(p.population, 1, 5)) dm += 1;
    if (p.population == 9) dm += 2;
    if (p.population >= 10) dm += 4;
    if (oneOf(p.government, {0, 5})) dm += 1;
    if (p.government == 13) dm -= 2;
    return dm;
}

}  // namespace qelvar
