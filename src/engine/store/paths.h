#pragma once
// Folder and file names on this platform, where "/" stands between folder and file.

#include <string>

namespace qelvar {

// The folder part of a path ("." when there is none, "/" for the root).
std::string folderOf(const std::string& path);
// The file name part of a path.
std::string fileNameOf(const std::string& path);
// folder + "/" (unless it already ends with one) + name.
std::string joinPath(const std::string& folder, const std::string& name);
// path with extension (".sbs") added when its file name has none (no "." after the first character).
std::string withDefaultExtension(const std::string& path, const std::string& extension);

}  // namespace qelvar
