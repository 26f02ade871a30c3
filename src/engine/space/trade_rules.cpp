#include "space/trade_rules.h"

#include <algorithm>

#include "store/modern_rules.h"

namespace qelvar {

namespace {

Credits powerOfTen(int exponent) {
    Credits value = 1;
    for (int i = 0; i < exponent; ++i) value *= 10;
    return value;
}

bool poorPort(char starport) { return starport != 'A' && starport != 'B'; }
bool veryPoorPort(char starport) { return poorPort(starport) && starport != 'C'; }

}  // namespace

std::string creditsText(Credits credits) {
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(credits % 10)));
        credits /= 10;
    } while (credits != 0);
    return digits;
}

int worldTradeNumber(char starport, int population, int tech) {
    int w = std::max(population, 0);
    if (tech == 0) --w;
    if (tech >= 5) ++w;
    if (tech >= 9) ++w;
    if (tech >= 15) ++w;
    // From w = -1 up every numerator but X's is positive, and a negative X result ends as 0 either way: plain
    // division rounds down wherever it matters.
    switch (starport) {
        case 'A':
            w = (3 * w + 13) / 4;
            break;
        case 'B':
            w = (3 * w + 11) / 4;
            break;
        case 'C':
            w = std::min((w + 9) / 2, (3 * w + 9) / 4);
            break;
        case 'D':
            w = std::min((w + 7) / 2, (3 * w + 7) / 4);
            break;
        case 'E':
            w = std::min((w + 5) / 2, (3 * w + 5) / 4);
            break;
        case 'X':
            w = (w - 5) / 2;
            break;
        default:
            break;
    }
    return std::max(w, 0);
}

int distanceModifier(int hexes) {
    static constexpr std::array<std::pair<int, int>, 10> kBands{
        {{1, 0}, {2, 1}, {5, 2}, {9, 3}, {19, 4}, {29, 5}, {59, 6}, {99, 7}, {199, 8}, {299, 9}}};
    for (const auto& [upTo, modifier] : kBands) {
        if (hexes <= upTo) return modifier;
    }
    return 10;
}

unsigned tradeCodesOf(std::string_view remarks) {
    unsigned codes = 0;
    if (hasRemark(remarks, "Ag")) codes |= kAgricultural;
    if (hasRemark(remarks, "Na")) codes |= kNonAgricultural;
    if (hasRemark(remarks, "In")) codes |= kIndustrial;
    if (hasRemark(remarks, "Ni")) codes |= kNonIndustrial;
    return codes;
}

int bilateralTradeNumber(const TradeFacts& a, const TradeFacts& b, int hexes) {
    int btn = a.wtn + b.wtn;
    if (a.allegiance != b.allegiance) --btn;
    const auto across = [&](unsigned one, unsigned other) {
        return ((a.codes & one) && (b.codes & other)) || ((a.codes & other) && (b.codes & one));
    };
    if (across(kAgricultural, kNonAgricultural)) ++btn;
    if (across(kIndustrial, kNonIndustrial)) ++btn;
    btn -= distanceModifier(hexes);
    return std::min(btn, 2 * std::min(a.wtn, b.wtn) + 1);
}

int tradeRange(int largerWtn) {
    if (largerWtn <= 8) return 2;
    static constexpr std::array<int, 5> kRanges{9, 29, 59, 99, 299};
    if (largerWtn <= 13) return kRanges[static_cast<std::size_t>(largerWtn - 9)];
    return 599;
}

int linkWeight(const LinkEndFacts& a, const LinkEndFacts& b, int length) {
    static constexpr std::array<int, 7> kByLength{0, 30, 50, 75, 130, 230, 490};
    int weight = kByLength[static_cast<std::size_t>(std::clamp(length, 1, 6))];
    if (a.allegiance != b.allegiance) weight += 25;
    if (poorPort(a.starport) || poorPort(b.starport)) weight += 25;
    if (veryPoorPort(a.starport) || veryPoorPort(b.starport)) weight += 25;
    weight -= a.importance + b.importance;
    return std::max(weight, 1);
}

double lightenedWeight(double weight, int length, int reuse) { return weight - (weight - length) / reuse; }

Credits tradeValue(int btn) {
    if (btn < 0) return 0;
    return btn % 2 == 0 ? powerOfTen(btn / 2) : 5 * powerOfTen((btn - 1) / 2);
}

TradeClass tradeClassOf(Credits trade) {
    static constexpr std::array<std::pair<int, TradeClass>, 5> kClasses{{{10, TradeClass::Major},
                                                                         {9, TradeClass::Main},
                                                                         {8, TradeClass::Intermediate},
                                                                         {7, TradeClass::Feeder},
                                                                         {6, TradeClass::Minor}}};
    for (const auto& [exponent, tradeClass] : kClasses) {
        if (trade >= powerOfTen(exponent)) return tradeClass;
    }
    return TradeClass::None;
}

std::string_view tradeClassName(TradeClass tradeClass) {
    switch (tradeClass) {
        case TradeClass::Major:
            return "Major";
        case TradeClass::Main:
            return "Main";
        case TradeClass::Intermediate:
            return "Intermediate";
        case TradeClass::Feeder:
            return "Feeder";
        case TradeClass::Minor:
            return "Minor";
        case TradeClass::None:
            break;
    }
    return {};
}

}  // namespace qelvar
