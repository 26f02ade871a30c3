#pragma once
// The SBS subsector file: two name lines, a header with the subsector letter at column 79, then one
// fixed-column line per occupied hex with its location in sector coordinates.

#include <string>
#include <string_view>

namespace qelvar {

class Prompter;
class SubsectorStore;

// Fills the (already cleared) store from the bytes of an SBS file, recomputing trade codes and price.
void readSbs(SubsectorStore& store, Prompter& prompter, std::string_view bytes);

// The SBS header line with the letter at column 79.
std::string sbsHeader(const std::string& letter);

// The bytes of the SBS file for the store.
std::string formatSbs(const SubsectorStore& store, Prompter& prompter);

// Writes the store as SBS to path, atomically. A failure is reported through the prompter and the
// existing file is left intact; returns whether the file was written.
bool writeSbsFile(const SubsectorStore& store, Prompter& prompter, const std::string& path);

// "Save to SBS": with a non-empty tag text the file is that name and nothing is shown (batch work);
// otherwise the user picks a file starting in folder and is told "File saved OK". The tag text is
// always emptied; unsavedChanges is cleared only when the file was written.
bool saveSbs(SubsectorStore& store, Prompter& prompter, std::string& tagText, const std::string& folder);

}  // namespace qelvar
