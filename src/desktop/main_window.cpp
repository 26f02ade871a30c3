#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFontDatabase>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMetaMethod>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStorageInfo>
#include <QStyle>
#include <QSettings>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QUndoStack>
#include <QUndoView>
#include <QVBoxLayout>
#include <QDialog>
#include <filesystem>

#include "map_area.h"
#include "map_view.h"
#include "store/startup.h"
#include "store/paths.h"
#include "store/subsector_store.h"
#include "store/file_io.h"
#include "files/loader.h"
#include "files/sector.h"
#include "files/sector_folder.h"
#include "files/arp.h"
#include "files/batch.h"
#include "files/sbs.h"
#include "files/sector_file.h"
#include "store/codes.h"
#include "subsector_choice_dialog.h"
#include "reports/file_marks.h"
#include "map/map_drawing.h"
#include "seams/prompter.h"
#include "text_codec.h"
#include "window_placement.h"

namespace qelvar {

namespace {

constexpr int kWindowHeightTwips = 9000;
constexpr int kScrollRangeTwips = 4000;

struct FileTypeEntry {
    const char* caption;
    FileType type;
};
constexpr FileTypeEntry kFileTypes[] = {{QT_TRANSLATE_NOOP("qelvar::MainWindow", "SBS files"), FileType::Sbs},
                                        {QT_TRANSLATE_NOOP("qelvar::MainWindow", "ARP files"), FileType::Arp},
                                        {QT_TRANSLATE_NOOP("qelvar::MainWindow", "DAT (Gal) files"), FileType::Dat},
                                        {QT_TRANSLATE_NOOP("qelvar::MainWindow", "Sector files"), FileType::Sector}};

QString fromPath(const std::string& path) { return QString::fromLocal8Bit(path.c_str()); }
std::string toPath(const QString& path) { return path.toLocal8Bit().toStdString(); }

double logicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 0;
    return dpi > 0 ? dpi : 96;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    return b;
}

}  // namespace

MainWindow::MainWindow(SubsectorStore& store, Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), store_(store), prompter_(prompter) {
    setObjectName("Form1");
    undoStack_ = new QUndoStack(this);
    buildControls();
    buildMenus();

    // Height 9000 twips; centred across, a quarter of the free height down.
    resize(sizeHint().width(), std::max(sizeHint().height(), twipsToDots(kWindowHeightTwips, logicalDpi())));
    placeOnScreen(*this, 0.25);

    std::error_code ignored;
    const std::string current = std::filesystem::current_path(ignored).string();
    folder_ = current.empty() ? "/" : current;
    showFolderList();
    fileType_->setCurrentIndex(1);  // "ARP files"
    fileTypeChosen(1);

    // The unsaved-changes flag follows the history: back at the saved state, nothing is unsaved.
    connect(undoStack_, &QUndoStack::cleanChanged, this, [this](bool clean) {
        store_.unsavedChanges = clean ? 0 : 1;
        setWindowModified(!clean);
        emit storeChanged();
    });
    connect(undoStack_, &QUndoStack::indexChanged, this, [this] {
        store_.unsavedChanges = undoStack_->isClean() ? 0 : 1;
        setWindowModified(!undoStack_->isClean());
        if (redisplay_->isEnabled()) redisplayMap();
        emit storeChanged();
    });
    updateTitle();
}

MapView& MainWindow::mapView() { return mapArea_->view(); }

MainWindow::~MainWindow() {
    // The history empties itself as it goes; nothing is to follow that.
    undoStack_->disconnect();
}

