#include "document/hex.h"

#include <algorithm>

#include "store/text.h"

namespace qelvar {

std::optional<Hex> Hex::fromNumber(int number) {
    const Hex hex{number / 100, number % 100};
    if (number < 0 || hex.column < 1 || hex.column > kSectorColumns || hex.row < 1 || hex.row > kSectorRows) {
        return std::nullopt;
    }
    return hex;
}

std::optional<Hex> Hex::parse(std::string_view text) {
    text = trimBlanks(text);
    if (text.size() != 4 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return fromNumber(std::stoi(std::string(text)));
}

std::optional<Hex> Hex::inSubsector(int index, int location) {
    const int column = location / 100;
    const int row = location % 100;
    if (index < 0 || index >= kSubsectorCount || column < 1 || column > 8 || row < 1 || row > 10) return std::nullopt;
    return Hex{index % 4 * 8 + column, index / 4 * 10 + row};
}

std::string Hex::text() const { return formatFourDigits(number()); }

}  // namespace qelvar
