#pragma once
// One step of the history: edits of the document made together, with the text the Edit menu shows
// ("Change UWP of 0304"), and the subsector letter shown before and after them.

#include <QUndoCommand>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "document/edits.h"

namespace qelvar {

class DocumentController;

class DocumentStep : public QUndoCommand {
public:
    // The edits have been applied already (the first redo, when the step is pushed, leaves them). Steps
    // with the same mergeId (not -1) that follow each other become one (typing a name); one that ends
    // where it began, with the names as they were, leaves the history.
    struct Names {
        std::string sector;
        std::array<std::string, 16> subsectors;
        static Names of(const Document& document);
        bool operator==(const Names&) const = default;
    };
    DocumentStep(DocumentController& controller, std::vector<std::unique_ptr<Edit>> edits, const QString& text,
                 int mergeId, std::string letterBefore, std::string letterAfter, Names namesBefore);

    void undo() override;
    void redo() override;
    int id() const override { return mergeId_; }
    bool mergeWith(const QUndoCommand* other) override;

private:
    DocumentController& controller_;
    std::vector<std::shared_ptr<Edit>> edits_;
    int mergeId_;
    std::string letterBefore_, letterAfter_;
    Names namesBefore_;
    bool applied_ = true;
};

}  // namespace qelvar
