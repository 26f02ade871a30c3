#include "files/folder_files.h"

#include <algorithm>
#include <filesystem>

#include "store/text.h"

namespace qelvar {

namespace {

std::vector<std::string> extensionsOf(FileType type) {
    switch (type) {
        case FileType::Sbs:
            return {".SBS"};
        case FileType::Arp:
            return {".ARP"};
        case FileType::Dat:
            return {".DAT"};
        case FileType::Sector:
            return {".TAB", ".TSV", ".SEC", ".TXT"};
    }
    return {};
}

}  // namespace

std::optional<FileType> fileTypeNamed(std::string_view name) {
    const std::string upper = upperAscii(name);
    if (upper == "SBS") return FileType::Sbs;
    if (upper == "ARP") return FileType::Arp;
    if (upper == "DAT") return FileType::Dat;
    return std::nullopt;
}

std::string filePattern(FileType type) {
    if (type == FileType::Sector) return "*.tab *.tsv *.sec *.txt";
    return "*" + extensionsOf(type).front();
}

Result<std::vector<std::string>> filesOfType(const std::string& folder, FileType type) {
    namespace fs = std::filesystem;
    const std::vector<std::string> wanted = extensionsOf(type);
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator it(folder, error), end;
    for (; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        if (!it->is_regular_file(ignored)) continue;
        const std::string name = it->path().filename().string();
        const bool matches = std::any_of(wanted.begin(), wanted.end(), [&name](const std::string& extension) {
            return name.size() > extension.size() &&
                   upperAscii(name.substr(name.size() - extension.size())) == extension;
        });
        if (matches) names.push_back(name);
    }
    if (error) return fail("Cannot read \"" + folder + "\": " + error.message());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace qelvar
