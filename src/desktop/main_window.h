#pragma once
// The main window (object name Form1): the file browser, the map with its pointer labels, the button that
// starts generation, and the menu bar; it connects them to the document controller.

#include <QMainWindow>
#include <memory>
#include <string>

#include "map/map_pointer.h"
#include "map/space_overlay.h"

class QAction;
class QCheckBox;
class QLabel;
class QPushButton;
class QMenu;
class QScrollBar;
class QUndoStack;

namespace qelvar {

class DocumentController;
class FileBrowser;
class MapArea;
class MapView;
class Prompter;
class SubsectorStore;
class WorldEdits;
struct Sector;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window as it first appears: the current folder, "ARP files", nothing loaded.
    MainWindow(SubsectorStore& store, Prompter& prompter, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The command line: a folder opens there, a file is loaded (its folder shown); "ATLAS" loads the atlas
    // file at once. Anything else is ignored.
    void applyCommandLine(const std::string& commandLine);
    // Shows a folder in the browser (and remembers it in the settings file); false when it is no folder.
    bool openFolder(const std::string& folder);

    std::string currentFolder() const;
    // The file name the file list's current entry shows; empty when none.
    std::string selectedFileName() const;
    // Every name the file list shows, in its order, and the ones selected.
    std::vector<std::string> listedFileNames() const;
    std::vector<std::string> selectedFileNames() const;
    MapView& mapView();
    MapArea& mapArea() { return *mapArea_; }
    // Every change a user makes to the document is a step here; its clean state is the saved state.
    QUndoStack& undoStack();
    // The document shown, its history and files.
    DocumentController& documentController() { return *document_; }
    // The sector file's sector the subsector was taken from; null when it came from elsewhere.
    std::shared_ptr<const Sector> loadedSector() const;
    // The file the subsector was loaded from or last saved to; empty when none (generated).
    std::string documentPath() const;
    // After the store was filled from somewhere else (generated, batch work): path is its file (empty for
    // none), and the history starts again, at the saved state unless unsaved (a recovered autosave).
    void startNewHistory(const std::string& path, bool unsaved = false);
    // Whether the store holds changes no file holds.
    bool isModified() const;
    // The store no longer comes from a file (a generated subsector): the title loses the file's name, and the
    // subsector no longer stands for one of a sector file.
    void forgetDocument();
    // The last ten files loaded or saved, newest first.
    std::vector<std::string> recentFiles() const;
    // Loads folder/name as "Load" does (after the unsaved-changes question); false when nothing was read.
    bool loadFile(const std::string& path);
    // Whether each listed file is selected, in the list's order; whether "Reverse order ?" is ticked.
    std::vector<bool> listedFileSelection() const;
    bool reverseOrderChosen() const;
    // A subsector is in the store and shown: "Redisplay", "Print" and "Print Preview..." are offered.
    void mapShown();
    // The name line shows text (the file batch printing has just loaded).
    void showNameLine(const std::string& text);

signals:
    // A click on a world (or Enter on the hex cursor): open its details for the slot. The
    // window redraws the map when the receiver returns.
    void worldDetailsRequested(int slot);
    // A click on the world name line: write the description table dump.
    void descriptionDumpRequested();
    void generateRequested();
    void generationOptionsRequested();
    void aboutRequested();
    void printRequested();
    void printPreviewRequested();
    void printOptionsRequested();
    void printerSetupRequested();
    void printSelectedRequested();
    void checkRequested();
    // The store changed (an edit, undo or redo, a load), or was written to its file.
    void storeChanged();
    void storeSaved();
    // The map was drawn afresh from the store (after a load, an edit, "Redisplay").
    void mapRedrawn();
    // "Open sector..." (the folder the browser shows) or "Show the whole sector" (the loaded sector file, or
    // DAT file with DATA.MNU beside it): open the Sector window on that path.
    void sectorRequested(const std::string& path);
    // "Open charted space...": the folder shown, as many sectors placed by their metadata.
    void chartedSpaceRequested(const std::string& path);

public:
    // Puts one subsector of a sector (0 = A .. 15 = P) into the store as a load does, after the
    // unsaved-changes question, and shows it; a sector file's path stays its file. False when the user
    // kept the changes.
    bool showSubsectorOf(const Sector& sector, int index, const std::string& path = {});

public slots:
    void loadSelectedFile();
    void redisplayMap();
    void drawSectorGridOnMap();
    void saveAsSbs();
    void saveAsArp();
    // "Save": the SBS file loaded or last saved, without a dialog; asks for a name when there is none.
    void save();
    void saveAllInFolderAsSbs();
    // "Save to sector file...": the subsector into a sector file, new or existing (only its rows change).
    void saveToSectorFile();
    void markFilesFromMask();
    void showSubsectorIndexOfFolder();
    void saveScreenshot();
    void resetMapScroll();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void pointerMoved(MapPoint point);
    void pointerPressed(MapPoint point);
    // A double-click or Enter on an empty hex: a world is made there and its details open.
    void addWorldAtCursor();
    void showLabels(const MapLabels& labels);
    void moveMap(int value);
    void showRecentFiles();
    void showUndoHistory();

    SubsectorStore& store_;
    Prompter& prompter_;
    DocumentController* document_ = nullptr;
    FileBrowser* browser_ = nullptr;
    QAction* showSector_ = nullptr;
    QAction* routes_ = nullptr;   // "Routes": the routes of the folder's sector drawn on the map
    QAction* borders_ = nullptr;  // "Borders": the sector's borders (given, else made) where they cross the map
    SpaceOverlay overlay_;
    MapLabels labels_;

    QPushButton* generate_ = nullptr;
    QCheckBox* sectorMode_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    QScrollBar* across_ = nullptr;
    MapArea* mapArea_ = nullptr;
    WorldEdits* worldEdits_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLabel* locationLabel_ = nullptr;
    QAction* redisplay_ = nullptr;
    QAction* print_ = nullptr;
    QAction* printPreview_ = nullptr;
};

}  // namespace qelvar
