#pragma once
// "Save all in folder to SBS": every listed file is loaded as "Load" does and written as SBS under a
// name made of a stub and its subsector letter.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace qelvar {

class Prompter;
class SubsectorStore;

inline constexpr const char* kStubQuestion = "Give stub of SBS file name";
inline constexpr const char* kStubTooLong = "6 Characters or less please!";
inline constexpr std::size_t kMaxStubLength = 6;

// folder + "/" + stub + "-" + letter + ".SBS". A "/" or a control character in stub or letter becomes
// "_", so the name always stays a file of folder.
std::string batchOutputName(const std::string& folder, const std::string& stub, const std::string& letter);

// Asks for the stub until the answer has at most 6 characters; an empty answer (or a cancel) is a stub too.
std::string askBatchStub(Prompter& prompter, const std::string& title);

// Called before file `index` of `count` is loaded (and once more with index == count at the end);
// returning false stops the run there.
using BatchProgress = std::function<bool(std::size_t index, std::size_t count, const std::string& fileName)>;

struct BatchResult {
    bool cancelled = false;            // the unsaved-changes question was answered No, or progress said stop
    std::vector<std::string> written;  // output files, each once, in the order of their first input
    std::vector<std::string> skipped;  // input names that could not be loaded, or whose output could not be written
};

// The conversion itself with a known stub: loads each file of folder (the letter question of a data file
// included) and goes on past files that cannot be read (each is reported); only then writes every output
// as SBS, silently, committed together (see writeFilesTogether), so an output never replaces an input of
// the run before it was read. Two inputs of one subsector letter give one output, from the later file,
// and the run says so. The store is left holding the last
// file loaded. A run stopped by progress still writes the files read before it stopped.
BatchResult convertFilesToSbs(SubsectorStore& store, Prompter& prompter, const std::string& folder,
                              const std::vector<std::string>& fileNames, const std::string& stub,
                              const BatchProgress& progress = {});

// The menu command: asks for the stub, then, with unsavedChanges, asks once whether to go
// on (No ends the run before any file is touched); converts; loads `reselect` again when it is not empty
// (the file the browser had selected); beeps twice. The caller refreshes its list and redraws.
BatchResult saveAllInFolderToSbs(SubsectorStore& store, Prompter& prompter, const std::string& folder,
                                 const std::vector<std::string>& fileNames, const std::string& reselect,
                                 bool unsavedChanges, const BatchProgress& progress = {});

}  // namespace qelvar
