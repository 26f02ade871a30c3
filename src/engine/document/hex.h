#pragma once
// A hex of a sector: its column (1..32) and row (1..40). A subsector's own number of the hex (0101..0810)
// is derived from it; a hex is always shown with four digits.

#include <compare>
#include <optional>
#include <string>
#include <string_view>

#include "files/sector.h"

namespace qelvar {

struct Hex {
    int column = 0;
    int row = 0;

    // The hex of a sector number (column * 100 + row); nothing outside the sector.
    static std::optional<Hex> fromNumber(int number);
    // The hex of four digits, blanks around them allowed; nothing for another text or a hex outside.
    static std::optional<Hex> parse(std::string_view text);
    // The hex of a location in subsector index's own numbering (0101..0810); nothing outside it.
    static std::optional<Hex> inSubsector(int index, int location);

    int number() const { return column * 100 + row; }
    int subsectorIndex() const { return subsectorIndexOf(column, row); }
    char subsectorLetter() const { return subsectorLetterOf(column, row); }
    // The hex in its subsector's own numbering: column * 100 + row, 0101..0810.
    int localNumber() const { return ((column - 1) % 8 + 1) * 100 + (row - 1) % 10 + 1; }
    std::string text() const;

    auto operator<=>(const Hex&) const = default;
};

}  // namespace qelvar
