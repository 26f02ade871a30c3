#pragma once
// Opening a file as a document and saving the document back into it. A sector file is saved in place:
// only the lines of worlds that changed are written again (a new world's line where the file's order puts
// it, a deleted world's line gone); every other byte, the header and comment lines and the line ends stay.
// Its metadata file is written only when the names changed, and then only those elements. An SBS or ARP
// file is written whole by its writer; a galactic DAT file is only read.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/document.h"
#include "store/notice.h"
#include "store/result.h"

namespace qelvar {

// Opens path, the format by its name as "Load" chooses it. A DAT file takes its subsector letter from
// `letter`, else from DATA.MNU beside it; an SBS or ARP file whose own letter is unknown takes `letter`.
// A file that cannot be read, holds no world or has no letter fails; per-line problems are the notices.
[[nodiscard]] Result<WithNotices<Document>> openDocument(const std::string& path, const std::string& letter = {});

// Why a file is not loaded at all: empty, or not text (a NUL, or more than one control byte in twenty).
// Nothing for a file worth loading, or one that cannot be read (the load tells that, as it tells a sector
// file without a world).
std::optional<std::string> refusedForLoading(const std::string& path);

// What saving would write: the file's bytes, and the metadata's when the names changed.
struct DocumentBytes {
    std::string file;
    std::optional<std::string> metadata;
    Notices notices;  // what the format could not hold
    // For a sector file: the line (from 1) each of the document's worlds stands on in `file`, in order.
    std::vector<int> worldLines;
};
[[nodiscard]] Result<DocumentBytes> documentBytes(const Document& document);

// Saves the document into its own file (nothing is written when nothing changed); the notices tell what
// the format could not hold. On a failure no file was changed.
[[nodiscard]] Result<Notices> saveDocument(Document& document);

// The Sector column's text the document's worlds give (the first one that has it); empty when none does.
std::string sectorAbbreviation(const Document& document);

// The world at hex as one line of the tab-separated sector format, in its writer's column order (Sector
// SS Hex Name UWP ...); empty for an empty hex. The line is UTF-8, as the sector files hold it.
std::string worldTabLine(const Document& document, Hex hex);
// The world one such line describes, placed at hex (the line's own Sector, SS and Hex do not count; an
// empty Sector is the one the document's worlds give). Fails for a line with more fields than columns.
[[nodiscard]] Result<SectorWorld> worldFromTabLine(const Document& document, Hex hex, std::string_view line);

}  // namespace qelvar