void MainWindow::buildControls() {
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);

    // The file browser.
    auto* browser = new QGroupBox(tr("Load saved file"), central);
    browser->setObjectName("Frame1");
    auto* browserLayout = new QVBoxLayout(browser);
    drive_ = new QComboBox(browser);
    drive_->setObjectName("Drive1");
    drive_->setToolTip(tr("Drive"));
    QStringList roots{"/"};
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && !roots.contains(volume.rootPath())) roots << volume.rootPath();
    }
    drive_->addItems(roots);
    folders_ = new QListWidget(browser);
    folders_->setObjectName("Dir1");
    folders_->setToolTip(tr("Double-click or press Enter to open a folder"));
    folders_->installEventFilter(this);
    auto* typeLabel = new QLabel(tr("Show files of type:"), browser);
    typeLabel->setObjectName("Label3");
    fileType_ = new QComboBox(browser);
    fileType_->setObjectName("Combo1");
    for (const FileTypeEntry& entry : kFileTypes) fileType_->addItem(tr(entry.caption), static_cast<int>(entry.type));
    typeLabel->setBuddy(fileType_);
    files_ = new QListWidget(browser);
    files_->setObjectName("File1");
    files_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    files_->setToolTip(tr("Double-click or press Enter to load a file"));
    files_->installEventFilter(this);
    fileType_->setToolTip(tr("The kind of file the list shows"));
    load_ = button("Command4", tr("&Load"), browser);
    load_->setEnabled(false);
    load_->setDefault(true);
    printSelected_ = button("Command5", tr("Print all selected"), browser);
    printSelected_->setEnabled(false);
    load_->setToolTip(tr("Load the selected file and draw its map"));
    printSelected_->setToolTip(tr("Load and print every selected file"));
    auto* index = button("Command3", tr("List subsec names"), browser);
    auto* mark = button("Command2", tr("Mark from mask"), browser);
    reverseOrder_ = new QCheckBox(tr("Reverse order ?"), browser);
    reverseOrder_->setObjectName("Check3D1");
    reverseOrder_->setToolTip(tr("Print the selected files from the last to the first"));
    index->setToolTip(tr("List the subsector names of the listed files"));
    mark->setToolTip(tr("Select the listed files whose names begin with a text"));

    browserLayout->addWidget(drive_);
    browserLayout->addWidget(folders_, 2);
    browserLayout->addWidget(typeLabel);
    browserLayout->addWidget(fileType_);
    browserLayout->addWidget(files_, 3);
    auto* loadRow = new QHBoxLayout;
    loadRow->addWidget(load_);
    loadRow->addWidget(printSelected_);
    browserLayout->addLayout(loadRow);
    auto* markRow = new QHBoxLayout;
    markRow->addWidget(index);
    markRow->addWidget(mark);
    browserLayout->addLayout(markRow);
    browserLayout->addWidget(reverseOrder_);

    auto* left = new QVBoxLayout;
    left->addWidget(browser, 1);
    generate_ = button("Command1", tr("&Generate"), central);
    generate_->setToolTip(tr("Make a new random subsector with the generation options"));
    left->addWidget(generate_);
    columns->addLayout(left, 0);

    // The map, filling the room it is given, scrolled by the bar beside it.
    mapArea_ = new MapArea(central);
    scroll_ = new QScrollBar(Qt::Vertical, central);
    scroll_->setObjectName("VScroll1");
    scroll_->setRange(-twipsToDots(kScrollRangeTwips, logicalDpi()), twipsToDots(kScrollRangeTwips, logicalDpi()));
    scroll_->setValue(0);
    scroll_->setSingleStep(std::max(1, twipsToDots(150, logicalDpi())));
    scroll_->setPageStep(std::max(1, twipsToDots(1500, logicalDpi())));
    scroll_->setToolTip(tr("Move the map up and down"));
    auto* home = button("Command6", tr("0"), central);
    home->setToolTip(tr("Bring the map back to its home position"));
    home->setFixedWidth(home->fontMetrics().horizontalAdvance("000") + 16);
    auto* mapColumn = new QGridLayout;
    mapColumn->setSpacing(2);
    mapColumn->addWidget(mapArea_, 0, 0, 2, 1);
    mapColumn->addWidget(scroll_, 0, 1);
    mapColumn->addWidget(home, 1, 1);
    mapColumn->setRowStretch(0, 1);
    columns->addLayout(mapColumn, 1);

    // The pointer labels and the sector mode.
    auto* right = new QVBoxLayout;
    nameLabel_ = new QLabel(central);
    nameLabel_->setObjectName("Label1");
    locationLabel_ = new QLabel(central);
    locationLabel_->setObjectName("Label2");
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    for (QLabel* label : {nameLabel_, locationLabel_}) {
        label->setFont(fixed);
        label->setTextFormat(Qt::PlainText);
        label->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(27, 'M')));
        label->setFrameShape(QFrame::StyledPanel);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
    }
    nameLabel_->setToolTip(tr("The world under the pointer; click to write the description table"));
    locationLabel_->setToolTip(tr("The hex under the pointer and its profile; click to draw the sector grid"));
    sectorMode_ = new QCheckBox(tr("Sector mode"), central);
    sectorMode_->setObjectName("Check3D2");
    sectorMode_->setToolTip(tr("Draw the map with the sector grid"));
    right->addWidget(nameLabel_);
    right->addWidget(locationLabel_);
    right->addWidget(sectorMode_);
    right->addStretch(1);
    columns->addLayout(right, 0);
    setCentralWidget(central);

    connect(drive_, &QComboBox::activated, this, &MainWindow::changeDrive);
    connect(folders_, &QListWidget::itemActivated, this, &MainWindow::folderActivated);
    connect(fileType_, &QComboBox::currentIndexChanged, this, &MainWindow::fileTypeChosen);
    connect(files_, &QListWidget::itemSelectionChanged, this, &MainWindow::fileSelectionChanged);
    connect(files_, &QListWidget::itemDoubleClicked, this, [this] {
        load_->setEnabled(true);
        printSelected_->setEnabled(true);
        loadSelectedFile();
    });
    connect(load_, &QPushButton::clicked, this, &MainWindow::loadSelectedFile);
    connect(generate_, &QPushButton::clicked, this, &MainWindow::generateRequested);
    connect(printSelected_, &QPushButton::clicked, this, &MainWindow::printSelectedRequested);
    connect(index, &QPushButton::clicked, this, &MainWindow::showSubsectorIndexOfFolder);
    connect(mark, &QPushButton::clicked, this, &MainWindow::markFilesFromMask);
    connect(home, &QPushButton::clicked, this, &MainWindow::resetMapScroll);
    connect(scroll_, &QScrollBar::valueChanged, this, &MainWindow::moveMap);
    connect(&mapView(), &MapView::pointerMoved, this, &MainWindow::pointerMoved);
    connect(&mapView(), &MapView::pointerPressed, this, &MainWindow::pointerPressed);
    connect(&mapView(), &MapView::surfaceRenewed, this, &MainWindow::redisplayMap);
}

