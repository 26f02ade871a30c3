// The desktop program built for real, offscreen, driven as a user would with the scripted prompter.
#include "main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSysInfo>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <cstdlib>

#include "autosave.h"
#include "check_window.h"
#include "desktop.h"
#include "map_area.h"
#include "map_view.h"
#include "store/startup.h"
#include "generation/dice.h"
#include "generation_options_window.h"
#include "store/file_io.h"
#include "store/text.h"
#include "support/menu_action.h"
#include "support/modal_dialogs.h"
#include "support/scripted_prompter.h"
#include "support/modal_dialogs.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

using testing::menuAction;
using testing::ScriptedPrompter;
using testing::whenModalShown;

// A world line of an SBS file: the name in columns 1-20, the location from 21, the profile from 27.
std::string worldLine(std::string name, const char* location, const char* uwp) {
    name.resize(20, ' ');
    return name + location + "  " + uwp + "\r\n";
}

std::string sbsFile(const std::string& name, const std::string& worlds) {
    std::string header = "Name                 Hex  SDAHPGLT I G Z PAG Al Star 1 Star 2 Star 3 Notes SS=";
    header.resize(78, ' ');
    return name + "\r\nKestrane Reach\r\n" + header + "A\r\n" + worlds;
}

class MainWindowTest : public testing::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        ::setenv("QELVAR_SETTINGS", path("settings/qelvar.ini").c_str(), 1);
        ::setenv("QELVAR_AUTOSAVE_DIR", path("autosave").c_str(), 1);
        ::setenv("QELVAR_AUTOSAVE_MS", "0", 1);
        ::unsetenv("_ZIP");
        ::unsetenv("QELVAR_ATLAS");
        write("Ostrel.sbs", sbsFile("Ostrel", worldLine("Draven", "0101", "X26A0002") +
                                                  worldLine("Coldharbour", "0203", "A788899C")));
        write("second.SBS", sbsFile("Second", worldLine("Lone", "0505", "B5446539")));
        write("third.Sbs", sbsFile("Third", ""));
        write("atlas.arp", "not for the SBS list");
        write("notes.txt", "not a subsector");
        std::filesystem::create_directory(path("inner"));
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
    }
    void TearDown() override {
        desktop_.reset();
        std::filesystem::current_path(previous_);
        ::unsetenv("QELVAR_SETTINGS");
        ::unsetenv("QELVAR_AUTOSAVE_DIR");
        ::unsetenv("QELVAR_AUTOSAVE_MS");
        ::unsetenv("_ZIP");
        TempFolderTest::TearDown();
    }

    // A started desktop; _ZIP is set unless the test wants the start-up message.
    Desktop& start(const std::string& commandLine = {}, bool zip = true) {
        if (zip) ::setenv("_ZIP", "1", 1);
        desktop_ = std::make_unique<Desktop>(&prompter_);
        desktop_->startUp(commandLine);
        return *desktop_;
    }
    template <class T>
    T* control(const char* name) {
        T* found = desktop_->mainWindow().findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QStringList listed() {
        QStringList names;
        auto* files = control<QListWidget>("File1");
        for (int i = 0; i < files->count(); ++i) names << files->item(i)->text();
        return names;
    }
    void chooseType(int index) { control<QComboBox>("Combo1")->setCurrentIndex(index); }
    void selectFile(const QString& name) {
        auto* files = control<QListWidget>("File1");
        const auto found = files->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        files->setCurrentItem(found.front());
    }
    QPoint pixelsOf(double xMm, double yMm) { return desktop_->mainWindow().mapView().toWidget({xMm, yMm}).toPoint(); }
    // Loads a file of the SBS list as a user does: select it and press Enter.
    void loadByKeyboard(const QString& name) {
        chooseType(0);
        selectFile(name);
        QTest::keyClick(control<QListWidget>("File1"), Qt::Key_Return);
    }
    std::string title() { return desktop_->mainWindow().windowTitle().toStdString(); }

    ScriptedPrompter prompter_;
    std::unique_ptr<Desktop> desktop_;
    std::filesystem::path previous_;
};

