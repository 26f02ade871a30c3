#include "document_step.h"

#include "document_controller.h"

namespace qelvar {

DocumentStep::DocumentStep(DocumentController& controller, std::vector<std::unique_ptr<Edit>> edits,
                           const QString& text, int mergeId, std::string letterBefore, std::string letterAfter,
                           Names namesBefore)
    : QUndoCommand(text),
      controller_(controller),
      edits_(std::make_move_iterator(edits.begin()), std::make_move_iterator(edits.end())),
      mergeId_(mergeId),
      letterBefore_(std::move(letterBefore)),
      letterAfter_(std::move(letterAfter)),
      namesBefore_(std::move(namesBefore)) {}

DocumentStep::Names DocumentStep::Names::of(const Document& document) {
    return {document.sector().name, document.sector().subsectorNames};
}

void DocumentStep::undo() {
    for (auto edit = edits_.rbegin(); edit != edits_.rend(); ++edit) (*edit)->revert(controller_.editedDocument());
    applied_ = false;
    controller_.showLetter(letterBefore_);
}

void DocumentStep::redo() {
    if (!applied_) {
        // Each edit applied on this document before, in this order: it applies again.
        for (const auto& edit : edits_) (void)edit->apply(controller_.editedDocument());
        applied_ = true;
    }
    controller_.showLetter(letterAfter_);
}

bool DocumentStep::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const DocumentStep*>(other);
    // Only renames merge: the letter shown stays.
    edits_.insert(edits_.end(), next->edits_.begin(), next->edits_.end());
    setObsolete(Names::of(controller_.document()) == namesBefore_);
    return true;
}

}  // namespace qelvar
