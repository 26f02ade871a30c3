// The modern rules of the check: a world as a sector file's line gives it, against the conventions today's
// published sector data follows.
#include <algorithm>
#include <iterator>

#include "reports/check.h"
#include "store/cp1252.h"
#include "store/modern_rules.h"
#include "store/text.h"

namespace qelvar {

namespace {

constexpr std::string_view kPorts = "ABCDEXFGHY";
constexpr std::string_view kZones[] = {"-", "A", "R", "F", "U", "B", "G"};
constexpr std::string_view kLoneStars[] = {"D", "BD", "BH", "PSR", "NS"};
constexpr std::string_view kLuminosities[] = {"IA", "IB", "II", "III", "IV", "V", "VI"};
constexpr int kLowestGovernmentLimit = 15;
constexpr int kLowestLawLimit = 18;

// A field's text without its blanks, a view into the fields.
std::string_view field(const std::map<std::string, std::string>& fields, const std::string& name) {
    const auto it = fields.find(name);
    return it == fields.end() ? std::string_view() : trimBlanks(it->second);
}
// A field's text in a message: the file's UTF-8 as the store's bytes.
std::string quoted(std::string_view text) { return "\"" + cp1252FromUtf8(text) + "\""; }
std::string number(int value) { return std::to_string(value); }
void addPart(std::string& message, const std::string& part) {
    if (!part.empty()) message += (message.empty() ? "" : "; ") + part;
}

// The codes of the bits, "none" for no bit.
std::string joined(std::uint32_t bits) {
    std::string text;
    for (std::size_t i = 0; i < std::size(kModernTradeCodes); ++i) {
        if (bits & (1u << i)) text += (text.empty() ? "" : " ") + std::string(kModernTradeCodes[i]);
    }
    return text.empty() ? "none" : text;
}

std::string tradeCodesMessage(const ProfileValues& profile, std::string_view remarks, std::string_view zone) {
    const std::uint32_t expected = modernTradeCodeBits(profile);
    std::uint32_t held = 0;
    for (std::size_t i = 0; i < std::size(kModernTradeCodes); ++i) {
        const std::uint32_t bit = 1u << i;
        // Any code starting "Di" stands for a dieback world ("Di(Kaa)"); a bare "Di" is one where none is.
        const bool prefix = kModernTradeCodes[i] == "Di" && (expected & bit);
        if (hasRemark(remarks, kModernTradeCodes[i], prefix)) held |= bit;
    }
    const std::uint32_t missing = expected & ~held, extra = held & ~expected;
    std::string message;
    if (missing != 0 || extra != 0) {
        message = "stored " + joined(held) + ", the UWP gives " + joined(expected);
        if (missing != 0) message += ": missing " + joined(missing);
        if (extra != 0) message += (missing == 0 ? ": extra " : ", extra ") + joined(extra);
    }
    for (const auto& [code, needed, name] :
         {std::tuple{"Da", "A", "an amber"}, {"Pz", "A", "an amber"}, {"Fo", "R", "a red"}}) {
        if (hasRemark(remarks, code) && zone != needed)
            addPart(message, std::string(code) + " needs " + name + " zone");
    }
    return message;
}

std::string rangeMessage(const char* name, int value, int lowest, int highest, const std::string& by) {
    if (value >= lowest && value <= highest) return {};
    return name + (" " + number(value)) + " outside " + number(lowest) + " to " + number(highest) + by;
}

std::string profileRangeMessage(const ProfileValues& p) {
    std::string m;
    addPart(m, rangeMessage("atmosphere", p.atmosphere, 0, 15, ""));
    addPart(m, rangeMessage("population", p.population, 0, 15, ""));
    addPart(
        m, rangeMessage("government", p.government, p.population - 5,
                        std::max(p.population + 5, kLowestGovernmentLimit), " for population " + number(p.population)));
    addPart(m, rangeMessage("law level", p.law, p.government - 5, std::max(p.government + 5, kLowestLawLimit),
                            " for government " + number(p.government)));
    return m;
}

std::string techRangeMessage(const ProfileValues& p) {
    if (p.population == 0 && p.tech == 0) return {};
    const int dm = modernTechModifier(p);
    return rangeMessage("tech level", p.tech, dm + 1, dm + 6, "");
}

// The importance a file gives, "{ -2 }", "+1" or "3"; nothing for text that is no whole number.
std::optional<int> importanceGiven(std::string_view text) {
    std::string digits;
    for (const char c : text) {
        if (c != '{' && c != '}' && c != ' ') digits += c;
    }
    const std::size_t start = !digits.empty() && (digits[0] == '-' || digits[0] == '+') ? 1 : 0;
    if (digits.size() == start || digits.size() > 3 ||
        !std::all_of(digits.begin() + static_cast<long>(start), digits.end(),
                     [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return std::stoi(digits);
}

bool validBases(std::string_view bases) {
    std::string letters = upperAscii(bases);
    if (!std::all_of(letters.begin(), letters.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) return false;
    return std::adjacent_find(letters.begin(), letters.end(), std::greater_equal<>()) == letters.end();
}

bool validAllegiance(std::string_view code) {
    if (code.find_first_not_of('-') == std::string_view::npos) return true;  // "--": none, as the legacy files say
    return (code.size() == 2 || code.size() == 4) && std::all_of(code.begin(), code.end(), [](char c) {
               return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
           });
}

bool luminosity(std::string_view word) {
    return std::find(std::begin(kLuminosities), std::end(kLuminosities), upperAscii(word)) != std::end(kLuminosities);
}
bool spectral(std::string_view word) {
    return word.size() == 2 && std::string_view("OBAFGKM").find(word[0]) != std::string_view::npos && word[1] >= '0' &&
           word[1] <= '9';
}
// A spectral class with its luminosity class written on, as the legacy files do ("M7V").
bool joinedStar(std::string_view word) {
    return word.size() > 2 && spectral(word.substr(0, 2)) && luminosity(word.substr(2));
}

// The stars of a Stars field that are no known form, each with its number in the field.
std::vector<std::pair<int, std::string>> unknownStars(std::string_view stars) {
    std::vector<std::pair<int, std::string>> unknown;
    const std::vector<std::string_view> words = blankWords(stars);
    int number = 0;
    for (std::size_t i = 0; i < words.size(); ++i) {
        ++number;
        const bool lone = std::find(std::begin(kLoneStars), std::end(kLoneStars), words[i]) != std::end(kLoneStars);
        if (lone || joinedStar(words[i])) continue;
        const bool classed = i + 1 < words.size() && luminosity(words[i + 1]);  // a luminosity belongs to its star
        if (!spectral(words[i]) || !classed) {
            unknown.emplace_back(
                number, classed ? std::string(words[i]) + " " + std::string(words[i + 1]) : std::string(words[i]));
        }
        if (classed) ++i;
    }
    return unknown;
}

}  // namespace

void checkWorldModern(const std::map<std::string, std::string>& fields, int hex, bool tradeCodesStored,
                      const std::string& file, std::vector<Finding>& findings) {
    const auto add = [&](const char* rule, std::string message) {
        if (!message.empty()) findings.push_back({file, hex, rule, std::move(message)});
    };
    const std::string_view uwp = field(fields, "UWP");
    const std::string_view zone = field(fields, "Zone");
    const std::optional<ProfileValues> profile = readProfile(uwp);
    if (!uwp.empty() && (!profile || kPorts.find(profile->starport) == std::string_view::npos) &&
        !(profile && profile->starport == '?')) {
        add("uwp-form",
            "UWP " + quoted(uwp) + " is not a starport A-E or X, or a spaceport F, G, H or Y, and seven digits");
    } else if (profile && profile->complete()) {
        const ProfileValues& p = *profile;
        if (p.size == 0 && (p.atmosphere > 0 || p.hydrographics > 0)) {
            add("size-zero",
                "size 0 with atmosphere " + number(p.atmosphere) + " and hydrographics " + number(p.hydrographics));
        }
        if (p.hydrographics > 10) add("hydrographics-max", "hydrographics " + number(p.hydrographics) + " above 10");
        if (p.population > 0 && field(fields, "PBG").substr(0, 1) == "0") {
            add("pag-population", "PBG population multiplier 0 with population " + number(p.population));
        }
        const std::string_view remarks = field(fields, "Remarks");
        if (tradeCodesStored) add("trade-codes", tradeCodesMessage(p, remarks, zone));
        add("profile-range", profileRangeMessage(p));
        add("tech-range", techRangeMessage(p));
        const std::string_view importance = field(fields, "{Ix}");
        if (!importance.empty()) {
            const int expected = modernImportance(p, remarks, field(fields, "Bases"));
            if (importanceGiven(importance) != expected) {
                add("importance", "{Ix} " + quoted(importance) + " where the rules give " + number(expected));
            }
        }
    }
    if (!zone.empty() && std::find(std::begin(kZones), std::end(kZones), zone) == std::end(kZones)) {
        add("zone-code", "zone " + quoted(zone) + " is not blank, -, A, R, F, U, B or G");
    }
    const std::string_view bases = field(fields, "Bases");
    if (!bases.empty() && bases != "-" && !validBases(bases)) {
        add("base-code", "bases " + quoted(bases) + " are not letters, each once, in alphabetical order");
    }
    const std::string_view allegiance = field(fields, "Allegiance");
    if (!allegiance.empty() && !validAllegiance(allegiance)) {
        add("allegiance-code", "allegiance " + quoted(allegiance) + " is not two or four letters and digits");
    }
    for (const auto& [index, star] : unknownStars(field(fields, "Stars"))) {
        add("star-form", "star " + number(index) + " " + quoted(star) +
                             " is not a spectral class O B A F G K M with a subtype and a luminosity class, nor D, "
                             "BD, BH, PSR or NS");
    }
}

}  // namespace qelvar
