// The desktop program built for real, offscreen, driven as a user would with the scripted prompter.
#include "main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <cstdlib>

#include "desktop.h"
#include "map_view.h"
#include "store/startup.h"
#include "generation/dice.h"
#include "generation_options_window.h"
#include "store/file_io.h"
#include "store/text.h"
#include "support/modal_dialogs.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

using testing::ScriptedPrompter;

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
        std::filesystem::current_path(previous_);
        ::unsetenv("QELVAR_SETTINGS");
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
    QPoint pixelsOf(double xMm, double yMm) {
        const double dpi = desktop_->mainWindow().mapView().dotsPerInch();
        return QPoint(static_cast<int>(xMm * dpi / 25.4 + 0.5), static_cast<int>(yMm * dpi / 25.4 + 0.5));
    }

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
    EXPECT_EQ(d.mainWindow().windowTitle().toStdString(), d.store().appTitle);
    EXPECT_FALSE(d.mainWindow().action("mnuredisplay")->isEnabled());
    EXPECT_FALSE(d.mainWindow().action("mnuprint")->isEnabled());
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
    EXPECT_FALSE(d.mainWindow().action("mnuredisplay")->isEnabled());
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
    EXPECT_TRUE(d.mainWindow().action("mnuredisplay")->isEnabled());
    EXPECT_TRUE(d.mainWindow().action("mnuprint")->isEnabled());
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
    d.mainWindow().action("mnuexit")->trigger();
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
    d.mainWindow().setDetailsOpener([&](int slot) { opened.push_back(slot); });
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
    EXPECT_FALSE(d.mainWindow().action("mnuredisplay")->isEnabled());
    prompter_.yesNoAnswers = {true};
    QTest::mouseClick(control<QPushButton>("Command1"), Qt::LeftButton);
    EXPECT_GT(d.store().worldCount, 0);
    EXPECT_TRUE(d.mainWindow().action("mnuredisplay")->isEnabled());
    EXPECT_TRUE(d.mainWindow().action("mnuprint")->isEnabled());
    EXPECT_EQ(d.store().detailIndex, 80);  // drawn
    EXPECT_TRUE(d.mainWindow().action("mnugopt")->isEnabled());
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
    d.mainWindow().action("mnusbsall")->trigger();
    EXPECT_TRUE(std::filesystem::exists(path("out-A.SBS")));
    EXPECT_TRUE(listed().contains("out-A.SBS"));
    EXPECT_EQ(prompter_.beeps, 2);
    // Save to ARP through the dialog, without the HTML table.
    selectFile("Ostrel.sbs");
    d.mainWindow().loadSelectedFile();
    prompter_.saveAnswers.push_back(path("ostrel.arp"));
    prompter_.yesNoAnswers = {false};
    d.mainWindow().action("mnuarp")->trigger();
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
    d.mainWindow().action("mnusbs")->trigger();
    EXPECT_NE((*readFileBytes(path("copy.sbs"))).find("\r\nColdharbour         0203  A788899C"), std::string::npos);
    EXPECT_EQ(d.store().unsavedChanges, 0);
    prompter_.saveAnswers.push_back(std::nullopt);  // cancelled: nothing written, nothing said
    prompter_.prompts.clear();
    d.mainWindow().action("mnusbs")->trigger();
    EXPECT_EQ(prompter_.messages(), std::vector<std::string>{});

    d.mainWindow().action("mnubmp")->trigger();
    const std::string folder = std::filesystem::canonical(dir_).string();
    EXPECT_EQ(prompter_.messages(), std::vector<std::string>{"Saved in " + folder + " as QELVAR.BMP"});
    const std::string bmp = (*readFileBytes(path("QELVAR.bmp")));
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    const QSize logical = control<MapView>("Picture1")->size();
    const QImage image = QImage::fromData(QByteArray::fromStdString(bmp));
    EXPECT_EQ(image.size(), logical);  // the logical size, whatever the screen's pixel ratio
}

TEST_F(MainWindowTest, SectorFilesLoadTheChosenSubsectorAndTakeItBack) {
    Desktop& d = start();
    chooseType(0);
    selectFile("second.SBS");
    d.mainWindow().loadSelectedFile();
    prompter_.saveAnswers.push_back(path("made"));  // a new sector file; ".tab" is added
    d.mainWindow().action("mnusector")->trigger();
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
}

}  // namespace
}  // namespace qelvar
