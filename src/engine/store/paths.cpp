#include "store/paths.h"

#include <filesystem>

namespace qelvar {

std::string folderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}

std::string fileNameOf(const std::string& path) { return std::filesystem::path(path).filename().string(); }

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    return (std::filesystem::path(folder) / std::filesystem::path(name).relative_path()).string();
}

std::string withDefaultExtension(const std::string& path, const std::string& extension) {
    const std::string name = fileNameOf(path);
    const auto dot = name.rfind('.');
    return dot == std::string::npos || dot == 0 ? path + extension : path;
}

}  // namespace qelvar
