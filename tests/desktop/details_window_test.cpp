// The details window and its editors, built for real offscreen and driven as a user would.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "store/file_io.h"
#include "store/subsector_store.h"
#include "details/description_table.h"
#include "details_window.h"
#include "support/modal_dialogs.h"
#include "support/sample_world.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace qelvar {
namespace {

using testing::ScriptedPrompter;
using testing::whenModalShown;

constexpr int kSlot = 34;  // hex 0404

QString text(const QWidget* window, const char* control) {
    if (const auto* label = window->findChild<QLabel*>(control)) return label->text();
    if (const auto* frame = window->findChild<QGroupBox*>(control)) return frame->title();
    return "<missing>";
}

QString described(const char* code, const char* key) {
    return QString(code) + " " + QString::fromStdString(descriptionTable().findTrimmedText(key).value());
}

void press(QWidget* dialog, const char* button) {
    QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
}

// Clicks the lookup line whose code is `code` and then a button of the value-entry dialog.
void chooseLookup(QWidget* dialog, const QString& code, const char* button) {
    auto* combo = dialog->findChild<QComboBox*>("Combo1");
    const int line = combo->findText(code + ":", Qt::MatchStartsWith);
    EXPECT_GE(line, 0) << code.toStdString();
    combo->setCurrentIndex(line);
    emit combo->activated(line);
    press(dialog, button);
}

void typeAndPress(QWidget* dialog, const QString& typed, Qt::Key key) {
    auto* edit = dialog->findChild<QLineEdit*>("Text1");
    edit->selectAll();
    QTest::keyClicks(edit, typed);
    QTest::keyClick(edit, key);
}

class DetailsWindowTest : public testing::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        store.appTitle = "Duvuderaz Orizuvo Devade v1";
        store.subsectorLetter = "F";
        store.worlds[kSlot] = testing::sampleWorld(404);
        store.detailIndex = kSlot;
        window = std::make_unique<DetailsWindow>(store, prompter);
        window->activate();
        window->show();
    }
    void TearDown() override {
        window.reset();
        TempFolderTest::TearDown();
    }
    WorldRecord& world() { return store.worlds[kSlot]; }
    void click(const char* label) { QTest::mouseClick(window->findChild<QLabel*>(label), Qt::LeftButton); }
    void editNotes(std::function<void(QWidget*)> act) {
        whenModalShown("SLIST4", act);
        press(window.get(), "Command2");
    }

    SubsectorStore store;
    ScriptedPrompter prompter;
    std::unique_ptr<DetailsWindow> window;
};

TEST_F(DetailsWindowTest, ShowsFieldsWithTheirDescriptionsAndReportsAnUnknownLetter) {
    EXPECT_EQ(window->windowTitle(), "Duvuderaz Orizuvo Devade v1");
    EXPECT_EQ(text(window.get(), "Frame3d1"), "Star system details: Hollowmere           1214");
    EXPECT_EQ(text(window.get(), "Label6").split('\n').first(), "Starport:     " + described("A", "SA"));
    EXPECT_EQ(text(window.get(), "Label8"), described("N", "BN"));
    EXPECT_EQ(text(window.get(), "Label26"), "Tf");  // neither T nor f is a traffic or facility code

    store.subsectorLetter = "Q";
    window->activate();
    EXPECT_EQ(prompter.messages(), std::vector<std::string>{"DUFF SS LETTER"});
    EXPECT_TRUE(text(window.get(), "Frame3d1").endsWith(" 404"));
}

TEST_F(DetailsWindowTest, ValueEntryOkCancelAndEnter) {
    whenModalShown("Form5", [](QWidget* dialog) {
        EXPECT_EQ(dialog->findChild<QGroupBox*>("Frame1")->title(), "Set new value for Zone");
        EXPECT_EQ(dialog->findChild<QLineEdit*>("Text1")->text(), "A");
        chooseLookup(dialog, "R", "Command2");  // Cancel
    });
    click("Label10");
    EXPECT_EQ(world().zone.str(), "A");
    EXPECT_EQ(store.unsavedChanges, 0);

    whenModalShown("Form5", [](QWidget* dialog) { chooseLookup(dialog, "R", "Command1"); });
    click("Label10");
    EXPECT_EQ(world().zone.str(), "R");
    EXPECT_EQ(store.unsavedChanges, 1);
    EXPECT_EQ(text(window.get(), "Label10"), described("R", "ZR"));

    whenModalShown("Form5", [](QWidget* dialog) { typeAndPress(dialog, "im", Qt::Key_Enter); });
    click("Label20");
    EXPECT_EQ(world().allegiance.str(), "im");

    // Closing the dialog by its frame is Cancel; a typed character without a code becomes "?".
    whenModalShown("Form5", [](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("Text1")->setText("X");
        dialog->close();
    });
    click("Label8");
    EXPECT_EQ(world().base.str(), "N");
    whenModalShown("Form5", [](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("Text1")->setText(QString::fromUtf8("\xe2\x98\x85x"));  // a star sign
        press(dialog, "Command1");
    });
    click("Label20");
    EXPECT_EQ(world().allegiance.str(), "?x");
    EXPECT_TRUE(prompter.prompts.empty());
}

