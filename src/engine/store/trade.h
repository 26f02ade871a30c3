#pragma once
// Trade classifications and the cargo base price, from the numeric UWP values.

#include <cstdint>
#include <string>
#include <string_view>

#include "store/codes.h"

namespace qelvar {

struct WorldRecord;

struct TradeResult {
    std::string codes;  // "Ag " "Ni " ... in table order, every qualifying code
    int price = 0;      // before it is held in 16 bits
};

// values[1..8]: starport, size, atmosphere, hydrographics, population, government, law, tech.
TradeResult tradeFor(const UwpValues& values);

// Writes tradeCodes and cargoBase of world from its UWP values.
void classifyTrade(WorldRecord& world, const UwpValues& values);

// The codes classifyTrade can give.
inline constexpr std::string_view kStandardTradeCodes[] = {"Lo", "Hi", "Ni", "In", "Va", "Ic", "Fl", "Wa",
                                                           "Ri", "Po", "De", "Ag", "Na", "As", "Ba"};

// After an edit of the world's profile: its standard trade codes and price from the new profile, followed
// by the codes of the field that are not standard (kept as they were, the field cut to 15).
void reclassifyWorld(WorldRecord& world);

}  // namespace qelvar