TEST_F(MainWindowTest, StartsOnTheCurrentFolderWithArpFilesAndTheMessage) {
    Desktop& d = start({}, false);
    ASSERT_EQ(prompter_.messages().size(), 1u);
    EXPECT_EQ(prompter_.messages()[0], startUpMessage(d.store().appTitle));
    EXPECT_EQ(prompter_.prompts[0].icon, MessageIcon::Information);
    EXPECT_EQ(d.mainWindow().currentFolder(), std::filesystem::canonical(dir_).string());
    EXPECT_EQ(control<QComboBox>("Combo1")->currentText(), "ARP files");
    EXPECT_EQ(listed(), QStringList{"atlas.arp"});
    EXPECT_EQ(d.mainWindow().windowTitle().toStdString(), d.store().appTitle + "[*]");  // no file yet
    EXPECT_FALSE(menuAction(d.mainWindow(), "mnuredisplay")->isEnabled());
    EXPECT_FALSE(menuAction(d.mainWindow(), "mnuprint")->isEnabled());
    EXPECT_FALSE(control<QPushButton>("Command4")->isEnabled());
    EXPECT_EQ(d.store().hexCodes[80].str(), "0810");
}

TEST_F(MainWindowTest, ZipVariablesSuppressTheStartUpMessage) {
    const struct {
        const char* name;
        const char* value;
        bool shown;
    } cases[] = {{"_ZIP", "1", false}, {"_ZIPX", "yes", false}, {"_ZIP", "   ", true}, {"MY_ZIP", "1", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + "=" + c.value);
        ::setenv(c.name, c.value, 1);
        prompter_.prompts.clear();
        start({}, false);
        EXPECT_EQ(prompter_.messages().size(), c.shown ? 1u : 0u);
        ::unsetenv(c.name);
    }
}

TEST_F(MainWindowTest, SettingsFileAndCommandLineChooseTheFolder) {
    const std::string inner = std::filesystem::canonical(path("inner")).string();
    EXPECT_EQ(start(inner).mainWindow().currentFolder(), inner);  // a folder on the command line
    EXPECT_EQ(readSettings(), inner);                             // and remembered
    EXPECT_EQ(start().mainWindow().currentFolder(), inner);       // the next start opens there
    write("settings/qelvar.ini", "/no/such/folder\r\n");
    EXPECT_EQ(start("/no/where").mainWindow().currentFolder(), std::filesystem::canonical(dir_).string());
}

TEST_F(MainWindowTest, AtlasOnTheCommandLineLoadsAtOnce) {
    ::setenv("QELVAR_ATLAS", path("Ostrel.sbs").c_str(), 1);
    Desktop& d = start("ATLAS");
    EXPECT_EQ(d.store().subsectorName, "Ostrel");
    EXPECT_TRUE(prompter_.prompts.empty());
    EXPECT_FALSE(menuAction(d.mainWindow(), "mnuredisplay")->isEnabled());
}

TEST_F(MainWindowTest, TypeListMatchesPatternsWhateverTheCase) {
    start();
    chooseType(0);
    EXPECT_EQ(listed(), (QStringList{"Ostrel.sbs", "second.SBS", "third.Sbs"}));
    chooseType(2);
    EXPECT_TRUE(listed().isEmpty());
    write("GAL.dat", "");
    write("rim.DAT", "");
    chooseType(0);
    chooseType(2);
    EXPECT_EQ(listed(), (QStringList{"GAL.dat", "rim.DAT"}));
}

TEST_F(MainWindowTest, LoadIsEnabledBySelectingAFileAndDisabledByAFolderChange) {
    Desktop& d = start();
    chooseType(0);
    auto* load = control<QPushButton>("Command4");
    EXPECT_FALSE(load->isEnabled());
    selectFile("second.SBS");
    EXPECT_TRUE(load->isEnabled());
    QTest::mouseClick(load, Qt::LeftButton);
    EXPECT_EQ(d.store().subsectorName, "Second");
    EXPECT_TRUE(menuAction(d.mainWindow(), "mnuredisplay")->isEnabled());
    EXPECT_TRUE(menuAction(d.mainWindow(), "mnuprint")->isEnabled());
    EXPECT_EQ(d.store().detailIndex, 80);
    ASSERT_TRUE(d.mainWindow().openFolder(path("inner")));
    EXPECT_FALSE(load->isEnabled());
}

