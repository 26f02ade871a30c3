#pragma once
// The desktop program as one object: the one subsector store, the prompter, the main window and the
// windows it opens. startUp builds it in the order the program starts.

#include <memory>
#include <string>

#include "store/subsector_store.h"

namespace qelvar {

class Autosave;
class CheckWindow;
class Dice;
class GenerationOptionsWindow;
class DesktopPrinter;
class MainWindow;
class PrintOptionsWindow;
class Prompter;
class QtPrompter;
class SectorWindow;
struct Sector;
class AtlasWindow;
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
    Autosave& autosave() { return *autosave_; }
    // The dice of "Generate"; seeded from the clock unless a test gives fixed ones.
    void setDice(std::unique_ptr<Dice> dice);

    // "Generate": a new random subsector from the options (after the unsaved-changes question), drawn.
    void generateSubsector();
    PrintOptionsWindow& printOptionsWindow() { return *printOptions_; }

    // "Print": the options window, then the map (and listing) of the store on the printer.
    void printCurrentMap();
    // "Print Preview...": the options window, then the same pages in a preview window.
    void previewCurrentMap();
    // "Print all selected": every selected file of the main window's list loaded and printed.
    void printSelectedFiles();
    // "Check subsector": the check window, made on first use, shown with the findings of the store.
    CheckWindow& showCheckWindow();
    // "Open sector...": the Sector window on a folder or a DAT file with DATA.MNU beside it. False when
    // nothing could be loaded (the window then stays as it was).
    bool openSector(const std::string& path);
    // The Sector window; null until a sector was opened.
    SectorWindow* sectorWindow() { return sectorWindow_.get(); }
    // "Open charted space...": the atlas window on a folder of sector files. False when nothing was read.
    bool openChartedSpace(const std::string& path);
    AtlasWindow* atlasWindow() { return atlasWindow_.get(); }

private:
    void wireWindows();
    // Offers the autosaves of copies that died; the first one accepted is loaded, each declined one removed.
    void offerRecovery();

    SubsectorStore store_;
    std::unique_ptr<QtPrompter> qtPrompter_;
    Prompter* prompter_;
    std::unique_ptr<SplashWindow> splash_;
    std::unique_ptr<MainWindow> mainWindow_;
    GenerationOptionsWindow* generationOptions_ = nullptr;  // owned by the main window
    std::unique_ptr<Dice> dice_;
    // Made hidden at start-up.
    std::unique_ptr<PrintOptionsWindow> printOptions_;
    std::unique_ptr<DesktopPrinter> printer_;
    std::unique_ptr<Autosave> autosave_;
    CheckWindow* checkWindow_ = nullptr;  // owned by the main window
    std::unique_ptr<SectorWindow> sectorWindow_;
    std::weak_ptr<const Sector> followedSector_;  // the sector the Sector window put into the store
    std::unique_ptr<AtlasWindow> atlasWindow_;
};

// The program's names and its icon, which every window shows.
void setUpApplication();

// The command line after the program's name, as one text: a file or folder to open, or ATLAS.
std::string commandLineOf(int argc, const char* const* argv);

}  // namespace qelvar
