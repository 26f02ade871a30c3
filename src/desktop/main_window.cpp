#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaMethod>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QUndoStack>
#include <QVBoxLayout>
#include <filesystem>

#include "document_controller.h"
#include "file_browser.h"
#include "map_area.h"
#include "map_view.h"
#include "world_edits.h"
#include "store/startup.h"
#include "store/file_io.h"
#include "store/paths.h"
#include "store/subsector_store.h"
#include "files/sector_folder.h"
#include "files/batch.h"
#include "files/folder_files.h"
#include "files/sector_file.h"
#include "reports/file_marks.h"
#include "map/map_drawing.h"
#include "seams/prompter.h"
#include "text_codec.h"
#include "window_placement.h"

namespace qelvar {

namespace {

constexpr int kWindowHeightTwips = 9000;
constexpr int kScrollRangeTwips = 4000;

QString fromPath(const std::string& path) { return QString::fromLocal8Bit(path.c_str()); }

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
    document_ = new DocumentController(store_, prompter_, this, [this] { return browser_->currentFolder(); });
    buildControls();
    worldEdits_ = new WorldEdits(*document_, store_, prompter_, mapView(), this);
    connect(&mapView(), &MapView::hexDragged, worldEdits_, &WorldEdits::moveWorldTo);
    buildMenus();

    // Height 9000 twips; centred across, a quarter of the free height down.
    resize(sizeHint().width(), std::max(sizeHint().height(), twipsToDots(kWindowHeightTwips, logicalDpi())));
    placeOnScreen(*this, 0.25);