TEST_F(MainWindowTest, UnsavedChangesAreAskedAboutOnLoadAndOnClose) {
    Desktop& d = start();
    chooseType(0);
    selectFile("Ostrel.sbs");
    d.mainWindow().loadSelectedFile();
    ASSERT_EQ(d.store().subsectorName, "Ostrel");
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        d.store().unsavedChanges = 1;
        prompter_.prompts.clear();
        prompter_.yesNoAnswers.push_back(yes);
        selectFile("second.SBS");
        auto* files = control<QListWidget>("File1");
        emit files->itemDoubleClicked(files->currentItem());
        ASSERT_EQ(prompter_.prompts.size(), 1u);
        EXPECT_EQ(prompter_.prompts[0].kind, "yesno");
        EXPECT_EQ(prompter_.prompts[0].text, "You have unsaved changes, are you sure?");
        EXPECT_EQ(prompter_.prompts[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(d.store().subsectorName, yes ? "Second" : "Ostrel");
    }
    d.mainWindow().show();
    d.store().unsavedChanges = 1;
    prompter_.yesNoAnswers = {false};
    EXPECT_FALSE(d.mainWindow().close());
    EXPECT_TRUE(d.mainWindow().isVisible());
    prompter_.yesNoAnswers = {true};
    EXPECT_TRUE(d.mainWindow().close());
    d.store().unsavedChanges = 0;
    prompter_.prompts.clear();
    d.mainWindow().show();
    menuAction(d.mainWindow(), "mnuexit")->trigger();
    EXPECT_FALSE(d.mainWindow().isVisible());
    EXPECT_TRUE(prompter_.prompts.empty());  // nothing unsaved: no question
}

TEST_F(MainWindowTest, PointerLabelsFollowTheMap) {
    Desktop& d = start();
    chooseType(0);
    selectFile("Ostrel.sbs");
    d.mainWindow().loadSelectedFile();
    QWidget* map = control<MapView>("Picture1");
    auto* name = control<QLabel>("Label1");
    auto* location = control<QLabel>("Label2");
    const struct {
        double x, y;
        const char* name;
        const char* location;
    } steps[] = {
        {9, 10, "Draven              ", "X-26A000-2 "},  // a world: the name and profile
        {9, 24, "Draven              ", "0102"},         // an empty hex keeps the last name
        {12.5, 10, "Draven              ", "-"},         // a dead zone between columns
    };
    for (const auto& s : steps) {
        SCOPED_TRACE(::testing::Message() << s.x << "," << s.y);
        QTest::mouseMove(map, pixelsOf(s.x, s.y));
        EXPECT_EQ(name->text().toStdString(), s.name);
        EXPECT_TRUE(location->text().toStdString().starts_with(s.location)) << location->text().toStdString();
    }
    // A click on a world opens its details and the map is drawn again; an empty hex opens nothing.
    std::vector<int> opened;
    QObject::disconnect(&d.mainWindow(), &MainWindow::worldDetailsRequested, nullptr, nullptr);
    QObject::connect(&d.mainWindow(), &MainWindow::worldDetailsRequested, [&](int slot) { opened.push_back(slot); });
    QTest::mouseClick(map, Qt::LeftButton, {}, pixelsOf(9, 24));
    QTest::mouseClick(map, Qt::LeftButton, {}, pixelsOf(9, 10));
    EXPECT_EQ(opened, std::vector<int>{1});
    EXPECT_EQ(d.store().detailIndex, 80);
}

TEST_F(MainWindowTest, ClickOnTheNameLineWritesTheDescriptionDump) {
    ::setenv("QELVAR_DUMP", path("dump.txt").c_str(), 1);
    start();
    QTest::mouseClick(control<QLabel>("Label1"), Qt::LeftButton);
    ::unsetenv("QELVAR_DUMP");
    const std::string dump = (*readFileBytes(path("dump.txt")));
    ASSERT_TRUE(dump.ends_with("\r\n"));
    const auto lines = splitLines(dump);
    ASSERT_EQ(lines.size(), 350u);
    int empty = 0;
    for (const std::string_view line : lines) {
        SCOPED_TRACE(std::string(line));
        if (line == std::string(14, ' ')) {
            ++empty;
            continue;
        }
        ASSERT_NE(line.front(), ' ');  // the key from column 1
        // The text starts on a print zone: columns 15, 29, ... (0-based 14, 28, ...).
        const auto keyEnd = line.find(' ');
        const auto textStart = line.find_first_not_of(' ', keyEnd);
        ASSERT_NE(textStart, std::string_view::npos);
        EXPECT_EQ(textStart % 14, 0u);
        EXPECT_GT(textStart, keyEnd);
    }
    EXPECT_EQ(empty, 20);
    EXPECT_TRUE(prompter_.prompts.empty());
}

TEST_F(MainWindowTest, GenerateMakesAndDrawsASubsectorAfterTheQuestion) {
    Desktop& d = start();
    d.setDice(std::make_unique<Dice>(7));
    d.store().unsavedChanges = 1;
    d.store().subsectorName = "Kept";
    prompter_.yesNoAnswers = {false};
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_EQ(d.store().worldCount, 0);  // No keeps what was there
    EXPECT_FALSE(menuAction(d.mainWindow(), "mnuredisplay")->isEnabled());
    prompter_.yesNoAnswers = {true};
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_GT(d.store().worldCount, 0);
    EXPECT_TRUE(menuAction(d.mainWindow(), "mnuredisplay")->isEnabled());
    EXPECT_TRUE(menuAction(d.mainWindow(), "mnuprint")->isEnabled());
    EXPECT_EQ(d.store().detailIndex, 80);  // drawn
    EXPECT_TRUE(menuAction(d.mainWindow(), "mnugopt")->isEnabled());
    EXPECT_FALSE(d.generationOptions().isVisible());
}

TEST_F(MainWindowTest, BrowserCommandsWorkOnTheListedFiles) {
    Desktop& d = start();
    chooseType(0);
    // Mark from mask: names beginning with the answer, whatever the case.
    prompter_.inputAnswers = {"s"};
    QTest::mouseClick(control<QPushButton>("Command2"), Qt::LeftButton);
    EXPECT_EQ(d.mainWindow().selectedFileNames(), std::vector<std::string>{"second.SBS"});
    // The index of the listed subsectors in one message.
    prompter_.prompts.clear();
    QTest::mouseClick(control<QPushButton>("Command3"), Qt::LeftButton);
    ASSERT_EQ(prompter_.messages().size(), 1u);
    EXPECT_NE(prompter_.messages()[0].find("A Ostrel"), std::string::npos) << prompter_.messages()[0];
    EXPECT_NE(prompter_.messages()[0].find("A Second"), std::string::npos);
    // Save all in folder to SBS: every listed file under the stub and its letter, then the list shows them.
    prompter_.inputAnswers = {"out"};
    menuAction(d.mainWindow(), "mnusbsall")->trigger();
    EXPECT_TRUE(std::filesystem::exists(path("out-A.SBS")));
    EXPECT_TRUE(listed().contains("out-A.SBS"));
    EXPECT_EQ(prompter_.beeps, 2);
    // Save to ARP through the dialog, without the HTML table.
    selectFile("Ostrel.sbs");
    d.mainWindow().loadSelectedFile();
    prompter_.saveAnswers.push_back(path("ostrel.arp"));
    prompter_.yesNoAnswers = {false};
    menuAction(d.mainWindow(), "mnuarp")->trigger();
    EXPECT_NE((*readFileBytes(path("ostrel.arp"))).find("Coldharbour"), std::string::npos);
}

TEST_F(MainWindowTest, ScrollBarMovesTheMapAndZeroBringsItHome) {
    Desktop& d = start();
    auto* bar = control<QScrollBar>("VScroll1");
    QWidget* map = control<MapView>("Picture1");
    EXPECT_LT(bar->minimum(), 0);
    EXPECT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum() / 2);
    EXPECT_EQ(map->y(), bar->maximum() / 2);
    QTest::mouseClick(control<QPushButton>("Command6"), Qt::LeftButton);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(map->y(), 0);
    (void)d;
}

