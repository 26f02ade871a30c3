#include "value_entry_dialog.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "store/subsector_store.h"
#include "store/startup.h"
#include "details/description_table.h"
#include "details/field_edits.h"
#include "text_codec.h"

namespace qelvar {

ValueEntryDialog::ValueEntryDialog(SubsectorStore&, Prompter&, QWidget* parent)
    : QDialog(parent), table_(descriptionTable()) {
    setObjectName("Form5");
    setWindowTitle(fromBytes(applicationTitle()));
    setModal(true);

    frame_ = new QGroupBox(this);
    frame_->setObjectName("Frame1");
    value_ = new QLineEdit(frame_);
    value_->setObjectName("Text1");
    auto* lookupHeading = new QLabel(tr("Lookup:"), frame_);
    lookupHeading->setObjectName("Label1");
    lookup_ = new QComboBox(frame_);
    lookup_->setObjectName("Combo1");
    lookup_->setMinimumContentsLength(40);
    lookup_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    lookupHeading->setBuddy(lookup_);
    setMinimumWidth(520);

    auto* fields = new QGridLayout(frame_);
    fields->addWidget(value_, 0, 0, 1, 2);
    fields->addWidget(lookupHeading, 1, 0);
    fields->addWidget(lookup_, 1, 1);
    fields->setColumnStretch(1, 1);

    ok_ = new QPushButton(tr("OK"), this);
    ok_->setObjectName("Command1");
    ok_->setDefault(true);
    ok_->setToolTip(tr("Store the value"));
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setToolTip(tr("Leave the value as it was"));
    cancel_->setObjectName("Command2");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame_);
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(value_, &QLineEdit::returnPressed, this, &QDialog::accept);
    connect(lookup_, &QComboBox::activated, this, &ValueEntryDialog::lookupChosen);
    lookup_->installEventFilter(this);
}

std::optional<std::string> ValueEntryDialog::askNewValue(char prefix, const std::string& fieldName,
                                                         const std::string& current) {
    frame_->setTitle(tr("Set new value for %1").arg(fromBytes(fieldName)));
    lookup_->clear();
    for (const FamilyDescription& row : table_.descriptionsForPrefix(prefix)) {
        lookup_->addItem(fromBytes(lookupLine(row)));
    }
    lookup_->setCurrentIndex(-1);
    // The list opens wide enough for whole descriptions.
    lookup_->view()->setMinimumWidth(lookup_->view()->sizeHintForColumn(0) + 24);
    value_->setText(fromBytes(current));
    value_->selectAll();
    value_->setFocus();
    adjustSize();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return toBytes(value_->text());
}

bool ValueEntryDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lookup_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ValueEntryDialog::lookupChosen(int index) {
    if (index < 0) return;
    value_->setText(fromBytes(lookupLineValue(toBytes(lookup_->itemText(index)))));
}

}  // namespace qelvar