    connect(document_, &DocumentController::modifiedChanged, this, &QWidget::setWindowModified);
    connect(document_, &DocumentController::titleChanged, this, &QWidget::setWindowTitle);
    connect(document_, &DocumentController::historyMoved, this, [this] {
        if (redisplay_->isEnabled()) redisplayMap();
    });
    connect(document_, &DocumentController::changed, this, &MainWindow::storeChanged);
    connect(document_, &DocumentController::saved, this, &MainWindow::storeSaved);
    connect(document_, &DocumentController::subsectorShown, this, [this](bool wholeSector) {
        showSector_->setEnabled(wholeSector);
        redisplayMap();
        mapShown();
    });
    connect(document_, &DocumentController::fileWritten, this, [this](const std::string& path, bool inFolderOnly) {
        std::error_code error;
        if (!inFolderOnly || std::filesystem::equivalent(folderOf(path), browser_->currentFolder(), error)) {
            browser_->refreshFileList();
        }
    });
    setWindowTitle(document_->title());
}

MapView& MainWindow::mapView() { return mapArea_->view(); }

MainWindow::~MainWindow() {
    // The history empties itself as it goes; nothing is to follow that.
    document_->undoStack().disconnect();
    document_->disconnect(this);
}

void MainWindow::buildControls() {
    auto* central = new QWidget(this);
    auto* columns = new QHBoxLayout(central);

    browser_ = new FileBrowser(central);
    auto* left = new QVBoxLayout;
    left->addWidget(browser_, 1);
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
    across_ = new QScrollBar(Qt::Horizontal, central);
    across_->setObjectName("HScroll1");
    across_->setRange(scroll_->minimum(), scroll_->maximum());
    across_->setSingleStep(scroll_->singleStep());
    across_->setPageStep(scroll_->pageStep());
    across_->setToolTip(tr("Move the map left and right"));
    auto* home = button("Command6", tr("0"), central);
    home->setToolTip(tr("Bring the map back to its home position"));
    home->setFixedWidth(home->fontMetrics().horizontalAdvance("000") + 16);
    auto* mapColumn = new QGridLayout;
    mapColumn->setSpacing(2);
    mapColumn->addWidget(mapArea_, 0, 0, 2, 1);
    mapColumn->addWidget(scroll_, 0, 1);
    mapColumn->addWidget(home, 1, 1);
    mapColumn->addWidget(across_, 2, 0);
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

    connect(browser_, &FileBrowser::loadRequested, this, &MainWindow::loadSelectedFile);
    connect(browser_, &FileBrowser::printSelectedRequested, this, &MainWindow::printSelectedRequested);
    connect(browser_, &FileBrowser::indexRequested, this, &MainWindow::showSubsectorIndexOfFolder);
    connect(browser_, &FileBrowser::markRequested, this, &MainWindow::markFilesFromMask);
    connect(generate_, &QPushButton::clicked, this, &MainWindow::generateRequested);
    connect(home, &QPushButton::clicked, this, &MainWindow::resetMapScroll);
    connect(scroll_, &QScrollBar::valueChanged, this, &MainWindow::moveMap);
    connect(across_, &QScrollBar::valueChanged, mapArea_, &MapArea::setHorizontalOffset);
    connect(&mapView(), &MapView::pointerMoved, this, &MainWindow::pointerMoved);
    connect(&mapView(), &MapView::pointerPressed, this, &MainWindow::pointerPressed);
    connect(&mapView(), &MapView::hexActivated, this, &MainWindow::addWorldAtCursor);
    connect(&mapView(), &MapView::surfaceRenewed, this, &MainWindow::redisplayMap);
}

void MainWindow::mapShown() {
    redisplay_->setEnabled(true);
    print_->setEnabled(true);
    printPreview_->setEnabled(true);
}

void MainWindow::showNameLine(const std::string& text) { nameLabel_->setText(fromPath(text)); }

// --- the file browser and the document ------------------------------------------------------------------------

bool MainWindow::openFolder(const std::string& folder) { return browser_->openFolder(folder); }
std::string MainWindow::currentFolder() const { return browser_->currentFolder(); }
std::string MainWindow::selectedFileName() const { return browser_->selectedFileName(); }
std::vector<std::string> MainWindow::listedFileNames() const { return browser_->listedFileNames(); }
std::vector<std::string> MainWindow::selectedFileNames() const { return browser_->selectedFileNames(); }
std::vector<bool> MainWindow::listedFileSelection() const { return browser_->listedFileSelection(); }
bool MainWindow::reverseOrderChosen() const { return browser_->reverseOrderChosen(); }
QUndoStack& MainWindow::undoStack() { return document_->undoStack(); }
std::shared_ptr<const Sector> MainWindow::loadedSector() const { return document_->loadedSector(); }
std::string MainWindow::documentPath() const { return document_->documentPath(); }
void MainWindow::startNewHistory(const std::string& path, bool unsaved) { document_->startNewHistory(path, unsaved); }
bool MainWindow::isModified() const { return document_->isModified(); }
void MainWindow::forgetDocument() { document_->forgetDocument(); }
std::vector<std::string> MainWindow::recentFiles() const { return document_->recentFiles(); }
bool MainWindow::loadFile(const std::string& path) { return document_->loadFile(path); }
bool MainWindow::showSubsectorOf(const Sector& sector, int index, const std::string& path) {
    return document_->showSubsectorOf(sector, index, path);
}
void MainWindow::saveAsSbs() { document_->saveAsSbs(); }
void MainWindow::saveAsArp() { document_->saveAsArp(); }
void MainWindow::save() { document_->save(); }
void MainWindow::saveToSectorFile() { document_->saveToSectorFile(); }

void MainWindow::markFilesFromMask() {
    browser_->selectListedFiles(markFromMask(prompter_, applicationTitle(), listedFileNames()));
}

void MainWindow::showSubsectorIndexOfFolder() {
    showSubsectorIndex(prompter_, currentFolder(), listedFileNames(), browser_->fileTypeShown());
}

void MainWindow::loadSelectedFile() {
    const std::string name = selectedFileName();
    if (name.empty()) return;
    loadFile(joinPath(currentFolder(), name));
}

void MainWindow::applyCommandLine(const std::string& commandLine) {
    if (commandLine == "ATLAS") {
        browser_->chooseFileType(1);
        if (document_->loadAtlas()) {
            redisplayMap();
            startNewHistory(atlasPath());
        }
        return;
    }
    std::error_code error;
    if (!commandLine.empty() && std::filesystem::is_regular_file(commandLine, error)) {
        openFolder(folderOf(commandLine));
        // The browser lists the files of the type opened.
        const std::string name = fileNameOf(commandLine);
        const auto dot = name.rfind('.');
        const auto type = isSectorFile(commandLine)  ? std::optional(FileType::Sector)
                          : dot == std::string::npos ? std::nullopt
                                                     : fileTypeNamed(name.substr(dot + 1));
        if (type) browser_->chooseFileType(static_cast<int>(*type) - 1);
        if (loadFile(commandLine)) mapView().setFocus();  // the keys go to the map's hex cursor
        return;
    }
    if (!commandLine.empty()) openFolder(commandLine);  // a folder that is not there is ignored
}

void MainWindow::saveAllInFolderAsSbs() {
    const std::vector<std::string> names = listedFileNames();
    QProgressDialog progress(tr("Converting the files of this folder to SBS..."), tr("Stop"), 0,
                             static_cast<int>(names.size()), this);
    progress.setObjectName("BatchProgress");
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    const BatchResult result =
        saveAllInFolderToSbs(store_, prompter_, currentFolder(), names, selectedFileName(), isModified(),
                             [&](std::size_t index, std::size_t count, const std::string& name) {
                                 progress.setMaximum(static_cast<int>(count));
                                 progress.setValue(static_cast<int>(index));
                                 if (index < count)
                                     progress.setLabelText(tr("Converting %1 to SBS...").arg(fromPath(name)));
                                 return !progress.wasCanceled();
                             });
    progress.reset();
    browser_->refreshFileList();
    if (result.written.empty()) return;
    // The store now holds the last file converted.
    startNewHistory(joinPath(currentFolder(), fileNameOf(result.written.back())));
    redisplayMap();
    redisplay_->setEnabled(true);
}

void MainWindow::saveScreenshot() { (void)saveMapScreenshot(mapView().surface(), currentFolder(), prompter_); }

void MainWindow::closeEvent(QCloseEvent* event) {
    if (document_->mayDiscardChanges()) {
        event->accept();
        QApplication::closeAllWindows();
    } else {
        event->ignore();
    }
}

// --- the map --------------------------------------------------------------------------------------------------

void MainWindow::redisplayMap() {
    MapLinks links;
    const std::string& loadedPath = document_->loadedPath();
    const std::string metadata = sectorRoutesPath(loadedPath.empty() ? currentFolder() : folderOf(loadedPath));
    if (routes_->isChecked() && !metadata.empty()) {
        auto routes = readRoutesFile(metadata);
        if (routes) {
            links.routes = std::move(routes->value);
        } else {
            prompter_.tell(Notices{routes.failure()});
        }
    }
    if (borders_->isChecked()) {
        // The sector's metadata gives the borders; without any, they are made from the subsector's worlds.
        ChartedSpace space;
        space.sectors.emplace_back();
        storeIntoSector(store_, space.sectors[0].sector);
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

void MainWindow::resetMapScroll() {
    scroll_->setValue(0);
    across_->setValue(0);
}

void MainWindow::moveMap(int value) { mapArea_->setScrollOffset(value); }

void MainWindow::showLabels(const MapLabels& labels) {
    labels_ = labels;
    nameLabel_->setText(fromBytes(labels.nameText));
    locationLabel_->setText(fromBytes(labels.locationText));
}

void MainWindow::pointerMoved(MapPoint point) {
    const MapPointerResult result = mapPointerMoved(store_, point, labels_);
    showLabels(result.labels);
}

void MainWindow::pointerPressed(MapPoint point) {
    const MapPointerResult result = mapPointerPressed(store_, point, labels_);
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

void MainWindow::addWorldAtCursor() {
    const int slot = worldEdits_->addWorld();
    if (slot == 0) return;
    if (isSignalConnected(QMetaMethod::fromSignal(&MainWindow::worldDetailsRequested))) {
        emit worldDetailsRequested(slot);
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
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace qelvar