TEST_F(MainWindowTest, SectorModeAndTheLocationLineDrawTheGrid) {
    Desktop& d = start();
    control<QCheckBox>("Check3D2")->setChecked(true);
    d.mainWindow().redisplayMap();
    QTest::mouseClick(control<QLabel>("Label2"), Qt::LeftButton);
    EXPECT_EQ(prompter_.beeps, 2);
}

TEST_F(MainWindowTest, SaveToSbsAndScreenshot) {
    Desktop& d = start();
    chooseType(0);
    selectFile("Ostrel.sbs");
    d.mainWindow().loadSelectedFile();
    d.store().unsavedChanges = 1;
    prompter_.saveAnswers.push_back(path("copy.sbs"));
    menuAction(d.mainWindow(), "mnusbs")->trigger();
    EXPECT_NE((*readFileBytes(path("copy.sbs"))).find("\r\nColdharbour         0203  A788899C"), std::string::npos);
    EXPECT_EQ(d.store().unsavedChanges, 0);
    prompter_.saveAnswers.push_back(std::nullopt);  // cancelled: nothing written, nothing said
    prompter_.prompts.clear();
    menuAction(d.mainWindow(), "mnusbs")->trigger();
    EXPECT_EQ(prompter_.messages(), std::vector<std::string>{});

    menuAction(d.mainWindow(), "mnubmp")->trigger();
    const std::string folder = std::filesystem::canonical(dir_).string();
    EXPECT_EQ(prompter_.messages(), std::vector<std::string>{"Saved in " + folder + " as QELVAR.BMP"});
    const std::string bmp = (*readFileBytes(path("QELVAR.bmp")));
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    const QSize logical = control<MapView>("Picture1")->baseSize();
    const QImage image = QImage::fromData(QByteArray::fromStdString(bmp));
    EXPECT_EQ(image.size(), logical);  // the logical size, whatever the screen's pixel ratio
}

