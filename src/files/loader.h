#pragma once
// The one loader entry for every subsector file. The format is chosen by the upper-cased file name:
// ".DAT" anywhere in it is a galactic sector file, else ".SBS" anywhere is SBS, anything else is ARP.

#include <string>

namespace qelvar {

class Prompter;
class SubsectorStore;

enum class FileFormat { Sbs, Arp, Dat };

FileFormat formatOfPath(const std::string& path);

struct LoadOptions {
    std::string folder;        // the folder the browser shows (where DATA.MNU is looked for)
    std::string selectedName;  // the file name as the browser lists it
};

enum class LoadStatus {
    Loaded,       // the store holds the file (line-level problems were reported on the way)
    NotRead,      // the file could not be read; the store keeps what it held
    Unsupported,  // this build cannot read that format yet; the store keeps what it held
};

// Clears the store and fills it from the file. Statistics and the map are left to the caller.
LoadStatus loadSubsectorFile(SubsectorStore& store, Prompter& prompter, const std::string& path,
                             const LoadOptions& options = {});

}  // namespace qelvar
