// The desktop prompter's boxes, shown for real offscreen and answered as they appear.
#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include "qt_prompter.h"
#include "support/window_description.h"

namespace qelvar {
namespace {

TEST(QtPrompterTest, SeveralNoticesAreOneBoxOneALineWhichCanBeCopied) {
    QWidget parent;
    QtPrompter prompter(&parent, "Qelvar");
    struct Box {
        QString name, text, details;
        bool selectable = false;
    };
    std::vector<Box> boxes;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&boxes] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes.push_back({box->objectName(), box->text(), box->detailedText(),
                             (box->textInteractionFlags() & Qt::TextSelectableByMouse) != 0});
            box->accept();
        }
    });
    answer.start(5);
    Notices notices;
    for (int i = 0; i < 25; ++i) notices.emplace_back("FAILED " + std::to_string(i));
    prompter.tell(notices);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].name, "Messages");
    EXPECT_TRUE(boxes[0].text.startsWith("FAILED 0\nFAILED 1\n"));
    EXPECT_TRUE(boxes[0].text.endsWith("FAILED 19\n..."));
    EXPECT_EQ(boxes[0].details.count('\n'), 24);
    EXPECT_TRUE(boxes[0].selectable);
    notices.erase(notices.begin() + 20, notices.end());  // twenty all shown, none left for the details
    prompter.tell(notices);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[1].text.endsWith("FAILED 19") && boxes[1].details.isEmpty());
    // One notice is one box as a message is.
    prompter.tell({Notice("DUFF SS LETTER")});
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[2].text, "DUFF SS LETTER");
}

// Each kind of box with its icon, title, text, buttons and default, and what pressing Enter (or Esc, for the
// input box) gives back.
TEST(QtPrompterTest, EveryBoxAsAUserSeesItAndWhatEnterOrEscGives) {
    QWidget parent;
    QtPrompter prompter(&parent, "Qelvar");
    QString shown;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&shown] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box) return;
        shown += testing::seen(QString::number(shown.count("== ")), box);
        const bool cancel = qobject_cast<QInputDialog*>(box) && shown.count("== ") == 8;
        QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, cancel ? Qt::Key_Escape : Qt::Key_Return);
    });
    answer.start(5);
    for (const auto& [icon, title] : {std::pair{MessageIcon::Information, ""},
                                      {MessageIcon::Exclamation, "Own"},
                                      {MessageIcon::Critical, ""},
                                      {MessageIcon::None, ""}}) {
        prompter.message("Said", icon, title);
    }
    EXPECT_FALSE(prompter.askYesNo("Sure?", MessageIcon::Question, "", false));
    EXPECT_TRUE(prompter.askYesNo("Go on?", MessageIcon::Exclamation, "Own", true));
    EXPECT_EQ(prompter.inputBox("Name", "", "Proposed"), "Proposed");
    EXPECT_EQ(prompter.inputBox("Name", "Own", "Typed"), "");
    testing::expectSeen("QtPrompter", shown);
}

}  // namespace
}  // namespace qelvar