void MainWindow::buildMenus() {
    QMenuBar* bar = menuBar();
    // Every menu item, in menu order: object name, caption and what it does for the status bar.
    const auto item = [this](QWidget* menu, const char* name, const QString& caption, const QString& tip) {
        auto* a = new QAction(caption, this);
        a->setObjectName(name);
        a->setStatusTip(tip);
        a->setToolTip(tip);
        menu->addAction(a);
        return a;
    };
    const auto submenu = [bar](const char* name, const QString& caption) {
        QMenu* menu = bar->addMenu(caption);
        menu->setObjectName(name);
        menu->menuAction()->setObjectName(name);
        menu->setToolTipsVisible(true);
        return menu;
    };
    QAction* exit = item(bar, "mnuexit", tr("E&xit"), tr("Close the program"));
    exit->setShortcut(QKeySequence::Quit);
    redisplay_ = item(bar, "mnuredisplay", tr("&Redisplay"), tr("Draw the map again"));
    redisplay_->setShortcut(QKeySequence(Qt::Key_F5));
    redisplay_->setEnabled(false);

    QMenu* printMenu = submenu("mnupmenu", tr("&Print..."));
    QAction* setup = item(printMenu, "mnuprintsetup", tr("Printer Setup"), tr("Choose and set up the printer"));
    QAction* printOptions =
        item(printMenu, "mnuprintopt", tr("Print Options..."), tr("Choose what the printed page holds"));
    print_ = item(printMenu, "mnuprint", tr("Print"), tr("Print the map of the subsector"));
    print_->setShortcut(QKeySequence::Print);
    print_->setEnabled(false);
    printPreview_ =
        item(printMenu, "mnuprintpreview", tr("Print Preview..."), tr("See the printed pages before printing"));
    printPreview_->setEnabled(false);

    QMenu* fileMenu = submenu("mnufile", tr("&File..."));
    QAction* bmp = item(fileMenu, "mnubmp", tr("Save screenshot of map to BMP image"),
                        tr("Write the map as it is shown to QELVAR.BMP in the folder shown"));
    QAction* arp = item(fileMenu, "mnuarp", tr("Save to ARP"), tr("Write the subsector as an ARP listing"));
    QAction* sbs = item(fileMenu, "mnusbs", tr("Save to SBS"), tr("Write the subsector to an SBS file you name"));
    sbs->setShortcut(QKeySequence::SaveAs);
    QAction* sbsAll = item(fileMenu, "mnusbsall", tr("Save all in folder to SBS"),
                           tr("Convert every listed file of the folder to SBS"));
    QAction* sector = item(fileMenu, "mnusector", tr("Save to sector file..."),
                           tr("Put the subsector back into a new or existing sector file"));
    fileMenu->addSeparator();
    QAction* saveNow = item(fileMenu, "mnusave", tr("Save"), tr("Write the subsector back to its SBS file"));
    saveNow->setShortcut(QKeySequence::Save);
    recentMenu_ = fileMenu->addMenu(tr("Recent files"));
    recentMenu_->setObjectName("mnurecent");
    recentMenu_->menuAction()->setObjectName("mnurecent");
    recentMenu_->menuAction()->setStatusTip(tr("Load one of the last ten files loaded or saved"));
    recentMenu_->setToolTipsVisible(true);
    QAction* check =
        item(fileMenu, "mnucheck", tr("&Check subsector"), tr("List the worlds whose codes do not fit the rules"));
    check->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    fileMenu->addSeparator();
    QAction* openSector = item(fileMenu, "mnuopensector", tr("Open sector..."),
                               tr("Show the whole sector of the folder shown on one map"));
    showSector_ = item(fileMenu, "mnushowsector", tr("Show the whole sector"),
                       tr("Show the whole sector the loaded file belongs to on one map"));
    showSector_->setEnabled(false);
    routes_ = item(fileMenu, "mnuroutes", tr("Routes"), tr("Draw the routes of the folder's sector on the map"));
    routes_->setCheckable(true);
    connect(routes_, &QAction::toggled, this, [this] {
        if (redisplay_->isEnabled()) redisplayMap();
    });
    borders_ = item(fileMenu, "mnuborders", tr("Borders"),
                    tr("Draw the borders of the folder's sector, or borders made from the allegiances, on the map"));
    borders_->setCheckable(true);
    borders_->setChecked(true);
    connect(borders_, &QAction::toggled, this, [this] {
        if (redisplay_->isEnabled()) redisplayMap();
    });
    connect(openSector, &QAction::triggered, this, [this] { emit sectorRequested(folder_); });
    QAction* openSpace = item(fileMenu, "mnuopenspace", tr("Open charted space..."),
                              tr("Show the sectors of the folder shown side by side, placed by their metadata"));
    connect(openSpace, &QAction::triggered, this, [this] { emit chartedSpaceRequested(folder_); });
    connect(showSector_, &QAction::triggered, this, [this] { emit sectorRequested(loadedPath_); });

    QMenu* editMenu = submenu("mnuedit", tr("&Edit"));
    QAction* undo = undoStack_->createUndoAction(this, tr("&Undo"));
    undo->setObjectName("mnuundo");
    undo->setShortcut(QKeySequence::Undo);
    undo->setStatusTip(tr("Take back the last change"));
    QAction* redo = undoStack_->createRedoAction(this, tr("&Redo"));
    redo->setObjectName("mnuredo");
    redo->setShortcut(QKeySequence::Redo);
    redo->setStatusTip(tr("Make the change taken back again"));
    editMenu->addAction(undo);
    editMenu->addAction(redo);
    QAction* history =
        item(editMenu, "mnuhistory", tr("Undo &History..."), tr("List every change; click one to go back to it"));

    QMenu* viewMenu = submenu("mnuview", tr("&View"));
    QAction* zoomIn = item(viewMenu, "mnuzoomin", tr("Zoom &In"), tr("Show the map larger, around the pointer"));
    zoomIn->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction* zoomOut = item(viewMenu, "mnuzoomout", tr("Zoom &Out"), tr("Show the map smaller, around the pointer"));
    zoomOut->setShortcut(QKeySequence::ZoomOut);
    QAction* zoomReset = item(viewMenu, "mnuzoomreset", tr("&Whole Map"), tr("Fit the whole map into the window"));
    zoomReset->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));

    QAction* options = item(bar, "mnugopt", tr("Generation &Options..."), tr("Choose how Generate makes a subsector"));
    QAction* about = item(bar, "mnuabout", tr("&About..."), tr("The program's version and the system information"));

    connect(exit, &QAction::triggered, this, &QWidget::close);
    connect(redisplay_, &QAction::triggered, this, &MainWindow::redisplayMap);
    connect(bmp, &QAction::triggered, this, &MainWindow::saveScreenshot);
    connect(sbs, &QAction::triggered, this, &MainWindow::saveAsSbs);
    connect(arp, &QAction::triggered, this, &MainWindow::saveAsArp);
    connect(sbsAll, &QAction::triggered, this, &MainWindow::saveAllInFolderAsSbs);
    connect(sector, &QAction::triggered, this, &MainWindow::saveToSectorFile);
    connect(check, &QAction::triggered, this, &MainWindow::checkRequested);
    connect(saveNow, &QAction::triggered, this, &MainWindow::save);
    connect(recentMenu_, &QMenu::aboutToShow, this, &MainWindow::showRecentFiles);
    connect(history, &QAction::triggered, this, &MainWindow::showUndoHistory);
    connect(zoomIn, &QAction::triggered, mapArea_, &MapArea::zoomIn);
    connect(zoomOut, &QAction::triggered, mapArea_, &MapArea::zoomOut);
    connect(zoomReset, &QAction::triggered, mapArea_, &MapArea::resetZoom);
    connect(setup, &QAction::triggered, this, &MainWindow::printerSetupRequested);
    connect(printOptions, &QAction::triggered, this, &MainWindow::printOptionsRequested);
    connect(print_, &QAction::triggered, this, &MainWindow::printRequested);
    connect(printPreview_, &QAction::triggered, this, &MainWindow::printPreviewRequested);
    connect(options, &QAction::triggered, this, &MainWindow::generationOptionsRequested);
    connect(about, &QAction::triggered, this, &MainWindow::aboutRequested);
    statusBar();
}

