// The legacy fixed-column sector format, the columns of the galactic data files for a whole sector:
// name 1-14, hex 15-18, UWP 20-28, one base letter at 31, remarks 33-47, zone 49, PBG 52-54,
// allegiance 56-57, stars from 59. Lines starting with "#", "$" or "@" are comments.
#include "files/sector_formats.h"
#include "store/cp1252.h"
#include "store/text.h"

namespace qelvar::sector_formats {

namespace {

std::string cell(std::string_view line, const std::vector<std::size_t>& starts, std::size_t first, std::size_t last) {
    return std::string(
        trimBlanks(characters(line, starts, first - 1, last == 0 ? std::string_view::npos : last - first + 1)));
}

}  // namespace

void readLegacy(const std::vector<PhysicalLine>& lines, SectorReader& reader) {
    reader.read.layout.format = SectorFormat::Legacy;
    for (const PhysicalLine& physical : lines) {
        const std::string_view line = physical.text;
        if (trimBlanks(line).empty() || line.front() == '#' || line.front() == '$' || line.front() == '@') continue;
        const auto starts = utf8CharacterStarts(line);
        SectorFields fields;
        fields["Name"] = cell(line, starts, 1, 14);
        fields["UWP"] = cell(line, starts, 20, 28);
        fields["Remarks"] = cell(line, starts, 33, 47);
        fields["Zone"] = cell(line, starts, 49, 49);
        fields["PBG"] = cell(line, starts, 52, 54);
        fields["Allegiance"] = cell(line, starts, 56, 57);
        fields["Stars"] = cell(line, starts, 59, 0);
        const std::string base = cell(line, starts, 31, 31);
        const auto modern = base.empty() ? std::nullopt : modernBases(base.front(), fields["Allegiance"]);
        fields["Bases"] = modern ? *modern : base;
        reader.addWorld(std::move(fields), characters(line, starts, 14, 4), physical.number);
    }
}

}  // namespace qelvar::sector_formats
