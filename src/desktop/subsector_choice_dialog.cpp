#include "subsector_choice_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "files/sector.h"
#include "text_codec.h"

namespace qelvar {

SubsectorChoiceDialog::SubsectorChoiceDialog(const Sector& sector, QWidget* parent) : QDialog(parent) {
    setObjectName("SubsectorChoice");
    setWindowTitle(tr("Which subsector?"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(tr("Load which subsector of %1?").arg(fromBytes(sector.name)), this);
    list_ = new QListWidget(this);
    list_->setObjectName("SubsectorList");
    int proposed = -1;
    for (int index = 0; index < kSubsectorCount; ++index) {
        const int worlds = sector.worldCount(index);
        if (proposed < 0 && worlds > 0) proposed = index;
        const QString name = fromBytes(sector.subsectorNames[static_cast<std::size_t>(index)]);
        const QString count = worlds == 1 ? tr("1 world") : tr("%1 worlds").arg(worlds);
        list_->addItem(tr("%1  %2 (%3)").arg(QChar('A' + index), name, count));
    }
    list_->setCurrentRow(proposed < 0 ? 0 : proposed);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(label);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    label->setBuddy(list_);
}

int SubsectorChoiceDialog::chosenIndex() const { return list_->currentRow(); }

int SubsectorChoiceDialog::choose(const Sector& sector, QWidget* parent) {
    SubsectorChoiceDialog dialog(sector, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.chosenIndex() : -1;
}

}  // namespace qelvar
