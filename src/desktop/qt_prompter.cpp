#include "qt_prompter.h"

#include <QApplication>
#include <algorithm>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "text_codec.h"

namespace qelvar {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QtPrompter::QtPrompter(QWidget* parent, std::string defaultTitle)
    : parent_(parent), defaultTitle_(std::move(defaultTitle)) {}

void QtPrompter::message(const std::string& text, MessageIcon icon, const std::string& title) {
    QMessageBox box(qtIcon(icon), fromBytes(title.empty() ? defaultTitle_ : title), fromBytes(text), QMessageBox::Ok,
                    parent_);
    box.exec();
}

bool QtPrompter::askYesNo(const std::string& text, MessageIcon icon, const std::string& title, bool defaultYes) {
    QMessageBox box(qtIcon(icon), fromBytes(title.empty() ? defaultTitle_ : title), fromBytes(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool QtPrompter::askSave(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Warning, fromBytes(title.empty() ? defaultTitle_ : title), fromBytes(text),
                    QMessageBox::Save | QMessageBox::Cancel, parent_);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Save;
}

std::string QtPrompter::inputBox(const std::string& prompt, const std::string& title, const std::string& proposed) {
    bool ok = false;
    const QString answer = QInputDialog::getText(parent_, fromBytes(title.empty() ? defaultTitle_ : title),
                                                 fromBytes(prompt), QLineEdit::Normal, fromBytes(proposed), &ok);
    return ok ? toBytes(answer) : std::string();
}

std::optional<std::string> QtPrompter::saveFileName(const std::string& folder, const std::string& pattern) {
    const QString chosen = QFileDialog::getSaveFileName(parent_, QString(), QString::fromLocal8Bit(folder.c_str()),
                                                        QString::fromLatin1(pattern.c_str()));
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.toLocal8Bit().toStdString();
}

void QtPrompter::setBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void QtPrompter::beep() { QApplication::beep(); }

void QtPrompter::processEvents() { QApplication::processEvents(); }

void QtPrompter::tell(const Notices& notices) {
    if (notices.size() <= 1) {
        Prompter::tell(notices);
        return;
    }
    constexpr std::size_t kShown = 20;
    QStringList lines;
    MessageIcon icon = MessageIcon::None;
    std::string title;
    for (const Notice& notice : notices) {
        lines << fromBytes(notice.text);
        icon = std::max(icon, notice.icon);
        if (title.empty()) title = notice.title;
    }
    QMessageBox box(
        qtIcon(icon), fromBytes(title.empty() ? defaultTitle_ : title),
        (lines.size() > static_cast<qsizetype>(kShown) ? lines.mid(0, kShown) << QStringLiteral("...") : lines)
            .join('\n'),
        QMessageBox::Ok, parent_);
    box.setObjectName("Messages");
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    if (lines.size() > static_cast<qsizetype>(kShown)) box.setDetailedText(lines.join('\n'));
    box.exec();
}

}  // namespace qelvar
