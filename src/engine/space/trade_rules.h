#pragma once
// The rules of world trade: a world's trade number from its population, technology and starport, the
// trade number of two worlds a distance apart, how far apart two worlds may trade, what a jump link costs
// a freighter, what a year of trade between two worlds is worth, and the class a link's trade falls in.

#include <array>
#include <string>
#include <string_view>

namespace qelvar {

// Credits a year: exact whole numbers far beyond 64 bits (a single pair may be worth 5 x 10^16).
using Credits = unsigned __int128;

// The digits of a sum of credits.
std::string creditsText(Credits credits);

// The world trade number: the population digit, less one for tech level 0, one more at each of tech 5,
// 9 and 15, then changed by the starport (A-E, X; any other starport leaves it), never below 0. Unknown
// values are -1.
int worldTradeNumber(char starport, int population, int tech);

// What a distance of `hexes` takes off the trade number of two worlds.
int distanceModifier(int hexes);

// The trade codes that count between two worlds.
enum TradeCode : unsigned { kAgricultural = 1, kNonAgricultural = 2, kIndustrial = 4, kNonIndustrial = 8 };
// The codes among the words of a world's remarks.
unsigned tradeCodesOf(std::string_view remarks);

// What two worlds bring to their trade.
struct TradeFacts {
    int wtn = 0;
    std::array<char, 2> allegiance{};  // its first two letters
    unsigned codes = 0;
};

// The bilateral trade number of two worlds `hexes` apart, never more than twice the smaller trade number
// and one.
int bilateralTradeNumber(const TradeFacts& a, const TradeFacts& b, int hexes);

// How many hexes apart two worlds may trade, by the larger of their trade numbers.
int tradeRange(int largerWtn);

// What one end of a jump link brings to its weight.
struct LinkEndFacts {
    char starport = '?';
    std::array<char, 2> allegiance{};
    int importance = 0;
};

// The starting weight of a jump link `length` hexes long (1 to 6): by its length, more between
// allegiances and for poor or unknown starports, less by both ends' importance, at least 1.
int linkWeight(const LinkEndFacts& a, const LinkEndFacts& b, int length);

// A used link's next weight: a reuse-th of the way down to its length.
double lightenedWeight(double weight, int length, int reuse);

// A year of trade at a bilateral trade number: 10^(btn/2), or 5 x 10^((btn-1)/2) when btn is odd.
Credits tradeValue(int btn);

// The class a link is drawn in by its total trade; None is not drawn.
enum class TradeClass { None, Minor, Feeder, Intermediate, Main, Major };
TradeClass tradeClassOf(Credits trade);
std::string_view tradeClassName(TradeClass tradeClass);  // "Major", ...; "" for None

}  // namespace qelvar
