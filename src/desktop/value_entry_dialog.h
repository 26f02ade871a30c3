#pragma once
// Form5, the value-entry dialog: the new value of one field in a text box, with every description row of
// the field's code family as a lookup list. Choosing a line puts its code into the box.

#include <QDialog>
#include <optional>
#include <string>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace qelvar {

class DescriptionTable;
class Prompter;
class SubsectorStore;

class ValueEntryDialog : public QDialog {
    Q_OBJECT
public:
    ValueEntryDialog(SubsectorStore& store, Prompter& prompter, QWidget* parent = nullptr);

    // Shows the dialog for one field: the text of the box on OK (or Enter), nothing on Cancel or when the
    // window is closed.
    std::optional<std::string> askNewValue(char prefix, const std::string& fieldName, const std::string& current);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void lookupChosen(int index);

    const DescriptionTable& table_;
    QGroupBox* frame_;
    QLineEdit* value_;
    QComboBox* lookup_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace qelvar
