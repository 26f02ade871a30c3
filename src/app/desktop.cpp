#include "app/desktop.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>

#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/startup.h"
#include "details/about_box.h"
#include "details/description_table.h"
#include "details/details_window.h"
#include "generation/dice.h"
#include "generation/options_window.h"
#include "generation/world_generation.h"
#include "platform/qt/qt_prompter.h"

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
        const std::string error = writeDescriptionDump(descriptionTable(), descriptionDumpPath());
        if (!error.empty()) prompter_->message(error, MessageIcon::Exclamation);
    });
    QAction* options = window->action("mnugopt");
    options->setEnabled(true);
    QObject::connect(options, &QAction::triggered, window, [this] { showGenerationOptions(*generationOptions_); });
    auto* generate = window->findChild<QPushButton*>("Command1");
    generate->setEnabled(true);
    QObject::connect(generate, &QPushButton::clicked, window, [this] { generateSubsector(); });

    QAction* about = window->action("mnuabout");
    about->setEnabled(true);
    QObject::connect(about, &QAction::triggered, window, [this, window] { showAboutBox(window, *prompter_); });
}

}  // namespace qelvar
