// The details window and its editors, built for real offscreen and driven as a user would.
#include "details/description_table.h"
#include "details_window.h"
#include "document_controller.h"
#include "store/startup.h"
#include "support/desktop_fixture.h"
#include "support/sample_world.h"

extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace qelvar::testing {

constexpr int kSlot = 34;  // hex 0404

static QString described(const char* code, const char* key) {
    return QString(code) + " " + QString::fromStdString(descriptionTable().findTrimmedText(key).value());
}

// Chooses the lookup line whose code is `code`, then presses a button of the value-entry dialog.
static void chooseLookup(QWidget* dialog, const QString& code, const char* button) {
    auto* combo = dialog->findChild<QComboBox*>("Combo1");
    emit combo->activated(combo->findText(code + ":", Qt::MatchStartsWith));
    press(dialog, button);
}

// Puts text into the value-entry dialog's box as a user types it.
static QLineEdit* typed(QWidget* dialog, const QString& text) {
    auto* edit = dialog->findChild<QLineEdit*>("Text1");
    edit->setText(text);
    return edit;
}

class DetailsWindowTest : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        store.subsectorLetter = "F";
        store.worlds[kSlot] = sampleWorld(404);
        document.startNewHistory({});
        window->activate();
        window->show();
    }
    WorldRecord& world() { return store.worlds[kSlot]; }
    // The caption of a label or frame of the window.
    QString text(const char* control) const {
        if (const auto* label = window->findChild<QLabel*>(control)) return label->text();
        if (const auto* frame = window->findChild<QGroupBox*>(control)) return frame->title();
        return "<missing>";
    }
    void click(const char* label) { QTest::mouseClick(window->findChild<QLabel*>(label), Qt::LeftButton); }
    // Acts in the value-entry dialog a click on `label` opens; gives the base, zone and allegiance after it.
    std::string valueEntry(const char* label, std::function<void(QWidget*)> act) {
        history.setClean();
        whenModalShown("Form5", act);
        click(label);
        return world().base.str() + world().zone.str() + world().allegiance.str();
    }

    SubsectorStore store;
    ScriptedPrompter prompter;
    DocumentController document{store, prompter, nullptr, [] { return std::string(); }};
    QUndoStack& history = document.undoStack();
    std::unique_ptr<DetailsWindow> window = std::make_unique<DetailsWindow>(document, store, prompter, kSlot);
};

TEST_F(DetailsWindowTest, ShowsTheCaptionsAtTheSubsectorsHexesAndReportsAnUnknownLetter) {
    EXPECT_EQ(text("Frame3d1"), "Star system details: Hollowmere           1214");
    EXPECT_EQ(text("Label6").split('\n').first(), "Starport:     " + described("A", "SA"));
    EXPECT_EQ(text("Label26"), "Tf");  // a read-only value; neither T nor f is a traffic or facility code
    store.subsectorLetter = "Q";
    window->activate();
    EXPECT_EQ(prompter.messages(), std::vector<std::string>{"DUFF SS LETTER"});
    EXPECT_TRUE(text("Frame3d1").endsWith(" 0404"));
}

