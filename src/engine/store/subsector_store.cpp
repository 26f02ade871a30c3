#include "store/subsector_store.h"

#include <cmath>
#include <cstdio>

#include "store/codes.h"
#include "store/text.h"

namespace qelvar {

SubsectorStore::SubsectorStore() { buildHexCodes(); }

void SubsectorStore::clear() {
    for (auto& world : worlds) world.clear();
    readFacts = ReadFacts{};
}

void SubsectorStore::buildHexCodes() {
    for (auto& code : hexCodes) code.clear();
    hexCodeValues_.fill(0);
    int k = 0;
    for (int column = 1; column <= 8; ++column) {
        for (int row = 1; row <= 10; ++row) {
            ++k;
            char buf[8];
            std::snprintf(buf, sizeof buf, "%02d%02d", column, row);
            hexCodes[static_cast<std::size_t>(k)] = buf;
            hexCodeValues_[static_cast<std::size_t>(k)] = column * 100 + row;
        }
    }
}

int SubsectorStore::slotOfLocation(int n) const {
    for (int i = 1; i < kSlotCount; ++i) {
        if (hexCodeValues_[static_cast<std::size_t>(i)] == n) return i;
    }
    return 0;
}

UwpValues SubsectorStore::loadUwpValues(int slot) const { return uwpValuesOf(worlds[static_cast<std::size_t>(slot)]); }

UwpValues uwpValuesOf(const WorldRecord& world) {
    const auto& uwp = world.uwp;
    UwpValues values{};
    for (std::size_t i = 1; i <= 8; ++i) {
        values[i] = isExtendedHexDigit(uwp.at(i)) ? hexDigitValue(uwp.at(i)) : 0;
    }
    return values;
}

void SubsectorStore::refreshStatistics() {
    worldCount = 0;
    maxPopulationCode = ' ';
    bestTechCode = ' ';
    totalPopulation = 0;
    for (int slot = 1; slot <= kHexCount; ++slot) {
        const auto& world = worlds[static_cast<std::size_t>(slot)];
        if (!world.occupied()) continue;
        ++worldCount;
        const char p = world.uwp.at(5);
        if (static_cast<unsigned char>(p) > static_cast<unsigned char>(maxPopulationCode)) maxPopulationCode = p;
        const char t = world.uwp.at(8);
        if (static_cast<unsigned char>(t) > static_cast<unsigned char>(bestTechCode)) bestTechCode = t;
        const char m = world.pag.at(1);
        const int multiplier = (m >= '0' && m <= '9') ? m - '0' : 0;
        if (isExtendedHexDigit(p) && hexDigitValue(p) != 28) {
            totalPopulation += multiplier * std::pow(10.0, hexDigitValue(p));
        }
    }
}

}  // namespace qelvar
