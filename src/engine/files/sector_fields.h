#pragma once
// The fields of a sector file's world line and the world record of a subsector store: the common UWP
// digits, the modern base codes and this program's one base letter, stars, remarks, and which of a
// world's fields a format cannot hold.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/sector.h"
#include "store/notice.h"

namespace qelvar {

using SectorFields = std::map<std::string, std::string>;

// The column names the tab-separated writer uses, in its order.
inline const std::vector<std::string> kSectorColumnNames = {
    "Sector",     "SS",    "Hex",  "Name", "UWP",  "Bases",    "Remarks", "Zone", "PBG",
    "Allegiance", "Stars", "{Ix}", "(Ex)", "[Cx]", "Nobility", "W",       "RU"};
// The columns a sector file must have.
inline const std::vector<std::string> kRequiredSectorColumns = {"Hex",  "Name", "UWP",        "Bases", "Remarks",
                                                                "Zone", "PBG",  "Allegiance", "Stars"};

// The writer's name of a column title (an alias such as "Trade Codes" or "{ Ix }" gives "Remarks" or
// "{Ix}"); any other title is its own name.
std::string canonicalColumnName(std::string_view title);

// The common UWP digits run 0-9 and A-Z without I and O but with U; this program's digits have no U.
// Converting keeps each digit's value; the starport and '?' stay as they are. `unheld` gets the digits
// whose value this program cannot hold (they are stored as '?').
std::string uwpFromSectorText(std::string_view text, std::string* unheld = nullptr);
// "A788899-C" from the stored "A788899C"; empty for an empty UWP.
std::string sectorUwpText(std::string_view stored);

// The modern base codes of a legacy letter for an allegiance (its first two letters count); nothing when
// the table has none for that allegiance. Legacy '2' reads as NS.
std::optional<std::string> modernBases(char legacy, std::string_view allegiance);
// The legacy letter of modern codes (their order does not matter); nothing when none stands for them.
std::optional<char> legacyBase(std::string_view modern, std::string_view allegiance);

// The record a line's fields describe (location left 0): names and remarks taken from UTF-8 to the
// store's Windows-1252, trade codes and price from the UWP as SBS reading does, leading remarks that are
// those codes kept apart from the notes. Problems go to notices prefixed by `where` ("line 12: ").
WorldRecord recordFromFields(const SectorFields& fields, Notices* notices = nullptr, const std::string& where = {});
// The fields a record gives, in sector file text (SS and Hex from the sector hex).
SectorFields fieldsOfRecord(const WorldRecord& record, int column, int row);
// What a writer writes for a world: each original field while the record still says what it says,
// otherwise the record's text; fields beyond the record's are written as read.
SectorFields fieldsToWrite(const SectorWorld& world);

// A field as it means: "-" is empty in Bases, Remarks, Zone and Nobility, "G" is no zone, blanks between
// words count once, stars in either case.
std::string meaningOf(const std::string& name, std::string_view text);

// The notice that some of `before`'s worlds (those of subsector index, or all for -1) lost fields once
// written to `formatName` and read back as `after`: "12 worlds lose their four-letter allegiance in SBS".
// Nothing when no field was lost.
std::optional<Notice> lossNotice(const Sector& before, const Sector& after, int index, const std::string& formatName);

}  // namespace qelvar
