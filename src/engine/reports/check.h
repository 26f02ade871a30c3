#pragma once
// The check of a subsector: worlds whose codes contradict each other or that no table knows, and lines the
// store lost. Pure: it reads the store (with what the last reader saw) and gives back the findings.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qelvar {

class SubsectorStore;
struct SectorRead;
struct WorldRecord;

// The rules, in the order findings at one hex are given.
inline constexpr const char* kCheckRules[] = {
    "uwp-form",        "size-zero",     "hydrographics-max", "population-zero",   "pag-population",
    "trade-codes",     "profile-range", "tech-range",        "zone-code",         "base-code",
    "allegiance-code", "star-form",     "duplicate-hex",     "outside-subsector",
};

struct Finding {
    std::string file;
    int hex = 0;  // the sector hex as the map numbers it (column * 100 + row)
    std::string rule;
    std::string message;  // names and codes inside keep the file's bytes

    bool operator==(const Finding&) const = default;
};

// The findings of one world at a sector hex. The trade codes stored with it (the text they stand in) are
// compared with its UWP when there are any: none for a format that computes them.
void checkWorld(const WorldRecord& world, int hex, std::optional<std::string_view> storedTradeCodes,
                const std::string& file, std::vector<Finding>& findings);

// Puts findings in hex order, then in the rules' order; findings of one rule at one hex keep their order.
void sortFindings(std::vector<Finding>& findings);

// The findings of the subsector in the store: its worlds (slots 1..80) at the hexes of its letter, and the
// second lines and lines outside the subsector its reader saw. In hex order, then rule order.
std::vector<Finding> checkSubsector(const SubsectorStore& store, const std::string& file);

// The findings of a whole sector as read from a file: every world at its sector hex, its stored trade codes
// taken from its remarks, and the further lines for a hex the reader saw. In hex order, then rule order.
std::vector<Finding> checkSector(const SectorRead& read, const std::string& file);

// "FILE:HEX: RULE: MESSAGE", the hex as four digits.
std::string findingLine(const Finding& finding);

}  // namespace qelvar
