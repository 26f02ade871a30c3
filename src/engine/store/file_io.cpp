#include "store/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>

#include "store/paths.h"

namespace qelvar {

namespace {

std::string failure(const std::string& what, const std::string& path, const std::string& reason) {
    return what + " \"" + path + "\": " + reason;
}

std::string failure(const std::string& what, const std::string& path, int error) {
    return failure(what, path, std::strerror(error));
}

constexpr const char* kNotRegular = "it is not a regular file";

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and says how it went: 0, or the error number.
    int close() {
        const int result = ::close(fd_) == 0 ? 0 : errno;
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// Whether this process may write an existing file. The super-user may write anything, but a file that
// nobody may write is taken as meant to stay as it is.
bool mayWrite(const std::string& path, const struct stat& info) {
    if (::geteuid() == 0) return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0;
    return ::access(path.c_str(), W_OK) == 0;
}

// The file a save really replaces: the target of a symbolic link (followed to its end), else the path.
std::string saveTarget(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path target(path);
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(target, error)); ++hops) {
        const fs::path link = fs::read_symlink(target, error);
        if (error) break;
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return target.string();
}

// Creates a new, empty file beside target with mode 0666 under the umask; -1 when none could be made.
int createTemporaryBeside(const std::string& target, std::string& tempPath) {
    static std::mt19937_64 names(
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        static_cast<std::uint64_t>(::getpid()));
    const std::string folder = folderOf(target);
    const std::string stem = "." + fileNameOf(target) + ".qelvar-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = joinPath(folder, stem + std::to_string(names() % 1000000000u));
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

ReadResult readFileBytes(const std::string& path, std::size_t maxBytes) {
    ReadResult result;
    // Opened without waiting, so that a FIFO or a device cannot hold the program up; only regular files
    // are then read.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        result.error = failure("Cannot open", path, errno);
        return result;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        result.error = failure("Cannot read", path, errno);
        return result;
    }
    if (S_ISDIR(info.st_mode)) {
        result.error = failure("Cannot read", path, EISDIR);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.error = failure("Cannot read", path, kNotRegular);
        return result;
    }
    const std::string tooLarge = failure(
        "Cannot read", path,
        "the file is larger than " + std::to_string(maxBytes / (1024 * 1024)) + " MB and is not a subsector file");
    if (static_cast<std::size_t>(info.st_size) > maxBytes) {
        result.error = tooLarge;
        return result;
    }
    result.bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            result.bytes.clear();
            result.error = failure("Cannot read", path, errno);
            return result;
        }
        if (n == 0) break;
        if (result.bytes.size() + static_cast<std::size_t>(n) > maxBytes) {  // the file grew while read
            result.bytes.clear();
            result.error = tooLarge;
            return result;
        }
        result.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    result.ok = true;
    return result;
}

std::string writeFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string target = saveTarget(path);
    struct stat existing {};
    const bool replacing = ::stat(target.c_str(), &existing) == 0;
    if (replacing) {
        if (S_ISDIR(existing.st_mode)) return failure("Cannot write", path, EISDIR);
        if (!S_ISREG(existing.st_mode)) return failure("Cannot write", path, kNotRegular);
        if (!mayWrite(target, existing)) return failure("Cannot write", path, EACCES);
    }

    std::string temp;
    FileDescriptor fd(createTemporaryBeside(target, temp));
    if (fd.get() < 0) return failure("Cannot write", path, errno);
    const auto fail = [&](int error) {
        if (fd.get() >= 0) fd.close();
        ::unlink(temp.c_str());
        return failure("Cannot write", path, error);
    };
    // A replaced file keeps its permissions; a new one has the usual ones under the umask.
    if (replacing && ::fchmod(fd.get(), existing.st_mode & 07777) != 0) return fail(errno);

    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(errno);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0) return fail(errno);
    if (const int error = fd.close(); error != 0) return fail(error);
    if (::rename(temp.c_str(), target.c_str()) != 0) return fail(errno);
    return {};
}

}  // namespace qelvar
