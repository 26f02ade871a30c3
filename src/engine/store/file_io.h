#pragma once
// Reading a whole file and replacing files atomically. A failure carries a sentence that names the file
// and the reason, ready to show to the user.

#include <cstddef>
#include <string>
#include <vector>

#include "store/result.h"

namespace qelvar {

// Subsector files are small; anything above this is refused rather than read into memory.
inline constexpr std::size_t kMaxInputBytes = 16u * 1024u * 1024u;

// The bytes of a regular file of at most maxBytes.
[[nodiscard]] Result<std::string> readFileBytes(const std::string& path, std::size_t maxBytes = kMaxInputBytes);

// Writes bytes to a temporary file beside path, flushes it to disk and renames it over path, so that
// path holds either its old content or the whole new one; any existing file is left as it was on a
// failure. A symbolic link is followed and stays a link; a replaced file keeps its mode.
[[nodiscard]] Result<> writeFileAtomically(const std::string& path, const std::string& bytes);

struct FileToWrite {
    std::string path;
    std::string bytes;
};

// Writes many files with the same guarantee, committed together: every file to its temporary file, one
// flush for all of them, every rename, then one flush of each folder. Far faster than one flush per file,
// and after a crash at any moment each file is either as it was or complete. One result per file.
[[nodiscard]] std::vector<Result<>> writeFilesTogether(const std::vector<FileToWrite>& files);

// Removes the temporary files that a process which has since died left in folder (every save does this).
void removeDeadTemporaries(const std::string& folder);

}  // namespace qelvar