void MainWindow::mapShown() {
    redisplay_->setEnabled(true);
    print_->setEnabled(true);
    printPreview_->setEnabled(true);
}

void MainWindow::showNameLine(const std::string& text) { nameLabel_->setText(fromPath(text)); }

bool MainWindow::reverseOrderChosen() const { return reverseOrder_->isChecked(); }

std::vector<bool> MainWindow::listedFileSelection() const {
    std::vector<bool> selected;
    for (int i = 0; i < files_->count(); ++i) selected.push_back(files_->item(i)->isSelected());
    return selected;
}

// --- the file browser -------------------------------------------------------------------------------------

bool MainWindow::openFolder(const std::string& folder) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::canonical(folder, error);
    if (error || !std::filesystem::is_directory(path, error)) return false;
    folder_ = path.string();
    showFolderList();
    showFileList();
    load_->setEnabled(false);
    printSelected_->setEnabled(false);
    // The settings file remembers the folder; a settings file that cannot be written changes nothing.
    (void)saveSettings(folder_);
    return true;
}

void MainWindow::changeDrive(int index) { openFolder(toPath(drive_->itemText(index))); }

void MainWindow::showFolderList() {
    // The drive that holds the folder: the longest mount point it lies under.
    int driveIndex = 0;
    for (int i = 0; i < drive_->count(); ++i) {
        const std::string root = toPath(drive_->itemText(i));
        if (folder_.starts_with(root) && root.size() > toPath(drive_->itemText(driveIndex)).size()) driveIndex = i;
    }
    drive_->setCurrentIndex(driveIndex);

    // The folder list: the folders from the root down to the current one, opened, then its subfolders.
    folders_->clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    std::vector<std::filesystem::path> chain;
    for (std::filesystem::path p(folder_); !p.empty(); p = p.parent_path()) {
        chain.insert(chain.begin(), p);
        if (p == p.parent_path()) break;
    }
    int depth = 0;
    for (const auto& p : chain) {
        const QString name = p == p.root_path() ? fromPath(p.string()) : fromPath(p.filename().string());
        auto* entry = new QListWidgetItem(open, QString(depth * 2, ' ') + name, folders_);
        entry->setData(Qt::UserRole, fromPath(p.string()));
        ++depth;
    }
    QListWidgetItem* current = folders_->item(folders_->count() - 1);
    const QStringList children =
        QDir(fromPath(folder_)).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& child : children) {
        auto* entry = new QListWidgetItem(closed, QString(depth * 2, ' ') + child, folders_);
        entry->setData(Qt::UserRole, fromPath(joinPath(folder_, toPath(child))));
    }
    folders_->setCurrentItem(current);
}