TEST_F(MainWindowTest, SectorFilesLoadTheChosenSubsectorAndTakeItBack) {
    Desktop& d = start();
    chooseType(0);
    selectFile("second.SBS");
    d.mainWindow().loadSelectedFile();
    prompter_.saveAnswers.push_back(path("made"));  // a new sector file; ".tab" is added
    testing::menuAction(d.mainWindow(), "mnusector")->trigger();
    EXPECT_EQ(prompter_.prompts.back().text, "File saved OK");
    EXPECT_EQ(prompter_.prompts.at(prompter_.prompts.size() - 2).text, "*.tab *.tsv *.sec");

    chooseType(3);
    EXPECT_EQ(control<QComboBox>("Combo1")->currentText(), "Sector files");
    EXPECT_EQ(listed(), QStringList{"made.tab"});
    selectFile("made.tab");
    testing::whenModalShown("SubsectorChoice", [](QWidget* dialog) {
        auto* list = dialog->findChild<QListWidget*>("SubsectorList");
        EXPECT_EQ(list->currentRow(), 0);  // the first subsector with worlds is proposed
        EXPECT_EQ(list->item(0)->text(), "A  Second (1 world)");
        EXPECT_EQ(list->item(1)->text(), "B   (0 worlds)");
        static_cast<QDialog*>(dialog)->accept();
    });
    d.mainWindow().loadSelectedFile();
    EXPECT_EQ(d.store().worldCount, 1);
    EXPECT_EQ(d.store().subsectorName, "Second");
    EXPECT_EQ(d.store().subsectorLetter, "A");
    // What SBS cannot hold of a sector file's world is said when the subsector is saved as SBS.
    write("four.tab",
          "Sector\tSS\tHex\tName\tUWP\tBases\tRemarks\tZone\tPBG\tAllegiance\tStars\n"
          "Sct\tA\t0101\tFour\tA788899-C\t\t\t\t123\tImDd\tG2 V\n");
    chooseType(0);
    chooseType(3);
    selectFile("four.tab");
    testing::whenModalShown("SubsectorChoice", [](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); });
    d.mainWindow().loadSelectedFile();
    prompter_.saveAnswers.push_back(path("four.sbs"));
    menuAction(d.mainWindow(), "mnusbs")->trigger();
    const auto said = prompter_.messages();
    EXPECT_TRUE(std::any_of(said.begin(), said.end(), [](const std::string& m) {
        return m.find("four-letter allegiance in SBS") != std::string::npos;
    })) << said.back();
}

