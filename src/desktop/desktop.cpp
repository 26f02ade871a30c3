#include "desktop.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "desktop_printer.h"
#include "main_window.h"
#include "splash_window.h"
#include "store/startup.h"
#include "about_box.h"
#include "details/description_table.h"
#include "details_window.h"
#include "generation/dice.h"
#include "generation_options_window.h"
#include "generation/world_generation.h"
#include "map/map_printing.h"
#include "print_options_window.h"
#include "qt_prompter.h"
#include "painter_surface.h"
#include "sector_window.h"
#include "files/sector.h"

namespace qelvar {

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
    if (!generateOnRequest(store_, generationOptions_->options(), *dice_, *prompter_)) return;
    {
        const BusyPointer busy(*prompter_);
        store_.refreshStatistics();
    }
    mainWindow_->redisplayMap();
    mainWindow_->action("mnuredisplay")->setEnabled(true);
    mainWindow_->action("mnuprint")->setEnabled(true);
}

void Desktop::startUp(const std::string& commandLine) {
    store_.appTitle = applicationTitle();
    splash_ = std::make_unique<SplashWindow>();
    splash_->show();
    QApplication::processEvents();
    store_.crlf = "\r\n";
    store_.buildHexCodes();
    descriptionTable();
    if (qtPrompter_) qtPrompter_->setDefaultTitle(store_.appTitle);
    if (startUpMessageWanted()) prompter_->message(startUpMessage(store_.appTitle), MessageIcon::Information);
    splash_->hide();

    mainWindow_ = std::make_unique<MainWindow>(store_, *prompter_);
    if (qtPrompter_) qtPrompter_->setParentWindow(mainWindow_.get());
    // The generation options window is made hidden, with its defaults, so "Generate" works unopened.
    generationOptions_ = new GenerationOptionsWindow(store_, *prompter_, mainWindow_.get());
    if (!dice_) dice_ = std::make_unique<Dice>();
    // A window of its own (not a child of the main window, whose controls share some of its names).
    printOptions_ = std::make_unique<PrintOptionsWindow>(store_, *prompter_, nullptr);
    printer_ = std::make_unique<DesktopPrinter>(*prompter_);
    wireWindows();
    mainWindow_->applyCommandLine(commandLine);
    if (const auto folder = readSettings()) mainWindow_->openFolder(*folder);
    splash_.reset();
    mainWindow_->show();
}

void Desktop::wireWindows() {
    MainWindow* window = mainWindow_.get();
    window->setDetailsOpener([this, window](int slot) {
        showWorldDetails(window, store_, *prompter_, slot, window->currentFolder(), window->selectedFileName());
    });
    window->setDescriptionDumper([this] {
        // A dump that cannot be written is said; the window goes on.
        const auto written = writeDescriptionDump(descriptionTable(), descriptionDumpPath());
        if (!written) prompter_->message(written.error(), MessageIcon::Exclamation);
    });
    QAction* options = window->action("mnugopt");
    options->setEnabled(true);
    QObject::connect(options, &QAction::triggered, window, [this] { showGenerationOptions(*generationOptions_); });
    auto* generate = window->findChild<QPushButton*>("Command1");
    generate->setEnabled(true);
    QObject::connect(generate, &QPushButton::clicked, window, [this] { generateSubsector(); });

    window->setSectorOpener([this](const std::string& path) { openSector(path); });

    QAction* about = window->action("mnuabout");
    about->setEnabled(true);
    QObject::connect(about, &QAction::triggered, window, [this, window] { showAboutBox(window, *prompter_); });
    wirePrinting();
}

