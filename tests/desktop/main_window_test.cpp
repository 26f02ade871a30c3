// The desktop program built for real, offscreen, driven as a user would with the scripted prompter.
#include "about_box.h"
#include "atlas_window.h"
#include "autosave.h"
#include "check_window.h"
#include "details_window.h"
#include "document_controller.h"
#include "details/description_table.h"
#include "generation/dice.h"
#include "generation_options_window.h"
#include "map_area.h"
#include "map_view.h"
#include "map/hex_geometry.h"
#include "store/startup.h"
#include "support/desktop_fixture.h"
#include "support/pictures.h"
#include "support/sector_text.h"

namespace qelvar::testing {

using MainWindowTest = SampleFolderTest;

TEST_F(MainWindowTest, StartsOnTheCurrentFolderWithArpFilesAndTheMessage) {
    ::unsetenv("_ZIP");
    start();
    EXPECT_EQ(prompter_.messages(), std::vector<std::string>{startUpMessage(applicationTitle())});
    EXPECT_EQ(prompter_.prompts[0].icon, MessageIcon::Information);
    EXPECT_EQ(window().currentFolder(), folder());

    // Only a variable whose name begins with _ZIP and that holds more than blanks keeps the message away.
    for (const auto& [name, value, shown] :
         {std::tuple{"_ZIPX", "yes", false}, {"_ZIP", "   ", true}, {"MY_ZIP", "1", true}}) {
        SCOPED_TRACE(name);
        ::setenv(name, value, 1);
        prompter_.prompts.clear();
        start();
        EXPECT_EQ(prompter_.messages().size(), shown ? 1u : 0u);
        ::unsetenv(name);
    }
}

TEST_F(MainWindowTest, TheCommandLineAndTheSettingsFileChooseTheFolderOrLoadTheAtlas) {
    const std::string inner = std::filesystem::canonical(path("inner")).string();
    EXPECT_EQ(start(inner).mainWindow().currentFolder(), inner);  // a folder on the command line
    const char* const words[] = {"qelvar", "My", "Worlds"};
    EXPECT_EQ(commandLineOf(3, words), "My Worlds");         // a name with a blank, unquoted, is one name
    EXPECT_EQ(start().mainWindow().currentFolder(), inner);  // the next start opens there
    write("settings/qelvar.ini", "/no/such/folder\r\n");
    EXPECT_EQ(start("/no/where").mainWindow().currentFolder(), folder());
    // "ATLAS" loads the atlas file at once.
    ::setenv("QELVAR_ATLAS", path("Ostrel.sbs").c_str(), 1);
    prompter_.prompts.clear();
    EXPECT_EQ(start("ATLAS").store().subsectorName, "Ostrel");
    EXPECT_TRUE(prompter_.prompts.empty());
    EXPECT_FALSE(enabled("mnuredisplay"));
    EXPECT_EQ(window().findChild<QWidget*>("Frame1")->findChild<QComboBox*>("Combo1")->currentText(), "ARP files");
    // The About box's System Info... with no tool on the path says so.
    const std::string searched = std::getenv("PATH");
    ::setenv("PATH", "", 1);
    whenModalShown("frmAbout", [](QWidget* about) {
        press(about, "cmdSysInfo");
        about->close();
    });
    trigger("mnuabout");
    ::setenv("PATH", searched.c_str(), 1);
    EXPECT_EQ(prompter_.messages(), std::vector<std::string>{kSystemInfoUnavailable});
    write("hardinfo", "");  // not executable: passed over
    write("kinfocenter", "#!/bin/sh\n");
    std::filesystem::permissions(path("kinfocenter"), std::filesystem::perms::owner_all);
    EXPECT_EQ(findSystemInformationTool("::/no/where:" + folder()), path("kinfocenter"));
}

// Load needs a file, Print all selected a selection; Print and Print Preview a loaded subsector.
TEST_F(MainWindowTest, TheListShowsTheChosenTypeWhateverTheCaseAndCommandsFollowSelectionAndLoading) {
    write("GAL.dat", "");
    write("rim.DAT", "");
    chooseType(2);
    EXPECT_EQ(listed(), (QStringList{"GAL.dat", "rim.DAT"}));
    chooseType(0);
    EXPECT_EQ(listed(), (QStringList{"Ostrel.sbs", "second.SBS", "third.Sbs"}));
    selectFile("second.SBS");
    EXPECT_TRUE(control("Command5")->isEnabled());
    QSignalSpy drawn(&window(), &MainWindow::mapRedrawn);
    click("Command4");
    EXPECT_EQ(store().subsectorName, "Second");
    EXPECT_TRUE(enabled("mnuredisplay") && enabled("mnuprint") && enabled("mnuprintpreview"));
    EXPECT_FALSE(drawn.isEmpty());
    files()->clearSelection();
    EXPECT_FALSE(control("Command5")->isEnabled());
    selectFile("second.SBS");
    ASSERT_TRUE(window().openFolder(path("inner")));
    EXPECT_FALSE(control("Command4")->isEnabled() || control("Command5")->isEnabled());
    auto* folders = window().findChild<QListWidget*>("Dir1");
    EXPECT_EQ(folders->currentItem()->text().trimmed(), "inner");
    folders->setCurrentRow(folders->currentRow() - 1);
    QTest::keyClick(folders, Qt::Key_Return);  // Enter opens the folder chosen
    EXPECT_EQ(window().currentFolder(), std::filesystem::canonical(folder()).string());
}

TEST_F(MainWindowTest, UnsavedChangesAreAskedAboutOnLoadAndOnClose) {
    load("Ostrel.sbs");
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        window().undoStack().resetClean();
        prompter_.prompts.clear();
        prompter_.yesNoAnswers.push_back(yes);
        selectFile("second.SBS");
        emit files()->itemDoubleClicked(files()->currentItem());
        EXPECT_EQ(prompter_.prompts.size(), 1u);  // the prompter's one confirmation, tried in the engine's tests
        EXPECT_EQ(store().subsectorName, yes ? "Second" : "Ostrel");
    }
    prompter_.prompts.clear();
    trigger("mnuexit");
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(prompter_.prompts.empty());  // nothing unsaved: no question
    window().show();
    window().undoStack().resetClean();
    prompter_.yesNoAnswers = {false, true};
    EXPECT_FALSE(window().close());
    EXPECT_TRUE(window().close());
}

