#pragma once
// The command line's file work: writing a loaded subsector in the format an output name asks for, the
// subsector index of a folder and the batch conversion of a folder to SBS. No Qt.

#include <ostream>
#include <string>

#include "files/folder_files.h"

namespace qelvar {

class Prompter;
class SubsectorStore;

// The extensions convert can write: SBS, ARP and the HTML table.
inline constexpr const char* kConvertOutputs[] = {".sbs", ".arp", ".htm", ".html"};

// Writes the store to path: SBS, ARP, or the HTML table for .htm and .html (by the lower-cased
// extension). Returns the exit status: 0, or 2 when the file could not be written (the reason and any
// notice of the formatting go through the prompter).
[[nodiscard]] int writeConvertedFile(const SubsectorStore& store, Prompter& prompter, const std::string& path);

struct IndexCommand {
    std::string folder;
    FileType type = FileType::Arp;
};
// Prints the subsector index of the folder's files of that type, as UTF-8 lines; 2 when the folder cannot
// be read (said through the prompter).
[[nodiscard]] int runIndex(const IndexCommand& command, std::ostream& out, Prompter& prompter);

struct BatchCommand {
    std::string folder;
    std::string stub;
    FileType type = FileType::Arp;
    bool showProgress = false;  // a progress line on err (for a terminal)
};
// Converts the folder's files of that type to SBS as "Save all in folder to SBS" does and prints the name
// of each file written. Returns 1 for a stub of more than 6 characters ("6 Characters or less please!"
// through the prompter), 2 when a file was skipped, else 0.
[[nodiscard]] int runBatch(const BatchCommand& command, std::ostream& out, std::ostream& err, SubsectorStore& store,
                           Prompter& prompter);

}  // namespace qelvar
