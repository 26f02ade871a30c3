#pragma once
// The document: one sector being edited (up to 16 subsectors; an SBS, ARP or DAT file is a sector holding
// one subsector, placed by its letter), every world with every field its file gave, where it came from and
// its names. It changes only through edit objects (document/edits.h) and is saved back in its own format
// (document/document_file.h), rewriting only what changed.
//
//     Result<WithNotices<Document>> opened = openDocument(path, letter);
//     SetFieldEdit edit(*Hex::parse("1910"), "UWP", "A788899-C");
//     if (Result<> applied = edit.apply(opened->value); !applied) tell(applied.failure());
//     Result<Notices> saved = saveDocument(opened->value);

#include <cstddef>
#include <optional>
#include <string>

#include "document/hex.h"
#include "files/loader.h"
#include "files/sector.h"
#include "files/sector_fields.h"
#include "files/sector_file.h"

namespace qelvar {

// Where a document came from and how it is written back.
struct DocumentOrigin {
    std::string path;
    FileFormat format = FileFormat::Sector;
    SectorLayout layout;       // a sector file's rows and line ends
    int subsector = -1;        // a subsector file's place in the sector (0..15); -1 for a sector file
    std::string metadataPath;  // a sector file's names; empty for a subsector file
};

class Document {
public:
    Document() = default;
    Document(Sector sector, DocumentOrigin origin, std::string fileBytes, std::optional<std::string> metadataBytes);

    const Sector& sector() const { return sector_; }
    const DocumentOrigin& origin() const { return origin_; }
    bool isSectorFile() const { return origin_.subsector < 0; }

    const SectorWorld* worldAt(Hex hex) const;
    // Whether the document can hold a world at hex: any hex of a sector file, the hexes of its own
    // subsector for a subsector file.
    bool holds(Hex hex) const;
    // The hex as the map beside it numbers it: the sector's number for a sector file, the subsector's
    // own number for a subsector file.
    std::string hexText(Hex hex) const;
    // "Regina (1910)": the world's name and its hex, as Windows-1252 bytes.
    std::string worldLabel(Hex hex) const;
    // Whether the worlds or names differ from the file as read or last saved.
    bool differsFromFile() const;

    // For the edits only: the place of the world at hex in sector().worlds (nothing when empty), and the
    // changes every edit is made of.
    std::optional<std::size_t> positionOf(Hex hex) const;
    SectorWorld& worldAtPosition(std::size_t position) { return sector_.worlds.at(position); }
    void insertWorld(std::size_t position, SectorWorld world);
    SectorWorld removeWorld(std::size_t position);
    Sector& names() { return sector_; }

    // For saving: the file's bytes and worlds as read or last saved, the metadata's bytes (nothing when
    // there was no metadata file), and taking a save as the new state of the file.
    const std::string& fileBytes() const { return fileBytes_; }
    const Sector& fileSector() const { return fileSector_; }
    const std::optional<std::string>& metadataBytes() const { return metadataBytes_; }
    void markSaved(DocumentOrigin origin, std::string fileBytes, std::optional<std::string> metadataBytes);

private:
    Sector sector_;
    Sector fileSector_;
    DocumentOrigin origin_;
    std::string fileBytes_;
    std::optional<std::string> metadataBytes_;
};

// Whether two worlds are the same world at the same hex with the same fields (where they were read from
// does not count).
bool sameWorld(const SectorWorld& a, const SectorWorld& b);
// The world at hex with a record made from fields (its location set), every field kept as given.
SectorWorld worldFromFields(Hex hex, SectorFields fields);

}  // namespace qelvar
