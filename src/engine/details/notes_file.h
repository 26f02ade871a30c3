#pragma once
// The free-text notes of a hex: one plain text file per hex, "P" + the four-digit sector location +
// ".txt", in the folder that mirrors the map folder with "loc" for the first "map" in its path (maps in
// .../maps/spinward/ keep their notes in .../locs/spinward/). A folder path without "map" keeps the notes
// beside the maps.

#include <string>

#include "store/result.h"

namespace qelvar {

// The folder of the notes for a map folder, ending in "/".
std::string notesFolderFor(std::string mapFolder);
// "P" + the sector location with at least four digits + ".txt".
std::string notesFileName(int sectorLocation);
std::string notesFilePath(const std::string& mapFolder, int sectorLocation);

// The whole file; empty when there is none yet; a failure when it exists but cannot be read.
[[nodiscard]] Result<std::string> readNotesFile(const std::string& path);

// Replaces the file with text and one final CR LF. A file the user made read-only is left alone.
[[nodiscard]] Result<> writeNotesFile(const std::string& path, const std::string& text);

}  // namespace qelvar