TEST_F(MainWindowTest, ClicksOnTheMapAndOnThePointerLines) {
    load("Ostrel.sbs");
    // A click on a world opens its details and the map is drawn again; an empty hex opens nothing.
    std::vector<int> opened;
    QObject::disconnect(&window(), &MainWindow::worldDetailsRequested, nullptr, nullptr);
    QObject::connect(&window(), &MainWindow::worldDetailsRequested, [&](int slot) { opened.push_back(slot); });
    QTest::mouseClick(&window().mapView(), Qt::LeftButton, {}, QPoint(1, 1));  // off every hex
    QTest::mouseClick(&window().mapView(), Qt::LeftButton, {}, window().mapView().toWidget({9, 24}).toPoint());
    QSignalSpy drawn(&window(), &MainWindow::mapRedrawn);
    QTest::mouseClick(&window().mapView(), Qt::LeftButton, {}, window().mapView().toWidget({9, 10}).toPoint());
    EXPECT_EQ(opened, std::vector<int>{1});
    EXPECT_EQ(drawn.size(), 1);
    EXPECT_EQ(control<QLabel>("Label2")->text().left(4), "0101");  // the hex clicked last, with no pointer move
    // The name line writes the description table; sector mode and the location line draw the sector grid.
    ::setenv("QELVAR_DUMP", path("dump.txt").c_str(), 1);
    QTest::mouseClick(control<QLabel>("Label1"), Qt::LeftButton);
    ::unsetenv("QELVAR_DUMP");
    EXPECT_EQ(*readFileBytes(path("dump.txt")), descriptionTable().dumpText());
    control<QCheckBox>("Check3D2")->setChecked(true);
    window().redisplayMap();
    QTest::mouseClick(control<QLabel>("Label2"), Qt::LeftButton);
    EXPECT_EQ(prompter_.beeps, 2);
    EXPECT_TRUE(prompter_.prompts.empty());
}

TEST_F(MainWindowTest, GenerateMakesAndDrawsASubsectorAfterTheQuestion) {
    desktop_->setDice(std::make_unique<Dice>(7));
    window().undoStack().resetClean();
    prompter_.yesNoAnswers = {false};
    click("Command1");
    EXPECT_FALSE(enabled("mnuredisplay"));  // No keeps what was there
    prompter_.yesNoAnswers = {true};
    QSignalSpy drawn(&window(), &MainWindow::mapRedrawn);
    click("Command1");
    EXPECT_GT(store().worldCount, 0);
    EXPECT_TRUE(enabled("mnuredisplay") && enabled("mnuprint") && enabled("mnugopt"));
    EXPECT_FALSE(drawn.isEmpty());
    // A fresh subsector counts as saved; it is one step, and undoing it is a change.
    EXPECT_FALSE(window().isModified());
    click("Command1");  // another one: a step of its own
    EXPECT_EQ(window().undoStack().count(), 2);
    trigger("mnuundo");
    trigger("mnuundo");
    EXPECT_EQ(store().worldCount, 0);
    EXPECT_TRUE(window().isModified());
}

TEST_F(MainWindowTest, BrowserCommandsWorkOnTheListedFiles) {
    chooseType(0);
    // Mark from mask: names beginning with the answer, whatever the case.
    prompter_.inputAnswers = {"s"};
    click("Command2");
    EXPECT_EQ(window().selectedFileNames(), std::vector<std::string>{"second.SBS"});
    EXPECT_EQ(window().selectedFileName(), "second.SBS");  // the entry selected, where the current one is not
    prompter_.inputAnswers = {"O"};
    click("Command2");
    EXPECT_EQ(window().selectedFileNames(), std::vector<std::string>{"Ostrel.sbs"});
    // The index of the listed subsectors in one message.
    click("Command3");
    ASSERT_EQ(prompter_.messages().size(), 1u);
    for (const char* entry : {"A Ostrel", "A Second"})
        EXPECT_NE(prompter_.messages()[0].find(entry), std::string::npos);
    // Save all in folder to SBS: every listed file under the stub and its letter, then the list shows them.
    prompter_.inputAnswers = {"out"};
    trigger("mnusbsall");
    EXPECT_TRUE(listed().contains("out-A.SBS"));
    EXPECT_EQ(prompter_.beeps, 2);
    trigger("mnuopenspace");  // no sector file in the folder: no atlas is left open
    EXPECT_FALSE(desktop_->atlasWindow() && desktop_->atlasWindow()->isVisible());
    // Save to ARP through the dialog, without the HTML table.
    load("Ostrel.sbs");
    prompter_.saveAnswers.push_back(path("ostrel.arp"));
    prompter_.yesNoAnswers = {false};
    trigger("mnuarp");
    EXPECT_NE(readFileBytes(path("ostrel.arp"))->find("Coldharbour"), std::string::npos);
    // "Save" writes the SBS file it came from without a dialog; a cancelled sector file dialog does nothing.
    load("Ostrel.sbs");
    window().undoStack().resetClean();
    const std::size_t told = prompter_.messages().size();
    trigger("mnusave");
    EXPECT_FALSE(window().isModified());
    prompter_.saveAnswers.push_back(std::nullopt);
    trigger("mnusector");
    EXPECT_EQ(prompter_.messages().size(), told);
}