void MainWindow::folderActivated(QListWidgetItem* item) {
    if (!item) return;
    const std::string path = toPath(item->data(Qt::UserRole).toString());
    if (path != folder_) openFolder(path);
}

void MainWindow::fileTypeChosen(int index) {
    const int number = fileType_->itemData(index).toInt();
    for (const FileTypeEntry& entry : kFileTypes) {
        if (static_cast<int>(entry.type) == number) fileTypeShown_ = entry.type;
    }
    showFileList();
}

void MainWindow::showFileList() {
    files_->clear();
    // The type's extension matches without regard to case, as on the file system the program was made for.
    if (const auto names = filesOfType(folder_, fileTypeShown_)) {  // a folder that cannot be read lists nothing
        for (const std::string& name : *names) files_->addItem(fromPath(name));
    }
    fileSelectionChanged();
}

std::vector<std::string> MainWindow::listedFileNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < files_->count(); ++i) names.push_back(toPath(files_->item(i)->text()));
    return names;
}

std::vector<std::string> MainWindow::selectedFileNames() const {
    std::vector<std::string> names;
    for (int i = 0; i < files_->count(); ++i) {
        if (files_->item(i)->isSelected()) names.push_back(toPath(files_->item(i)->text()));
    }
    return names;
}

void MainWindow::markFilesFromMask() {
    const std::vector<bool> marks = markFromMask(prompter_, store_.appTitle, listedFileNames());
    for (int i = 0; i < files_->count() && static_cast<std::size_t>(i) < marks.size(); ++i) {
        files_->item(i)->setSelected(marks[static_cast<std::size_t>(i)]);
    }
}

