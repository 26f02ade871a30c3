#include "files/loader.h"

#include "store/file_io.h"
#include "store/paths.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "files/arp.h"
#include "files/dat.h"
#include "files/sbs.h"
#include "seams/prompter.h"

namespace qelvar {

namespace {

// The letter given with the options, else from DATA.MNU in the browser's folder, else from the user;
// empty when none was given.
std::string letterOfDataFile(SubsectorStore& store, Prompter& prompter, const std::string& path,
                             const LoadOptions& options) {
    if (!options.dataLetter.empty()) return upperAscii(options.dataLetter);
    const std::string folder = options.folder.empty() ? folderOf(path) : options.folder;
    const std::string name = options.selectedName.empty() ? fileNameOf(path) : options.selectedName;
    if (const auto index = readFileBytes(joinPath(folder, kDataIndexName))) {
        if (auto letter = letterFromDataIndex(*index, name)) return *letter;
    }
    return upperAscii(prompter.inputBox(kLetterQuestion, store.appTitle, "A"));
}

}  // namespace

FileFormat formatOfPath(const std::string& path) {
    const std::string upper = upperAscii(fileNameOf(path));
    if (upper.find(".DAT") != std::string::npos) return FileFormat::Dat;
    if (upper.find(".SBS") != std::string::npos) return FileFormat::Sbs;
    return FileFormat::Arp;
}

LoadStatus loadSubsectorFile(SubsectorStore& store, Prompter& prompter, const std::string& path,
                             const LoadOptions& options) {
    BusyPointer busy(prompter);
    const auto read = readFileBytes(path);
    if (!read) {
        prompter.message(read.error(), MessageIcon::Exclamation);
        return LoadStatus::NotRead;
    }
    store.clear();
    switch (formatOfPath(path)) {
        case FileFormat::Sbs:
            prompter.tell(readSbs(store, *read));
            break;
        case FileFormat::Arp:
            prompter.tell(readArp(store, *read));
            break;
        case FileFormat::Dat: {
            const std::string letter = letterOfDataFile(store, prompter, path, options);
            if (letter.empty()) {
                store.subsectorLetter.clear();
                store.subsectorName.clear();
                store.sectorName.clear();
                return LoadStatus::Cancelled;
            }
            prompter.tell(readDat(store, *read, letter));
            break;
        }
    }
    return LoadStatus::Loaded;
}

}  // namespace qelvar