TEST_F(MainWindowTest, ScrollBarMovesTheMapZeroBringsItHomeAndTheScreenshotIsTheMapAsABitmap) {
    load("Ostrel.sbs");
    auto* bar = control<QScrollBar>("VScroll1");
    auto* across = control<QScrollBar>("HScroll1");
    const QPoint home = window().mapView().pos();
    bar->setValue(bar->maximum() / 2);  // the map goes up as the bar goes down, and left as the other goes right
    across->setValue(40);
    EXPECT_EQ(window().mapView().pos(), home - QPoint(40, bar->maximum() / 2));
    click("Command6");
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(across->value(), 0);
    EXPECT_EQ(window().mapView().pos(), home);
    // Zoomed, a drag with the middle button pans; "Whole Map" brings the whole map back, bars and all.
    window().mapArea().zoomAround(3, QPointF(10, 10));
    bar->setValue(25);
    const QPoint zoomed = window().mapView().pos();
    MapView& map = window().mapView();
    const auto moveTo = [&](QPointF at, Qt::MouseButtons held) {
        QMouseEvent move(QEvent::MouseMove, at, map.mapToGlobal(at), Qt::NoButton, held, {});
        QApplication::sendEvent(&map, &move);
    };
    QTest::mousePress(&map, Qt::MiddleButton, {}, QPoint(50, 50));
    moveTo({80, 40}, Qt::MiddleButton);
    moveTo({60, 50}, Qt::MiddleButton);  // 10 further right, over the map that has moved by (30, -10)
    QTest::mouseRelease(&map, Qt::MiddleButton, {}, QPoint(60, 50));
    EXPECT_EQ(map.pos(), zoomed + QPoint(40, -10));
    // Once the button is up, moving the pointer pans no more.
    moveTo({20, 20}, Qt::NoButton);
    EXPECT_EQ(map.pos(), zoomed + QPoint(40, -10));
    trigger("mnuzoomreset");
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(map.pos(), home);

    trigger("mnubmp");
    EXPECT_EQ(prompter_.messages(), std::vector<std::string>{"Saved in " + folder() + " as QELVAR.BMP"});
    const std::string bmp = *readFileBytes(path("QELVAR.bmp"));
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    // The logical size, whatever the screen's pixel ratio.
    EXPECT_EQ(QImage::fromData(QByteArray::fromStdString(bmp)).size(), window().mapView().baseSize());
}

TEST_F(MainWindowTest, SectorFilesLoadTheChosenSubsectorAndTakeItBack) {
    load("second.SBS");
    prompter_.saveAnswers.push_back(path("made"));  // a new sector file; ".tab" is added
    trigger("mnusector");
    EXPECT_EQ(prompter_.prompts.back().text, "File saved OK");
    EXPECT_EQ(prompter_.prompts.at(prompter_.prompts.size() - 2).text, "*.tab *.tsv *.sec *.txt");

    chooseType(3);
    EXPECT_EQ(control<QComboBox>("Combo1")->currentText(), "Sector files");
    EXPECT_EQ(listed(), (QStringList{"made.tab", "notes.txt"}));  // a .txt file may be a sector file
    whenModalShown("SubsectorChoice", [](QWidget* dialog) {
        auto* list = dialog->findChild<QListWidget*>("SubsectorList");
        EXPECT_EQ(list->currentRow(), 0);  // the first subsector with worlds is proposed
        EXPECT_EQ(list->item(0)->text(), "A  Second (1 world)");
        EXPECT_EQ(list->item(1)->text(), "B   (0 worlds)");
        static_cast<QDialog*>(dialog)->accept();
    });
    load("made.tab", 3);
    EXPECT_EQ(store().worldCount, 1);
    EXPECT_EQ(store().subsectorName + "/" + store().subsectorLetter, "Second/A");
    // What SBS cannot hold of a sector file's world is said when the subsector is saved as SBS.
    write("four.tab",
          "Sector\tSS\tHex\tName\tUWP\tBases\tRemarks\tZone\tPBG\tAllegiance\tStars\n"
          "Sct\tA\t0101\tFour\tA788899-C\t\t\t\t123\tImDd\tG2 V\n"
          "Sct\tB\t0901\tFive\tA788899-C\t\t\t\t123\tIm\tG2 V\n");
    chooseType(0);
    whenModalShown("SubsectorChoice", [](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); });
    load("four.tab", 3);
    // What SBS cannot hold of it is asked about first: Cancel writes nothing, Save writes the file.
    prompter_.saveAnswers.push_back(path("four.sbs"));
    for (const bool save : {false, true}) {
        prompter_.yesNoAnswers.push_back(save);
        trigger("mnusbs");
        const std::string asked =
            prompter_.prompts.at(save ? prompter_.prompts.size() - 3 : prompter_.prompts.size() - 1).text;
        EXPECT_NE(asked.find("four-letter allegiance in SBS"), std::string::npos);
        EXPECT_NE(asked.find("\nThe other 1 subsector of the sector with worlds is not in the SBS file"),
                  std::string::npos);
        EXPECT_EQ(static_cast<bool>(readFileBytes(path("four.sbs"))), save);
    }
}

