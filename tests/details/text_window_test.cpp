// The text window: its keys, the time stamp and its printouts as PDF.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include "reports/text_window.h"
#include "support/modal_dialogs.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

using testing::whenModalShown;

std::tm fixedTime() {
    std::tm when{};
    when.tm_year = 2026 - 1900;
    when.tm_mon = 11;
    when.tm_mday = 5;
    when.tm_hour = 16;
    when.tm_min = 55;
    return when;
}

class TextWindowTest : public testing::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        window.setClock(fixedTime);
    }

    static QPlainTextEdit* editor(QWidget* w) { return w->findChild<QPlainTextEdit*>("Text1"); }
    static QPushButton* button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(name); }

    // The lines with text in the PDF printed at path, as pdftotext reads them.
    static QStringList pdfLines(const std::string& path) {
        QProcess p;
        p.start("pdftotext", {"-layout", QString::fromStdString(path), "-"});
        if (!p.waitForFinished(20000)) return {"<pdftotext failed>"};
        QStringList lines;
        for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split('\n')) {
            if (!line.trimmed().isEmpty()) lines << line;
        }
        return lines;
    }

    TextWindow window;
};

TEST_F(TextWindowTest, OkCtrlEnterCancelAndEscape) {
    const struct {
        const char* name;
        std::function<void(QWidget*)> act;
        bool accepted;
    } cases[] = {
        {"Ok", [](QWidget* w) { QTest::mouseClick(button(w, "Command1"), Qt::LeftButton); }, true},
        {"Ctrl+Enter in the text", [](QWidget* w) { QTest::keyClick(editor(w), Qt::Key_Return, Qt::ControlModifier); },
         true},
        {"Cancel", [](QWidget* w) { QTest::mouseClick(button(w, "Command2"), Qt::LeftButton); }, false},
        {"Escape", [](QWidget* w) { QTest::keyClick(editor(w), Qt::Key_Escape); }, false},
        {"Ctrl+Enter on a button does not accept",
         [](QWidget* w) {
             QTest::keyClick(button(w, "Command3"), Qt::Key_Return, Qt::ControlModifier);
             EXPECT_TRUE(w->isVisible());
             QTest::keyClick(w, Qt::Key_Escape);
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QString text = "start";
        whenModalShown("SLIST4", [&](QWidget* w) {
            EXPECT_EQ(w->windowTitle(), "Enter Text");
            EXPECT_EQ(w->focusWidget(), editor(w));
            QTest::keyClicks(editor(w), " more");
            c.act(w);
        });
        EXPECT_EQ(window.edit("Heading", text), c.accepted);
        EXPECT_EQ(text, c.accepted ? "start more" : "start");
    }
}

TEST_F(TextWindowTest, F5AppendsTheTimeStampAndEditsCanBeUndone) {
    QString text;
    whenModalShown("SLIST4", [](QWidget* w) {
        QTest::keyClick(editor(w), Qt::Key_F5);
        EXPECT_EQ(editor(w)->textCursor().position(), editor(w)->toPlainText().size());
        QTest::keyClicks(editor(w), "Met the envoy");
        QTest::keyClick(editor(w), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(editor(w)->toPlainText(), "  05/Dec/2026 16:55: ");
        QTest::keyClicks(editor(w), "Met the envoy");
        QTest::mouseClick(button(w, "Command1"), Qt::LeftButton);
    });
    ASSERT_TRUE(window.edit("Heading", text));
    EXPECT_EQ(text, "  05/Dec/2026 16:55: Met the envoy");
}

TEST_F(TextWindowTest, PrintAllWrapsWordsIntoThePdf) {
    const std::string pdf = path("all.pdf");
    qputenv("QELVAR_PRINT_PDF", QByteArray::fromStdString(pdf));
    QString words;
    for (int i = 0; i < 60; ++i) words += QString("word%1 ").arg(i);
    QString text = words + "\nlast";
    whenModalShown("SLIST4", [](QWidget* w) {
        QTest::mouseClick(button(w, "Command3"), Qt::LeftButton);
        EXPECT_TRUE(w->isVisible());  // the window stays open
        QTest::mouseClick(button(w, "Command2"), Qt::LeftButton);
    });
    window.edit("Edit notes for Hollowmere", text);
    qunsetenv("QELVAR_PRINT_PDF");

    const QStringList lines = pdfLines(pdf);
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0].trimmed(), "Edit notes for Hollowmere");
    EXPECT_TRUE(lines[1].trimmed().startsWith("word0 word1"));
    // Several lines of words, none running off the page, every word once and in order.
    QString joined;
    for (int i = 1; i < lines.size(); ++i) joined += lines[i].simplified() + " ";
    EXPECT_EQ(joined.simplified(), (words + "last").simplified());
    EXPECT_GE(lines.size(), 4);
    for (const QString& line : lines) EXPECT_LE(line.simplified().size(), 120);
}

TEST_F(TextWindowTest, PrintSelectionPrintsOnlyTheSelectedText) {
    const std::string pdf = path("selection.pdf");
    qputenv("QELVAR_PRINT_PDF", QByteArray::fromStdString(pdf));
    QString text = "keep out SELECTED PART keep out";
    whenModalShown("SLIST4", [](QWidget* w) {
        QTextCursor cursor = editor(w)->textCursor();
        cursor.setPosition(9);
        cursor.setPosition(22, QTextCursor::KeepAnchor);
        editor(w)->setTextCursor(cursor);
        QTest::mouseClick(button(w, "Command4"), Qt::LeftButton);
        QTest::mouseClick(button(w, "Command2"), Qt::LeftButton);
    });
    window.edit("Selection heading", text);
    qunsetenv("QELVAR_PRINT_PDF");

    const QStringList lines = pdfLines(pdf);
    ASSERT_EQ(lines.size(), 2) << lines.join("|").toStdString();
    EXPECT_EQ(lines[0].trimmed(), "Selection heading");
    EXPECT_EQ(lines[1].trimmed(), "SELECTED PART");
}

}  // namespace
}  // namespace qelvar
