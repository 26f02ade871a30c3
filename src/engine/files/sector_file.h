#pragma once
// Whole-sector files: the tab-separated format, the column format and the legacy fixed-column format,
// with the names in a metadata file beside them (same base name, ".xml"). The entry points for everyone:
//
//     Result<WithNotices<SectorRead>> read = readSectorFile(path);     // format by content
//     if (!read) tell(read.failure());                                   // unreadable, or no Hex column
//     tell(read->notices);                                               // "line 12: ..." per skipped line
//     sectorToStore(read->value.sector, index, store);                   // files/sector.h
//
//     Result<Notices> written = writeSectorFile(sector, path, format);   // the sector and its metadata
//     Result<Notices> joined = joinIntoSectorFile(path, {&store}, {});   // replace only those rows
//
// Every file a writer wrote reads back and writes again byte for byte, and every field of a valid file
// survives a read and a write in the same format.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/sector.h"
#include "store/notice.h"
#include "store/result.h"

namespace qelvar {

enum class SectorFormat { Tab, Columns, Legacy };

// One column of a file as its header has it: the writer's name, the title written, and for the column
// format the first character (0-based) and the width.
struct SectorColumn {
    std::string name;
    std::string title;
    std::size_t start = 0;
    std::size_t width = 0;
};

// How a file lays out its rows, so that rows added to it match the ones it has.
struct SectorLayout {
    SectorFormat format = SectorFormat::Tab;
    std::vector<SectorColumn> columns;  // tab and column formats
    std::string lineEnd = "\r\n";
};

struct SectorRead {
    Sector sector;
    SectorLayout layout;
    // Every further line for a hex an earlier line holds (told as a bad line; the first world stays): the
    // sector hex, the line's name and the name of the world that stays, as Windows-1252 bytes.
    std::vector<LineSeen> duplicates;
};

// Whether a file name is written as a sector file: ".tab", ".tsv", ".sec" or ".txt" at its end, any letter
// case.
bool isSectorFileName(const std::string& path);
// Whether a file is read as a sector file: ".tab", ".tsv" or ".sec" at its end, or, whatever its name, its
// first lines are the header of the tab-separated or the column format (titles with Hex and UWP).
bool isSectorFile(const std::string& path);
bool sectorHeaderAt(std::string_view bytes);
// The format a sector file of that name is written in: .tab and .tsv tab-separated, .sec legacy, .txt the
// column format; `choice`
// ("tab", "columns", "legacy", or empty for the name's own) overrides. Nothing for another name or choice.
std::optional<SectorFormat> sectorFormatFor(const std::string& path, std::string_view choice = {});
std::string sectorFormatName(SectorFormat format);

// Reads a sector file's bytes, the format by content: after blank and "#" lines, a header of ten or more
// TAB-separated names is the tab format, a header followed by a line of dash runs is the column format,
// anything else the legacy format. A bad line is told with its line number and skipped; a file without
// one of the required columns, or without a single world that could be read, fails. The sector's name is baseName,
// subsector names empty.
[[nodiscard]] Result<WithNotices<SectorRead>> readSector(std::string_view bytes, const std::string& baseName);
// The same for a file, with the names from the metadata file beside it when there is one.
[[nodiscard]] Result<WithNotices<SectorRead>> readSectorFile(const std::string& path);

// The bytes of a whole sector file, with the notice of the fields the format cannot hold.
WithNotices<std::string> formatSector(const Sector& sector, SectorFormat format);
// The metadata file: the sector's name and the sixteen subsector names.
std::string formatSectorMetadata(const Sector& sector);
// Reads metadata into the sector's names; a file that is not such XML fails and changes nothing.
[[nodiscard]] Result<> readSectorMetadata(std::string_view bytes, Sector& sector);
// The metadata file's path for a sector file's path: the same base name with ".xml".
std::string sectorMetadataPath(const std::string& path);

// Writes the sector file and its metadata atomically. The notices tell what the format could not hold.
[[nodiscard]] Result<Notices> writeSectorFile(const Sector& sector, const std::string& path, SectorFormat format);

// Puts each store's subsector (by its letter) into the sector file at path. An existing file keeps every
// other line's bytes and place; the subsector's new rows stand where its first old row stood (at the end
// when it had none). A new file is written whole, in `format` or the one its name says.
[[nodiscard]] Result<Notices> joinIntoSectorFile(const std::string& path,
                                                 const std::vector<const SubsectorStore*>& stores,
                                                 std::optional<SectorFormat> format = std::nullopt);

// The notice of what subsector index of the sector lost in a subsector format ("SBS", "ARP"), given the
// store that format's bytes read back into. Nothing when all was kept.
std::optional<Notice> subsectorLossNotice(const Sector& sector, int index, const SubsectorStore& written,
                                          const std::string& formatName);

}  // namespace qelvar
