#include "document/store_edits.h"

#include <filesystem>

#include "document/document_file.h"
#include "store/codes.h"
#include "store/subsector_store.h"

namespace qelvar {

std::vector<std::unique_ptr<Edit>> editsToHoldStore(const Document& document, const SubsectorStore& store) {
    std::vector<std::unique_ptr<Edit>> edits;
    if (!letterOffset(store.subsectorLetter)) return edits;
    const int index = store.subsectorLetter[0] - 'A';
    // Every hex of the subsector, 8 columns of 10 rows, empty or not: a world may have gone from one.
    for (int column = 1; column <= 8; ++column) {
        for (int row = 1; row <= 10; ++row) {
            const int location = column * 100 + row;
            const Hex hex = *Hex::inSubsector(index, location);
            const int slot = store.slotOfLocation(location);
            const WorldRecord* record =
                slot >= 1 && slot <= kHexCount ? &store.worlds[static_cast<std::size_t>(slot)] : nullptr;
            if (record && !record->occupied()) record = nullptr;
            const SectorWorld* world = document.worldAt(hex);
            if (world && !record) {
                edits.push_back(std::make_unique<DeleteWorldEdit>(hex));
            } else if (record && !world) {
                SectorWorld added{hex.column, hex.row, *record, {}, 0};
                added.fields["Sector"] = sectorAbbreviation(document);
                edits.push_back(std::make_unique<AddWorldEdit>(std::move(added)));
            } else if (record && world) {
                SectorWorld changed = *world;
                changed.record = *record;
                changed.record.location = world->record.location;
                if (changed.record == world->record) continue;
                edits.push_back(std::make_unique<ChangeWorldEdit>(
                    std::move(changed),
                    "Change " + std::string(record->name.trimmed()) + " (" + document.hexText(hex) + ")"));
            }
        }
    }
    if (document.sector().subsectorNames[static_cast<std::size_t>(index)] != store.subsectorName) {
        edits.push_back(std::make_unique<RenameEdit>(index, store.subsectorName));
    }
    return edits;
}

namespace {

// The sector file at path opened for a subsector to go into it; nothing when there is no such file or it
// holds no world yet (then it is written new).
Result<std::optional<Document>> openForSaving(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return std::optional<Document>();
    Result<WithNotices<Document>> opened = openDocument(path);
    if (!opened) {
        const Result<WithNotices<SectorRead>> read = readSectorFile(path);
        if (read && read->value.sector.worlds.empty()) return std::optional<Document>();
        return Failure{opened.failure()};
    }
    return std::optional<Document>(std::move(opened->value));
}

}  // namespace

Result<Notices> saveStoreIntoSectorFile(const std::string& path, const SubsectorStore& store) {
    Result<std::optional<Document>> opened = openForSaving(path);
    if (!opened) return Failure{opened.failure()};
    if (!*opened) return joinIntoSectorFile(path, {&store});
    Document& document = **opened;
    for (const auto& edit : editsToHoldStore(document, store)) {
        if (Result<> applied = edit->apply(document); !applied) return Failure{applied.failure()};
    }
    return saveDocument(document);
}

Result<Notices> replaceSubsectorInSectorFile(const std::string& path, const SubsectorStore& store) {
    if (!letterOffset(store.subsectorLetter)) return fail(kDuffLetterMessage);
    Result<std::optional<Document>> opened = openForSaving(path);
    if (!opened) return Failure{opened.failure()};
    if (!*opened) return joinIntoSectorFile(path, {&store});
    Document& document = **opened;
    const int index = store.subsectorLetter[0] - 'A';
    std::vector<SectorWorld> worlds;
    for (int slot = 1; slot <= kHexCount; ++slot) {
        const WorldRecord& record = store.worlds[static_cast<std::size_t>(slot)];
        const auto hex = Hex::inSubsector(index, record.location);
        if (!record.occupied() || !hex) continue;
        SectorWorld world{hex->column, hex->row, record, {}, 0};
        world.fields["Sector"] = sectorAbbreviation(document);
        worlds.push_back(std::move(world));
    }
    // A subsector generated without a name keeps the one it had.
    const std::string& name = store.subsectorName.empty()
                                  ? document.sector().subsectorNames[static_cast<std::size_t>(index)]
                                  : store.subsectorName;
    ReplaceSubsectorEdit edit(index, std::move(worlds), name, "Generate subsector " + store.subsectorLetter);
    if (Result<> applied = edit.apply(document); !applied) return Failure{applied.failure()};
    return saveDocument(document);
}

}  // namespace qelvar
