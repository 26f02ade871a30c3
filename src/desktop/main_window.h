#pragma once
// The main window (object name Form1): the file browser, the map with its pointer labels, the buttons
// that start generation and batch work, and the menu bar.

#include <QMainWindow>
#include <functional>
#include <string>

#include "files/folder_files.h"
#include "map/map_pointer.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QScrollBar;

namespace qelvar {

class MapView;
class Prompter;
class SubsectorStore;
struct Sector;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window as it first appears: the current folder, "ARP files", nothing loaded.
    MainWindow(SubsectorStore& store, Prompter& prompter, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The command line: a folder opens there; "ATLAS" loads the atlas file at once. Anything else is
    // ignored.
    void applyCommandLine(const std::string& commandLine);
    // Shows a folder in the browser (and remembers it in the settings file); false when it is no folder.
    bool openFolder(const std::string& folder);

    std::string currentFolder() const { return folder_; }
    // The file name the file list's current entry shows; empty when none.
    std::string selectedFileName() const;
    // Every name the file list shows, in its order, and the ones selected.
    std::vector<std::string> listedFileNames() const;
    std::vector<std::string> selectedFileNames() const;
    MapView& mapView() { return *mapView_; }

    // What a click on a world does: open its details for the slot (detailIndex). The window redraws the
    // map when it returns.
    using DetailsOpener = std::function<void(int slot)>;
    void setDetailsOpener(DetailsOpener opener) { openDetails_ = std::move(opener); }
    // What "Open sector..." (the folder the browser shows) and "Show the whole sector" (the loaded sector
    // file, or DAT file with DATA.MNU beside it) do: open the Sector window on that path.
    void setSectorOpener(std::function<void(const std::string& path)> opener) { openSector_ = std::move(opener); }
    // Puts one subsector of a sector (0 = A .. 15 = P) into the store as a load does, after the
    // unsaved-changes question, and shows it. False when the user kept the changes.
    bool showSubsectorOf(const Sector& sector, int index);

    // What a click on the world name line does: write the description table dump.
    void setDescriptionDumper(std::function<void()> dumper) { dumpDescriptions_ = std::move(dumper); }
    // Gives a control, a menu heading or a menu item its work, and enables it (the actions of later
    // windows: generation, printing, the other file formats, the About box).
    QAction* action(const char* objectName) const;

public slots:
    void loadSelectedFile();
    void redisplayMap();
    void drawSectorGridOnMap();
    void saveAsSbs();
    void saveAsArp();
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
    void changeDrive(int index);
    void showFolderList();
    void showFileList();
    void fileSelectionChanged();
    void fileTypeChosen(int index);
    void folderActivated(QListWidgetItem* item);
    void pointerMoved(MapPoint point);
    void pointerPressed(MapPoint point);
    void showLabels(const MapLabels& labels);
    void moveMap(int value);
    // Asks before throwing away unsaved changes; true to go on.
    bool mayDiscardChanges();

    SubsectorStore& store_;
    Prompter& prompter_;
    std::string folder_;
    FileType fileTypeShown_ = FileType::Arp;
    std::string tagText_;  // the batch file name for a save; empty for an interactive save
    DetailsOpener openDetails_;
    std::function<void()> dumpDescriptions_;
    std::function<void(const std::string&)> openSector_;
    std::string loadedPath_;  // the file the store was last loaded from
    QAction* showSector_ = nullptr;
    QAction* routes_ = nullptr;  // "Routes": the routes of the folder's sector drawn on the map
    MapLabels labels_;

    QComboBox* drive_ = nullptr;
    QListWidget* folders_ = nullptr;
    QListWidget* files_ = nullptr;
    QComboBox* fileType_ = nullptr;
    QPushButton* load_ = nullptr;
    QPushButton* printSelected_ = nullptr;
    QPushButton* generate_ = nullptr;
    QCheckBox* sectorMode_ = nullptr;
    QCheckBox* reverseOrder_ = nullptr;
    QScrollBar* scroll_ = nullptr;
    QWidget* mapFrame_ = nullptr;
    MapView* mapView_ = nullptr;
    QLabel* nameLabel_ = nullptr;
    QLabel* locationLabel_ = nullptr;
    QAction* redisplay_ = nullptr;
    QAction* print_ = nullptr;
};

}  // namespace qelvar