// Base, zone and allegiance through the value-entry dialog: a lookup line or typed text, taken with OK or
// Enter; Cancel and closing the dialog by its frame change nothing.
TEST_F(DetailsWindowTest, ValueEntryOkCancelAndEnter) {
    EXPECT_EQ(valueEntry("Label10",
                         [](QWidget* dialog) {
                             EXPECT_EQ(dialog->findChild<QGroupBox*>("Frame1")->title(), "Set new value for Zone");
                             EXPECT_EQ(dialog->focusWidget(), dialog->findChild<QLineEdit*>("Text1"));
                             EXPECT_EQ(dialog->findChild<QLineEdit*>("Text1")->text(), "A");
                             EXPECT_TRUE(dialog->findChild<QPushButton*>("Command1")->isDefault());  // OK framed
                             emit dialog->findChild<QComboBox*>("Combo1")->activated(0);  // the first line too
                             EXPECT_EQ(dialog->findChild<QLineEdit*>("Text1")->text(), "Z:");
                             chooseLookup(dialog, "R", "Command2");  // Cancel
                         }),
              "NAVo");
    EXPECT_TRUE(history.isClean());
    EXPECT_EQ(valueEntry("Label10", [](QWidget* dialog) { chooseLookup(dialog, "R", "Command1"); }), "NRVo");
    EXPECT_FALSE(history.isClean());
    EXPECT_EQ(text("Label10"), described("R", "ZR"));
    EXPECT_EQ(valueEntry("Label20", [](QWidget* dialog) { QTest::keyClick(typed(dialog, "im"), Qt::Key_Enter); }),
              "NRim");
    EXPECT_EQ(valueEntry("Label8", [](QWidget* dialog) { typed(dialog, "X")->window()->close(); }), "NRim");
    EXPECT_TRUE(history.isClean());
    // A typed character without a code becomes "?".
    const QString star = QString::fromUtf8("\xe2\x98\x85x");
    EXPECT_EQ(valueEntry("Label20", [&](QWidget* dialog) { press(typed(dialog, star)->window(), "Command1"); }),
              "NR?x");
    EXPECT_TRUE(prompter.prompts.empty());
}

TEST_F(DetailsWindowTest, UwpPickBoxThenValueEntry) {
    whenModalShown("SPICKBOX", [](QWidget* box) { box->close(); });
    click("Label6");
    EXPECT_TRUE(history.isClean());

    whenModalShown("SPICKBOX", [](QWidget* box) {
        for (auto* button : box->findChildren<QPushButton*>("Command1")) {
            if (!button->isVisible() || button->text() != "Tech") continue;
            button->setFocus();
            QTest::keyClick(button, Qt::Key_Return);  // Enter presses the focused button
            if (!box->isVisible()) return;
            ADD_FAILURE() << "Enter did not press Tech";
            return static_cast<void>(box->close());
        }
        ADD_FAILURE() << "no option Tech";
        box->close();
    });
    whenModalShown("Form5", [](QWidget* dialog) {
        EXPECT_EQ(dialog->findChild<QGroupBox*>("Frame1")->title(), "Set new value for Tech Level");
        EXPECT_EQ(dialog->findChild<QLineEdit*>("Text1")->text(), "C");  // the digit it has
        QTest::keyClick(typed(dialog, "f"), Qt::Key_Return);
    });
    click("Label6");
    EXPECT_EQ(world().uwp.str(), "A788899F");
    EXPECT_FALSE(history.isClean());
    EXPECT_TRUE(text("Label6").endsWith("Tech Level:   " + described("F", "TF") + "\n"));
    EXPECT_EQ(world().tradeCodes.str(), "Ri Cp          ");  // the standard codes from the new profile; Cp kept
}

TEST_F(DetailsWindowTest, TheUwpLineStoresTheWholeProfileOrSaysWhatIsWrong) {
    auto* line = window->findChild<QLineEdit*>("UwpLine");
    auto* problem = window->findChild<QLabel*>("UwpProblem");
    ASSERT_TRUE(line && problem);
    EXPECT_EQ(line->text(), "A788899-C");
    for (const auto& [typed, stored, wrong] : {std::tuple{"b563753-9", "B5637539", ""},
                                               {"X000000V", "X000000V", ""},
                                               {"A78", "X000000V", "the UWP \"A78\" is not a starport"}}) {
        SCOPED_TRACE(typed);
        history.setClean();
        line->setText(typed);
        QTest::keyClick(line, Qt::Key_Return);
        EXPECT_TRUE(window->isVisible());  // Enter belongs to the line
        EXPECT_EQ(world().uwp.str(), stored);
        EXPECT_EQ(problem->isVisible(), *wrong != 0);
        if (*wrong != 0) {
            EXPECT_TRUE(problem->text().startsWith(wrong)) << problem->text().toStdString();
        }
        EXPECT_EQ(history.isClean(), *wrong != 0);
    }
    EXPECT_EQ(world().tradeCodes.trimmed(), "As Ba Lo Ni Va");  // from the new profile
    line->setText("A788899-C and more");
    EXPECT_EQ(line->text(), "A788899-C an");  // room for a profile and a little more
}

