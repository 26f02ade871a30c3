#include "desktop.h"

#include <QApplication>
#include <QIcon>

#include "desktop_printer.h"
#include "document_controller.h"
#include "main_window.h"
#include "splash_window.h"
#include "store/startup.h"
#include "about_box.h"
#include "autosave.h"
#include "files/loader.h"
#include "check_window.h"
#include "details/description_table.h"
#include "details_window.h"
#include "generation/dice.h"
#include "generation_options_window.h"
#include "generation/world_generation.h"
#include "map/map_printing.h"
#include "print_options_window.h"
#include "qt_prompter.h"
#include "text_codec.h"
#include <QUndoStack>
#include "painter_surface.h"
#include "atlas_window.h"
#include "sector_window.h"
#include "files/sector.h"

// The icon is built into this library; the resource's name lives outside any namespace.
static void initialiseResources() { Q_INIT_RESOURCE(qelvar); }

namespace qelvar {

void setUpApplication() {
    initialiseResources();
    QApplication::setApplicationName("qelvar");
    QApplication::setApplicationDisplayName("Qelvar");
    QApplication::setWindowIcon(QIcon::fromTheme("qelvar", QIcon(":/qelvar.svg")));
}

std::string commandLineOf(int argc, const char* const* argv) {
    std::string line;
    for (int i = 1; i < argc; ++i) line += (i > 1 ? " " : "") + std::string(argv[i]);
    return line;
}

Desktop::Desktop(Prompter* prompter) {
    if (!prompter) {
        qtPrompter_ = std::make_unique<QtPrompter>(nullptr, std::string());
        prompter = qtPrompter_.get();
    }
    prompter_ = prompter;
}

Desktop::~Desktop() = default;

void Desktop::setDice(std::unique_ptr<Dice> dice) { dice_ = std::move(dice); }

void Desktop::generateSubsector() {
    // The subsector is made aside and comes into the document as one edit.
    SubsectorStore generated = store_;
    if (!generateOnRequest(generated, generationOptions_->options(), *dice_, *prompter_, mainWindow_->isModified()))
        return;
    {
        const BusyPointer busy(*prompter_);
        mainWindow_->documentController().takeGenerated(generated);
    }
    mainWindow_->mapShown();
    mainWindow_->redisplayMap();
}

void Desktop::startUp(const std::string& commandLine) {
    splash_ = std::make_unique<SplashWindow>();
    splash_->show();
    QApplication::processEvents();
    store_.buildHexCodes();
    descriptionTable();
    if (qtPrompter_) qtPrompter_->setDefaultTitle(applicationTitle());
    if (startUpMessageWanted()) prompter_->message(startUpMessage(applicationTitle()), MessageIcon::Information);
    splash_->hide();

    mainWindow_ = std::make_unique<MainWindow>(store_, *prompter_);
    if (qtPrompter_) qtPrompter_->setParentWindow(mainWindow_.get());
    // The generation options window is made hidden, with its defaults, so "Generate" works unopened.
    generationOptions_ = new GenerationOptionsWindow(store_, *prompter_, mainWindow_.get());
    generationOptions_->setDocument(&mainWindow_->documentController());
    if (!dice_) dice_ = std::make_unique<Dice>();
    // A window of its own (not a child of the main window, whose controls share some of its names).
    printOptions_ = std::make_unique<PrintOptionsWindow>(store_, *prompter_, nullptr);
    printer_ = std::make_unique<DesktopPrinter>(*prompter_);
    wireWindows();
    mainWindow_->applyCommandLine(commandLine);
    if (const auto folder = readSettings()) mainWindow_->openFolder(*folder);
    splash_.reset();
    mainWindow_->show();
    autosave_ = std::make_unique<Autosave>(store_);
    QObject::connect(mainWindow_.get(), &MainWindow::storeChanged, mainWindow_.get(),
                     [this] { autosave_->storeChanged(mainWindow_->documentPath(), mainWindow_->isModified()); });
    QObject::connect(mainWindow_.get(), &MainWindow::storeSaved, mainWindow_.get(), [this] { autosave_->discard(); });
    offerRecovery();
}

void Desktop::offerRecovery() {
    bool recovered = false;
    for (const Autosave::Orphan& orphan : autosave_->findOrphans()) {
        if (recovered) continue;  // kept for the next start
        const QString belonged = orphan.documentPath.empty() ? QObject::tr("a subsector that was never saved")
                                                             : QString::fromLocal8Bit(orphan.documentPath.c_str());
        const QString question = QObject::tr(
                                     "The program did not end normally. Unsaved changes to %1 were "
                                     "kept at %2. Recover them?")
                                     .arg(belonged, QString::fromStdString(orphan.writtenAt));
        if (!prompter_->askYesNo(toBytes(question), MessageIcon::Question, applicationTitle(), true)) {
            autosave_->removeOrphan(orphan);
            continue;
        }
        if (loadSubsectorFile(store_, *prompter_, orphan.path) == LoadStatus::NotRead) continue;
        recovered = true;
        store_.refreshStatistics();
        mainWindow_->redisplayMap();
        mainWindow_->mapShown();
        mainWindow_->startNewHistory(orphan.documentPath, true);
        (void)autosave_->writeNow();  // this copy holds the changes now
        autosave_->removeOrphan(orphan);
    }
}

void Desktop::wireWindows() {
    MainWindow* window = mainWindow_.get();
    QObject::connect(window, &MainWindow::worldDetailsRequested, window, [this, window](int slot) {
        showWorldDetails(window, window->documentController(), store_, *prompter_, slot, window->currentFolder(),
                         window->selectedFileName());
    });
    QObject::connect(window, &MainWindow::descriptionDumpRequested, window, [this] {
        // A dump that cannot be written is said; the window goes on.
        const auto written = writeDescriptionDump(descriptionTable(), descriptionDumpPath());
        if (!written) prompter_->message(written.error(), MessageIcon::Exclamation);
    });
    QObject::connect(window, &MainWindow::generationOptionsRequested, window,
                     [this] { showGenerationOptions(*generationOptions_); });
    QObject::connect(window, &MainWindow::generateRequested, window, [this] { generateSubsector(); });
    QObject::connect(window, &MainWindow::aboutRequested, window, [this, window] { showAboutBox(window, *prompter_); });
    QObject::connect(window, &MainWindow::printOptionsRequested, window, [this] { showPrintOptions(*printOptions_); });
    QObject::connect(window, &MainWindow::printerSetupRequested, window, [this, window] { printer_->setUp(window); });
    QObject::connect(window, &MainWindow::printRequested, window, [this] { printCurrentMap(); });
    QObject::connect(window, &MainWindow::printPreviewRequested, window, [this] { previewCurrentMap(); });
    QObject::connect(window, &MainWindow::printSelectedRequested, window, [this] { printSelectedFiles(); });
    QObject::connect(window, &MainWindow::checkRequested, window, [this] { showCheckWindow(); });
    // Every change of the document redraws the map, and the Check window follows the map.
    QObject::connect(window, &MainWindow::mapRedrawn, window, [this] {
        if (checkWindow_ && checkWindow_->isVisible()) checkWindow_->refresh();
    });
    QObject::connect(window, &MainWindow::sectorRequested, window,
                     [this](const std::string& path) { openSector(path); });
    QObject::connect(window, &MainWindow::chartedSpaceRequested, window,
                     [this](const std::string& path) { openChartedSpace(path); });
}

CheckWindow& Desktop::showCheckWindow() {
    MainWindow* window = mainWindow_.get();
    if (!checkWindow_) {
        checkWindow_ = new CheckWindow(
            store_, [window] { return window->loadedSector(); }, window);
        QObject::connect(checkWindow_, &CheckWindow::worldChosen, window, [this, window](int slot) {
            showWorldDetails(checkWindow_, window->documentController(), store_, *prompter_, slot,
                             window->currentFolder(), window->selectedFileName());
            window->redisplayMap();
        });
    }
    checkWindow_->refresh();
    checkWindow_->show();
    checkWindow_->raise();
    return *checkWindow_;
}

void Desktop::printCurrentMap() {
    if (!printer_->available()) return;
    const PrintOptions options = printOptions_->choose();
    printer_->setLandscape(options.landscape);
    printer_->print([this, &options](Surface& printer) { printMap(store_, printer, options, *prompter_); });
}

void Desktop::previewCurrentMap() {
    const PrintOptions options = printOptions_->choose();
    printer_->setLandscape(options.landscape);
    // The preview draws its pages again whenever it changes; what the map has to say is said on printing.
    printer_->preview(mainWindow_.get(),
                      [this, &options](Surface& printer) { (void)printMapAndListing(store_, printer, options); });
}

void Desktop::printSelectedFiles() {
    if (!printer_->available()) return;
    MainWindow* window = mainWindow_.get();
    BatchPrintFiles files;
    files.folder = window->currentFolder();
    files.names = window->listedFileNames();
    files.selected = window->listedFileSelection();
    files.reverseOrder = window->reverseOrderChosen();
    BatchPrintHooks hooks;
    hooks.askOptions = [this] { return printOptions_->choose(); };
    hooks.fileLoaded = [window](const std::string& name) {
        window->showNameLine(name);
        window->redisplayMap();
    };
    int printed = 0;
    printer_->print([&](Surface& printer) {
        printed = printAllSelected(store_, printer, *prompter_, files, hooks, window->isModified());
    });
    if (printed == 0) return;  // nothing loaded: the store and the menus are as they were
    window->mapShown();
    window->startNewHistory({});
}

bool Desktop::openSector(const std::string& path) {
    if (!sectorWindow_) {
        sectorWindow_ = std::make_unique<SectorWindow>(*prompter_);
        SectorWindow* sector = sectorWindow_.get();
        MainWindow* window = mainWindow_.get();
        QObject::connect(sector, &SectorWindow::subsectorChosen, window, [this, sector, window](int index) {
            if (window->showSubsectorOf(sector->sector(), index, sector->sectorPath())) {
                followedSector_ = window->loadedSector();
            }
        });
        // A world's details open on its subsector; what was edited there goes back into the sector.
        QObject::connect(sector, &SectorWindow::worldChosen, window, [this, sector, window](Hex hex) {
            if (!window->showSubsectorOf(sector->sector(), hex.subsectorIndex(), sector->sectorPath())) return;
            followedSector_ = window->loadedSector();
            showWorldDetails(sector, window->documentController(), store_, *prompter_,
                             store_.slotOfLocation(hex.localNumber()), window->currentFolder(),
                             window->selectedFileName());
        });
        // While the subsector shown is one this window put there, the sector follows every change of it, undo
        // too; another load ends that.
        QObject::connect(window, &MainWindow::storeChanged, sector, [this, sector, window] {
            const std::shared_ptr<const Sector> shown = window->loadedSector();
            if (!shown || shown != followedSector_.lock()) return;
            sector->sector() = window->documentController().document().sector();
            sector->redraw();
        });
        sector->setPosterPrinter([this](const std::function<void(PainterSurface&, QSizeF)>& draw) {
            if (!printer_->available()) return;
            printer_->print([&draw](Surface& printer) {
                if (auto* paged = dynamic_cast<PrinterSurface*>(&printer)) draw(*paged, paged->pageSizeMillimetres());
            });
        });
    }
    // Shown first, as charted space is, so that the map is fitted to the window's own size.
    const bool shown = sectorWindow_->isVisible();
    sectorWindow_->show();
    if (!sectorWindow_->openSector(path)) {
        if (!shown) sectorWindow_->hide();
        return false;
    }
    sectorWindow_->raise();
    return true;
}

bool Desktop::openChartedSpace(const std::string& path) {
    if (!atlasWindow_) {
        atlasWindow_ = std::make_unique<AtlasWindow>(*prompter_);
        QObject::connect(atlasWindow_.get(), &AtlasWindow::sectorChosen, atlasWindow_.get(),
                         [this](const std::string& sector, int column, int row) {
                             if (!openSector(sector)) return;
                             SectorWindow* window = sectorWindow_.get();
                             for (const SectorWorld& world : window->sector().worlds) {
                                 if (world.column != column || world.row != row) continue;
                                 emit window->worldChosen(Hex{column, row});
                                 return;
                             }
                         });
        atlasWindow_->setPosterPrinter([this](const std::function<void(PainterSurface&, QSizeF)>& draw) {
            if (!printer_->available()) return;
            printer_->print([&draw](Surface& printer) {
                if (auto* paged = dynamic_cast<PrinterSurface*>(&printer)) draw(*paged, paged->pageSizeMillimetres());
            });
        });
    }
    atlasWindow_->show();
    if (!atlasWindow_->openChartedSpace(path)) {
        atlasWindow_->hide();
        return false;
    }
    atlasWindow_->raise();
    return true;
}

}  // namespace qelvar
