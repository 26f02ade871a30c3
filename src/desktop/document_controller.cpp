#include "document_controller.h"

#include <QSettings>
#include <QUndoStack>
#include <QWidget>
#include <algorithm>
#include <filesystem>
#include <set>

#include "document/document_file.h"
#include "document/store_edits.h"
#include "files/arp.h"
#include "files/folder_files.h"
#include "files/loader.h"
#include "files/sbs.h"
#include "files/sector.h"
#include "files/sector_file.h"
#include "files/sector_folder.h"
#include "seams/prompter.h"
#include "store/codes.h"
#include "store/file_io.h"
#include "store/paths.h"
#include "store/startup.h"
#include "store/subsector_store.h"
#include "subsector_choice_dialog.h"
#include "text_codec.h"

namespace qelvar {

namespace {

QString fromPath(const std::string& path) { return QString::fromLocal8Bit(path.c_str()); }
std::string toPath(const QString& path) { return path.toLocal8Bit().toStdString(); }

// The recent files live beside the settings file, newest first.
QSettings recentFilesSettings() {
    return QSettings(fromPath(joinPath(folderOf(settingsPath()), "qelvar-recent.ini")), QSettings::IniFormat);
}
constexpr int kRecentFiles = 10;

}  // namespace

DocumentController::DocumentController(SubsectorStore& store, Prompter& prompter, QWidget* window,
                                       std::function<std::string()> folder)
    : QObject(window), store_(store), prompter_(prompter), window_(window), folder_(std::move(folder)) {
    undoStack_ = new QUndoStack(this);
    // Whether anything is unsaved is the history's clean state: back at the saved state, nothing is.
    connect(undoStack_, &QUndoStack::cleanChanged, this, [this](bool clean) {
        emit modifiedChanged(!clean);
        emit changed();
    });
    connect(undoStack_, &QUndoStack::indexChanged, this, [this] {
        emit modifiedChanged(isModified());
        emit historyMoved();
        emit changed();
    });
}

DocumentController::~DocumentController() {
    // The history empties itself as it goes; nothing is to follow that.
    undoStack_->disconnect();
}

bool DocumentController::isModified() const { return !undoStack_->isClean(); }

bool DocumentController::mayDiscardChanges() { return !isModified() || prompter_.confirmDiscard(applicationTitle()); }

bool DocumentController::loadFile(const std::string& path) {
    if (!mayDiscardChanges()) return false;
    if (const auto refused = refusedForLoading(path)) {
        prompter_.message(*refused, MessageIcon::Exclamation);
        return false;
    }
    LoadOptions options{folderOf(path), fileNameOf(path)};
    std::shared_ptr<const Sector> sector;
    int index = -1;
    options.chooseSubsector = [this, &sector, &index](const Sector& read) {
        index = SubsectorChoiceDialog::choose(read, window_);
        sector = std::make_shared<const Sector>(read);
        return index;
    };
    // A file that could not be read leaves everything as it was; a cancelled letter question has emptied
    // the subsector, which is then shown like any load.
    if (loadSubsectorFile(store_, prompter_, path, options) == LoadStatus::NotRead) return false;
    loadedPath_ = path;
    loadedSector_ = index >= 0 ? sector : nullptr;
    startHistory(path);
    emit subsectorShown(isSectorPath(loadedPath_));
    rememberRecentFile(path);
    return true;
}

bool DocumentController::loadAtlas() {
    if (loadSubsectorFile(store_, prompter_, atlasPath()) == LoadStatus::NotRead) return false;
    store_.refreshStatistics();
    return true;
}

void DocumentController::startNewHistory(const std::string& path, bool unsaved) {
    // Filled from elsewhere: no sector of this controller's loading stands behind the store.
    loadedSector_ = nullptr;
    startHistory(path, unsaved);
}

void DocumentController::startHistory(const std::string& path, bool unsaved) {
    documentPath_ = path;
    adoptStore(path);
    undoStack_->clear();  // which leaves an empty history's clean state as it was
    // Changes that no file holds (a recovered autosave): no step of the history is the saved state.
    if (unsaved) {
        undoStack_->resetClean();
    } else {
        undoStack_->setClean();
    }
    emit modifiedChanged(unsaved);
    updateTitle();
    emit changed();
}

void DocumentController::forgetDocument() {
    documentPath_.clear();
    loadedSector_ = nullptr;  // nor from a sector file
    updateTitle();
}

QString DocumentController::title() const {
    const QString app = fromBytes(applicationTitle());
    return documentPath_.empty() ? app + "[*]" : tr("%1[*] - %2").arg(fromPath(fileNameOf(documentPath_)), app);
}

void DocumentController::updateTitle() { emit titleChanged(title()); }

bool DocumentController::showSubsectorOf(const Sector& sector, int index, const std::string& path) {
    if (!mayDiscardChanges()) return false;
    sectorToStore(sector, index, store_);
    loadedSector_ = std::make_shared<const Sector>(sector);
    // A subsector of a sector file keeps that file; of anything else "Save" asks for a name.
    const std::string file = isSectorFileName(path) ? path : std::string();
    loadedPath_ = file;
    startHistory(file);
    emit subsectorShown(!file.empty());
    return true;
}

void DocumentController::saveAsSbs() {
    if (!mayLoseInSubsectorFile(true)) return;
    if (const auto path = saveSbs(store_, prompter_, tagText_, folder_())) fileSaved(*path, true);
}

void DocumentController::saveAsArp() {
    if (!mayLoseInSubsectorFile(false)) return;
    if (const auto path = saveArp(store_, prompter_, folder_())) fileSaved(*path, false);
}

bool DocumentController::mayLoseInSubsectorFile(bool sbs) {
    if (!loadedSector_) return true;
    const std::string name = sbs ? "SBS" : "ARP";
    const Sector& whole = document_.sector();
    SubsectorStore back;
    (void)(sbs ? readSbs(back, formatSbs(store_).value) : readArp(back, formatArp(store_).value));
    std::string text;
    if (auto lost = subsectorLossNotice(whole, shownIndex_, back, name)) text = lost->text + "\n";
    std::set<int> others;
    for (const SectorWorld& world : whole.worlds) {
        if (const int index = subsectorIndexOf(world.column, world.row); index != shownIndex_) {
            others.insert(index);
        }
    }
    if (const std::size_t n = others.size(); n > 0) {
        text += "The other " + std::to_string(n) + (n == 1 ? " subsector" : " subsectors") +
                " of the sector with worlds " + (n == 1 ? "is" : "are") + " not in the " + name + " file\n";
    }
    return text.empty() || prompter_.askSave(text + "Save anyway?", {});
}

void DocumentController::save() {
    if (isSectorFileName(documentPath_)) {
        saveIntoSectorFile(documentPath_);
        return;
    }
    const std::string name = fileNameOf(documentPath_);
    const auto dot = name.rfind('.');
    if (documentPath_.empty() || dot == std::string::npos || fileTypeNamed(name.substr(dot + 1)) != FileType::Sbs) {
        saveAsSbs();
        return;
    }
    if (!writeSbsFile(store_, prompter_, documentPath_)) return;
    fileSaved(documentPath_, true);
}

void DocumentController::fileSaved(const std::string& path, bool isDocument) {
    undoStack_->setClean();
    emit modifiedChanged(false);
    if (isDocument) documentPath_ = path;
    updateTitle();
    rememberRecentFile(path);
    emit saved();
    emit fileWritten(path, true);
}

std::vector<std::string> DocumentController::recentFiles() const {
    std::vector<std::string> paths;
    for (const QString& path : recentFilesSettings().value("recent").toStringList()) paths.push_back(toPath(path));
    return paths;
}

void DocumentController::rememberRecentFile(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const QString entry = fromPath(error ? path : absolute.lexically_normal().string());
    QSettings settings = recentFilesSettings();
    QStringList paths = settings.value("recent").toStringList();
    paths.removeAll(entry);
    paths.prepend(entry);
    while (paths.size() > kRecentFiles) paths.removeLast();
    settings.setValue("recent", paths);
}

void DocumentController::saveToSectorFile() {
    if (!letterOffset(store_.subsectorLetter)) {
        prompter_.message(kDuffLetterMessage);
        return;
    }
    const auto chosen = prompter_.saveFileName(folder_(), filePattern(FileType::Sector));
    if (!chosen) return;
    const std::string path = isSectorFileName(*chosen) ? *chosen : *chosen + ".tab";
    std::error_code error;
    if (loadedSector_ && !std::filesystem::exists(path, error)) {
        // A subsector shown from a sector goes into a new file with the rest of its sector.
        if (!saveSectorInto(path)) return;
    } else if (!saveIntoSectorFile(path)) {
        return;
    }
    prompter_.message(tr("File saved OK").toStdString(), MessageIcon::Information);
}

bool DocumentController::saveSectorInto(const std::string& path) {
    const Sector& whole = document_.sector();
    const SectorFormat format = sectorFormatFor(path).value_or(SectorFormat::Tab);
    const Notices losses = formatSector(whole, format).notices;
    if (!losses.empty()) {
        std::string text;
        for (const Notice& notice : losses) text += notice.text + "\n";
        if (!prompter_.askSave(text + "Save anyway?", {})) return false;
    }
    const Result<Notices> written = writeSectorFile(whole, path, format);
    if (!written) {
        prompter_.message(written.error(), MessageIcon::Exclamation);
        return false;
    }
    rememberRecentFile(path);
    emit fileWritten(path, false);
    return true;
}

bool DocumentController::saveIntoSectorFile(const std::string& path) {
    // Only the document's own file makes it saved; another sector file is a copy, taking this subsector.
    std::error_code error;
    const bool own = !documentPath_.empty() && std::filesystem::equivalent(path, documentPath_, error);
    const bool inPlace =
        own && document_.isSectorFile() && document_.origin().path == documentPath_ && !document_.fileBytes().empty();
    const Result<Notices> saved = inPlace ? saveDocument(document_) : saveStoreIntoSectorFile(path, store_);
    if (!saved) {
        prompter_.message(saved.error(), MessageIcon::Exclamation);
        return false;
    }
    prompter_.tell(*saved);
    if (own) {
        fileSaved(path, true);
    } else {
        rememberRecentFile(path);
        emit fileWritten(path, false);
    }
    return true;
}

}  // namespace qelvar