void MainWindow::showSubsectorIndexOfFolder() {
    showSubsectorIndex(store_, prompter_, folder_, listedFileNames(), fileTypeShown_);
}

void MainWindow::fileSelectionChanged() {
    const bool any = !files_->selectedItems().isEmpty();
    load_->setEnabled(any);
    printSelected_->setEnabled(any);
}

std::string MainWindow::selectedFileName() const {
    const QListWidgetItem* item = files_->currentItem();
    if (!item || !item->isSelected()) {
        const auto selected = files_->selectedItems();
        item = selected.isEmpty() ? nullptr : selected.front();
    }
    return item ? toPath(item->text()) : std::string();
}

// --- loading, saving, closing -------------------------------------------------------------------------------

bool MainWindow::mayDiscardChanges() { return store_.unsavedChanges != 1 || prompter_.confirmDiscard(store_.appTitle); }

void MainWindow::loadSelectedFile() {
    const std::string name = selectedFileName();
    if (name.empty()) return;
    loadFile(joinPath(folder_, name));
}

bool MainWindow::loadFile(const std::string& path) {
    if (!mayDiscardChanges()) return false;
    LoadOptions options{folderOf(path), fileNameOf(path)};
    std::shared_ptr<const Sector> sector;
    int index = -1;
    options.chooseSubsector = [this, &sector, &index](const Sector& read) {
        index = SubsectorChoiceDialog::choose(read, this);
        sector = std::make_shared<const Sector>(read);
        return index;
    };
    // A file that could not be read leaves everything as it was; a cancelled letter question has emptied
    // the subsector, which is then shown like any load.
    if (loadSubsectorFile(store_, prompter_, path, options) == LoadStatus::NotRead) return false;
    loadedPath_ = path;
    loadedSector_ = index >= 0 ? sector : nullptr;
    loadedSubsectorIndex_ = index;
    showSector_->setEnabled(isSectorPath(loadedPath_));
    store_.refreshStatistics();
    redisplayMap();
    mapShown();
    store_.unsavedChanges = 0;
    startNewHistory(path);
    rememberRecentFile(path);
    return true;
}

void MainWindow::startNewHistory(const std::string& path) {
    documentPath_ = path;
    const int unsaved = store_.unsavedChanges;
    undoStack_->clear();
    store_.unsavedChanges = static_cast<std::int16_t>(unsaved);
    setWindowModified(unsaved == 1);
    updateTitle();
    emit storeChanged();
}

void MainWindow::forgetDocument() {
    documentPath_.clear();
    loadedSector_ = nullptr;  // nor from a sector file
    loadedSubsectorIndex_ = -1;
    updateTitle();
}

void MainWindow::updateTitle() {
    const QString app = fromBytes(store_.appTitle);
    setWindowTitle(documentPath_.empty() ? app + "[*]"
                                         : tr("%1[*] - %2").arg(fromPath(fileNameOf(documentPath_)), app));
}

bool MainWindow::showSubsectorOf(const Sector& sector, int index) {
    if (!mayDiscardChanges()) return false;
    sectorToStore(sector, index, store_);
    loadedSector_ = std::make_shared<const Sector>(sector);
    loadedSubsectorIndex_ = index;
    store_.refreshStatistics();
    redisplayMap();
    mapShown();
    store_.unsavedChanges = 0;
    startNewHistory({});  // no file of its own: "Save" asks for a name
    return true;
}

void MainWindow::applyCommandLine(const std::string& commandLine) {
    if (commandLine == "ATLAS") {
        fileType_->setCurrentIndex(1);
        if (loadSubsectorFile(store_, prompter_, atlasPath()) != LoadStatus::NotRead) {
            store_.refreshStatistics();
            redisplayMap();
            startNewHistory(atlasPath());
        }
        return;
    }
    if (!commandLine.empty()) openFolder(commandLine);  // a folder that is not there is ignored
}

void MainWindow::saveAsSbs() {
    if (const auto path = saveSbs(store_, prompter_, tagText_, folder_)) {
        tellSectorLosses(true);
        fileSaved(*path, true);
    }
}

