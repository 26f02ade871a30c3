#pragma once
// The Edit menu's world commands, on the hex under the map's cursor: add a world on an empty hex, delete
// one, move one to another hex, copy one as a line of the tab-separated sector format and paste such a
// line. Each change is an edit of the document, a step of its history.

#include <QObject>
#include <string>

class QAction;
class QMenu;
class QWidget;

namespace qelvar {

class DocumentController;
class MapView;
class Prompter;
class SubsectorStore;

class WorldEdits : public QObject {
    Q_OBJECT
public:
    WorldEdits(DocumentController& document, const SubsectorStore& store, Prompter& prompter, MapView& map,
               QObject* parent);

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
    DocumentController& document_;
    const SubsectorStore& store_;
    Prompter& prompter_;
    MapView& map_;
    QAction* add_ = nullptr;
    QAction* delete_ = nullptr;
    QAction* move_ = nullptr;
    QAction* copy_ = nullptr;
    QAction* paste_ = nullptr;
};

}  // namespace qelvar
