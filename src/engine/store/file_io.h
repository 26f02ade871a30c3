#pragma once
// Reading a whole file and replacing a file atomically. Errors come back as a sentence that names the
// file and the reason, ready to show to the user.

#include <cstddef>
#include <string>

namespace qelvar {

struct ReadResult {
    bool ok = false;
    std::string bytes;
    std::string error;  // set when !ok
};

// Subsector files are small; anything above this is refused rather than read into memory.
inline constexpr std::size_t kMaxInputBytes = 16u * 1024u * 1024u;

ReadResult readFileBytes(const std::string& path, std::size_t maxBytes = kMaxInputBytes);

// Writes bytes to a temporary file beside path, flushes it to disk and renames it over path, so that
// path holds either its old content or the whole new one. Returns an empty text on success, otherwise
// the reason; any existing file is then left as it was.
std::string writeFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace qelvar