void Desktop::wirePrinting() {
    MainWindow* window = mainWindow_.get();
    QAction* options = window->action("mnuprintopt");
    QAction* setup = window->action("mnuprintsetup");
    QAction* print = window->action("mnuprint");
    QAction* preview = window->action("mnuprintpreview");
    options->setEnabled(true);
    setup->setEnabled(true);
    QObject::connect(options, &QAction::triggered, window, [this] { showPrintOptions(*printOptions_); });
    QObject::connect(setup, &QAction::triggered, window, [this, window] { printer_->setUp(window); });
    QObject::connect(print, &QAction::triggered, window, [this] { printCurrentMap(); });
    // The preview is there whenever "Print" is.
    preview->setEnabled(print->isEnabled());
    QObject::connect(print, &QAction::changed, preview, [print, preview] { preview->setEnabled(print->isEnabled()); });
    QObject::connect(preview, &QAction::triggered, window, [this] { previewCurrentMap(); });
    // The main window's own controls, not those of the windows it holds (they share some names).
    auto* printSelected = window->centralWidget()->findChild<QPushButton*>("Command5");
    QObject::connect(printSelected, &QPushButton::clicked, window, [this] { printSelectedFiles(); });
}

void Desktop::printCurrentMap() {
    if (!printer_->available()) return;
    const PrintOptions options = printOptions_->choose();
    printer_->print([this, &options](Surface& printer) { printMap(store_, printer, options, *prompter_); });
}

void Desktop::previewCurrentMap() {
    const PrintOptions options = printOptions_->choose();
    // The preview draws its pages again whenever it changes; what the map has to say is said on printing.
    printer_->preview(mainWindow_.get(), [this, &options](Surface& printer) {
        (void)printMapAndListing(store_, printer, options);
        store_.detailIndex = kHexCount;
    });
}

void Desktop::printSelectedFiles() {
    if (!printer_->available()) return;
    MainWindow* window = mainWindow_.get();
    BatchPrintFiles files;
    files.folder = window->currentFolder();
    QWidget* controls = window->centralWidget();
    if (const auto* list = controls->findChild<QListWidget*>("File1")) {
        for (int i = 0; i < list->count(); ++i) {
            files.names.push_back(list->item(i)->text().toLocal8Bit().toStdString());
            files.selected.push_back(list->item(i)->isSelected());
        }
    }
    if (const auto* reverse = controls->findChild<QCheckBox*>("Check3D1")) files.reverseOrder = reverse->isChecked();
    BatchPrintHooks hooks;
    hooks.askOptions = [this] { return printOptions_->choose(); };
    hooks.fileLoaded = [window, controls](const std::string& name) {
        if (auto* label = controls->findChild<QLabel*>("Label1")) label->setText(QString::fromLocal8Bit(name.c_str()));
        window->redisplayMap();
    };
    int printed = 0;
    printer_->print([&](Surface& printer) { printed = printAllSelected(store_, printer, *prompter_, files, hooks); });
    if (printed == 0) return;  // nothing loaded: the store and the menus are as they were
    window->action("mnuredisplay")->setEnabled(true);
    window->action("mnuprint")->setEnabled(true);
}

bool Desktop::openSector(const std::string& path) {
    if (!sectorWindow_) {
        sectorWindow_ = std::make_unique<SectorWindow>(*prompter_);
        SectorWindow* sector = sectorWindow_.get();
        MainWindow* window = mainWindow_.get();
        QObject::connect(sector, &SectorWindow::subsectorChosen, window,
                         [sector, window](int index) { window->showSubsectorOf(sector->sector(), index); });
        // A world's details open on its subsector; what was edited there goes back into the sector.
        QObject::connect(sector, &SectorWindow::worldChosen, window, [this, sector, window](int index, int slot) {
            if (!window->showSubsectorOf(sector->sector(), index)) return;
            store_.detailIndex = slot;
            showWorldDetails(sector, store_, *prompter_, slot, window->currentFolder(), window->selectedFileName());
            storeIntoSector(store_, sector->sector());
            sector->redraw();
            window->redisplayMap();
        });
        sector->setPosterPrinter([this](const std::function<void(PainterSurface&, QSizeF)>& draw) {
            if (!printer_->available()) return;
            printer_->print([&draw](Surface& printer) {
                if (auto* paged = dynamic_cast<PrinterSurface*>(&printer)) draw(*paged, paged->pageSizeMillimetres());
            });
        });
    }
    if (!sectorWindow_->openSector(path)) return false;
    sectorWindow_->show();
    sectorWindow_->raise();
    return true;
}

}  // namespace qelvar
