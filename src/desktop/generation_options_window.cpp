#include "generation_options_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "store/subsector_store.h"
#include "store/text.h"
#include "store/startup.h"
#include "seams/prompter.h"
#include "document_controller.h"
#include "text_codec.h"

namespace qelvar {

namespace {

QComboBox* comboBox(const char* objectName, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(objectName);
    return combo;
}

}  // namespace

GenerationOptionsWindow::GenerationOptionsWindow(const SubsectorStore& store, Prompter& prompter, QWidget* parent)
    : QDialog(parent), store_(store), prompter_(prompter) {
    setObjectName("Form4");
    setWindowTitle(fromBytes(applicationTitle()));
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);

    auto* menu = new QMenuBar(this);
    QAction* done = menu->addAction(tr("Done"));
    done->setStatusTip(tr("Keep these options and close the window"));
    done->setObjectName("mnudone");
    connect(done, &QAction::triggered, this, &QDialog::accept);

    letter_ = comboBox("Combo1", this);
    for (char c = 'A'; c <= 'P'; ++c) letter_->addItem(QString(QChar(c)));

    density_ = comboBox("Combo2", this);
    density_->setFont(fixed);  // the padded texts line their figures up
    for (const auto& [text, percent] : {std::pair{"Rift:       4%", 4},
                                        {"Sparse:    16%", 16},
                                        {"Scattered: 33%", 33},
                                        {"Standard:  50%", 50},
                                        {"Dense:     66%", 66}}) {
        density_->addItem(tr(text), percent);
    }

    allegiance_ = comboBox("Combo3", this);
    for (std::string_view code : kAllegianceChoices) allegiance_->addItem(fromBytes(code));

    oddAliens_ = comboBox("Combo4", this);
    for (int percent : kOddAlienChoices) oddAliens_->addItem(QString::number(percent) + "%", percent);

    techCap_ = comboBox("Combo5", this);
    techCap_->addItem(tr("Don't"), GenerationOptions::kNoTechCap);
    for (int level = kHighestTechCapChoice; level >= 0; --level) techCap_->addItem(QString::number(level), level);

    letter_->setCurrentIndex(0);
    density_->setCurrentIndex(3);
    allegiance_->setCurrentIndex(0);
    oddAliens_->setCurrentIndex(1);
    techCap_->setCurrentIndex(0);

    depopulate_ = new QCheckBox(tr("Depopulate any systems over?"), this);
    depopulate_->setObjectName("Check3D1");

    features_ = new QListWidget(this);
    features_->setObjectName("List1");
    features_->setFont(fixed);
    for (const FeatureChance& feature : GenerationOptions{}.featureChances) {
        features_->addItem(fromBytes(featureRow(feature.code, static_cast<int>(feature.chance))));
    }
    modify_ = new QPushButton(tr("Modify chance"), this);
    modify_->setToolTip(tr("Change the percentage chance of the selected feature"));
    modify_->setObjectName("Command1");
    modify_->setEnabled(false);
    connect(features_, &QListWidget::itemSelectionChanged, this, [this] { modify_->setEnabled(true); });
    connect(features_, &QListWidget::itemDoubleClicked, this, [this] { modifyChance(); });
    connect(modify_, &QPushButton::clicked, this, [this] { modifyChance(); });
    copyRowsToFeatures();

    auto* subsectorName = new QLineEdit(this);
    subsectorName->setObjectName("Text1");
    // Each keystroke writes the name; the keystrokes of one name make one undoable step.
    connect(subsectorName, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (document_ && toBytes(text) != store_.subsectorName) {
            document_->perform(std::make_unique<RenameEdit>(document_->shownIndex(), toBytes(text)),
                               tr("Change subsector name"), 1);
        }
    });
    auto* sectorName = new QLineEdit(this);
    sectorName->setObjectName("Text2");
    connect(sectorName, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (document_ && toBytes(text) != store_.sectorName) {
            document_->perform(std::make_unique<RenameEdit>(-1, toBytes(text)), tr("Change sector name"), 2);
        }
    });

    auto* form = new QFormLayout;
    form->addRow(tr("Generate as:"), letter_);
    form->addRow(tr("System Frequency:"), density_);
    form->addRow(tr("Default Alleigance:"), allegiance_);
    form->addRow(tr("Chance of odd alien alleigance"), oddAliens_);
    form->addRow(tr("Cap TL at:"), techCap_);
    form->addRow(depopulate_);
    form->addRow(new QLabel(tr("Note features:"), this));
    form->addRow(features_);
    form->addRow(modify_);
    form->addRow(tr("Subsector name"), subsectorName);
    form->addRow(tr("Sector name"), sectorName);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addLayout(form);
}

GenerationOptions GenerationOptionsWindow::options() const {
    GenerationOptions options;
    options.generateAsLetter = toBytes(letter_->currentText());
    options.densityPercent = density_->currentData().toInt();
    options.defaultAllegiance = toBytes(allegiance_->currentText());
    options.oddAlienPercent = oddAliens_->currentData().toInt();
    options.techCap = techCap_->currentData().toInt();
    options.depopulateOverCap = depopulate_->isChecked();
    options.featureChances = featureChances_;
    return options;
}

void GenerationOptionsWindow::modifyChance() {
    QListWidgetItem* item = features_->currentItem();
    if (item == nullptr) return;
    const std::string row = toBytes(item->text());
    const std::string code = row.substr(0, std::min<std::size_t>(2, row.size()));
    const std::string answer = prompter_.inputBox(toBytes(tr("Give percent chance of %1").arg(fromBytes(code))),
                                                  applicationTitle(), std::string(columns(row, 13, row.size())));
    if (answer.empty()) return;
    item->setText(fromBytes(rowWithChance(row, answer)));
    copyRowsToFeatures();
}

void GenerationOptionsWindow::copyRowsToFeatures() {
    for (int k = 0; k < features_->count() && k < static_cast<int>(featureChances_.size()); ++k) {
        featureChances_[static_cast<std::size_t>(k)] = featureOfRow(toBytes(features_->item(k)->text()));
    }
}

void showGenerationOptions(GenerationOptionsWindow& window) { window.exec(); }

}  // namespace qelvar
