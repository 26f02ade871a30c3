#include "store/file_io.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <utility>

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

constexpr const char* kTemporaryMark = ".qelvar-";

// Creates a new, empty file beside target with mode 0666 under the umask; -1 when none could be made. Its
// name carries this process's id, so that a later save can tell the leftovers of a process that died.
int createTemporaryBeside(const std::string& target, std::string& tempPath) {
    static std::mt19937_64 names(
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        static_cast<std::uint64_t>(::getpid()));
    const std::string folder = folderOf(target);
    const std::string stem = "." + fileNameOf(target) + kTemporaryMark + std::to_string(::getpid()) + "-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = joinPath(folder, stem + std::to_string(names() % 1000000000u));
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// The process id in a temporary file's name (".NAME.qelvar-PID-N"); 0 when the name is not one.
pid_t temporaryOwner(const std::string& name) {
    if (name.empty() || name.front() != '.') return 0;
    const auto mark = name.rfind(kTemporaryMark);
    if (mark == std::string::npos) return 0;
    const std::size_t start = mark + std::strlen(kTemporaryMark);
    const auto dash = name.find('-', start);
    if (dash == std::string::npos || dash == start || dash + 1 == name.size()) return 0;
    long pid = 0;
    for (std::size_t i = start; i < dash; ++i) {
        if (name[i] < '0' || name[i] > '9' || pid > 100000000) return 0;
        pid = pid * 10 + (name[i] - '0');
    }
    for (std::size_t i = dash + 1; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return 0;
    }
    return static_cast<pid_t>(pid);
}

// A file that is open for writing, beside the file it will replace.
struct PendingWrite {
    std::string path;    // as the caller named it (for messages)
    std::string target;  // the file really replaced
    std::string temp;
    int fd = -1;
    bool replacing = false;
    struct stat existing {};
};

// Checks the target, creates the temporary file and writes the bytes into it (not yet flushed).
Result<> startWrite(PendingWrite& w, const std::string& bytes) {
    w.target = saveTarget(w.path);
    w.replacing = ::stat(w.target.c_str(), &w.existing) == 0;
    if (w.replacing) {
        if (S_ISDIR(w.existing.st_mode)) return fail(failure("Cannot write", w.path, EISDIR));
        if (!S_ISREG(w.existing.st_mode)) return fail(failure("Cannot write", w.path, kNotRegular));
        if (!mayWrite(w.target, w.existing)) return fail(failure("Cannot write", w.path, EACCES));
    }
    w.fd = createTemporaryBeside(w.target, w.temp);
    if (w.fd < 0) return fail(failure("Cannot write", w.path, errno));
    // A replaced file keeps its permissions; a new one has the usual ones under the umask.
    if (w.replacing && ::fchmod(w.fd, w.existing.st_mode & 07777) != 0)
        return fail(failure("Cannot write", w.path, errno));
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(w.fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(failure("Cannot write", w.path, errno));
        }
        written += static_cast<std::size_t>(n);
    }
    return {};
}

// Closes the temporary file and renames it over the target.
Result<> finishWrite(PendingWrite& w) {
    const int fd = std::exchange(w.fd, -1);
    if (::close(fd) != 0) return fail(failure("Cannot write", w.path, errno));
    if (::rename(w.temp.c_str(), w.target.c_str()) != 0) return fail(failure("Cannot write", w.path, errno));
    w.temp.clear();
    return {};
}

// Removes what is left of a write that did not finish.
void abandonWrite(PendingWrite& w) {
    if (w.fd >= 0) ::close(std::exchange(w.fd, -1));
    if (!w.temp.empty()) ::unlink(w.temp.c_str());
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

Result<std::string> readFileBytes(const std::string& path, std::size_t maxBytes) {
    // Opened without waiting, so that a FIFO or a device cannot hold the program up; only regular files
    // are then read.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        return fail(failure("Cannot open", path, errno));
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        return fail(failure("Cannot read", path, errno));
    }
    if (S_ISDIR(info.st_mode)) {
        return fail(failure("Cannot read", path, EISDIR));
    }
    if (!S_ISREG(info.st_mode)) {
        return fail(failure("Cannot read", path, kNotRegular));
    }
    const std::string tooLarge = failure(
        "Cannot read", path,
        "the file is larger than " + std::to_string(maxBytes / (1024 * 1024)) + " MB and is not a subsector file");
    if (static_cast<std::size_t>(info.st_size) > maxBytes) {
        return fail(tooLarge);
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail(failure("Cannot read", path, errno));
        }
        if (n == 0) break;
        if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) {  // the file grew while read
            return fail(tooLarge);
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return bytes;
}

Result<> writeFileAtomically(const std::string& path, const std::string& bytes) {
    PendingWrite w;
    w.path = path;
    Result<> done = startWrite(w, bytes);
    if (done && ::fsync(w.fd) != 0) done = fail(failure("Cannot write", path, errno));
    if (done) done = finishWrite(w);
    abandonWrite(w);
    if (done) removeDeadTemporaries(folderOf(w.target));
    return done;
}

std::vector<Result<>> writeFilesTogether(const std::vector<FileToWrite>& files) {
    constexpr std::size_t kFewFiles = 4;
    std::vector<Result<>> results;
    std::vector<PendingWrite> pending(files.size());
    results.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        pending[i].path = files[i].path;
        results.push_back(startWrite(pending[i], files[i].bytes));
    }
    // One flush per file system for every file written, instead of one per file; a few files are flushed
    // each on its own, which does not wait for whatever else the file system has to write.
    std::set<dev_t> synced;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!results[i]) continue;
        if (files.size() <= kFewFiles) {
            if (::fsync(pending[i].fd) != 0) results[i] = fail(failure("Cannot write", files[i].path, errno));
            continue;
        }
        struct stat info {};
        if (::fstat(pending[i].fd, &info) != 0) {
            results[i] = fail(failure("Cannot write", files[i].path, errno));
        } else if (synced.insert(info.st_dev).second && ::syncfs(pending[i].fd) != 0) {
            results[i] = fail(failure("Cannot write", files[i].path, errno));
            synced.erase(info.st_dev);
        }
    }
    std::set<std::string> folders;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (results[i]) results[i] = finishWrite(pending[i]);
        abandonWrite(pending[i]);
        if (results[i]) folders.insert(folderOf(pending[i].target));
    }
    for (const std::string& folder : folders) {
        syncFolder(folder);
        removeDeadTemporaries(folder);
    }
    return results;
}

void removeDeadTemporaries(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, error), end; !error && it != end;
         it.increment(error)) {
        const pid_t owner = temporaryOwner(it->path().filename().string());
        if (owner <= 0 || owner == ::getpid()) continue;
        if (::kill(owner, 0) == 0 || errno != ESRCH) continue;  // the process is alive (or not ours to ask)
        std::error_code ignored;
        if (fs::is_regular_file(it->symlink_status(ignored))) fs::remove(it->path(), ignored);
    }
}

}  // namespace qelvar