TEST_F(MainWindowTest, KeyboardReachesEveryEditorAndUndoTakesTheEditBack) {
    Desktop& d = start();
    loadByKeyboard("Ostrel.sbs");
    ASSERT_EQ(d.store().subsectorName, "Ostrel");
    EXPECT_EQ(title(), "Ostrel.sbs[*] - " + d.store().appTitle);
    MapView& map = d.mainWindow().mapView();
    map.setFocus();
    for (const auto key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Left, Qt::Key_Left, Qt::Key_Right}) {
        QTest::keyClick(&map, key);
    }
    EXPECT_EQ(control<QLabel>("Label1")->text().trimmed(), "Coldharbour");  // the cursor on 0203
    EXPECT_EQ(map.cursorColumn() * 100 + map.cursorRow(), 203);

    QStringList tabbed;
    whenModalShown("Form2", [&](QWidget* details) {
        for (int i = 0; i < 10; ++i) {
            QTest::keyClick(details->focusWidget(), Qt::Key_Tab);
            tabbed << details->focusWidget()->objectName();
        }
        QTest::keyClick(details->focusWidget(), Qt::Key_Tab);
        QTest::keyClick(details->focusWidget(), Qt::Key_Return);  // on "Label2": the name's editor
        EXPECT_TRUE(details->isVisible());
        QTest::keyClick(details->findChild<QPushButton*>("Command1"), Qt::Key_Return);
    });
    prompter_.inputAnswers = {"Renamed"};
    QTest::keyClick(&map, Qt::Key_Return);
    // From "Done" (Notes is off for an SBS file) round every value in reading order.
    EXPECT_EQ(tabbed, (QStringList{"Label2", "Label6", "Label8", "Label10", "Label12", "Label14", "Label16", "Label18",
                                   "Label20", "Command1"}));
    EXPECT_EQ(d.store().worlds[13].name.trimmed(), "Renamed");
    EXPECT_TRUE(d.mainWindow().isWindowModified());
    QAction* undo = menuAction(d.mainWindow(), "mnuundo");
    EXPECT_EQ(undo->text(), "&Undo Change name of 0203");
    EXPECT_EQ(undo->shortcut(), QKeySequence(QKeySequence::Undo));
    undo->trigger();
    EXPECT_EQ(d.store().worlds[13].name.trimmed(), "Coldharbour");
    EXPECT_FALSE(d.mainWindow().isWindowModified());
    EXPECT_EQ(d.store().unsavedChanges, 0);
    menuAction(d.mainWindow(), "mnuredo")->trigger();
    EXPECT_EQ(d.store().unsavedChanges, 1);
    EXPECT_EQ(d.store().worlds[13].name.trimmed(), "Renamed");
}

TEST_F(MainWindowTest, SavesTakeTheExtensionAreListedAndSaveWritesBack) {
    Desktop& d = start();
    loadByKeyboard("Ostrel.sbs");
    prompter_.saveAnswers.push_back(path("edited"));
    menuAction(d.mainWindow(), "mnusbs")->trigger();
    EXPECT_TRUE(listed().contains("edited.sbs"));
    EXPECT_EQ(d.mainWindow().selectedFileName(), "Ostrel.sbs");  // the selection kept
    EXPECT_EQ(title(), "edited.sbs[*] - " + d.store().appTitle);
    d.store().worlds[1].name = "Changed";
    prompter_.prompts.clear();
    menuAction(d.mainWindow(), "mnusave")->trigger();  // back to edited.sbs without a dialog
    EXPECT_TRUE(prompter_.prompts.empty());
    EXPECT_NE((*readFileBytes(path("edited.sbs"))).find("\r\nChanged "), std::string::npos);
    ASSERT_FALSE(d.mainWindow().recentFiles().empty());
    EXPECT_EQ(d.mainWindow().recentFiles().front(), std::filesystem::canonical(path("edited.sbs")).string());
    // A file that is not SBS is saved through the dialog.
    loadByKeyboard("second.SBS");
    chooseType(1);
    selectFile("atlas.arp");
    prompter_.yesNoAnswers = {true};
    d.mainWindow().loadSelectedFile();
    prompter_.saveAnswers.push_back(std::nullopt);
    menuAction(d.mainWindow(), "mnusave")->trigger();
    EXPECT_EQ(prompter_.prompts.back().kind, "save");
}

TEST_F(MainWindowTest, TheMapFillsTheWindowAndThePointerStaysExactAtEveryScale) {
    Desktop& d = start();
    loadByKeyboard("Ostrel.sbs");
    MapView& map = d.mainWindow().mapView();
    const int before = map.width();
    d.mainWindow().resize(d.mainWindow().width() + 600, d.mainWindow().height() + 600);
    QApplication::processEvents();
    EXPECT_GT(map.width(), before);
    for (const double zoom : {1.0, 2.5, 6.0}) {
        SCOPED_TRACE(zoom);
        for (const auto& [column, row, shown] : {std::tuple{2, 3, "A-788899-C"}, {3, 5, "0305"}, {8, 10, "0810"}}) {
            // Zoomed around the hex's centre, which stays where it was.
            const MapPoint centre = hexCentre(hexAnchor(column, row, kScreenHexScale), kScreenHexScale);
            d.mainWindow().mapArea().resetZoom();
            const QPoint before = map.mapToParent(map.toWidget(centre).toPoint());
            const MapPoint under = map.toMillimetres(map.mapFromParent(before));
            d.mainWindow().mapArea().zoomAround(zoom, before);
            const MapPoint still = map.toMillimetres(map.mapFromParent(before));
            EXPECT_NEAR(still.x, under.x, 0.15);
            EXPECT_NEAR(still.y, under.y, 0.15);
            QTest::mouseMove(&map, map.toWidget(centre).toPoint());
            EXPECT_TRUE(control<QLabel>("Label2")->text().startsWith(shown))
                << control<QLabel>("Label2")->text().toStdString();
        }
    }
}

