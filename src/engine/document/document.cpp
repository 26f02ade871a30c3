#include "document/document.h"

#include <algorithm>

namespace qelvar {

Document::Document(Sector sector, DocumentOrigin origin, std::string fileBytes,
                   std::optional<std::string> metadataBytes)
    : sector_(std::move(sector)),
      fileSector_(sector_),
      origin_(std::move(origin)),
      fileBytes_(std::move(fileBytes)),
      metadataBytes_(std::move(metadataBytes)) {}

std::optional<std::size_t> Document::positionOf(Hex hex) const {
    const auto found = std::find_if(sector_.worlds.begin(), sector_.worlds.end(),
                                    [hex](const SectorWorld& w) { return w.column == hex.column && w.row == hex.row; });
    if (found == sector_.worlds.end()) return std::nullopt;
    return static_cast<std::size_t>(found - sector_.worlds.begin());
}

const SectorWorld* Document::worldAt(Hex hex) const {
    const auto position = positionOf(hex);
    return position ? &sector_.worlds[*position] : nullptr;
}

bool Document::holds(Hex hex) const {
    if (hex.column < 1 || hex.column > kSectorColumns || hex.row < 1 || hex.row > kSectorRows) return false;
    return isSectorFile() || hex.subsectorIndex() == origin_.subsector;
}

std::string Document::hexText(Hex hex) const {
    return isSectorFile() ? hex.text() : Hex{hex.localNumber() / 100, hex.localNumber() % 100}.text();
}

std::string Document::worldLabel(Hex hex) const {
    const SectorWorld* world = worldAt(hex);
    const std::string name = world ? std::string(world->record.name.trimmed()) : std::string();
    return (name.empty() ? "the world" : name) + " (" + hexText(hex) + ")";
}

bool Document::differsFromFile() const {
    if (sector_.name != fileSector_.name || sector_.subsectorNames != fileSector_.subsectorNames) return true;
    if (sector_.worlds.size() != fileSector_.worlds.size()) return true;
    return !std::equal(sector_.worlds.begin(), sector_.worlds.end(), fileSector_.worlds.begin(), sameWorld);
}

void Document::insertWorld(std::size_t position, SectorWorld world) {
    position = std::min(position, sector_.worlds.size());
    sector_.worlds.insert(sector_.worlds.begin() + static_cast<std::ptrdiff_t>(position), std::move(world));
}

SectorWorld Document::removeWorld(std::size_t position) {
    SectorWorld world = std::move(sector_.worlds.at(position));
    sector_.worlds.erase(sector_.worlds.begin() + static_cast<std::ptrdiff_t>(position));
    return world;
}

void Document::markSaved(DocumentOrigin origin, std::string fileBytes, std::optional<std::string> metadataBytes) {
    origin_ = std::move(origin);
    fileBytes_ = std::move(fileBytes);
    metadataBytes_ = std::move(metadataBytes);
    fileSector_ = sector_;
}

bool sameWorld(const SectorWorld& a, const SectorWorld& b) {
    return a.column == b.column && a.row == b.row && a.record == b.record && a.fields == b.fields;
}

SectorWorld worldFromFields(Hex hex, SectorFields fields) {
    fields.erase("Hex");
    fields.erase("SS");
    SectorWorld world;
    world.column = hex.column;
    world.row = hex.row;
    world.record = recordFromFields(fields);
    world.record.location = static_cast<std::int16_t>(hex.localNumber());
    world.fields = std::move(fields);
    return world;
}

}  // namespace qelvar
