// The text window: its keys, the time stamp and its printouts as PDF.
#include "support/desktop_fixture.h"
#include "text_window.h"

namespace qelvar::testing {

static QPlainTextEdit* editor(QWidget* w) { return w->findChild<QPlainTextEdit*>("Text1"); }

class TextWindowTest : public TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        window.setClock([] {
            std::tm when{};
            when.tm_year = 2026 - 1900, when.tm_mon = 11, when.tm_mday = 5, when.tm_hour = 16, when.tm_min = 55;
            return when;
        });
    }

    // Edits `text` under `heading`, acting in the window, and gives the lines with text of the PDF it printed.
    QStringList printed(const QString& heading, QString text, std::function<void(QWidget*)> act) {
        const std::string pdf = path("out.pdf");
        qputenv("QELVAR_PRINT_PDF", QByteArray::fromStdString(pdf));
        whenModalShown("SLIST4", act);
        window.edit(heading, text);
        qunsetenv("QELVAR_PRINT_PDF");
        QStringList lines = QString::fromStdString(pdfText(pdf)).split('\n');
        for (QString& line : lines) line = line.simplified();
        lines.removeAll("");
        return lines;
    }

    TextWindow window;
};

// Each row acts after " more" was typed to "start"; the text as taken, or none when given up.
TEST_F(TextWindowTest, OkCtrlEnterCancelEscapeAndTheTimeStamp) {
    const std::tuple<const char*, std::function<void(QWidget*)>, const char*> cases[] = {
        {"Ok", [](QWidget* w) { press(w, "Command1"); }, "start more"},
        {"Ctrl+Enter", [](QWidget* w) { QTest::keyClick(editor(w), Qt::Key_Return, Qt::ControlModifier); },
         "start more"},
        {"Cancel", [](QWidget* w) { press(w, "Command2"); }, nullptr},
        {"Escape", [](QWidget* w) { QTest::keyClick(editor(w), Qt::Key_Escape); }, nullptr},
        {"Ctrl+Enter on a button does not accept",
         [](QWidget* w) {
             QTest::keyClick(w->findChild<QPushButton*>("Command3"), Qt::Key_Return, Qt::ControlModifier);
             EXPECT_TRUE(w->isVisible());
             QTest::keyClick(w, Qt::Key_Escape);
         },
         nullptr},
        {"F5 appends the time stamp; Ctrl+Z undoes the typing after it, not the stamp",
         [](QWidget* w) {
             QTest::keyClick(editor(w), Qt::Key_F5);
             QTest::keyClicks(editor(w), "Met");
             QTest::keyClick(editor(w), Qt::Key_Z, Qt::ControlModifier);
             QTest::keyClicks(editor(w), "Met the envoy");
             press(w, "Command1");
         },
         "start more  05/Dec/2026 16:55: Met the envoy"},
    };
    for (const auto& [name, act, taken] : cases) {
        SCOPED_TRACE(name);
        QString text = "start";
        whenModalShown("SLIST4", [&](QWidget* w) {
            EXPECT_EQ(w->focusWidget(), editor(w));
            QTest::keyClicks(editor(w), " more");
            act(w);
        });
        EXPECT_EQ(window.edit("Heading", text), taken != nullptr);
        EXPECT_EQ(text, taken ? taken : "start");
    }
}

TEST_F(TextWindowTest, PrintAllWrapsWordsIntoThePdf) {
    QString words;
    for (int i = 0; i < 60; ++i) words += QString("word%1 ").arg(i);
    const QStringList lines = printed("Edit notes for Hollowmere", words + "\nlast", [](QWidget* w) {
        press(w, "Command3");
        EXPECT_TRUE(w->isVisible());  // the window stays open
        press(w, "Command2");
    });
    EXPECT_EQ(lines.value(0), "Edit notes for Hollowmere");
    // Several lines of words (over 400 characters), none running off the page, every word once and in order.
    EXPECT_EQ(lines.mid(1).join(' '), (words + "last").simplified());
    for (const QString& line : lines) EXPECT_LE(line.size(), 120);
}

TEST_F(TextWindowTest, PrintSelectionPrintsOnlyTheSelectedText) {
    const QStringList lines = printed("Selection heading", "keep out SELECTED PART keep out", [](QWidget* w) {
        QTextCursor cursor = editor(w)->textCursor();
        cursor.setPosition(9);
        cursor.setPosition(22, QTextCursor::KeepAnchor);
        editor(w)->setTextCursor(cursor);
        press(w, "Command4");
        press(w, "Command2");
    });
    EXPECT_EQ(lines, (QStringList{"Selection heading", "SELECTED PART"}));
}

}  // namespace qelvar::testing
