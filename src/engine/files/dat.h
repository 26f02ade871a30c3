#pragma once
// The galactic sector import: one subsector taken out of a fixed-column world list in sector
// coordinates. The subsector letter of a data file comes from the index DATA.MNU beside it.

#include <optional>
#include <string>
#include <string_view>

#include "store/notice.h"

namespace qelvar {

class SubsectorStore;

inline constexpr const char* kDataIndexName = "DATA.MNU";
inline constexpr const char* kLetterQuestion = "Give subsector letter";

// The letter of fileName from the index: the first line whose lower-cased text contains fileName as it
// is given gives the upper-cased first character of that line without its leading blanks.
std::optional<std::string> letterFromDataIndex(std::string_view indexBytes, std::string_view fileName);

struct DatHeaderNames {
    std::string subsectorName;
    std::string sectorName;
};

// The names in a header such as "Subsector: Alpha  Sector: Outer Reach". Without a colon, or without the
// word SECTOR (any case) after it, both names are empty.
DatHeaderNames splitDatHeader(std::string_view header);

// Fills the (already cleared) store with the worlds of subsector letter from a data file's bytes: the
// header names, then every line that is not a comment ("#" or "$" first). Gives back the messages to
// show, in order ("DUFF SS LETTER" for an unknown letter, "FAILED " for further worlds outside the
// subsector).
Notices readDat(SubsectorStore& store, std::string_view bytes, const std::string& letter);

}  // namespace qelvar