TEST_F(MainWindowTest, SaveWritesASectorFilesSubsectorBackIntoItsOwnLines) {
    const std::string beta = tabWorld("0105", "Beta");
    const std::string original = tabSector({tabWorld("0101", "Alpha"), beta, tabWorld("0903", "Delta")});
    write("k.tab", original);
    write("k.xml", kKestrelMetadata);
    whenModalShown("SubsectorChoice", [](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); });
    load("k.tab", 3);
    EXPECT_EQ(title(), "k.tab[*] - " + applicationTitle());
    const int slot = store().slotOfLocation(105);
    WorldRecord changed = store().worlds[static_cast<std::size_t>(slot)];
    changed.uwp = "A788899C";
    window().documentController().changeWorld(slot, changed, "Change UWP of 0105");
    prompter_.prompts.clear();
    trigger("mnusave");
    EXPECT_TRUE(prompter_.prompts.empty());
    std::string expected = original;
    expected.replace(expected.find(beta) + beta.find("B563753-9"), 9, "A788899-C");
    EXPECT_EQ(*readFileBytes(path("k.tab")), expected);
    EXPECT_EQ(*readFileBytes(path("k.xml")), kKestrelMetadata);
    EXPECT_FALSE(window().isWindowModified() || window().isModified());
    // A world copied carries every field of its line, and pasted keeps them: Alpha again at 0102.
    trigger("mnucopyworld");
    QTest::keyClick(&window().mapView(), Qt::Key_Down);
    trigger("mnupasteworld");
    trigger("mnusave");
    const std::string alpha = tabWorld("0101", "Alpha");
    std::string again = alpha;
    again.replace(again.find("0101"), 4, "0102");
    expected.insert(expected.find(alpha) + alpha.size(), again);
    EXPECT_EQ(*readFileBytes(path("k.tab")), expected);

    // Into another sector file: a copy, the subsector stays unsaved; "Save to SBS" is Ctrl+Shift+S.
    window().undoStack().resetClean();
    prompter_.saveAnswers.push_back(path("copy.tab"));
    trigger("mnusector");
    EXPECT_EQ(prompter_.messages(), std::vector<std::string>{"File saved OK"});
    EXPECT_TRUE(window().isModified());
    // The new file holds the whole sector, the subsector as it is now.
    const std::string copy = *readFileBytes(path("copy.tab"));
    EXPECT_TRUE(copy.find("\tDelta\t") != std::string::npos && copy.find("A788899-C") != std::string::npos) << copy;
    EXPECT_EQ(action("mnusbs")->shortcut(), QKeySequence("Ctrl+Shift+S"));
}

