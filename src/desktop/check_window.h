#pragma once
// The check report of the loaded subsector (object name CheckWindow): every finding's hex, rule and message
// in a sortable list. Non-modal; a double-click on the row of a world asks for that world's details.

#include <QWidget>
#include <string>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace qelvar {

class SubsectorStore;

class CheckWindow : public QWidget {
    Q_OBJECT
public:
    explicit CheckWindow(const SubsectorStore& store, QWidget* parent = nullptr);

    // Lists the findings of the store as it is now, keeping the order the user sorted by.
    void refresh();
    // The list (object name FindingList): columns hex, rule, message.
    QTreeWidget& findingList() { return *list_; }

signals:
    // A row of a world still in the store was double-clicked: its slot (1..80).
    void worldChosen(int slot);

private:
    void rowActivated(QTreeWidgetItem* item);

    const SubsectorStore& store_;
    QTreeWidget* list_ = nullptr;
    QLabel* summary_ = nullptr;
};

}  // namespace qelvar
