// The column sector format: a header of names over a line of dash runs, each run one column's place and
// width; data lines are cut at those columns, counted in characters.
#include <algorithm>

#include "files/sector_formats.h"
#include "store/cp1252.h"
#include "store/text.h"

namespace qelvar::sector_formats {

namespace {

bool skipped(std::string_view line) { return trimBlanks(line).empty() || line.front() == '#'; }

bool blankCharacters(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

bool isDashLine(std::string_view line) {
    return line.find('-') != std::string_view::npos &&
           std::all_of(line.begin(), line.end(), [](char c) { return c == '-' || c == ' ' || c == '\t'; });
}

Result<> readColumns(const std::vector<PhysicalLine>& lines, std::size_t header, SectorReader& reader) {
    SectorLayout& layout = reader.read.layout;
    layout.format = SectorFormat::Columns;
    const std::string_view dashes = lines[header + 1].text;
    const std::string_view titles = lines[header].text;
    const auto titleStarts = utf8CharacterStarts(titles);
    for (std::size_t i = 0; i < dashes.size();) {
        if (dashes[i] != '-') {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < dashes.size() && dashes[i] == '-') ++i;
        const bool last = dashes.find('-', i) == std::string_view::npos;
        const std::string_view title =
            trimBlanks(characters(titles, titleStarts, start, last ? std::string_view::npos : i - start));
        layout.columns.push_back({canonicalColumnName(title), std::string(title), start, i - start});
    }
    if (Result<> accepted = acceptColumns(reader.read); !accepted) return accepted;
    for (std::size_t i = header + 2; i < lines.size(); ++i) {
        const std::string_view line = lines[i].text;
        if (skipped(line)) continue;
        const auto starts = utf8CharacterStarts(line);
        SectorFields fields;
        std::string_view hex;
        bool bad = false;
        std::size_t previousEnd = 0;
        for (std::size_t c = 0; c < layout.columns.size() && !bad; ++c) {
            const SectorColumn& column = layout.columns[c];
            const std::string_view gap = characters(line, starts, previousEnd, column.start - previousEnd);
            if (!blankCharacters(gap)) {
                reader.badLine(lines[i].number, "text between the columns before " + column.title);
                bad = true;
                break;
            }
            const bool last = c + 1 == layout.columns.size();
            const std::string_view cell =
                trimBlanks(characters(line, starts, column.start, last ? std::string_view::npos : column.width));
            previousEnd = column.start + column.width;
            if (column.name == "Hex") hex = cell;
            if (column.name != "Hex" && column.name != "SS") fields.emplace(column.name, cell);
        }
        if (!bad) reader.addWorld(std::move(fields), hex, lines[i].number);
    }
    return {};
}

}  // namespace qelvar::sector_formats