TEST_F(MainWindowTest, WorldsAreAddedDeletedCopiedPastedAndMovedEachAStepOfTheHistory) {
    load("Ostrel.sbs");
    MapView& map = window().mapView();
    map.setFocus();
    const auto at = [this](int location) {
        return store().worlds[static_cast<std::size_t>(store().slotOfLocation(location))];
    };
    const auto keys = [&map](std::initializer_list<Qt::Key> list) {
        QApplication::setActiveWindow(map.window());  // the shortcuts work while the map has the focus
        map.setFocus();
        for (const Qt::Key key : list) QTest::keyClick(&map, key);
    };
    map.clearFocus();
    const QImage unfocused = map.grab().toImage();
    keys({});
    expectPicture("windows/MainMap.png", map.grab().toImage());  // the subsector, the focus frame, the cursor
    EXPECT_NE(unfocused.pixelColor(1, 1), map.grab().toImage().pixelColor(1, 1));  // the frame only with the focus
    int shown = 0;
    const auto closeDetails = [&shown] {
        whenModalShown("Form2", [&shown](QWidget* details) {
            ++shown;
            details->close();
        });
    };
    closeDetails();
    keys({Qt::Key_Down, Qt::Key_Return});  // Enter on the empty 0102 makes a world there and opens it
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(at(102).name.trimmed(), "New world");
    EXPECT_EQ(action("mnuundo")->text(), "&Undo Add world at 0102");
    keys({Qt::Key_Delete});
    EXPECT_FALSE(at(102).occupied());
    keys({Qt::Key_Right, Qt::Key_Down});  // Coldharbour, 0203
    QTest::keyClick(&map, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("\tA\t0203\tColdharbour\tA788899-C\t"))
        << QGuiApplication::clipboard()->text().toStdString();
    keys({Qt::Key_Left, Qt::Key_Up});
    QTest::keyClick(&map, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(at(102).name.trimmed(), "Coldharbour");
    EXPECT_EQ(at(102).uwp.view(), "A788899C");
    prompter_.inputAnswers = {"0305"};
    trigger("mnumoveworld");
    EXPECT_EQ(at(305).name.trimmed(), "Coldharbour");
    EXPECT_FALSE(at(102).occupied());
    prompter_.inputAnswers = {"0203"};
    keys({Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Right});  // 0305
    trigger("mnumoveworld");
    EXPECT_EQ(prompter_.messages().back(), "The hex 0203 already holds a world");
    // Dragging a world onto an empty hex moves it there; a drag onto a world says why it cannot.
    const auto centre = [&map](int column, int row) {
        return map.toWidget(hexCentre(hexAnchor(column, row, kScreenHexScale), kScreenHexScale)).toPoint();
    };
    QTest::mousePress(&map, Qt::LeftButton, {}, centre(3, 5));
    QTest::mouseMove(&map, centre(4, 4));
    QTest::mouseRelease(&map, Qt::LeftButton, {}, centre(4, 4));
    EXPECT_EQ(at(404).name.trimmed(), "Coldharbour");
    EXPECT_EQ(action("mnuundo")->text(), "&Undo Move Coldharbour (0305) to 0404");
    trigger("mnuundo");
    QTest::mousePress(&map, Qt::LeftButton, {}, centre(3, 5));
    QTest::mouseMove(&map, centre(1, 1));
    QTest::mouseRelease(&map, Qt::LeftButton, {}, centre(1, 1));
    EXPECT_EQ(prompter_.messages().back(), "The hex 0101 already holds a world");
    // A double-click on an empty hex makes a world there too.
    closeDetails();
    QTest::mouseDClick(&map, Qt::LeftButton, {},
                       map.toWidget(hexCentre(hexAnchor(8, 10, kScreenHexScale), kScreenHexScale)).toPoint());
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(at(810).name.trimmed(), "New world");
    for (const auto& [undone, location, name] : {std::tuple{"Add world at 0810", 810, ""},
                                                 {"Move Coldharbour (0102) to 0305", 102, "Coldharbour"},
                                                 {"Paste world Coldharbour at 0102", 102, ""},
                                                 {"Delete world New world (0102)", 102, "New world"},
                                                 {"Add world at 0102", 102, ""}}) {
        EXPECT_EQ(action("mnuundo")->text().toStdString(), std::string("&Undo ") + undone);
        trigger("mnuundo");
        EXPECT_EQ(at(location).name.trimmed(), name) << undone;
    }
    EXPECT_FALSE(window().isWindowModified());
}

TEST_F(MainWindowTest, EmptyAndBinaryFilesAreRefusedWithOneMessage) {
    load("Ostrel.sbs");
    write("empty.sbs", "");
    write("binary.sbs", std::string("\x7f"
                                    "ELF\x02\x01\x01\0\0\0",
                                    10) +
                            std::string(3000, '\x01'));
    write("blank.tab", tabSector({}));
    const auto recent = window().recentFiles();
    for (const char* name : {"empty.sbs", "binary.sbs", "blank.tab"}) {
        prompter_.prompts.clear();
        EXPECT_FALSE(window().loadFile(path(name)));
        const std::string said = std::string(name) == "blank.tab"
                                     ? "cannot read \"" + path(name) + "\": no world could be read from it"
                                     : "\"" + std::string(name) + "\" holds no world line that can be read";
        EXPECT_EQ(prompter_.messages(), std::vector<std::string>{said});
        EXPECT_EQ(store().subsectorName, "Ostrel");
    }
    EXPECT_EQ(window().recentFiles(), recent);
}

TEST_F(MainWindowTest, AFileOnTheCommandLineIsLoaded) {
    start(path("inner/../second.SBS"));
    EXPECT_EQ(store().subsectorName, "Second");
    EXPECT_EQ(std::filesystem::canonical(window().currentFolder()).string(), folder());
    EXPECT_EQ(title(), "second.SBS[*] - " + applicationTitle());
    // The browser lists files of the type opened.
    write("cmd.tab", tabSector({tabWorld("0101", "Alpha")}));
    whenModalShown("SubsectorChoice", [](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); });
    start(path("cmd.tab"));
    EXPECT_EQ(control<QComboBox>("Combo1")->currentText(), "Sector files");
    EXPECT_EQ(title(), "cmd.tab[*] - " + applicationTitle());
}

