#pragma once
// Autosave and recovery: a few seconds after an unsaved change the store is written as SBS to a file of
// this running copy in the user's data folder ($QELVAR_AUTOSAVE_DIR when set), held by a lock file so that
// other copies leave it alone. A save, a return to the saved state or a normal exit removes it. A copy that
// died leaves its files behind with a stale lock; the next start offers them for recovery.

#include <QLockFile>
#include <QObject>
#include <QTimer>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace qelvar {

class SubsectorStore;

class Autosave : public QObject {
    Q_OBJECT
public:
    // Takes the lock of this copy's files; the delay is $QELVAR_AUTOSAVE_MS when set, else 3 s.
    explicit Autosave(SubsectorStore& store, QObject* parent = nullptr);
    // Removes this copy's files (a normal exit).
    ~Autosave() override;

    // The folder the autosave files live in.
    static std::string folder();
    // This copy's autosave file.
    std::string path() const { return path_; }

    // The store changed: with unsaved changes a write is due after the delay; without, the file goes.
    // documentPath is the file the subsector belongs to (empty when none).
    void storeChanged(const std::string& documentPath, bool unsaved);
    // Writes the autosave file now; false when it could not be written.
    bool writeNow();
    // Removes this copy's autosave file (saved, or nothing unsaved).
    void discard();

    // An autosave left by a copy that died: its file, the file it belonged to and when it was written.
    struct Orphan {
        std::string path;
        std::string documentPath;
        std::string writtenAt;  // "2026-12-07 15:31"
    };
    // The orphans in the folder; each stays locked by this copy until recovered or declined.
    std::vector<Orphan> findOrphans();
    // Removes an orphan's files and lets go of its lock.
    void removeOrphan(const Orphan& orphan);

private:
    SubsectorStore& store_;
    std::string path_;
    std::string documentPath_;
    std::unique_ptr<QLockFile> lock_;
    std::map<std::string, std::unique_ptr<QLockFile>> orphanLocks_;
    QTimer timer_;
};

}  // namespace qelvar
