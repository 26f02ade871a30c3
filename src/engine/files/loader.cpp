#include "files/loader.h"

#include "store/file_io.h"
#include "store/paths.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "files/arp.h"
#include "files/dat.h"
#include "files/sbs.h"
#include "files/sector_file.h"
#include "store/codes.h"
#include "store/startup.h"
#include "seams/prompter.h"

namespace qelvar {

namespace {

// The letter given with the options, else from DATA.MNU in the browser's folder, else from the user;
// empty when none was given.
std::string letterOfDataFile(Prompter& prompter, const std::string& path, const LoadOptions& options) {
    if (!options.dataLetter.empty()) return upperAscii(options.dataLetter);
    const std::string folder = options.folder.empty() ? folderOf(path) : options.folder;
    const std::string name = options.selectedName.empty() ? fileNameOf(path) : options.selectedName;
    if (const auto index = readFileBytes(joinPath(folder, kDataIndexName))) {
        if (auto letter = letterFromDataIndex(*index, name)) return *letter;
    }
    return upperAscii(prompter.inputBox(kLetterQuestion, applicationTitle(), "A"));
}

// The subsector of a sector file to load: from the options, from the chooser, else asked for with the
// first letter that has worlds proposed; -1 when none was given.
int subsectorOfSector(const Sector& sector, Prompter& prompter, const LoadOptions& options) {
    if (options.dataLetter.empty() && options.chooseSubsector) return options.chooseSubsector(sector);
    std::string letter = upperAscii(options.dataLetter);
    if (letter.empty()) {
        int proposed = 0;
        while (proposed + 1 < kSubsectorCount && sector.worldCount(proposed) == 0) ++proposed;
        letter = upperAscii(prompter.inputBox(kLetterQuestion, applicationTitle(), std::string(1, 'A' + proposed)));
        if (letter.empty()) return -1;
    }
    if (!letterOffset(letter)) {
        prompter.message(kDuffLetterMessage);
        return 0;
    }
    return letter[0] - 'A';
}

// Several skipped lines are told in one message, the first twenty of them.
Notices inOneNotice(const Notices& notices, const std::string& crlf) {
    if (notices.size() <= 1) return notices;
    std::string text = std::to_string(notices.size()) + " problems:";
    for (std::size_t i = 0; i < notices.size() && i < 20; ++i) text += crlf + notices[i].text;
    if (notices.size() > 20) text += crlf + "...";
    return {Notice(text)};
}

}  // namespace

FileFormat formatOfPath(const std::string& path) {
    if (isSectorFile(path)) return FileFormat::Sector;
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
    if (formatOfPath(path) == FileFormat::Sector) {
        Result<WithNotices<SectorRead>> sector = readSectorFile(path);
        if (!sector) {
            prompter.message(sector.error(), MessageIcon::Exclamation);
            return LoadStatus::NotRead;
        }
        prompter.tell(inOneNotice(sector->notices, "\r\n"));
        const int index = subsectorOfSector(sector->value.sector, prompter, options);
        if (index < 0) {
            store.clear();
            store.subsectorLetter.clear();
            store.subsectorName.clear();
            store.sectorName.clear();
            return LoadStatus::Cancelled;
        }
        sectorToStore(sector->value.sector, index, store);
        return LoadStatus::Loaded;
    }
    store.clear();
    switch (formatOfPath(path)) {
        case FileFormat::Sector:
            break;
        case FileFormat::Sbs:
            prompter.tell(readSbs(store, *read));
            break;
        case FileFormat::Arp:
            prompter.tell(readArp(store, *read));
            break;
        case FileFormat::Dat: {
            const std::string letter = letterOfDataFile(prompter, path, options);
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