TEST_F(MainWindowTest, KeyboardReachesEveryEditorAndUndoTakesTheEditBack) {
    load("Ostrel.sbs");
    EXPECT_EQ(title(), "Ostrel.sbs[*] - " + applicationTitle());
    MapView& map = window().mapView();
    map.setFocus();
    for (const auto key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Left, Qt::Key_Left, Qt::Key_Right})
        QTest::keyClick(&map, key);
    EXPECT_EQ(control<QLabel>("Label1")->text().trimmed(), "Coldharbour");  // the cursor on 0203

    QStringList tabbed;
    whenModalShown("Form2", [&](QWidget* details) {
        for (int i = 0; i < 11; ++i) {
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
    EXPECT_EQ(tabbed, (QStringList{"Label2", "Label6", "UwpLine", "Label8", "Label10", "Label12", "Label14", "Label16",
                                   "Label18", "Label20", "Command1"}));
    EXPECT_EQ(action("mnuundo")->text(), "&Undo Change name of 0203");
    for (const auto& [step, name, changed] :
         {std::tuple{"", "Renamed", true}, {"mnuundo", "Coldharbour", false}, {"mnuredo", "Renamed", true}}) {
        SCOPED_TRACE(step);
        if (*step) trigger(step);
        EXPECT_EQ(store().worlds[13].name.trimmed(), name);
        EXPECT_EQ(window().isWindowModified(), changed);
        EXPECT_EQ(window().isModified(), changed);
    }
}

TEST_F(MainWindowTest, SavesTakeTheExtensionAreListedAndSaveWritesBack) {
    load("Ostrel.sbs");
    window().undoStack().resetClean();
    prompter_.saveAnswers.push_back(path("edited"));
    trigger("mnusbs");
    EXPECT_NE(readFileBytes(path("edited.sbs"))->find("\r\nColdharbour         0203  A788899C"), std::string::npos);
    EXPECT_FALSE(window().isModified());
    EXPECT_TRUE(listed().contains("edited.sbs"));
    EXPECT_EQ(window().selectedFileName(), "Ostrel.sbs");  // the selection kept
    EXPECT_EQ(title(), "edited.sbs[*] - " + applicationTitle());
    store().worlds[1].name = "Changed";
    prompter_.prompts.clear();
    trigger("mnusave");  // back to edited.sbs without a dialog
    EXPECT_TRUE(prompter_.prompts.empty());
    EXPECT_NE(readFileBytes(path("edited.sbs"))->find("\r\nChanged "), std::string::npos);
    EXPECT_EQ(window().recentFiles().at(0), std::filesystem::canonical(path("edited.sbs")).string());
    prompter_.saveAnswers.push_back(std::nullopt);
    trigger("mnusbs");  // cancelled: nothing said
    EXPECT_TRUE(prompter_.messages().empty());
    // A file that is not SBS is saved through the dialog.
    prompter_.yesNoAnswers = {true};
    load("atlas.arp", 1);
    prompter_.saveAnswers.push_back(std::nullopt);
    trigger("mnusave");
    EXPECT_EQ(prompter_.prompts.back().kind, "save");
}

TEST_F(MainWindowTest, TheMapFillsTheWindowAndThePointerStaysExactAtEveryScale) {
    load("Ostrel.sbs");
    MapView& map = window().mapView();
    const int before = map.width();
    window().resize(window().width() + 600, window().height() + 600);
    QApplication::processEvents();
    EXPECT_GT(map.width(), before);
    for (const double zoom : {1.0, 2.5, 6.0}) {
        SCOPED_TRACE(zoom);
        // A world shows its name and profile; an empty hex its location, and the name stays.
        for (const auto& [column, row, shown] : {std::tuple{2, 3, "A-788899-C"}, {3, 5, "0305"}, {8, 10, "0810"}}) {
            // Zoomed around the hex's centre, which stays where it was.
            const MapPoint centre = hexCentre(hexAnchor(column, row, kScreenHexScale), kScreenHexScale);
            window().mapArea().resetZoom();
            const QPoint before = map.mapToParent(map.toWidget(centre).toPoint());
            const MapPoint under = map.toMillimetres(map.mapFromParent(before));
            window().mapArea().zoomAround(zoom, before);
            const MapPoint still = map.toMillimetres(map.mapFromParent(before));
            EXPECT_NEAR(still.x, under.x, 0.15);
            EXPECT_NEAR(still.y, under.y, 0.15);
            QTest::mouseMove(&map, map.toWidget(centre).toPoint());
            const QString location = control<QLabel>("Label2")->text();
            EXPECT_TRUE(location.startsWith(shown)) << location.toStdString();
            EXPECT_EQ(control<QLabel>("Label1")->text().trimmed(), "Coldharbour");
        }
    }
}

TEST_F(MainWindowTest, AnAutosaveLeftByACopyThatDiedIsOfferedAtTheNextStart) {
    load("Ostrel.sbs");
    QTest::keyClicks(desktop_->generationOptions().findChild<QLineEdit*>("Text1"), "X");  // the subsector name
    QTest::qWait(20);
    const std::string own = desktop_->autosave().path();
    const std::string edited = *readFileBytes(own);
    ASSERT_TRUE(edited.starts_with("X\r\nKestrane Reach\r\n"));
    prompter_.yesNoAnswers = {true};  // a normal exit: the own autosave goes
    window().close();
    desktop_.reset();
    EXPECT_FALSE(std::filesystem::exists(own));

    for (const bool recover : {false, true}) {
        SCOPED_TRACE(recover);
        // A copy died: its files stay with a lock whose process is gone.
        write("autosave/autosave-999999.sbs", edited);
        write("autosave/autosave-999999.txt", path("Ostrel.sbs") + "\n2026-12-07 15:31\n");
        write("autosave/autosave-999999.lock", "999999\nqelvar\n" + QSysInfo::machineHostName().toStdString() + "\n");
        prompter_.prompts.clear();
        prompter_.yesNoAnswers = {recover};
        start();
        ASSERT_EQ(prompter_.prompts.size(), 1u);
        EXPECT_NE(prompter_.prompts[0].text.find(path("Ostrel.sbs") + " were kept at 2026-12-07 15:31"),
                  std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(path("autosave/autosave-999999.sbs")));
        EXPECT_EQ(store().subsectorName, recover ? "X" : "");
        EXPECT_EQ(title(), recover ? "Ostrel.sbs[*] - " + applicationTitle() : applicationTitle() + "[*]");
        EXPECT_EQ(window().isWindowModified(), recover);
    }
    // The recovered changes are in no file: undoing an edit made since does not make them look saved.
    QTest::keyClicks(desktop_->generationOptions().findChild<QLineEdit*>("Text1"), "Y");
    QTest::keyClicks(desktop_->generationOptions().findChild<QLineEdit*>("Text2"), "Z");
    trigger("mnuundo");
    trigger("mnuundo");
    EXPECT_EQ(store().subsectorName + "/" + store().sectorName, "X/Kestrane Reach");
    EXPECT_TRUE(window().isWindowModified());
    prompter_.yesNoAnswers = {false};
    EXPECT_FALSE(window().close());
}

// While one copy offers what a copy that died left, a second copy started meanwhile does not offer it too.
TEST_F(MainWindowTest, WhatOneCopyOffersToRecoverNoOtherCopyOffers) {
    write("autosave/autosave-999999.sbs", sbsFile("Lost", ""));
    write("autosave/autosave-999999.lock", "999999\nqelvar\n" + QSysInfo::machineHostName().toStdString() + "\n");
    write("autosave/autosave-999997.txt", "an information file left alone is no autosave\n");
    write("autosave/autosave-999998.sbs", sbsFile("Held", ""));  // a copy still running holds its lock
    QLockFile held(QString::fromStdString(path("autosave/autosave-999998.lock")));
    ASSERT_TRUE(held.tryLock(0));
    Autosave first(store()), second(store());
    EXPECT_EQ(first.findOrphans().size(), 1u);
    EXPECT_TRUE(second.findOrphans().empty());
}

// "Check subsector": the findings of the loaded subsector in a window that follows the store; a double-click
// opens the world's details.
TEST_F(MainWindowTest, CheckWindowListsTheFindingsAndFollowsTheStore) {
    load("Ostrel.sbs");
    trigger("mnucheck");
    auto* check = window().findChild<CheckWindow*>("CheckWindow");
    ASSERT_TRUE(check && check->isVisible() && !check->isModal());
    QTreeWidget& list = check->findingList();
    ASSERT_EQ(list.topLevelItemCount(), 1);
    EXPECT_EQ(list.topLevelItem(0)->text(0) + " " + list.topLevelItem(0)->text(1), "0101 population-zero");
    int opened = 0;
    whenModalShown("Form2", [&opened](QWidget* details) {
        opened = qobject_cast<DetailsWindow*>(details)->slot();
        details->close();
    });
    emit list.itemDoubleClicked(list.topLevelItem(0), 0);
    EXPECT_EQ(opened, 1);
    // An edit there is a step of the history like any other.
    whenModalShown("Form2", [](QWidget* details) {
        QTest::mouseClick(details->findChild<QLabel*>("Label2"), Qt::LeftButton);
        details->close();
    });
    prompter_.inputAnswers = {"Dravenholm"};
    emit list.itemDoubleClicked(list.topLevelItem(0), 0);
    EXPECT_EQ(store().worlds[1].name.trimmed(), "Dravenholm");
    EXPECT_TRUE(window().isWindowModified());
    // The list follows each edit while the details window is still open.
    int findings = 0;
    whenModalShown("Form2", [&](QWidget* details) {
        prompter_.inputAnswers = {"Q"};
        whenModalShown("Form5", [](QWidget* entry) {
            entry->findChild<QLineEdit*>("Text1")->setText("Q");
            press(entry, "Command1");
        });
        QTest::mouseClick(details->findChild<QLabel*>("Label10"), Qt::LeftButton);  // the zone
        findings = list.topLevelItemCount();
        details->close();
    });
    emit list.itemDoubleClicked(list.topLevelItem(0), 0);
    EXPECT_EQ(findings, 2);
    trigger("mnuundo");
    trigger("mnuundo");
    EXPECT_EQ(store().worlds[1].name.trimmed(), "Draven");
    store().worlds[13].zone = "Q";  // Coldharbour
    window().redisplayMap();
    ASSERT_EQ(list.topLevelItemCount(), 2);
    EXPECT_EQ(list.topLevelItem(1)->text(2), "zone \"Q\" is not blank, A or R");
    auto* rules = check->findChild<QLabel*>("CheckRules");
    EXPECT_EQ(rules->text(), "Rules: classic (this program's tables)");
    // A sector file's subsector: the modern rules, on the worlds as the file gives them.
    write("modern.tab",
          "Sector\tSS\tHex\tName\tUWP\tBases\tRemarks\tZone\tPBG\tAllegiance\tStars\n"
          "Sct\tA\t0101\tEmpty\tX000000-1\t\tAs Va Di(Old)\t\t013\tImDd\tD\n"
          "Sct\tA\t0102\tLow\tX000200-0\t\tAs Lo Ni Va\t\t013\tImDd\tM1 V\n");
    whenModalShown("SubsectorChoice", [](QWidget* dialog) { static_cast<QDialog*>(dialog)->accept(); });
    load("modern.tab", 3);
    trigger("mnucheck");
    EXPECT_EQ(rules->text(), "Rules: modern (published sector data)");
    QStringList found;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        found << list.topLevelItem(i)->text(0) + " " + list.topLevelItem(i)->text(1);
    }
    EXPECT_EQ(found, (QStringList{"0102 pag-population", "0102 trade-codes", "0102 tech-range"}));
    QHeaderView* heading = list.header();  // a click on the Rule heading sorts by rule
    QTest::mouseClick(heading->viewport(), Qt::LeftButton, {}, {heading->sectionViewportPosition(1) + 5, 5});
    EXPECT_EQ(list.topLevelItem(1)->text(1), "tech-range");
    click("Command1");  // a generated subsector comes from no sector file
    EXPECT_EQ(rules->text(), "Rules: classic (this program's tables)");
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        check->show();
        QApplication::setActiveWindow(check);
        QTest::keySequence(check, key);
        EXPECT_FALSE(check->isVisible()) << key.toString().toStdString();
    }
}

