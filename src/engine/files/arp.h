#pragma once
// The ARP listing: a 125-column report of a subsector that is also read back, keeping trade codes, price
// and traffic code as they are; and the same rows as an HTML table.

#include <optional>
#include <string>
#include <string_view>

#include "store/notice.h"

namespace qelvar {

class Prompter;
class SubsectorStore;

inline constexpr const char* kArpHeading =
    "System Name              Locn S-DAHPGL-T B Remarks                   Trade Codes     Z G Price Star 1 Star 2 "
    "Star 3 PAG Al TF";
inline constexpr const char* kArpRule =
    "------------------------ ---- ---------- - ------------------------- --------------- - - ----- ------ ------ "
    "------ --- -- --";

// Fills the (already cleared) store from the bytes of an ARP file. Trade codes and price are taken as
// they stand. Gives back the messages to show, in order (an unknown letter).
Notices readArp(SubsectorStore& store, std::string_view bytes);

// Line 4: "Subsector " and the name, "(" at column 32, the letter, ")". A name that would pass column 31
// is cut so that the letter keeps its column.
std::string arpSubsectorLine(const SubsectorStore& store);

// The ARP file for the store. Notes longer than the 25-character Remarks column are cut to it.
WithNotices<std::string> formatArp(const SubsectorStore& store);

// The HTML table of the same rows. Text from the store is written with &, < and > escaped.
WithNotices<std::string> formatArpHtml(const SubsectorStore& store);

// The HTML file's name: the ARP file's name with its last three characters replaced by "htm"; when that
// would be the ARP file itself (a name already ending in htm), ".htm" is added instead.
std::string htmlNameFor(const std::string& arpPath);

// "Save to ARP": the save dialog starting in folder (a name without extension gets ".arp"), the ARP file,
// then the question whether the HTML table is wanted too. Gives the path of the ARP file when it was
// written.
[[nodiscard]] std::optional<std::string> saveArp(SubsectorStore& store, Prompter& prompter, const std::string& folder);

inline constexpr const char* kHtmlQuestion = "Data file saved OK. Do you want the HTM version as well?";

}  // namespace qelvar
