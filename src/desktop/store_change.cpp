#include "store_change.h"

#include <QUndoStack>

namespace qelvar {

StoreContents StoreContents::of(const SubsectorStore& store) {
    return {store.worlds, store.subsectorName, store.sectorName, store.subsectorLetter};
}

void StoreContents::putInto(SubsectorStore& store) const {
    store.worlds = worlds;
    store.subsectorName = subsectorName;
    store.sectorName = sectorName;
    store.subsectorLetter = subsectorLetter;
    store.refreshStatistics();
}

StoreChange::StoreChange(SubsectorStore& store, StoreContents before, const QString& text, int mergeId)
    : QUndoCommand(text),
      store_(store),
      before_(std::move(before)),
      after_(StoreContents::of(store)),
      mergeId_(mergeId) {}

void StoreChange::undo() { before_.putInto(store_); }

void StoreChange::redo() { after_.putInto(store_); }

bool StoreChange::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const StoreChange*>(other);
    after_ = next->after_;
    setObsolete(after_ == before_);
    return true;
}

void recordStoreChange(QUndoStack* stack, SubsectorStore& store, StoreContents before, const QString& text,
                       int mergeId) {
    if (!stack || StoreContents::of(store) == before) return;
    stack->push(new StoreChange(store, std::move(before), text, mergeId));
}

}  // namespace qelvar
