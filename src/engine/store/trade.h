#pragma once
// Trade classifications and the cargo base price, from the numeric UWP values.

#include <cstdint>
#include <string>

namespace qelvar {

class SubsectorStore;

struct TradeResult {
    std::string codes;  // "Ag " "Ni " ... in table order, every qualifying code
    int price = 0;      // before it is held in 16 bits
};

// values[1..8]: starport, size, atmosphere, hydrographics, population, government, law, tech.
TradeResult tradeFor(const int (&values)[9]);

// Writes tradeCodes and cargoBase of worlds[workIndex] from uwpValues.
void classifyTrade(SubsectorStore& store);

}  // namespace qelvar
