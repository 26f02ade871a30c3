// The document controller's edits: the document made from what a load put into the store, the steps of
// the history applied to it, and the store showing its subsector again after each.
#include <QUndoStack>

#include "document/document_file.h"
#include "document/store_edits.h"
#include "document_controller.h"
#include "document_step.h"
#include "files/loader.h"
#include "files/sector_file.h"
#include "seams/prompter.h"
#include "store/codes.h"
#include "store/paths.h"
#include "store/subsector_store.h"
#include "text_codec.h"

namespace qelvar {

void DocumentController::adoptStore(const std::string& path) {
    shownIndex_ = subsectorIndexOrA(store_.subsectorLetter);
    std::optional<Document> document;
    if (isSectorFileName(path)) {
        if (Result<WithNotices<Document>> opened = openDocument(path)) document = std::move(opened->value);
        if (document && !loadedSector_) loadedSector_ = std::make_shared<const Sector>(document->sector());
    }
    if (!document) {
        // A subsector of a sector stands in its sector; a subsector file's worlds are their own sector's.
        const DocumentOrigin origin{
            path, path.empty() ? FileFormat::Sbs : formatOfPath(path), {}, loadedSector_ ? -1 : shownIndex_, {}};
        document = Document(loadedSector_ ? *loadedSector_ : Sector{}, origin, {}, std::nullopt);
    }
    document_ = std::move(*document);
    SubsectorStore shown = store_;
    shown.subsectorLetter = std::string(1, static_cast<char>('A' + shownIndex_));
    for (const auto& edit : editsToHoldStore(document_, shown)) (void)edit->apply(document_);
    if (document_.sector().name != store_.sectorName) (void)RenameEdit(-1, store_.sectorName).apply(document_);
    store_.refreshStatistics();
}

Hex DocumentController::hexOf(int location) const { return Hex::inSubsector(shownIndex_, location).value_or(Hex{}); }

void DocumentController::showLetter(const std::string& letter) {
    store_.subsectorLetter = letter;
    shownIndex_ = subsectorIndexOrA(letter);
    showDocument();
}

void DocumentController::showDocument() {
    for (int slot = 1; slot <= kHexCount; ++slot) {
        const int location = store_.hexCodeValue(slot);
        WorldRecord& shown = store_.worlds[static_cast<std::size_t>(slot)];
        const SectorWorld* world = document_.worldAt(hexOf(location));
        if (!world) {
            if (shown.occupied()) shown.clear();
            continue;
        }
        WorldRecord record = world->record;
        record.location = static_cast<std::int16_t>(location);
        if (!(record == shown)) shown = record;
    }
    store_.subsectorName = document_.sector().subsectorNames[static_cast<std::size_t>(shownIndex_)];
    store_.sectorName = document_.sector().name;
    store_.refreshStatistics();
}

bool DocumentController::perform(std::vector<std::unique_ptr<Edit>> edits, const QString& text, int mergeId,
                                 const std::string& letterAfter) {
    if (edits.empty()) return false;
    const DocumentStep::Names names = DocumentStep::Names::of(document_);
    for (std::size_t done = 0; done < edits.size(); ++done) {
        if (Result<> applied = edits[done]->apply(document_); !applied) {
            while (done > 0) edits[--done]->revert(document_);
            prompter_.message(applied.error(), MessageIcon::Exclamation);
            return false;
        }
    }
    const std::string before = store_.subsectorLetter;
    undoStack_->push(new DocumentStep(*this, std::move(edits), text, mergeId, before,
                                      letterAfter.empty() ? before : letterAfter, names));
    return true;
}

bool DocumentController::perform(std::unique_ptr<Edit> edit, const QString& text, int mergeId) {
    std::vector<std::unique_ptr<Edit>> edits;
    edits.push_back(std::move(edit));
    return perform(std::move(edits), text, mergeId);
}

namespace {

// A world new to the document at hex, holding record, with the Sector column the document's worlds give.
SectorWorld newWorld(const Document& document, Hex hex, const WorldRecord& record) {
    SectorWorld world{hex.column, hex.row, record, {}, 0};
    world.record.location = static_cast<std::int16_t>(hex.localNumber());
    world.fields["Sector"] = sectorAbbreviation(document);
    return world;
}

}  // namespace

bool DocumentController::changeWorld(int slot, const WorldRecord& record, const QString& text) {
    const Hex hex = hexOf(store_.hexCodeValue(slot));
    const SectorWorld* world = document_.worldAt(hex);
    if (!record.occupied()) return world && perform(std::make_unique<DeleteWorldEdit>(hex), text);
    if (!world) return perform(std::make_unique<AddWorldEdit>(newWorld(document_, hex, record)), text);
    SectorWorld changed = *world;
    changed.record = record;
    changed.record.location = world->record.location;
    if (changed.record == world->record) return false;
    return perform(std::make_unique<ChangeWorldEdit>(std::move(changed), toBytes(text)), text);
}

void DocumentController::takeGenerated(const SubsectorStore& generated) {
    const int index = subsectorIndexOrA(generated.subsectorLetter);
    store_.readFacts = generated.readFacts;
    if (!document_.holds(*Hex::inSubsector(index, 101))) {
        // A subsector file's document holds its own subsector alone: another one starts a new document.
        store_.worlds = generated.worlds;
        store_.subsectorName = generated.subsectorName;
        store_.sectorName = generated.sectorName;
        store_.subsectorLetter = generated.subsectorLetter;
        loadedSector_ = nullptr;
        startNewHistory({});
        return;
    }
    std::vector<SectorWorld> worlds;
    for (int slot = 1; slot <= kHexCount; ++slot) {
        const WorldRecord& record = generated.worlds[static_cast<std::size_t>(slot)];
        if (record.occupied()) worlds.push_back(newWorld(document_, *Hex::inSubsector(index, record.location), record));
    }
    const QString text = tr("Generate subsector");
    std::vector<std::unique_ptr<Edit>> edits;
    edits.push_back(
        std::make_unique<ReplaceSubsectorEdit>(index, std::move(worlds), generated.subsectorName, toBytes(text)));
    if (document_.sector().name != generated.sectorName) {
        edits.push_back(std::make_unique<RenameEdit>(-1, generated.sectorName));
    }
    (void)perform(std::move(edits), text, -1, generated.subsectorLetter);
    // A fresh subsector counts as saved until it is changed (undoing it is then a change).
    undoStack_->setClean();
    forgetDocument();
}

}  // namespace qelvar
