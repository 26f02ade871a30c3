#include "core/file_io.h"

#include "core/paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace qelvar {

namespace {

std::string failure(const std::string& what, const std::string& path, int error) {
    return what + " \"" + path + "\": " + std::strerror(error);
}

}  // namespace

ReadResult readFileBytes(const std::string& path, std::size_t maxBytes) {
    ReadResult result;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.error = failure("Cannot open", path, errno);
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        result.error = failure("Cannot read", path, EISDIR);
        return result;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            result.error = failure("Cannot read", path, errno);
            ::close(fd);
            return result;
        }
        if (n == 0) break;
        if (result.bytes.size() + static_cast<std::size_t>(n) > maxBytes) {
            ::close(fd);
            result.bytes.clear();
            result.error = "Cannot read \"" + path + "\": the file is larger than " +
                           std::to_string(maxBytes / (1024 * 1024)) + " MB and is not a subsector file";
            return result;
        }
        result.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    result.ok = true;
    return result;
}

std::string writeFileAtomically(const std::string& path, const std::string& bytes) {
    std::string temp = joinPath(folderOf(path), ".qelvar-XXXXXX");
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return failure("Cannot write", path, errno);

    // Keep the permissions of a file being replaced; a new file gets the usual ones.
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode)) {
            ::close(fd);
            ::unlink(temp.c_str());
            return failure("Cannot write", path, EISDIR);
        }
        ::fchmod(fd, existing.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }

    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            ::unlink(temp.c_str());
            return failure("Cannot write", path, error);
        }
        written += static_cast<std::size_t>(n);
    }
    const int syncError = ::fsync(fd) != 0 ? errno : 0;
    const int closeError = ::close(fd) != 0 ? errno : 0;
    if (syncError != 0 || closeError != 0) {
        const int error = syncError != 0 ? syncError : closeError;
        ::unlink(temp.c_str());
        return failure("Cannot write", path, error);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        return failure("Cannot write", path, error);
    }
    return {};
}

}  // namespace qelvar
