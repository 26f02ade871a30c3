#pragma once
// The check of a subsector or a sector: worlds whose codes contradict each other or that no table knows, and
// lines the readers dropped. Pure: it reads the store or the sector (with what the reader saw) and gives back
// the findings.
//
// Two rule sets: the classic rules follow this program's own tables (generation, the description table); the
// modern rules are the conventions today's published sector data follows (store/modern_rules.h).

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "store/notice.h"

namespace qelvar {

class SubsectorStore;
struct Sector;
struct SectorRead;
struct WorldRecord;

// The rules, in the order findings at one hex are given.
inline constexpr const char* kCheckRules[] = {
    "uwp-form",      "size-zero",     "hydrographics-max", "population-zero", "pag-population", "trade-codes",
    "profile-range", "tech-range",    "importance",        "zone-code",       "base-code",      "allegiance-code",
    "star-form",     "duplicate-hex", "outside-subsector", "unreadable-line",
};

enum class CheckRules { Classic, Modern };
// "classic" or "modern".
const char* checkRulesName(CheckRules rules);
// The set a file gets unless one is chosen: sector files the modern rules, SBS, ARP and galactic files the
// classic ones.
inline CheckRules automaticRules(bool sectorFile) { return sectorFile ? CheckRules::Modern : CheckRules::Classic; }

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

// The findings of one world by the modern rules, from its fields as a sector file's line holds them ("UWP",
// "Remarks", "Bases", "Zone", "PBG", "Allegiance", "Stars", "{Ix}"). The trade codes are compared only
// when the remarks are the file's own (not computed by a format that stores none).
void checkWorldModern(const std::map<std::string, std::string>& fields, int hex, bool tradeCodesStored,
                      const std::string& file, std::vector<Finding>& findings);

// Puts findings in hex order, then in the rules' order; findings of one rule at one hex keep their order.
void sortFindings(std::vector<Finding>& findings);

// The findings of the subsector in the store: its worlds (slots 1..80) at the hexes of its letter, and the
// second lines and dropped lines its reader saw (outside-subsector for a line at a hex of the sector, else
// unreadable-line). In hex order, then rule order.
std::vector<Finding> checkSubsector(const SubsectorStore& store, const std::string& file,
                                    CheckRules rules = CheckRules::Classic);

// The findings of a whole sector as read from a file: every world at its sector hex, its stored trade codes
// taken from its remarks, the further lines for a hex, and each line the reader dropped (its "line N: ..."
// notice). In hex order, then rule order; the dropped lines (hex 0) first.
std::vector<Finding> checkSector(const SectorRead& read, const Notices& readNotices, const std::string& file,
                                 CheckRules rules);

// The findings of the subsector in the store when it came from the sector `loaded` (the world as its file
// gave it while the store still says the same): its worlds by the modern rules.
std::vector<Finding> checkSubsectorOfSector(const SubsectorStore& store, const Sector& loaded, const std::string& file);

// "FILE:HEX: RULE: MESSAGE", the hex as four digits.
std::string findingLine(const Finding& finding);

}  // namespace qelvar
