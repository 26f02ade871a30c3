#include "store/trade.h"

#include <algorithm>

#include "store/subsector_store.h"
#include "store/text.h"

namespace qelvar {

TradeResult tradeFor(const UwpValues& v) {
    const int S = v[2], A = v[3], H = v[4], P = v[5], G = v[6], L = v[7], T = v[8];
    struct Row {
        const char* code;
        bool holds;
        int change;
    };
    const Row rows[] = {
        {"Ag", A >= 4 && A <= 9 && H >= 4 && H <= 8 && P >= 5 && P <= 7, -1000},
        {"As", S == 0, -1000},
        {"Ba", P == 0 && G == 0 && L == 0, +1000},
        {"De", A >= 2 && H == 0, +1000},
        {"Fl", A >= 10 && H >= 1, +1000},
        {"Hi", P >= 9, -1000},
        {"Ic", A <= 1 && H >= 1, 0},
        {"In", (A == 0 || A == 1 || A == 2 || A == 4 || A == 7 || A == 9) && P >= 9, -1000},
        {"Lo", P <= 3, +1000},
        {"Na", A <= 3 && H <= 3 && P >= 6, 0},
        {"Ni", P <= 6, +1000},
        {"Po", A >= 2 && A <= 5 && H <= 3, -1000},
        {"Ri", (A == 6 || A == 8) && P >= 6 && P <= 8 && G >= 4 && G <= 9, +1000},
        {"Va", A == 0, +1000},
        {"Wa", H == 10, 0},
    };
    TradeResult result{"", 4000};
    for (const Row& row : rows) {
        if (!row.holds) continue;
        result.codes += row.code;
        result.codes += ' ';
        result.price += row.change;
    }
    switch (v[1]) {
        case 10:
            result.price -= 1000;
            break;
        case 12:
            result.price += 1000;
            break;
        case 13:
            result.price += 2000;
            break;
        case 14:
            result.price += 3000;
            break;
        case 30:
            result.price += 5000;
            break;
        default:
            break;
    }
    if (T < 18) result.price += 100 * T;
    return result;
}

void classifyTrade(WorldRecord& world, const UwpValues& values) {
    const TradeResult result = tradeFor(values);
    world.tradeCodes = result.codes;
    world.cargoBase = static_cast<std::int16_t>(result.price);
}

void reclassifyWorld(WorldRecord& world) {
    const std::string before = world.tradeCodes.str();
    classifyTrade(world, uwpValuesOf(world));
    std::string codes(world.tradeCodes.trimmed());
    if (!codes.empty()) codes += ' ';
    std::size_t at = 0;
    while (at < before.size()) {
        const std::size_t start = before.find_first_not_of(' ', at);
        if (start == std::string::npos) break;
        const std::size_t end = std::min(before.find(' ', start), before.size());
        const std::string_view code = std::string_view(before).substr(start, end - start);
        if (code.find('\0') == std::string_view::npos &&
            std::find(std::begin(kStandardTradeCodes), std::end(kStandardTradeCodes), code) ==
                std::end(kStandardTradeCodes)) {
            codes += std::string(code) + ' ';
        }
        at = end;
    }
    world.tradeCodes = codes;
}

}  // namespace qelvar