TEST_F(MainWindowTest, AnAutosaveLeftByACopyThatDiedIsOfferedAtTheNextStart) {
    Desktop& d = start();
    loadByKeyboard("Ostrel.sbs");
    QTest::keyClicks(d.generationOptions().findChild<QLineEdit*>("Text1"), "X");  // the subsector name
    QTest::qWait(20);
    const std::string own = d.autosave().path();
    ASSERT_TRUE((*readFileBytes(own)).starts_with("X\r\nKestrane Reach\r\n"));
    // The copy dies: its files stay with a lock whose process is gone.
    const std::string orphan = path("autosave/autosave-999999.sbs");
    const std::string edited = (*readFileBytes(own));
    const auto leaveOrphan = [&] {
        write("autosave/autosave-999999.sbs", edited);
        write("autosave/autosave-999999.txt", path("Ostrel.sbs") + "\n2026-12-07 15:31\n");
        write("autosave/autosave-999999.lock", "999999\nqelvar\n" + QSysInfo::machineHostName().toStdString() + "\n");
    };
    prompter_.yesNoAnswers = {true};  // a normal exit: the own autosave goes
    d.mainWindow().close();
    desktop_.reset();
    EXPECT_FALSE(std::filesystem::exists(own));

    for (const bool recover : {false, true}) {
        SCOPED_TRACE(recover);
        leaveOrphan();
        prompter_.prompts.clear();
        prompter_.yesNoAnswers = {recover};
        Desktop& again = start();
        ASSERT_EQ(prompter_.prompts.size(), 1u);
        EXPECT_NE(prompter_.prompts[0].text.find(path("Ostrel.sbs") + " were kept at 2026-12-07 15:31"),
                  std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(orphan));
        EXPECT_EQ(again.store().subsectorName, recover ? "X" : "");
        EXPECT_EQ(again.mainWindow().isWindowModified(), recover);
        if (recover) {
            EXPECT_EQ(title(), "Ostrel.sbs[*] - " + again.store().appTitle);
        }
        prompter_.yesNoAnswers = {true};
        again.mainWindow().close();
        desktop_.reset();
    }
}

}  // namespace
}  // namespace qelvar

namespace qelvar {
namespace {

// "Check subsector": the findings of the loaded subsector in a window that follows the store; a double-click
// opens the world's details.
TEST_F(MainWindowTest, CheckWindowListsTheFindingsAndFollowsTheStore) {
    Desktop& d = start();
    chooseType(0);
    selectFile("Ostrel.sbs");
    d.mainWindow().loadSelectedFile();
    menuAction(d.mainWindow(), "mnucheck")->trigger();
    auto* window = d.mainWindow().findChild<CheckWindow*>("CheckWindow");
    ASSERT_TRUE(window && window->isVisible() && !window->isModal());
    QTreeWidget& list = window->findingList();
    ASSERT_EQ(list.topLevelItemCount(), 1);
    EXPECT_EQ(list.topLevelItem(0)->text(0) + " " + list.topLevelItem(0)->text(1), "0101 population-zero");
    int opened = 0;
    testing::whenModalShown("Form2", [&opened, &d](QWidget* details) {
        opened = d.store().detailIndex;
        details->close();
    });
    emit list.itemDoubleClicked(list.topLevelItem(0), 0);
    EXPECT_EQ(opened, 1);
    d.store().worlds[13].zone = "Q";  // Coldharbour
    d.mainWindow().redisplayMap();
    ASSERT_EQ(list.topLevelItemCount(), 2);
    EXPECT_EQ(list.topLevelItem(1)->text(2), "zone \"Q\" is not blank, A or R");
}

}  // namespace
}  // namespace qelvar
