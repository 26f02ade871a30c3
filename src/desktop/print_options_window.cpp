#include "print_options_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "store/subsector_store.h"
#include "store/startup.h"
#include "text_codec.h"

namespace qelvar {

PrintOptionsWindow::PrintOptionsWindow(SubsectorStore&, Prompter&, QWidget* parent) : QDialog(parent) {
    setObjectName("Form3");
    setWindowTitle(fromBytes(applicationTitle()));
    setModal(true);

    auto* frame = new QGroupBox(tr("Print Options"), this);
    frame->setObjectName("Frame3D1");
    colour_ = new QCheckBox(tr("Colour printing"), frame);
    colour_->setObjectName("Check3D3");
    onePage_ = new QCheckBox(tr("Scale to one page"), frame);
    onePage_->setObjectName("Check3D1");
    landscape_ = new QCheckBox(tr("Landscape"), frame);
    landscape_->setObjectName("Check3D2");
    landscape_->setChecked(true);
    mapAndListing_ = new QRadioButton(tr("Map and listing"), frame);
    mapAndListing_->setObjectName("Option3D1");
    mapAndListing_->setProperty("index", 1);
    mapOnly_ = new QRadioButton(tr("Map only"), frame);
    mapOnly_->setObjectName("Option3D1");
    mapOnly_->setProperty("index", 0);
    mapOnly_->setChecked(true);

    auto* frameLayout = new QVBoxLayout(frame);
    for (QWidget* w : std::initializer_list<QWidget*>{colour_, onePage_, landscape_, mapAndListing_, mapOnly_}) {
        frameLayout->addWidget(w);
    }
    auto* done = new QPushButton(tr("Done"), this);
    done->setToolTip(tr("Keep these options and go on"));
    done->setObjectName("Command1");
    done->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(done);
    setSizeGripEnabled(false);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Only a choice the user makes applies the rules; the state set above is the first load's.
    connect(mapOnly_, &QRadioButton::clicked, this, &PrintOptionsWindow::mapOnlyChosen);
    connect(mapAndListing_, &QRadioButton::clicked, this, &PrintOptionsWindow::mapAndListingChosen);
    connect(done, &QPushButton::clicked, this, &QDialog::accept);
}

void PrintOptionsWindow::mapOnlyChosen() { onePage_->setChecked(false); }

void PrintOptionsWindow::mapAndListingChosen() { landscape_->setChecked(false); }

PrintOptions PrintOptionsWindow::options() const {
    PrintOptions options;
    options.colour = colour_->isChecked();
    options.scaleToOnePage = onePage_->isChecked();
    options.landscape = landscape_->isChecked();
    options.withListing = mapAndListing_->isChecked();
    return options;
}

PrintOptions PrintOptionsWindow::choose() {
    exec();
    return options();
}

void showPrintOptions(PrintOptionsWindow& window) { window.choose(); }

}  // namespace qelvar
