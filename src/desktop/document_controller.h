#pragma once
// The life of the document being edited: loading, saving, the recent files, the title, the questions before
// unsaved changes are thrown away, and the undo history whose clean state is the saved state. The document
// (a sector, or the one subsector of an SBS, ARP or DAT file) changes only through its edits, each step of
// the history; the subsector store shows one subsector of it, and follows every step.

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/edits.h"

class QUndoStack;
class QWidget;

namespace qelvar {

class Prompter;
class SubsectorStore;
struct Sector;
struct WorldRecord;

class DocumentController : public QObject {
    Q_OBJECT
public:
    // window: the parent of the dialogs; folder: the folder a save dialog opens in.
    DocumentController(SubsectorStore& store, Prompter& prompter, QWidget* window, std::function<std::string()> folder);
    ~DocumentController() override;

    // Every change a user makes to the document is a step here; its clean state is the saved state.
    QUndoStack& undoStack() { return *undoStack_; }
    const Document& document() const { return document_; }
    // The subsector the store shows (0 = A; 0 too for an unknown letter), and the hex of one of its locations.
    int shownIndex() const { return shownIndex_; }
    Hex hexOf(int location) const;

    // Applies the edits, in order, as one step of the history with text, and shows the subsector of
    // letterAfter (empty: the one shown). An edit that cannot apply is told and undoes the ones before it;
    // false then. Steps with the same mergeId (not -1) that follow each other become one (typing a name).
    bool perform(std::vector<std::unique_ptr<Edit>> edits, const QString& text, int mergeId = -1,
                 const std::string& letterAfter = {});
    bool perform(std::unique_ptr<Edit> edit, const QString& text, int mergeId = -1);
    // The world at the store's slot becomes record (an empty record deletes it), the fields a record cannot
    // hold kept.
    bool changeWorld(int slot, const WorldRecord& record, const QString& text);
    // A generated subsector (the letter, worlds and names of generated) in place of its subsector, as one
    // step; the document then stands for no file, and counts as saved until it is changed.
    void takeGenerated(const SubsectorStore& generated);

    // For the history's steps: the document they edit, and the subsector of letter shown again from it.
    Document& editedDocument() { return document_; }
    void showLetter(const std::string& letter);
    // The sector file's sector the subsector was taken from; null when it came from elsewhere.
    std::shared_ptr<const Sector> loadedSector() const { return loadedSector_; }
    // The file the subsector was loaded from or last saved to; empty when none (generated).
    std::string documentPath() const { return documentPath_; }
    // The file the store was last loaded from.
    std::string loadedPath() const { return loadedPath_; }
    // The window's title: the application title, after the file's name when there is one.
    QString title() const;
    // The last ten files loaded or saved, newest first.
    std::vector<std::string> recentFiles() const;

    // Whether the store holds changes no file holds: the history away from its saved state, or a recovered
    // autosave before its first save.
    bool isModified() const;
    // Asks before throwing away unsaved changes; true to go on.
    bool mayDiscardChanges();
    // Loads the file as "Load" does (after the unsaved-changes question); false when nothing was read.
    bool loadFile(const std::string& path);
    // Loads the atlas file; false when nothing was read.
    bool loadAtlas();
    // Puts one subsector of a sector (0 = A .. 15 = P) into the store, after the unsaved-changes question;
    // a sector file's path stays its file. False when the user kept the changes.
    bool showSubsectorOf(const Sector& sector, int index, const std::string& path = {});
    // After the store was filled from somewhere else: path is its file (empty for none), and the history
    // starts again, at the saved state unless unsaved (a recovered autosave).
    void startNewHistory(const std::string& path, bool unsaved = false);
    // The store no longer comes from a file (a generated subsector).
    void forgetDocument();

    void saveAsSbs();
    void saveAsArp();
    // "Save": the document's own file in its own format; asks for a name when there is none.
    void save();
    // "Save to sector file...": the subsector into a sector file, new or existing (only its rows change).
    void saveToSectorFile();

signals:
    // The store changed (an edit, undo or redo, a load, a new history), or was written to its file.
    void changed();
    void saved();
    // The history moved (an edit, undo or redo): the map is to be drawn again.
    void historyMoved();
    void modifiedChanged(bool modified);
    void titleChanged(const QString& title);
    // A subsector was put into the store from a file or a sector; wholeSector: a sector stands behind it.
    void subsectorShown(bool wholeSector);
    // A file was written; inFolderOnly: the file list needs showing again only when it lies in the folder shown.
    void fileWritten(const std::string& path, bool inFolderOnly);

private:
    void fileSaved(const std::string& path, bool isDocument);
    // The subsector into the sector file at path; false when it failed (told).
    bool saveIntoSectorFile(const std::string& path);
    // The whole sector the subsector was shown from, with the subsector as the store holds it, into a new
    // sector file; asks first when the file's format cannot hold every field.
    bool saveSectorInto(const std::string& path);
    // Before a subsector of a sector goes into an SBS or ARP file: what the file cannot hold, with Save and
    // Cancel; true to save.
    bool mayLoseInSubsectorFile(bool sbs);
    void rememberRecentFile(const std::string& path);
    void updateTitle();
    // startNewHistory for a load of this controller's, whose sector (if any) is loadedSector_.
    void startHistory(const std::string& path, bool unsaved = false);
    // The document becomes what the store holds after a load, from path (a sector file is opened whole).
    void adoptStore(const std::string& path);
    // The store's worlds and names where the document's differ from them.
    void showDocument();

    SubsectorStore& store_;
    Prompter& prompter_;
    QWidget* window_;
    std::function<std::string()> folder_;
    QUndoStack* undoStack_ = nullptr;
    std::string tagText_;     // the batch file name for a save; empty for an interactive save
    std::string loadedPath_;  // the file the store was last loaded from
    std::string documentPath_;
    // The sector the store's subsector (shownIndex_) came from, as loaded: saving it as SBS or ARP
    // says what those formats cannot hold.
    std::shared_ptr<const Sector> loadedSector_;
    Document document_;
    int shownIndex_ = 0;
};

}  // namespace qelvar
