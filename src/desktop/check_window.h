#pragma once
// The check report of the loaded subsector (object name CheckWindow): the rule set it uses, every finding's
// hex, rule and message in a sortable list. Non-modal; a double-click on the row of a world asks for that
// world's details. A subsector that came from a sector file is checked by the modern rules, as its file
// gives each world; any other by the classic rules.

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace qelvar {

class SubsectorStore;
struct Sector;

class CheckWindow : public QWidget {
    Q_OBJECT
public:
    // loadedSector: the sector file's sector the store came from, asked at each refresh; null for none.
    using SectorSource = std::function<std::shared_ptr<const Sector>()>;
    explicit CheckWindow(const SubsectorStore& store, SectorSource loadedSector = {}, QWidget* parent = nullptr);

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
    SectorSource loadedSector_;
    QTreeWidget* list_ = nullptr;
    QLabel* rules_ = nullptr;  // object name CheckRules
    QLabel* summary_ = nullptr;
};

}  // namespace qelvar
