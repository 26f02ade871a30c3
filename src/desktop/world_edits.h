#pragma once
// The Edit menu's world commands, on the hex under the map's cursor: add a world on an empty hex, delete
// one, move one to another hex, copy one as a line of the tab-separated sector format and paste such a
// line. Each change is a step of the history.

#include <QObject>
#include <string>

class QAction;
class QMenu;
class QUndoStack;
class QWidget;

namespace qelvar {

class MapView;
class Prompter;
class SubsectorStore;
struct StoreContents;

class WorldEdits : public QObject {
    Q_OBJECT
public:
    WorldEdits(SubsectorStore& store, Prompter& prompter, QUndoStack& history, MapView& map, QObject* parent);

    // Adds the commands to the menu; their shortcuts work while the map has the focus.
    void addTo(QMenu* menu);

    // The slot of a world added on the empty hex under the cursor; 0 when it holds a world already.
    int addWorld();
    void deleteWorld();
    void moveWorld();
    // Moves the world at location from to the empty location to (column * 100 + row each), or says why not.
    void moveWorldTo(int from, int to);
    void copyWorld();
    void pasteWorld();

private:
    // The location under the cursor (column * 100 + row) and its slot.
    int cursorLocation() const;
    int cursorSlot() const;
    std::string hexText(int location) const;
    // Puts the change the store holds now on the history.
    void record(const StoreContents& before, const QString& text);

    SubsectorStore& store_;
    Prompter& prompter_;
    QUndoStack& history_;
    MapView& map_;
    QAction* add_ = nullptr;
    QAction* delete_ = nullptr;
    QAction* move_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* paste_ = nullptr;
};

}  // namespace qelvar
