// The desktop prompter's boxes, shown for real offscreen and answered as they appear.
#include <gtest/gtest.h>

#include <QtWidgets>

#include "qt_prompter.h"

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
    // One notice is one box as a message is.
    prompter.tell({Notice("DUFF SS LETTER")});
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "DUFF SS LETTER");
}

}  // namespace
}  // namespace qelvar