// Every editor of the details window is one step of the history, named for its field and hex.
TEST_F(MainWindowTest, EveryEditorOfTheDetailsIsOneStepOfTheHistory) {
    load("Ostrel.sbs");
    prompter_.inputAnswers = {"Renamed", "123", "G2 V", "", "", "Noted"};
    const auto entry = [](const char* value) {
        whenModalShown("Form5", [value](QWidget* w) {
            w->findChild<QLineEdit*>("Text1")->setText(value);
            press(w, "Command1");
        });
    };
    whenModalShown("Form2", [&entry](QWidget* details) {
        const auto click = [details](const char* label) {
            QTest::mouseClick(details->findChild<QLabel*>(label), Qt::LeftButton);
        };
        for (const char* label : {"Label2", "Label16", "Label14", "Label18"}) click(label);
        EXPECT_EQ(details->findChild<QLabel*>("Label18")->text().trimmed(), "Noted");  // shown at once
        for (const auto& [label, value] : {std::pair{"Label8", "N"}, {"Label10", "A"}, {"Label20", "Im"}}) {
            entry(value);
            click(label);
        }
        whenModalShown("SPICKBOX", [](QWidget* box) {
            for (auto* b : box->findChildren<QPushButton*>("Command1"))
                if (b->text() == "Tech") return b->click();
        });
        entry("F");
        click("Label6");
        auto* line = details->findChild<QLineEdit*>("UwpLine");
        line->setText("B788899-C");
        QTest::keyClick(line, Qt::Key_Return);
        press(details, "Command1");
    });
    MapView& map = window().mapView();
    map.setFocus();
    for (const auto key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Return}) QTest::keyClick(&map, key);
    QStringList steps;
    for (int i = 0; i < window().undoStack().count(); ++i) steps << window().undoStack().text(i);
    EXPECT_EQ(steps, (QStringList{"Change name of 0203", "Change PAG of 0203", "Change stars of 0203",
                                  "Change notes of 0203", "Change base of 0203", "Change zone of 0203",
                                  "Change allegiance of 0203", "Change UWP of 0203", "Change UWP of 0203"}));
    EXPECT_EQ(store().worlds[13].uwp.str() + std::string(store().worlds[13].notes.trimmed()), "B788899CNoted");
}

