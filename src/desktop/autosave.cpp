#include "autosave.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>
#include <filesystem>

#include "files/sbs.h"
#include "store/file_io.h"
#include "store/paths.h"
#include "store/subsector_store.h"
#include "store/text.h"

namespace qelvar {

namespace {

constexpr int kDefaultDelayMs = 3000;
constexpr const char* kPrefix = "autosave-";

// The three files of one autosave: the subsector, what it belonged to, the lock.
std::string infoPathOf(const std::string& sbsPath) { return sbsPath.substr(0, sbsPath.size() - 4) + ".txt"; }
std::string lockPathOf(const std::string& sbsPath) { return sbsPath.substr(0, sbsPath.size() - 4) + ".lock"; }

}  // namespace

std::string Autosave::folder() {
    const QByteArray chosen = qgetenv("QELVAR_AUTOSAVE_DIR");
    if (!chosen.isEmpty()) return chosen.toStdString();
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toLocal8Bit().toStdString();
}

Autosave::Autosave(SubsectorStore& store, QObject* parent) : QObject(parent), store_(store) {
    const std::string dir = folder();
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    path_ = joinPath(dir, kPrefix + std::to_string(QCoreApplication::applicationPid()) + ".sbs");
    lock_ = std::make_unique<QLockFile>(QString::fromLocal8Bit(lockPathOf(path_).c_str()));
    lock_->setStaleLockTime(0);
    (void)lock_->tryLock(0);
    bool ok = false;
    const int delay = qEnvironmentVariableIntValue("QELVAR_AUTOSAVE_MS", &ok);
    timer_.setSingleShot(true);
    timer_.setInterval(ok && delay >= 0 ? delay : kDefaultDelayMs);
    connect(&timer_, &QTimer::timeout, this, [this] { (void)writeNow(); });
}

Autosave::~Autosave() {
    discard();
    if (lock_) lock_->unlock();
}

void Autosave::storeChanged(const std::string& documentPath, bool unsaved) {
    documentPath_ = documentPath;
    if (unsaved) {
        timer_.start();
    } else {
        discard();
    }
}

bool Autosave::writeNow() {
    timer_.stop();
    if (!lock_->isLocked()) return false;  // another copy holds the name: write nothing
    const std::string info =
        documentPath_ + "\n" + QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm").toStdString() + "\n";
    return writeFileAtomically(infoPathOf(path_), info) && writeFileAtomically(path_, formatSbs(store_).value);
}

void Autosave::discard() {
    timer_.stop();
    std::remove(path_.c_str());
    std::remove(infoPathOf(path_).c_str());
}

std::vector<Autosave::Orphan> Autosave::findOrphans() {
    std::vector<Orphan> orphans;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder(), error)) {
        const std::string name = entry.path().filename().string();
        const std::string path = entry.path().string();
        if (!name.starts_with(kPrefix) || path == path_ || path == lockPathOf(path_)) continue;
        if (name.ends_with(".lock")) {
            // A copy that died with nothing unsaved leaves only its lock; a stale one is taken and let go.
            const std::string sbs = path.substr(0, path.size() - 5) + ".sbs";
            if (!std::filesystem::exists(sbs, error)) {
                QLockFile leftover(QString::fromLocal8Bit(path.c_str()));
                leftover.setStaleLockTime(0);
                if (leftover.tryLock(0)) leftover.unlock();
            }
            continue;
        }
        if (!name.ends_with(".sbs")) continue;
        // A lock that can be taken was left by a copy that is no longer running.
        auto lock = std::make_unique<QLockFile>(QString::fromLocal8Bit(lockPathOf(path).c_str()));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) continue;
        const auto read = readFileBytes(infoPathOf(path));
        const std::string info = read ? *read : std::string();
        const auto lines = splitLines(info);
        Orphan orphan{path, lines.size() > 0 ? std::string(lines[0]) : std::string(),
                      lines.size() > 1 ? std::string(lines[1]) : std::string()};
        orphans.push_back(orphan);
        orphanLocks_[path] = std::move(lock);
    }
    return orphans;
}

void Autosave::removeOrphan(const Orphan& orphan) {
    std::remove(orphan.path.c_str());
    std::remove(infoPathOf(orphan.path).c_str());
    orphanLocks_.erase(orphan.path);  // the lock goes with its file
}

}  // namespace qelvar
