// The main window's menu bar, the recent files menu and the undo history.
#include <QAction>
#include <QDialog>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QUndoStack>
#include <QUndoView>
#include <QVBoxLayout>

#include "document_controller.h"
#include "file_browser.h"
#include "main_window.h"
#include "map_area.h"
#include "store/paths.h"
#include "world_edits.h"

namespace qelvar {

namespace {

QString fromPath(const std::string& path) { return QString::fromLocal8Bit(path.c_str()); }

}  // namespace

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
    sbs->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
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
    connect(openSector, &QAction::triggered, this, [this] { emit sectorRequested(browser_->currentFolder()); });
    QAction* openSpace = item(fileMenu, "mnuopenspace", tr("Open charted space..."),
                              tr("Show the sectors of the folder shown side by side, placed by their metadata"));
    connect(openSpace, &QAction::triggered, this, [this] { emit chartedSpaceRequested(browser_->currentFolder()); });
    connect(showSector_, &QAction::triggered, this, [this] { emit sectorRequested(document_->loadedPath()); });

    QMenu* editMenu = submenu("mnuedit", tr("&Edit"));
    QAction* undo = document_->undoStack().createUndoAction(this, tr("&Undo"));
    undo->setObjectName("mnuundo");
    undo->setShortcut(QKeySequence::Undo);
    undo->setStatusTip(tr("Take back the last change"));
    QAction* redo = document_->undoStack().createRedoAction(this, tr("&Redo"));
    redo->setObjectName("mnuredo");
    redo->setShortcut(QKeySequence::Redo);
    redo->setStatusTip(tr("Make the change taken back again"));
    editMenu->addAction(undo);
    editMenu->addAction(redo);
    QAction* history =
        item(editMenu, "mnuhistory", tr("Undo &History..."), tr("List every change; click one to go back to it"));
    worldEdits_->addTo(editMenu);

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
    connect(zoomReset, &QAction::triggered, this, [this] {
        resetMapScroll();
        mapArea_->resetZoom();
    });
    connect(setup, &QAction::triggered, this, &MainWindow::printerSetupRequested);
    connect(printOptions, &QAction::triggered, this, &MainWindow::printOptionsRequested);
    connect(print_, &QAction::triggered, this, &MainWindow::printRequested);
    connect(printPreview_, &QAction::triggered, this, &MainWindow::printPreviewRequested);
    connect(options, &QAction::triggered, this, &MainWindow::generationOptionsRequested);
    connect(about, &QAction::triggered, this, &MainWindow::aboutRequested);
    statusBar();
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
            if (folderOf(path) != currentFolder()) openFolder(folderOf(path));
        });
    }
    if (number == 0) recentMenu_->addAction(tr("(none)"))->setEnabled(false);
}

void MainWindow::showUndoHistory() {
    QDialog dialog(this);
    dialog.setObjectName("UndoHistory");
    dialog.setWindowTitle(tr("Undo History"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* view = new QUndoView(&document_->undoStack(), &dialog);
    view->setEmptyLabel(tr("<loaded or saved>"));
    layout->addWidget(view);
    auto* close = new QPushButton(tr("Close"), &dialog);
    layout->addWidget(close, 0, Qt::AlignRight);
    connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
    dialog.resize(360, 320);
    dialog.exec();
}

}  // namespace qelvar