// Move asks for a hex of the subsector and paste needs a world line on the clipboard; each refusal says why.
// Delete, copy and move on an empty hex do nothing.
TEST_F(MainWindowTest, WorldEditsRefuseWhatIsNoHexOrNoWorld) {
    load("Ostrel.sbs");  // the cursor on Draven, 0101
    for (const std::string answer : {"0011", "0100", "0901", "0811", "101", "01a1"}) {
        prompter_.inputAnswers = {answer};
        trigger("mnumoveworld");
        EXPECT_EQ(prompter_.messages().back(), "\"" + answer + "\" is no hex of the subsector (0101 to 0810)");
    }
    for (const std::string answer : {"0810", "0102", "0201"}) {
        prompter_.inputAnswers = {answer};
        trigger("mnumoveworld");
        EXPECT_EQ(action("mnuundo")->text().toStdString(), "&Undo Move Draven (0101) to " + answer);
        trigger("mnuundo");
    }
    MapView& map = window().mapView();
    map.setFocus();
    QTest::keyClick(&map, Qt::Key_Right);  // 0201: empty
    QGuiApplication::clipboard()->setText("kept");
    prompter_.prompts.clear();
    for (const char* item : {"mnudeleteworld", "mnucopyworld", "mnumoveworld", "mnupasteworld"}) trigger(item);
    EXPECT_EQ(prompter_.messages(),
              std::vector<std::string>{"The clipboard holds no world line of the tab-separated sector format"});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
    EXPECT_FALSE(enabled("mnuundo"));  // nothing recorded
}

// Zoom In and Out step by a quarter, between the whole map and eight times it; the wheel zooms only with Ctrl.
TEST_F(MainWindowTest, ZoomStepsByAQuarterUpToEightTimesAndTheWheelZoomsOnlyWithCtrl) {
    load("Ostrel.sbs");
    const double whole = window().mapView().width();
    const auto zoomed = [&](const char* item, int times) {
        for (int i = 0; i < times; ++i) trigger(item);
        return window().mapView().width() / whole;
    };
    EXPECT_NEAR(zoomed("mnuzoomin", 1), 1.25, 0.01);
    EXPECT_NEAR(zoomed("mnuzoomin", 20), 8, 0.01);
    EXPECT_NEAR(zoomed("mnuzoomout", 1), 6.4, 0.01);
    EXPECT_NEAR(zoomed("mnuzoomout", 20), 1, 0.01);
    for (const auto modifiers : {Qt::NoModifier, Qt::ControlModifier}) {
        QWheelEvent wheel(QPointF(20, 20), QPointF(20, 20), QPoint(), QPoint(0, 240), Qt::NoButton, modifiers,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&window().mapArea(), &wheel);
    }
    EXPECT_NEAR(zoomed("", 0), 1.5625, 0.01);
}

// The recent files menu holds the last ten loaded or saved, newest first; an entry loads its file and shows
// its folder.
TEST_F(MainWindowTest, RecentFilesAreTheLastTenAndLoadTheirFileInItsFolder) {
    for (int i = 0; i < 11; ++i) {
        const std::string name = "inner/f" + std::to_string(i) + ".sbs";
        write(name, sbsFile("F" + std::to_string(i), sbsWorld("Lone", "0505", "B5446539")));
        ASSERT_TRUE(window().loadFile(path(name)));
    }
    load("Ostrel.sbs");
    auto* menu = window().findChild<QMenu*>("mnurecent");
    emit menu->aboutToShow();
    QStringList entries;
    for (QAction* entry : menu->actions()) entries << entry->text();
    EXPECT_EQ(entries, (QStringList{"&1 Ostrel.sbs", "&2 f10.sbs", "&3 f9.sbs", "&4 f8.sbs", "&5 f7.sbs", "&6 f6.sbs",
                                    "&7 f5.sbs", "&8 f4.sbs", "&9 f3.sbs", "&0 f2.sbs"}));
    menu->actions().at(2)->trigger();
    EXPECT_EQ(store().subsectorName, "F9");
    EXPECT_EQ(window().currentFolder(), std::filesystem::canonical(path("inner")).string());
    EXPECT_TRUE(title().starts_with("f9.sbs[*] - "));
}

}  // namespace qelvar::testing
