// The details window and its editors, built for real offscreen and driven as a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "core/file_io.h"
#include "core/subsector_store.h"
#include "details/description_table.h"
#include "details/details_window.h"
#include "details/pick_box.h"
#include "platform/qt/text_codec.h"
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

std::string described(const char* key) { return descriptionTable().findTrimmedText(key).value(); }

// Clicks the lookup line whose code is `code` and then a button of the value-entry dialog.
void chooseLookup(QWidget* dialog, const QString& code, const char* button) {
    auto* combo = dialog->findChild<QComboBox*>("Combo1");
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i).startsWith(code + ":")) {
            combo->setCurrentIndex(i);
            emit combo->activated(i);
            break;
        }
    }
    QTest::mouseClick(dialog->findChild<QPushButton*>(button), Qt::LeftButton);
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

    SubsectorStore store;
    ScriptedPrompter prompter;
    std::unique_ptr<DetailsWindow> window;
};

TEST_F(DetailsWindowTest, ShowsEveryFieldWithItsDescription) {
    EXPECT_EQ(window->windowTitle(), "Duvuderaz Orizuvo Devade v1");
    EXPECT_EQ(text(window.get(), "Frame3d1"), "Star system details: Hollowmere           1214");
    EXPECT_EQ(text(window.get(), "Label6").split('\n').first(),
              QString::fromStdString("Starport:     A " + described("SA")));
    EXPECT_EQ(text(window.get(), "Label6").split('\n').at(1), "Size:         7 7000 miles diameter");
    EXPECT_EQ(text(window.get(), "Label8"), QString::fromStdString("N " + described("BN")));
    EXPECT_EQ(text(window.get(), "Label20"), QString::fromStdString("Vo " + described("YVo")));
    EXPECT_EQ(text(window.get(), "Label22"), "5,200Cr");
    EXPECT_EQ(text(window.get(), "Label26"), "Tf");  // neither T nor f is a traffic or facility code
    EXPECT_EQ(window->findChild<QLabel*>("Label6")->font().family(), "Courier New");
    EXPECT_TRUE(prompter.prompts.empty());
}

TEST_F(DetailsWindowTest, UnknownLetterIsReportedOnActivationAndCountsAsZero) {
    store.subsectorLetter = "Q";
    window->activate();
    EXPECT_EQ(prompter.messages(), std::vector<std::string>{"DUFF SS LETTER"});
    EXPECT_TRUE(text(window.get(), "Frame3d1").endsWith(" 404"));
}

