#pragma once
// One undoable change to the subsector store: what the store held before and after it (the worlds, the
// names and the letter), with a text for the Edit menu ("Change UWP of 0304").

#include <QUndoCommand>
#include <array>
#include <string>

#include "store/subsector_store.h"

namespace qelvar {

// What a change can alter in the store.
struct StoreContents {
    std::array<WorldRecord, kSlotCount> worlds{};
    std::string subsectorName;
    std::string sectorName;
    std::string subsectorLetter;

    static StoreContents of(const SubsectorStore& store);
    // Puts the contents back and brings the statistics up to date.
    void putInto(SubsectorStore& store) const;
    bool operator==(const StoreContents&) const = default;
};

class StoreChange : public QUndoCommand {
public:
    // The store already holds the change; before is what it held until then. Changes with the same
    // mergeId (not -1) that follow each other become one step (typing a name).
    StoreChange(SubsectorStore& store, StoreContents before, const QString& text, int mergeId = -1);

    void undo() override;
    void redo() override;
    int id() const override { return mergeId_; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    SubsectorStore& store_;
    StoreContents before_;
    StoreContents after_;
    int mergeId_;
};

// Pushes the change the store holds now over before onto stack (null: nothing); nothing when the store is
// as it was.
void recordStoreChange(QUndoStack* stack, SubsectorStore& store, StoreContents before, const QString& text,
                       int mergeId = -1);

}  // namespace qelvar
