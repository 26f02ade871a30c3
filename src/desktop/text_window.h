#pragma once
// SLIST4: a small modal editor for a block of free text, with a heading above it, OK and Cancel, and two
// printouts (the whole text word-wrapped, or the selection). Ctrl+Enter in the text accepts, Escape
// cancels, F5 appends a time stamp.

#include <QDialog>
#include <QString>
#include <ctime>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QPrinter;

namespace qelvar {

class Prompter;

class TextWindow : public QDialog {
    Q_OBJECT
public:
    explicit TextWindow(QWidget* parent = nullptr);

    // Shows the window modally with the heading and the text; true when the user accepted, and text then
    // holds the edited text. Line breaks are "\n" on both sides.
    bool edit(const QString& heading, QString& text);

    // The clock the time stamp reads; tests set a fixed one.
    void setClock(std::function<std::tm()> clock) { clock_ = std::move(clock); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void appendTimeStamp();
    void printAll();
    void printSelection();
    // The printer the printouts go to: a PDF file when $QELVAR_PRINT_PDF names one, else the system printer.
    void withPrinter(const std::function<void(QPrinter&)>& print);

    QLabel* heading_;
    QPlainTextEdit* text_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QPushButton* printAll_;
    QPushButton* printSelection_;
    std::function<std::tm()> clock_;
};

}  // namespace qelvar
