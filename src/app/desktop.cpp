#include "app/desktop.h"

#include <QApplication>

#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/startup.h"
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

void Desktop::startUp(const std::string& commandLine) {
    store_.appTitle = applicationTitle();
    splash_ = std::make_unique<SplashWindow>();
    splash_->show();
    QApplication::processEvents();
    store_.crlf = "\r\n";
    store_.buildHexCodes();
    if (qtPrompter_) qtPrompter_->setDefaultTitle(store_.appTitle);
    if (startUpMessageWanted()) prompter_->message(startUpMessage(store_.appTitle), MessageIcon::Information);
    splash_->hide();

    mainWindow_ = std::make_unique<MainWindow>(store_, *prompter_);
    if (qtPrompter_) qtPrompter_->setParentWindow(mainWindow_.get());
    wireWindows();
    mainWindow_->applyCommandLine(commandLine);
    if (const auto folder = readSettings()) mainWindow_->openFolder(*folder);
    splash_.reset();
    mainWindow_->show();
}

void Desktop::wireWindows() {}

}  // namespace qelvar
