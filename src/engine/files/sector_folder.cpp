#include "files/sector_folder.h"

#include <algorithm>
#include <filesystem>

#include "files/arp.h"
#include "files/dat.h"
#include "files/folder_files.h"
#include "files/loader.h"
#include "files/sector_file.h"
#include "files/sbs.h"
#include "store/codes.h"
#include "store/file_io.h"
#include "store/paths.h"
#include "store/subsector_store.h"
#include "store/text.h"

namespace qelvar {

namespace {

namespace fs = std::filesystem;

bool isFolder(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool isFile(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

void addNotices(Notices& into, const std::string& file, const Notices& notices) {
    for (const Notice& notice : notices) into.emplace_back(file + ": " + notice.text, notice.icon, notice.title);
}

// Puts a read subsector into the sector unless its letter is unknown or taken.
void placeSubsector(const SubsectorStore& store, const std::string& file, Sector& sector,
                    std::array<std::string, kSubsectorCount>& placedFrom, Notices& notices) {
    if (!letterOffset(store.subsectorLetter) || store.subsectorLetter.size() != 1) {
        notices.emplace_back(file + ": left out, its subsector letter is not one of A to P");
        return;
    }
    auto& from = placedFrom[static_cast<std::size_t>(store.subsectorLetter.front() - 'A')];
    if (!from.empty()) {
        notices.emplace_back(file + ": left out, subsector " + store.subsectorLetter + " comes from " + from);
        return;
    }
    from = file;
    storeIntoSector(store, sector);
}

}  // namespace

Result<WithNotices<Sector>> loadSectorFolder(const std::string& folder) {
    if (!isFolder(folder)) return fail("Cannot read the folder \"" + folder + "\"", MessageIcon::Exclamation);
    WithNotices<Sector> loaded;
    std::array<std::string, kSubsectorCount> placedFrom{};
    SubsectorStore store;
    const Result<std::string> index = readFileBytes(joinPath(folder, kDataIndexName));
    if (index) {
        auto dat = filesOfType(folder, FileType::Dat);
        if (!dat) return Failure{dat.failure()};
        for (const std::string& name : *dat) {
            const auto letter = letterFromDataIndex(*index, name);
            if (!letter) continue;
            const Result<std::string> file = readFileBytes(joinPath(folder, name));
            if (!file) {
                loaded.notices.push_back(file.failure());
                continue;
            }
            store.clear();
            addNotices(loaded.notices, name, readDat(store, *file, *letter));
            placeSubsector(store, name, loaded.value, placedFrom, loaded.notices);
        }
    } else {
        auto sbsNames = filesOfType(folder, FileType::Sbs);
        auto arpNames = filesOfType(folder, FileType::Arp);
        if (!sbsNames) return Failure{sbsNames.failure()};
        if (!arpNames) return Failure{arpNames.failure()};
        std::vector<std::string> names = *sbsNames;
        names.insert(names.end(), arpNames->begin(), arpNames->end());
        for (const std::string& name : names) {
            const Result<std::string> file = readFileBytes(joinPath(folder, name));
            if (!file) {
                loaded.notices.push_back(file.failure());
                continue;
            }
            store.clear();
            store.subsectorLetter.clear();
            const bool sbs = upperAscii(name).ends_with(".SBS");
            addNotices(loaded.notices, name, sbs ? readSbs(store, *file) : readArp(store, *file));
            placeSubsector(store, name, loaded.value, placedFrom, loaded.notices);
        }
    }
    if (std::all_of(placedFrom.begin(), placedFrom.end(), [](const std::string& f) { return f.empty(); })) {
        return fail("No subsector files with a letter in \"" + folder + "\"", MessageIcon::Exclamation);
    }
    return loaded;
}

bool isSectorPath(const std::string& path) {
    if (isFolder(path)) return true;
    if (isSectorFile(path)) return isFile(path);
    return formatOfPath(path) == FileFormat::Dat && isFile(joinPath(folderOf(path), kDataIndexName));
}

Result<WithNotices<Sector>> loadSectorPath(const std::string& path) {
    if (isFolder(path)) return loadSectorFolder(path);
    if (isSectorFile(path)) {
        auto read = readSectorFile(path);
        if (!read) return Failure{read.failure()};
        return WithNotices<Sector>{std::move(read->value.sector), std::move(read->notices)};
    }
    if (isSectorPath(path)) return loadSectorFolder(folderOf(path));
    return fail("\"" + path + "\" is no sector: give a folder of subsector files or a DAT file with " + kDataIndexName +
                    " beside it",
                MessageIcon::Exclamation);
}

std::string sectorRoutesPath(const std::string& path) {
    if (isFolder(path)) {
        std::vector<std::string> found;
        std::error_code error;
        for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
            const std::string name = it->path().filename().string();
            if (lowerAscii(name).ends_with(".xml") && isFile(it->path().string())) found.push_back(name);
        }
        std::sort(found.begin(), found.end());
        return found.empty() ? std::string() : joinPath(path, found.front());
    }
    const std::string name = fileNameOf(path);
    const auto dot = name.find_last_of('.');
    const std::string beside = joinPath(folderOf(path), name.substr(0, dot) + ".xml");
    return beside != path && isFile(beside) ? beside : std::string();
}

}  // namespace qelvar
