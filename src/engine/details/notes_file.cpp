#include "details/notes_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "store/file_io.h"
#include "store/text.h"

namespace qelvar {

std::string notesFolderFor(std::string mapFolder) {
    if (mapFolder.empty() || mapFolder.back() != '/') mapFolder += '/';
    const auto at = mapFolder.find("map");
    if (at != std::string::npos) mapFolder.replace(at, 3, "loc");
    return mapFolder;
}

std::string notesFileName(int sectorLocation) { return "P" + formatFourDigits(sectorLocation) + ".txt"; }

std::string notesFilePath(const std::string& mapFolder, int sectorLocation) {
    return notesFolderFor(mapFolder) + notesFileName(sectorLocation);
}

Result<std::string> readNotesFile(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) {
        if (error) return fail("Cannot read \"" + path + "\": " + error.message());
        return std::string();
    }
    return readFileBytes(path);
}

Result<> writeNotesFile(const std::string& path, const std::string& text) {
    if (::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0) {
        return fail("Cannot write \"" + path + "\": " + std::strerror(errno));
    }
    return writeFileAtomically(path, text + "\r\n");
}

}  // namespace qelvar
