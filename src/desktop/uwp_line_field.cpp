#include "uwp_line_field.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "document/edits.h"
#include "files/sector_fields.h"
#include "text_codec.h"

namespace qelvar {

namespace {

// Enter is the line's own: it does not also press the dialog's default button.
class OwnEnterLine : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        QLineEdit::keyPressEvent(event);
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) event->accept();
    }
};

}  // namespace

UwpLineField::UwpLineField(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    line_ = new OwnEnterLine(this);
    line_->setObjectName("UwpLine");
    line_->setMaxLength(12);
    line_->setToolTip(tr("Type the whole profile, such as A788899-C, and press Enter"));
    problem_ = new QLabel(this);
    problem_->setObjectName("UwpProblem");
    problem_->setWordWrap(true);
    problem_->hide();
    setFocusProxy(line_);
    layout->addWidget(line_);
    layout->addWidget(problem_);
    connect(line_, &QLineEdit::returnPressed, this, &UwpLineField::typed);
}

void UwpLineField::showUwp(const std::string& stored) {
    line_->setText(fromBytes(sectorUwpText(stored)));
    problem_->clear();
    problem_->hide();
}

void UwpLineField::typed() {
    const Result<std::string> text = uwpFieldText(toBytes(line_->text()));
    if (!text) {
        problem_->setText(fromBytes(text.error()));
        problem_->show();
        return;
    }
    problem_->hide();
    emit uwpTyped(uwpFromSectorText(*text));
}

}  // namespace qelvar
