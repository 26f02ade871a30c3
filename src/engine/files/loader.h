#pragma once
// The one loader entry for every subsector file. The format is chosen by the upper-cased file name:
// a sector file's ending takes one subsector of a whole sector; else ".DAT" anywhere in it is a galactic
// sector file, else ".SBS" anywhere is SBS, anything else is ARP.

#include <functional>
#include <string>

namespace qelvar {

class Prompter;
class SubsectorStore;
struct Sector;

// A sector file (".tab", ".tsv" or ".sec" at the end of the name, or a sector header inside) comes before
// the rest.
enum class FileFormat { Sbs, Arp, Dat, Sector };

FileFormat formatOfPath(const std::string& path);

struct LoadOptions {
    std::string folder;        // the folder the browser shows (where DATA.MNU is looked for); empty: the file's own
    std::string selectedName;  // the file name as the browser lists it; empty: the file's own name
    std::string dataLetter{};  // when set, the subsector letter of a data file, DATA.MNU unread (command line)
    // Which subsector of a sector file to load: 0 (A) to 15 (P), or -1 when the user cancelled. Without
    // it (and without dataLetter) the letter is asked for with "Give subsector letter".
    std::function<int(const Sector&)> chooseSubsector{};
};

enum class LoadStatus {
    Loaded,     // the store holds the file (line-level problems were reported on the way)
    NotRead,    // the file could not be read; the store keeps what it held
    Cancelled,  // the subsector letter of a data or sector file was not given: the store is empty, names too
};

// Clears the store and fills it from the file. A data file whose letter DATA.MNU does not give asks
// "Give subsector letter"; a sector file asks which subsector. Statistics and the map are left to the
// caller.
[[nodiscard]] LoadStatus loadSubsectorFile(SubsectorStore& store, Prompter& prompter, const std::string& path,
                                           const LoadOptions& options = {});

}  // namespace qelvar