void MainWindow::saveAsArp() {
    if (const auto path = saveArp(store_, prompter_, folder_)) {
        tellSectorLosses(false);
        fileSaved(*path, false);
    }
}

void MainWindow::tellSectorLosses(bool sbs) {
    if (!loadedSector_) return;
    SubsectorStore back;
    (void)(sbs ? readSbs(back, formatSbs(store_).value) : readArp(back, formatArp(store_).value));
    if (auto lost = subsectorLossNotice(*loadedSector_, loadedSubsectorIndex_, back, sbs ? "SBS" : "ARP")) {
        prompter_.tell({*lost});
    }
}

void MainWindow::save() {
    const std::string name = fileNameOf(documentPath_);
    const auto dot = name.rfind('.');
    if (documentPath_.empty() || dot == std::string::npos || fileTypeNamed(name.substr(dot + 1)) != FileType::Sbs) {
        saveAsSbs();
        return;
    }
    if (!writeSbsFile(store_, prompter_, documentPath_)) return;
    store_.unsavedChanges = 0;
    fileSaved(documentPath_, true);
}

void MainWindow::fileSaved(const std::string& path, bool isDocument) {
    undoStack_->setClean();
    store_.unsavedChanges = 0;
    setWindowModified(false);
    if (isDocument) documentPath_ = path;
    updateTitle();
    rememberRecentFile(path);
    emit storeSaved();
    std::error_code error;
    if (std::filesystem::equivalent(folderOf(path), folder_, error)) refreshFileList();
}

void MainWindow::refreshFileList() {
    const std::string current = files_->currentItem() ? toPath(files_->currentItem()->text()) : std::string();
    const std::vector<std::string> selected = selectedFileNames();
    const QSignalBlocker quiet(files_);
    showFileList();
    for (const std::string& name : selected) {
        for (QListWidgetItem* item : files_->findItems(fromPath(name), Qt::MatchExactly)) item->setSelected(true);
    }
    if (!current.empty()) {
        const auto found = files_->findItems(fromPath(current), Qt::MatchExactly);
        if (!found.isEmpty()) files_->setCurrentItem(found.front(), QItemSelectionModel::NoUpdate);
    }
    fileSelectionChanged();
}

// The recent files live beside the settings file, newest first.
namespace {
QSettings recentFilesSettings() {
    return QSettings(fromPath(joinPath(folderOf(settingsPath()), "qelvar-recent.ini")), QSettings::IniFormat);
}
constexpr int kRecentFiles = 10;
}  // namespace

std::vector<std::string> MainWindow::recentFiles() const {
    std::vector<std::string> paths;
    for (const QString& path : recentFilesSettings().value("recent").toStringList()) paths.push_back(toPath(path));
    return paths;
}

