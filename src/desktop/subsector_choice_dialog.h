#pragma once
// The subsector choice of a sector file: the sixteen letters with their subsector names and world counts,
// the first one with worlds proposed.

#include <QDialog>

class QListWidget;

namespace qelvar {

struct Sector;

class SubsectorChoiceDialog : public QDialog {
    Q_OBJECT
public:
    explicit SubsectorChoiceDialog(const Sector& sector, QWidget* parent = nullptr);

    // The row chosen: 0 (A) to 15 (P).
    int chosenIndex() const;

    // Shows the dialog modally: the subsector chosen, or -1 on Cancel.
    static int choose(const Sector& sector, QWidget* parent);

private:
    QListWidget* list_;
};

}  // namespace qelvar
