#include "text_window.h"

#include <QApplication>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPageLayout>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QVBoxLayout>

#include "painter_surface.h"
#include "text_codec.h"
#include "window_placement.h"
#include "reports/text_print.h"

namespace qelvar {

namespace {

std::tm localNow() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return parts;
}

// Text as the printer takes it: Windows-1252 bytes with "\n" line breaks.
std::string printable(QString text) {
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return toBytes(text);
}

}  // namespace

TextWindow::TextWindow(QWidget* parent) : QDialog(parent), clock_(localNow) {
    setObjectName("SLIST4");
    setWindowTitle(tr("Enter Text"));
    setModal(true);

    heading_ = new QLabel(this);
    heading_->setObjectName("Label1");
    heading_->setTextFormat(Qt::PlainText);
    heading_->setWordWrap(true);

    text_ = new QPlainTextEdit(this);
    text_->setObjectName("Text1");
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setUndoRedoEnabled(true);
    text_->installEventFilter(this);

    ok_ = new QPushButton(tr("&Ok"), this);
    ok_->setObjectName("Command1");
    cancel_ = new QPushButton(tr("&Cancel"), this);
    cancel_->setObjectName("Command2");
    ok_->setToolTip(tr("Keep the text (Ctrl+Enter)"));
    cancel_->setToolTip(tr("Throw the changes away (Esc)"));
    printAll_ = new QPushButton(tr("Print all"), this);
    printAll_->setToolTip(tr("Print the whole text"));
    printAll_->setObjectName("Command3");
    printSelection_ = new QPushButton(tr("Print sel'n"), this);
    printSelection_->setToolTip(tr("Print the selected text only"));
    printSelection_->setObjectName("Command4");
    for (QPushButton* button : {ok_, cancel_, printAll_, printSelection_}) button->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok_);
    buttons->addStretch(1);
    buttons->addWidget(printSelection_);
    buttons->addWidget(printAll_);
    buttons->addStretch(1);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(printAll_, &QPushButton::clicked, this, &TextWindow::printAll);
    connect(printSelection_, &QPushButton::clicked, this, &TextWindow::printSelection);

    resize(560, 380);
    setMinimumSize(360, 220);
}

bool TextWindow::edit(const QString& heading, QString& text) {
    heading_->setText(heading);
    text_->setPlainText(text);
    text_->moveCursor(QTextCursor::End);
    placeOnScreen(*this, 0.5);
    text_->setFocus();
    if (exec() != QDialog::Accepted) return false;
    text = text_->toPlainText();
    return true;
}

bool TextWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == text_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && (key->modifiers() & Qt::ControlModifier)) {
            accept();
            return true;
        }
        if (key->key() == Qt::Key_F5) {
            appendTimeStamp();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TextWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (isVisible() && !isMaximized()) {
        if (const QScreen* screen = this->screen()) {
            const QRect area = screen->availableGeometry();
            const QPoint topLeft = area.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2);
            if (topLeft != frameGeometry().topLeft()) move(topLeft);
        }
    }
}

void TextWindow::appendTimeStamp() {
    text_->setPlainText(text_->toPlainText() + fromBytes(timeStampSuffix(clock_())));
    text_->moveCursor(QTextCursor::End);
    text_->setFocus();
}

void TextWindow::withPrinter(const std::function<void(QPrinter&)>& print) {
    QPrinter printer(QPrinter::HighResolution);
    const QString pdf = qEnvironmentVariable("QELVAR_PRINT_PDF");
    if (!pdf.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
    }
    // The wrap lets window events run between lines; no second printout may start meanwhile.
    printAll_->setEnabled(false);
    printSelection_->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    print(printer);
    QApplication::restoreOverrideCursor();
    printAll_->setEnabled(true);
    printSelection_->setEnabled(true);
}

void TextWindow::printAll() {
    withPrinter([this](QPrinter& printer) {
        PrinterSurface surface(printer);
        const double pageWidth = printer.pageLayout().paintRect(QPageLayout::Millimeter).width();
        printWrappedText(surface, toBytes(heading_->text()), printable(text_->toPlainText()), pageWidth,
                         [] { QCoreApplication::processEvents(); });
    });
}

void TextWindow::printSelection() {
    withPrinter([this](QPrinter& printer) {
        PrinterSurface surface(printer);
        printSelectedText(surface, toBytes(heading_->text()), printable(text_->textCursor().selectedText()));
    });
}

}  // namespace qelvar
