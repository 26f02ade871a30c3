#pragma once
// The desktop program as one object: the one subsector store, the prompter, the main window and the
// windows it opens. startUp builds it in the order the program starts.

#include <memory>
#include <string>

#include "core/subsector_store.h"

namespace qelvar {

class Dice;
class GenerationOptionsWindow;
class MainWindow;
class Prompter;
class QtPrompter;
class SplashWindow;

class Desktop {
public:
    // prompter: the one to use (tests pass a scripted one); null makes real Qt dialogs.
    explicit Desktop(Prompter* prompter = nullptr);
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // The start-up: title, splash, hex codes, description table, the start-up message (unless _ZIP is
    // set), the hidden windows, the main window with the command line applied, the last folder from the
    // settings file, and the main window shown.
    void startUp(const std::string& commandLine);

    SubsectorStore& store() { return store_; }
    Prompter& prompter() { return *prompter_; }
    MainWindow& mainWindow() { return *mainWindow_; }
    GenerationOptionsWindow& generationOptions() { return *generationOptions_; }
    // The dice of "Generate"; seeded from the clock unless a test gives fixed ones.
    void setDice(std::unique_ptr<Dice> dice);

    // "Generate": a new random subsector from the options (after the unsaved-changes question), drawn.
    void generateSubsector();

private:
    void wireWindows();

    SubsectorStore store_;
    std::unique_ptr<QtPrompter> qtPrompter_;
    Prompter* prompter_;
    std::unique_ptr<SplashWindow> splash_;
    std::unique_ptr<MainWindow> mainWindow_;
    GenerationOptionsWindow* generationOptions_ = nullptr;  // owned by the main window
    std::unique_ptr<Dice> dice_;
};

}  // namespace qelvar