void MainWindow::rememberRecentFile(const std::string& path) {
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

void MainWindow::showRecentFiles() {
    recentMenu_->clear();
    int number = 0;
    for (const std::string& path : recentFiles()) {
        QAction* entry = recentMenu_->addAction(tr("&%1 %2").arg(++number % 10).arg(fromPath(fileNameOf(path))));
        entry->setStatusTip(fromPath(path));
        entry->setToolTip(fromPath(path));
        connect(entry, &QAction::triggered, this, [this, path] {
            if (!loadFile(path)) return;
            if (folderOf(path) != folder_) openFolder(folderOf(path));
        });
    }
    if (number == 0) recentMenu_->addAction(tr("(none)"))->setEnabled(false);
}

void MainWindow::showUndoHistory() {
    QDialog dialog(this);
    dialog.setObjectName("UndoHistory");
    dialog.setWindowTitle(tr("Undo History"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* view = new QUndoView(undoStack_, &dialog);
    view->setEmptyLabel(tr("<loaded or saved>"));
    layout->addWidget(view);
    auto* close = new QPushButton(tr("Close"), &dialog);
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.resize(360, 320);
    dialog.exec();
}

void MainWindow::saveToSectorFile() {
    if (!letterOffset(store_.subsectorLetter)) {
        prompter_.message(kDuffLetterMessage);
        return;
    }
    const auto chosen = prompter_.saveFileName(folder_, filePattern(FileType::Sector));
    if (!chosen) return;
    const std::string path = isSectorFileName(*chosen) ? *chosen : *chosen + ".tab";
    const Result<Notices> joined = joinIntoSectorFile(path, {&store_});
    if (!joined) {
        prompter_.message(joined.error(), MessageIcon::Exclamation);
        return;
    }
    prompter_.tell(*joined);
    prompter_.message(tr("File saved OK").toStdString(), MessageIcon::Information);
    store_.unsavedChanges = 0;
    showFileList();
}

void MainWindow::saveAllInFolderAsSbs() {
    const std::vector<std::string> names = listedFileNames();
    QProgressDialog progress(tr("Converting the files of this folder to SBS..."), tr("Stop"), 0,
                             static_cast<int>(names.size()), this);
    progress.setObjectName("BatchProgress");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    const BatchResult result =
        saveAllInFolderToSbs(store_, prompter_, folder_, names, selectedFileName(),
                             [&](std::size_t index, std::size_t count, const std::string& name) {
                                 progress.setMaximum(static_cast<int>(count));
                                 progress.setValue(static_cast<int>(index));
                                 if (index < count)
                                     progress.setLabelText(tr("Converting %1 to SBS...").arg(fromPath(name)));
                                 return !progress.wasCanceled();
                             });
    progress.reset();
    refreshFileList();
    if (result.written.empty()) return;
    // The store now holds the last file converted.
    startNewHistory(joinPath(folder_, fileNameOf(result.written.back())));
    redisplayMap();
    redisplay_->setEnabled(true);
}

void MainWindow::saveScreenshot() { (void)saveMapScreenshot(mapView().surface(), folder_, prompter_); }

void MainWindow::closeEvent(QCloseEvent* event) {
    if (mayDiscardChanges()) {
        event->accept();
        QApplication::closeAllWindows();
    } else {
        event->ignore();
    }
}

// --- the map --------------------------------------------------------------------------------------------------

void MainWindow::redisplayMap() {
    MapLinks links;
    if (routes_->isChecked()) {
        const std::string metadata = sectorRoutesPath(loadedPath_.empty() ? folder_ : folderOf(loadedPath_));
        if (!metadata.empty()) {
            auto routes = readRoutesFile(metadata);
            if (routes) {
                links.routes = std::move(routes->value);
            } else {
                prompter_.tell(Notices{routes.failure()});
            }
        }
    }
    if (borders_->isChecked()) {
        // The sector's metadata gives the borders; without any, they are made from the subsector's worlds.
        ChartedSpace space;
        space.sectors.emplace_back();
        storeIntoSector(store_, space.sectors[0].sector);
        const std::string metadata = sectorRoutesPath(loadedPath_.empty() ? folder_ : folderOf(loadedPath_));
        if (const Result<std::string> bytes = readFileBytes(metadata); !metadata.empty() && bytes) {
            if (auto read = readSpaceMetadata(*bytes)) space.sectors[0].metadata = std::move(read->value);
        }
        overlay_ =
            spaceOverlay(space, space.sectors[0].metadata.borders.empty() ? BorderChoice::Made : BorderChoice::Given);
        if (!overlay_.empty()) links.overlay = &overlay_;
    }
    redrawMap(store_, mapView().surface(), prompter_, sectorMode_->isChecked(), links);
    mapView().update();
    emit mapRedrawn();
}

void MainWindow::drawSectorGridOnMap() {
    redrawMap(store_, mapView().surface(), prompter_, true);
    mapView().update();
}

void MainWindow::resetMapScroll() { scroll_->setValue(0); }

void MainWindow::moveMap(int value) { mapArea_->setScrollOffset(value); }

void MainWindow::showLabels(const MapLabels& labels) {
    labels_ = labels;
    nameLabel_->setText(fromBytes(labels.nameText));
    locationLabel_->setText(fromBytes(labels.locationText));
}

void MainWindow::pointerMoved(MapPoint point) {
    const MapPointerResult result = mapPointerMoved(store_, point, labels_);
    store_.detailIndex = result.detailIndex;
    showLabels(result.labels);
}

void MainWindow::pointerPressed(MapPoint point) {
    const MapPointerResult result = mapPointerPressed(store_, point, labels_);
    store_.detailIndex = result.detailIndex;
    showLabels(result.labels);
    if (!result.onWorld) return;
    if (isSignalConnected(QMetaMethod::fromSignal(&MainWindow::worldDetailsRequested))) {
        emit worldDetailsRequested(result.detailIndex);
    } else {
        prompter_.message(store_.worlds[static_cast<std::size_t>(result.detailIndex)].name.shown(),
                          MessageIcon::Information);
    }
    redisplayMap();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == nameLabel_) {
            emit descriptionDumpRequested();
            return true;
        }
        if (watched == locationLabel_) {
            drawSectorGridOnMap();
            return true;
        }
    }
    if ((watched == folders_ || watched == files_) && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (watched == folders_) {
                folderActivated(folders_->currentItem());
            } else {
                loadSelectedFile();
            }
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace qelvar
