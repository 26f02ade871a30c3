// The tab-separated sector format: a header of column names, then one world per line with as many
// TAB-separated fields, no quoting; columns are found by name in any order.
#include <algorithm>

#include "files/sector_formats.h"
#include "store/text.h"

namespace qelvar::sector_formats {

namespace {

std::vector<std::string_view> splitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1) {
        fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
    return fields;
}

bool skipped(std::string_view line) { return trimBlanks(line).empty() || line.front() == '#'; }

}  // namespace

Result<> readTab(const std::vector<PhysicalLine>& lines, std::size_t header, SectorReader& reader) {
    SectorLayout& layout = reader.read.layout;
    for (const std::string_view title : splitTabs(lines[header].text)) {
        layout.columns.push_back({canonicalColumnName(title), std::string(title), 0, 0});
    }
    if (Result<> accepted = acceptColumns(reader.read); !accepted) return accepted;
    for (std::size_t i = header + 1; i < lines.size(); ++i) {
        if (skipped(lines[i].text)) continue;
        const auto cells = splitTabs(lines[i].text);
        if (cells.size() != layout.columns.size()) {
            reader.badLine(lines[i].number, std::to_string(cells.size()) + " fields where the header has " +
                                                std::to_string(layout.columns.size()));
            continue;
        }
        SectorFields fields;
        std::string_view hex;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const std::string& name = layout.columns[c].name;
            if (name == "Hex") hex = cells[c];
            if (name != "Hex" && name != "SS") fields.emplace(name, cells[c]);
        }
        reader.addWorld(std::move(fields), hex, lines[i].number);
    }
    return {};
}

}  // namespace qelvar::sector_formats
