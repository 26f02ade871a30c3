#pragma once
// The print options window (object name Form3): colour, scale to one page, landscape, and map only or
// map and listing. It is made once, hidden, and only hidden again by "Done", so that its choices last
// for the run and are read when a print starts.

#include <QDialog>

#include "map/map_printing.h"

class QCheckBox;
class QRadioButton;

namespace qelvar {

class Prompter;
class SubsectorStore;

class PrintOptionsWindow : public QDialog {
    Q_OBJECT
public:
    PrintOptionsWindow(SubsectorStore& store, Prompter& prompter, QWidget* parent = nullptr);

    // The choices as the window shows them.
    PrintOptions options() const;
    // Shows the window modally until "Done" (or its close box) hides it; then its choices.
    PrintOptions choose();

private:
    // Choosing "Map only" unticks "Scale to one page"; choosing "Map and listing" unticks "Landscape".
    void mapOnlyChosen();
    void mapAndListingChosen();

    QCheckBox* colour_ = nullptr;
    QCheckBox* onePage_ = nullptr;
    QCheckBox* landscape_ = nullptr;
    QRadioButton* mapOnly_ = nullptr;
    QRadioButton* mapAndListing_ = nullptr;
};

// "Print Options...": shows the window and does nothing else.
void showPrintOptions(PrintOptionsWindow& window);

}  // namespace qelvar