TEST_F(DetailsWindowTest, InputBoxEditors) {
    prompter.inputAnswers = {"120", "", "K7 V", "", "", "Newname"};
    // An empty answer changes nothing.
    for (const auto& [label, changed] :
         {std::pair{"Label16", true}, {"Label14", true}, {"Label18", false}, {"Label2", true}}) {
        SCOPED_TRACE(label);
        history.setClean();
        click(label);
        EXPECT_EQ(!history.isClean(), changed);
    }
    EXPECT_EQ(world().gasGiant.str() + "|" + world().star2.str(), " |K7 V  ");
    EXPECT_EQ(text("Label12"), " ");
    EXPECT_EQ(text("Label2"), "Newname");
    EXPECT_TRUE(text("Frame3d1").contains("Hollowmere"));  // no rebuild after a name edit
    std::vector<std::string> prompts;
    for (const auto& p : prompter.prompts) prompts.push_back(p.title == applicationTitle() ? p.text : "another title");
    EXPECT_EQ(prompts, (std::vector<std::string>{"Pop Ast Gas", "Star 1", "Star 2", "Star 3", "Notes", "System name"}));
    prompter.inputAnswers = {"Keyed"};
    auto* name = window->findChild<QLabel*>("Label2");
    QTest::keyClick(name, Qt::Key_Space, Qt::ControlModifier);  // Space alone opens the editor
    QTest::keyClick(name, Qt::Key_Space);
    EXPECT_EQ(world().name.trimmed(), "Keyed");
}

TEST_F(DetailsWindowTest, NotesRoundTripInTheLocTree) {
    std::filesystem::create_directories(dir_ / "locs" / "spinward");
    write("locs/spinward/P1214.txt", "Old \xe9 line\r\nsecond\r\n");
    window->setMapFolder(path("maps/spinward"));
    window->setNotesEnabled(true);
    whenModalShown("SLIST4", [](QWidget* shown) {
        EXPECT_EQ(shown->findChild<QLabel*>("Label1")->text(),
                  "Edit notes for Star system details: Hollowmere           1214");
        auto* edit = shown->findChild<QPlainTextEdit*>("Text1");
        EXPECT_EQ(edit->toPlainText(), QString::fromUtf8("Old \xc3\xa9 line\nsecond\n"));
        edit->moveCursor(QTextCursor::End);
        QTest::keyClicks(edit, "third");
        press(shown, "Command1");
    });
    press(window.get(), "Command2");  // "Notes"
    EXPECT_EQ(*readFileBytes(path("locs/spinward/P1214.txt")), "Old \xe9 line\r\nsecond\r\nthird\r\n");
    EXPECT_TRUE(history.isClean());

    // With no "locs" folder the failed save is said once, and the window comes back with the typed text
    // until Cancel gives it up.
    window->setMapFolder(path("other/maps"));
    whenModalShown("SLIST4", [](QWidget* shown) {
        QTest::keyClicks(shown->findChild<QPlainTextEdit*>("Text1"), "typed");
        whenModalShown("SLIST4", [](QWidget* again) {
            EXPECT_EQ(again->findChild<QPlainTextEdit*>("Text1")->toPlainText(), "typed");
            press(again, "Command2");
        });
        press(shown, "Command1");
    });
    press(window.get(), "Command2");
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_NE(prompter.messages()[0].find("other/locs/P1214.txt"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path("other")));
}

// The worlds of a DAT file offer their notes; the engine's tests try the file names, and the keyboard case
// of the main window shows an SBS file's worlds without them.
TEST(ShowWorldDetails, NotesAreOfferedForTheWorldsOfADatFile) {
    SubsectorStore store;
    store.worlds[12] = sampleWorld(202);
    ScriptedPrompter prompter;
    DocumentController document{store, prompter, nullptr, [] { return std::string(); }};
    whenModalShown("Form2", [](QWidget* shown) {
        EXPECT_TRUE(shown->findChild<QPushButton*>("Command2")->isEnabled());
        press(shown, "Command1");
    });
    showWorldDetails(nullptr, document, store, prompter, 12, "/nowhere/maps", "spin.dat");
}

}  // namespace qelvar::testing
