#pragma once
// The SBS subsector file: two name lines, a header with the subsector letter at column 79, then one
// fixed-column line per occupied hex with its location in sector coordinates.

#include <optional>
#include <string>
#include <string_view>

#include "store/notice.h"

namespace qelvar {

class Prompter;
class SubsectorStore;

// Fills the (already cleared) store from the bytes of an SBS file, recomputing trade codes and price.
// Returns the messages about single lines in the order they arose.
Notices readSbs(SubsectorStore& store, std::string_view bytes);

// The bytes of the SBS file for the store, with the notice of an unknown letter.
WithNotices<std::string> formatSbs(const SubsectorStore& store);

// Writes the store as SBS to path, atomically, telling the formatting notices and any failure through
// the prompter; an existing file is then left intact. Returns whether the file was written.
[[nodiscard]] bool writeSbsFile(const SubsectorStore& store, Prompter& prompter, const std::string& path);

// "Save to SBS": with a non-empty tag text the file is that name and nothing is shown (batch work);
// otherwise the user picks a file starting in folder (a name without extension gets ".sbs") and is told
// "File saved OK". The tag text is always emptied. Gives the path written; nothing when none was.
[[nodiscard]] std::optional<std::string> saveSbs(SubsectorStore& store, Prompter& prompter, std::string& tagText,
                                                 const std::string& folder);

}  // namespace qelvar