TEST_F(DetailsWindowTest, UwpPickBoxThenValueEntry) {
    whenModalShown("SPICKBOX", [](QWidget* box) { box->close(); });
    click("Label6");
    EXPECT_EQ(store.unsavedChanges, 0);

    whenModalShown("SPICKBOX", [](QWidget* box) {
        EXPECT_EQ(box->windowTitle(), "Select UWP stat to change");
        for (auto* button : box->findChildren<QPushButton*>("Command1")) {
            if (button->isVisible() && button->text() == "Tech") return QTest::mouseClick(button, Qt::LeftButton);
        }
        ADD_FAILURE() << "no option Tech";
        box->close();
    });
    whenModalShown("Form5", [](QWidget* dialog) {
        EXPECT_EQ(dialog->findChild<QGroupBox*>("Frame1")->title(), "Set new value for Tech Level");
        typeAndPress(dialog, "f", Qt::Key_Return);
    });
    click("Label6");
    EXPECT_EQ(world().uwp.str(), "A788899F");
    EXPECT_EQ(store.unsavedChanges, 1);
    EXPECT_TRUE(text(window.get(), "Label6").endsWith("Tech Level:   " + described("F", "TF") + "\n"));
    EXPECT_EQ(world().tradeCodes.str(), "Ni Cp Po       ");  // nothing recomputed
}

TEST_F(DetailsWindowTest, InputBoxEditors) {
    prompter.inputAnswers = {"120", "", "K7 V", "", "", "Newname"};
    click("Label16");
    EXPECT_EQ(world().gasGiant.str(), " ");
    EXPECT_EQ(text(window.get(), "Label12"), " ");
    EXPECT_EQ(store.unsavedChanges, 1);
    store.unsavedChanges = 0;
    click("Label14");
    EXPECT_EQ(world().star2.str(), "K7 V  ");
    EXPECT_EQ(store.unsavedChanges, 1);
    store.unsavedChanges = 0;
    click("Label18");  // empty answer: nothing changes
    EXPECT_EQ(store.unsavedChanges, 0);
    click("Label2");
    EXPECT_EQ(text(window.get(), "Label2"), "Newname");
    EXPECT_TRUE(text(window.get(), "Frame3d1").contains("Hollowmere"));  // no rebuild after a name edit

    std::vector<std::string> prompts;
    for (const auto& p : prompter.prompts) {
        prompts.push_back(p.text);
        EXPECT_EQ(p.title, store.appTitle);
    }
    EXPECT_EQ(prompts, (std::vector<std::string>{"Pop Ast Gas", "Star 1", "Star 2", "Star 3", "Notes", "System name"}));
}

TEST_F(DetailsWindowTest, NotesRoundTripInTheLocTree) {
    std::filesystem::create_directories(dir_ / "maps" / "spinward");
    std::filesystem::create_directories(dir_ / "locs" / "spinward");
    const std::string notesFile = path("locs/spinward/P1214.txt");
    write("locs/spinward/P1214.txt", "Old \xe9 line\r\nsecond\r\n");
    window->setMapFolder(path("maps/spinward"));
    window->setNotesEnabled(true);

    editNotes([](QWidget* shown) {
        EXPECT_EQ(shown->findChild<QLabel*>("Label1")->text(),
                  "Edit notes for Star system details: Hollowmere           1214");
        auto* edit = shown->findChild<QPlainTextEdit*>("Text1");
        EXPECT_EQ(edit->toPlainText(), QString::fromUtf8("Old \xc3\xa9 line\nsecond\n"));
        edit->moveCursor(QTextCursor::End);
        QTest::keyClicks(edit, "third");
        press(shown, "Command1");
    });
    EXPECT_EQ((*readFileBytes(notesFile)), "Old \xe9 line\r\nsecond\r\nthird\r\n");

    editNotes([](QWidget* shown) {
        QTest::keyClicks(shown->findChild<QPlainTextEdit*>("Text1"), "discarded");
        QTest::keyClick(shown, Qt::Key_Escape);
    });
    EXPECT_EQ((*readFileBytes(notesFile)), "Old \xe9 line\r\nsecond\r\nthird\r\n");
    EXPECT_TRUE(prompter.prompts.empty());
    EXPECT_EQ(store.unsavedChanges, 0);

    window->setMapFolder(path("other/maps"));  // no "locs" folder beside it: the failed save is reported
    editNotes([](QWidget* shown) {
        QTest::keyClicks(shown->findChild<QPlainTextEdit*>("Text1"), "typed");
        press(shown, "Command1");
    });
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_NE(prompter.messages()[0].find("other/locs/P1214.txt"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path("other")));
}

TEST(ShowWorldDetails, NotesButtonFollowsTheSelectedFileName) {
    const struct {
        const char* file;
        bool enabled;
    } cases[] = {{"spin.dat", true}, {"SPIN.DAT", false}, {"x.sbs", false}, {"", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        SubsectorStore store;
        store.subsectorLetter = "A";
        store.worlds[12] = testing::sampleWorld(202);
        ScriptedPrompter prompter;
        whenModalShown("Form2", [&](QWidget* shown) {
            EXPECT_EQ(shown->findChild<QPushButton*>("Command2")->isEnabled(), c.enabled);
            EXPECT_TRUE(shown->findChild<QGroupBox*>("Frame3d1")->title().endsWith(" 202"));
            press(shown, "Command1");
        });
        showWorldDetails(nullptr, store, prompter, 12, "/nowhere/maps", c.file);
        EXPECT_EQ(store.detailIndex, 12);
    }
}

}  // namespace
}  // namespace qelvar