TEST_F(DetailsWindowTest, ValueEntryOkCancelAndEnter) {
    whenModalShown("Form5", [](QWidget* dialog) {
        EXPECT_EQ(dialog->findChild<QGroupBox*>("Frame1")->title(), "Set new value for Zone");
        auto* combo = dialog->findChild<QComboBox*>("Combo1");
        ASSERT_EQ(combo->count(), 3);
        EXPECT_TRUE(combo->itemText(0).startsWith("Z: No code found"));
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
    EXPECT_EQ(text(window.get(), "Label10"), QString::fromStdString("R " + described("ZR")));

    whenModalShown("Form5", [](QWidget* dialog) { typeAndPress(dialog, "ab", Qt::Key_Return); });
    click("Label8");
    EXPECT_EQ(world().base.str(), "A");

    whenModalShown("Form5", [](QWidget* dialog) { typeAndPress(dialog, "im", Qt::Key_Enter); });
    click("Label20");
    EXPECT_EQ(world().allegiance.str(), "im");
    EXPECT_EQ(text(window.get(), "Label20"), "im");

    // Closing the dialog by its frame is Cancel.
    whenModalShown("Form5", [](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("Text1")->setText("X");
        dialog->close();
    });
    click("Label8");
    EXPECT_EQ(world().base.str(), "A");
    EXPECT_TRUE(prompter.prompts.empty());
}

TEST_F(DetailsWindowTest, TypedCharacterWithoutACodeBecomesAQuestionMark) {
    whenModalShown("Form5", [](QWidget* dialog) {
        dialog->findChild<QLineEdit*>("Text1")->setText(QString::fromUtf8("\xe2\x98\x85x"));  // a star sign
        QTest::mouseClick(dialog->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    });
    click("Label20");
    EXPECT_EQ(world().allegiance.str(), "?x");
}

TEST_F(DetailsWindowTest, UwpPickBoxThenValueEntry) {
    const auto pick = [](const QString& caption) {
        return [caption](QWidget* box) {
            EXPECT_EQ(box->windowTitle(), "Select UWP stat to change");
            for (auto* button : box->findChildren<QPushButton*>("Command1")) {
                if (button->isVisible() && button->text() == caption) {
                    QTest::mouseClick(button, Qt::LeftButton);
                    return;
                }
            }
            ADD_FAILURE() << "no option " << caption.toStdString();
            box->close();
        };
    };
    whenModalShown("SPICKBOX", pick("Abandon"));
    click("Label6");
    whenModalShown("SPICKBOX", [](QWidget* box) { box->close(); });
    click("Label6");
    EXPECT_EQ(world().uwp.str(), "A788899C");
    EXPECT_EQ(store.unsavedChanges, 0);

    whenModalShown("SPICKBOX", pick("Tech"));
    whenModalShown("Form5", [](QWidget* dialog) {
        EXPECT_EQ(dialog->findChild<QGroupBox*>("Frame1")->title(), "Set new value for Tech Level");
        EXPECT_EQ(dialog->findChild<QLineEdit*>("Text1")->text(), "C");
        EXPECT_EQ(dialog->findChild<QComboBox*>("Combo1")->count(), 22);
        typeAndPress(dialog, "f", Qt::Key_Return);
    });
    click("Label6");
    EXPECT_EQ(world().uwp.str(), "A788899F");
    EXPECT_EQ(store.unsavedChanges, 1);
    EXPECT_TRUE(text(window.get(), "Label6").endsWith(QString::fromStdString("Tech Level:   F " + described("TF")) + "\n"));
    EXPECT_EQ(world().tradeCodes.str(), "Ni Cp Po       ");  // nothing recomputed
}

TEST_F(DetailsWindowTest, PickBoxLayoutInPixels) {
    PickBox& box = window->pickBox();
    whenModalShown("SPICKBOX", [](QWidget* shown) {
        int visible = 0;
        for (auto* button : shown->findChildren<QPushButton*>("Command1")) {
            if (!button->isVisible()) continue;
            ++visible;
            EXPECT_EQ(button->width(), 177);  // 150 + 100 * 25 twips (the title is the longest text) at 96 dpi
            EXPECT_NEAR(button->x() + button->width() / 2.0, shown->width() / 2.0, 1.0);
        }
        EXPECT_EQ(visible, 3);
        shown->findChildren<QPushButton*>("Command1").at(1)->click();
    });
    const PickedOption picked = box.pickOption("One/Two/Three", "Select UWP stat to change");
    EXPECT_EQ(picked.number, 2);
    EXPECT_EQ(picked.text, "Two");
}

TEST_F(DetailsWindowTest, InputBoxEditors) {
    prompter.inputAnswers = {"120", "", "K7 V", "", "", "Newname"};
    click("Label16");
    EXPECT_EQ(world().pag.str(), "120");
    EXPECT_EQ(world().gasGiant.str(), " ");
    EXPECT_EQ(text(window.get(), "Label12"), " ");
    EXPECT_EQ(store.unsavedChanges, 1);
    store.unsavedChanges = 0;

    click("Label14");
    EXPECT_EQ(world().star1.str(), "G2 V  ");
    EXPECT_EQ(world().star2.str(), "K7 V  ");
    EXPECT_EQ(world().star3.str(), "K5 III");
    EXPECT_EQ(store.unsavedChanges, 1);
    store.unsavedChanges = 0;

    click("Label18");  // empty answer: nothing changes
    EXPECT_EQ(store.unsavedChanges, 0);

    click("Label2");
    EXPECT_EQ(world().name.str(), "Newname             ");
    EXPECT_EQ(text(window.get(), "Label2"), "Newname");
    EXPECT_TRUE(text(window.get(), "Frame3d1").contains("Hollowmere"));  // no rebuild after a name edit
    EXPECT_EQ(store.unsavedChanges, 1);

    std::vector<std::string> prompts;
    for (const auto& p : prompter.prompts) {
        prompts.push_back(p.text);
        EXPECT_EQ(p.title, store.appTitle);
    }
    EXPECT_EQ(prompts, (std::vector<std::string>{"Pop Ast Gas", "Star 1", "Star 2", "Star 3", "Notes",
                                                 "System name"}));
}

TEST_F(DetailsWindowTest, NotesRoundTripInTheLocTree) {
    const std::string maps = path("maps/spinward");
    std::filesystem::create_directories(maps);
    std::filesystem::create_directories(dir_ / "locs" / "spinward");
    const std::string notesFile = path("locs/spinward/P1214.txt");
    write("locs/spinward/P1214.txt", "Old \xe9 line\r\nsecond\r\n");
    window->setMapFolder(maps);
    window->setNotesEnabled(true);

    whenModalShown("SLIST4", [](QWidget* shown) {
        EXPECT_EQ(shown->findChild<QLabel*>("Label1")->text(),
                  "Edit notes for Star system details: Hollowmere           1214");
        auto* edit = shown->findChild<QPlainTextEdit*>("Text1");
        EXPECT_EQ(edit->toPlainText(), QString::fromUtf8("Old \xc3\xa9 line\nsecond\n"));
        edit->moveCursor(QTextCursor::End);
        QTest::keyClicks(edit, "third");
        QTest::mouseClick(shown->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    });
    QTest::mouseClick(window->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    EXPECT_EQ(readFileBytes(notesFile).bytes, "Old \xe9 line\r\nsecond\r\nthird\r\n");

    whenModalShown("SLIST4", [](QWidget* shown) {
        QTest::keyClicks(shown->findChild<QPlainTextEdit*>("Text1"), "discarded");
        QTest::keyClick(shown, Qt::Key_Escape);
    });
    QTest::mouseClick(window->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    EXPECT_EQ(readFileBytes(notesFile).bytes, "Old \xe9 line\r\nsecond\r\nthird\r\n");
    EXPECT_TRUE(prompter.prompts.empty());
    EXPECT_EQ(store.unsavedChanges, 0);
}

TEST_F(DetailsWindowTest, NotesThatCannotBeSavedAreReported) {
    window->setMapFolder(path("maps"));  // no "locs" folder beside it
    whenModalShown("SLIST4", [](QWidget* shown) {
        QTest::keyClicks(shown->findChild<QPlainTextEdit*>("Text1"), "typed");
        QTest::mouseClick(shown->findChild<QPushButton*>("Command1"), Qt::LeftButton);
    });
    QTest::mouseClick(window->findChild<QPushButton*>("Command2"), Qt::LeftButton);
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_NE(prompter.messages()[0].find("locs/P1214.txt"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path("locs")));
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
            QTest::mouseClick(shown->findChild<QPushButton*>("Command1"), Qt::LeftButton);
        });
        showWorldDetails(nullptr, store, prompter, 12, "/nowhere/maps", c.file);
        EXPECT_EQ(store.detailIndex, 12);
    }
}

}  // namespace
}  // namespace qelvar
