#include "files/sector_file.h"

#include <algorithm>
#include <map>
#include <set>

#include "files/sector_formats.h"
#include "store/codes.h"
#include "store/cp1252.h"
#include "store/file_io.h"
#include "store/paths.h"
#include "store/text.h"

namespace qelvar {

namespace sector_formats {

std::vector<PhysicalLine> physicalLines(std::string_view bytes) {
    std::vector<PhysicalLine> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back({bytes.substr(start), {}, static_cast<int>(lines.size()) + 1});
            break;
        }
        const std::size_t endLength = bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1;
        lines.push_back(
            {bytes.substr(start, end - start), bytes.substr(end, endLength), static_cast<int>(lines.size()) + 1});
        start = end + endLength;
    }
    return lines;
}

std::string_view characters(std::string_view line, const std::vector<std::size_t>& starts, std::size_t first,
                            std::size_t count) {
    const std::size_t characters = starts.size() - 1;
    if (first >= characters) return {};
    const std::size_t last = count == std::string_view::npos ? characters : std::min(characters, first + count);
    return line.substr(starts[first], starts[last] - starts[first]);
}

std::size_t characterCount(std::string_view text) { return utf8CharacterStarts(text).size() - 1; }

namespace {

bool isProfileDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '?';
}

std::string quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

std::optional<std::string> fieldProblem(const SectorFields& fields) {
    const auto field = [&fields](const char* name) {
        const auto it = fields.find(name);
        return it == fields.end() ? std::string_view() : trimBlanks(it->second);
    };
    const std::string_view uwp = field("UWP");
    const bool dashed = uwp.size() == 9 && uwp[7] == '-';
    if (!uwp.empty()) {
        const bool digits = (dashed || uwp.size() == 8) && std::all_of(uwp.begin(), uwp.end(), [&](const char& c) {
                                return (dashed && &c == &uwp[7]) || isProfileDigit(c);
                            });
        if (!digits) return "the UWP " + quoted(uwp) + " is not a starport and seven digits";
    }
    const std::string_view pbg = field("PBG");
    if (!pbg.empty() && (pbg.size() != 3 || !std::all_of(pbg.begin(), pbg.end(), isProfileDigit))) {
        return "the PBG " + quoted(pbg) + " is not three digits";
    }
    const std::string_view allegiance = field("Allegiance");
    const bool allegianceFits =
        allegiance.empty() ||
        (allegiance.size() >= 2 && allegiance.size() <= 4 &&
         std::all_of(allegiance.begin(), allegiance.end(), [](char c) { return isProfileDigit(c) || c == '-'; }));
    if (!allegianceFits) return "the allegiance " + quoted(allegiance) + " is not two to four letters and digits";
    const std::string_view zone = field("Zone");
    if (zone.size() > 1 ||
        (zone.size() == 1 && std::string_view("-ARFUBGarfubg").find(zone[0]) == std::string_view::npos)) {
        return "the zone " + quoted(zone) + " is not a travel zone";
    }
    return std::nullopt;
}

void SectorReader::addWorld(SectorFields fields, std::string_view hex, int line) {
    const std::string_view trimmed = trimBlanks(hex);
    const bool digits =
        trimmed.size() == 4 && std::all_of(trimmed.begin(), trimmed.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) {
        badLine(line, "the hex \"" + std::string(trimmed) + "\" is not four digits");
        return;
    }
    const int column = (trimmed[0] - '0') * 10 + (trimmed[1] - '0');
    const int row = (trimmed[2] - '0') * 10 + (trimmed[3] - '0');
    if (column < 1 || column > kSectorColumns || row < 1 || row > kSectorRows) {
        badLine(line, "the hex " + std::string(trimmed) + " lies outside the sector");
        return;
    }
    if (const auto problem = fieldProblem(fields)) {
        badLine(line, *problem);
        return;
    }
    if (!taken.insert(column * 100 + row).second) {
        badLine(line, "a second world at hex " + std::string(trimmed) + "; the first stays");
        const auto first = std::find_if(read.sector.worlds.begin(), read.sector.worlds.end(),
                                        [&](const SectorWorld& w) { return w.column == column && w.row == row; });
        read.duplicates.push_back({column * 100 + row, cp1252FromUtf8(trimBlanks(fields["Name"])),
                                   first == read.sector.worlds.end() ? "" : std::string(first->record.name.trimmed())});
        return;
    }
    SectorWorld world;
    world.column = column;
    world.row = row;
    world.record = recordFromFields(fields, &notices, "line " + std::to_string(line) + ": ");
    world.record.location = static_cast<std::int16_t>(((column - 1) % 8 + 1) * 100 + (row - 1) % 10 + 1);
    world.fields = std::move(fields);
    world.line = line;
    read.sector.worlds.push_back(std::move(world));
}

Result<> acceptColumns(SectorRead& read) {
    const SectorLayout& layout = read.layout;
    std::vector<std::string> missing;
    for (const std::string& name : kRequiredSectorColumns) {
        const bool found = std::any_of(layout.columns.begin(), layout.columns.end(),
                                       [&](const SectorColumn& c) { return c.name == name; });
        if (!found) missing.push_back(name);
    }
    if (!missing.empty()) {
        std::string list;
        for (std::size_t i = 0; i < missing.size(); ++i) {
            list += (i == 0 ? "" : i + 1 == missing.size() ? " and " : ", ") + missing[i];
        }
        return fail("it has no " + list + (missing.size() == 1 ? " column" : " columns"));
    }
    auto& extra = read.sector.extraColumns;
    for (const SectorColumn& column : layout.columns) {
        const bool known =
            std::find(kSectorColumnNames.begin(), kSectorColumnNames.end(), column.name) != kSectorColumnNames.end();
        if (!known && std::find(extra.begin(), extra.end(), column.name) == extra.end()) extra.push_back(column.name);
    }
    return {};
}

namespace {

// The column format's titles for the writer's names.
const std::map<std::string, std::string> kColumnTitles = {
    {"Nobility", "N"}, {"Bases", "B"}, {"Zone", "Z"}, {"Allegiance", "A"}, {"Stars", "Stellar"}};
const std::vector<std::string> kColumnFormatNames = {"Hex",  "{Ix}", "(Ex)", "[Cx]",       "Nobility", "Bases",
                                                     "Zone", "PBG",  "W",    "Allegiance", "Stars"};

// A field as a line can hold it: TAB and line breaks become blanks.
std::string lineSafe(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
    return text;
}

// A field as the column format writes it: blanks around it would set a column's width that the reader,
// which trims them, would not give back.
std::string columnCell(const SectorFields& fields, const std::string& name) {
    const auto it = fields.find(name);
    std::string text = it == fields.end() ? std::string() : std::string(trimBlanks(lineSafe(it->second)));
    if (text.empty() && (name == "Nobility" || name == "Bases" || name == "Zone")) text = "-";
    return text;
}

std::string padded(std::string text, std::size_t width) {
    const std::size_t count = sector_formats::characterCount(text);
    if (count < width) text.append(width - count, ' ');
    return text;
}

std::string rightTrimmed(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

}  // namespace

SectorLayout layoutFor(const Sector& sector, SectorFormat format) {
    SectorLayout layout;
    layout.format = format;
    if (format == SectorFormat::Legacy) return layout;
    std::vector<std::string> names = kSectorColumnNames;
    if (format == SectorFormat::Columns) {
        names = {"Hex", "Name", "UWP", "Remarks"};
        names.insert(names.end(), kColumnFormatNames.begin() + 1, kColumnFormatNames.end());
        // The tab-separated columns the column format has no place for follow when a world has them.
        for (const std::string name : {"Sector", "RU"}) {
            const bool used = std::any_of(sector.worlds.begin(), sector.worlds.end(), [&](const SectorWorld& w) {
                const auto it = w.fields.find(name);
                return it != w.fields.end() && !it->second.empty();
            });
            if (used) names.push_back(name);
        }
    }
    names.insert(names.end(), sector.extraColumns.begin(), sector.extraColumns.end());
    for (const std::string& name : names) {
        const auto title = kColumnTitles.find(name);
        layout.columns.push_back(
            {name, format == SectorFormat::Columns && title != kColumnTitles.end() ? title->second : name, 0, 0});
    }
    if (format == SectorFormat::Tab) return layout;
    std::vector<SectorFields> rows;
    for (const SectorWorld& world : sector.worlds) rows.push_back(fieldsToWrite(world));
    std::size_t start = 0;
    for (SectorColumn& column : layout.columns) {
        column.width = characterCount(column.title);
        if (column.name == "Name" || column.name == "Remarks") column.width = std::max<std::size_t>(column.width, 20);
        for (const SectorFields& row : rows)
            column.width = std::max(column.width, characterCount(columnCell(row, column.name)));
        column.start = start;
        start += column.width + 1;
    }
    return layout;
}

std::string headerLines(const SectorLayout& layout) {
    std::string out;
    if (layout.format == SectorFormat::Tab) {
        for (const SectorColumn& column : layout.columns) out += (out.empty() ? "" : "\t") + column.title;
        return out + layout.lineEnd;
    }
    if (layout.format == SectorFormat::Legacy) return out;
    std::string titles, dashes;
    for (const SectorColumn& column : layout.columns) {
        titles = padded(std::move(titles), column.start) + column.title;
        dashes = padded(std::move(dashes), column.start) + std::string(column.width, '-');
    }
    return rightTrimmed(titles) + layout.lineEnd + dashes + layout.lineEnd;
}

std::string formatRow(const SectorFields& fields, const SectorLayout& layout, bool* cut) {
    const auto field = [&fields](const std::string& name) {
        const auto it = fields.find(name);
        return it == fields.end() ? std::string() : lineSafe(it->second);
    };
    std::string row;
    if (layout.format == SectorFormat::Tab) {
        for (std::size_t i = 0; i < layout.columns.size(); ++i) {
            row += (i == 0 ? "" : "\t") + field(layout.columns[i].name);
        }
        return row.starts_with('#') ? " " + row : row;  // never a comment line
    }
    if (layout.format == SectorFormat::Columns) {
        for (std::size_t i = 0; i < layout.columns.size(); ++i) {
            const SectorColumn& column = layout.columns[i];
            std::string text = columnCell(fields, column.name);
            if (i + 1 < layout.columns.size() && characterCount(text) > column.width) {
                text = std::string(characters(text, utf8CharacterStarts(text), 0, column.width));
                if (cut) *cut = true;
            }
            row = padded(std::move(row), column.start) + text;
        }
        return rightTrimmed(row);
    }
    // Legacy: one base letter, two-letter allegiance, fixed widths, every field without the blanks around it
    // (the reader trims them). Bases no letter stands for together keep their first base, written with the
    // letter that reads back as that base.
    const auto trimmedField = [&field](const std::string& name) { return std::string(trimBlanks(field(name))); };
    const std::string allegiance = trimmedField("Allegiance");
    const std::string bases = meaningOf("Bases", field("Bases"));
    std::string base = bases.substr(0, std::min<std::size_t>(1, bases.size()));
    if (const auto legacy = legacyBase(bases, allegiance)) {
        base = std::string(1, *legacy);
    } else if (const auto first = legacyBase(base, allegiance)) {
        base = std::string(1, *first);
    }
    const auto fit = [](const std::string& text, std::size_t width) {
        return padded(std::string(characters(text, utf8CharacterStarts(text), 0, width)), width);
    };
    std::string name = trimmedField("Name");
    if (!name.empty() && (name.front() == '#' || name.front() == '$' || name.front() == '@')) name = " " + name;
    row = fit(name, 14) + field("Hex") + " " + fit(trimmedField("UWP"), 9) + "  " + fit(base, 1) + " " +
          fit(meaningOf("Remarks", field("Remarks")), 15) + " " + fit(meaningOf("Zone", field("Zone")), 1) + "  " +
          fit(trimmedField("PBG"), 3) + " " + fit(allegiance, 2) + " " + trimmedField("Stars");
    return rightTrimmed(row);
}

}  // namespace sector_formats

using namespace sector_formats;

namespace {

std::string baseNameOf(const std::string& path) {
    const std::string name = fileNameOf(path);
    const auto dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

bool skippedLine(std::string_view line) { return trimBlanks(line).empty() || line.front() == '#'; }

// The legacy letters written for the tab and column formats as they are: no modern code stands for them.
std::optional<Notice> unknownBaseNotice(const Sector& sector) {
    int count = 0;
    std::string letters;
    for (const SectorWorld& world : sector.worlds) {
        const std::string_view base = world.record.base.trimmed();
        if (base.empty() || modernBases(base.front(), world.record.allegiance.view())) continue;
        if (fieldsToWrite(world).at("Bases") != utf8FromCp1252(base)) continue;
        ++count;
        if (letters.find(base.front()) == std::string::npos) letters += base.front();
    }
    if (count == 0) return std::nullopt;
    return Notice(std::to_string(count) + (count == 1 ? " world keeps" : " worlds keep") +
                  " a base letter with no modern code: " + utf8FromCp1252(letters));
}

}  // namespace

bool isSectorFileName(const std::string& path) {
    const std::string name = lowerAscii(fileNameOf(path));
    return name.ends_with(".tab") || name.ends_with(".tsv") || name.ends_with(".sec") || name.ends_with(".txt");
}

bool isSectorFile(const std::string& path) {
    const std::string name = lowerAscii(fileNameOf(path));
    if (name.ends_with(".tab") || name.ends_with(".tsv") || name.ends_with(".sec")) return true;
    const Result<std::string> bytes = readFileBytes(path);
    return bytes && sectorHeaderAt(*bytes);
}

bool sectorHeaderAt(std::string_view bytes) {
    const auto lines = physicalLines(bytes);
    std::size_t header = 0;
    while (header < lines.size() && skippedLine(lines[header].text)) ++header;
    if (header >= lines.size()) return false;
    const std::string_view titles = lines[header].text;
    const bool tab = std::count(titles.begin(), titles.end(), '\t') >= 9;
    const bool columns = header + 1 < lines.size() && isDashLine(lines[header + 1].text);
    const std::string upper = upperAscii(titles);
    return (tab || columns) && upper.find("HEX") != std::string::npos && upper.find("UWP") != std::string::npos;
}

std::optional<SectorFormat> sectorFormatFor(const std::string& path, std::string_view choice) {
    if (choice == "tab") return SectorFormat::Tab;
    if (choice == "columns") return SectorFormat::Columns;
    if (choice == "legacy") return SectorFormat::Legacy;
    if (!choice.empty() || !isSectorFileName(path)) return std::nullopt;
    const std::string name = lowerAscii(fileNameOf(path));
    if (name.ends_with(".txt")) return SectorFormat::Columns;
    return name.ends_with(".sec") ? SectorFormat::Legacy : SectorFormat::Tab;
}

std::string sectorFormatName(SectorFormat format) {
    switch (format) {
        case SectorFormat::Tab:
            return "the tab-separated sector format";
        case SectorFormat::Columns:
            return "the column sector format";
        case SectorFormat::Legacy:
            break;
    }
    return "the legacy sector format";
}

Result<WithNotices<SectorRead>> readSector(std::string_view bytes, const std::string& baseName) {
    WithNotices<SectorRead> result;
    result.value.sector.name = cp1252FromUtf8(baseName);
    const auto lines = physicalLines(bytes);
    for (const PhysicalLine& line : lines) {
        if (!line.end.empty()) {
            result.value.layout.lineEnd = std::string(line.end);
            break;
        }
    }
    SectorReader reader{result.value, result.notices, {}};
    std::size_t header = 0;
    while (header < lines.size() && skippedLine(lines[header].text)) ++header;
    Result<> read;
    if (header < lines.size() && std::count(lines[header].text.begin(), lines[header].text.end(), '\t') >= 9) {
        read = readTab(lines, header, reader);
    } else if (header + 1 < lines.size() && isDashLine(lines[header + 1].text)) {
        read = readColumns(lines, header, reader);
    } else {
        readLegacy(lines, reader);
    }
    if (!read) return fail("cannot read the sector file \"" + baseName + "\": " + read.error());
    if (result.value.sector.worlds.empty()) {
        const std::string first = result.notices.empty() ? std::string() : " (" + result.notices.front().text + ")";
        return fail("cannot read the sector file \"" + baseName + "\": no world could be read from it" + first);
    }
    return result;
}

Result<WithNotices<SectorRead>> readSectorFile(const std::string& path) {
    const Result<std::string> bytes = readFileBytes(path);
    if (!bytes) return Failure{bytes.failure()};
    Result<WithNotices<SectorRead>> read = readSector(*bytes, baseNameOf(path));
    if (!read) return fail("cannot read \"" + path + "\": " + read.error().substr(read.error().find(": ") + 2));
    const Result<std::string> metadata = readFileBytes(sectorMetadataPath(path));
    if (metadata) {
        // Read into the names alone, so that a metadata file that fails changes nothing.
        Sector names;
        names.name = read->value.sector.name;
        names.subsectorNames = read->value.sector.subsectorNames;
        if (Result<> parsed = readSectorMetadata(*metadata, names); parsed) {
            read->value.sector.name = std::move(names.name);
            read->value.sector.subsectorNames = std::move(names.subsectorNames);
        } else {
            read->notices.emplace_back("the names in \"" + sectorMetadataPath(path) +
                                       "\" were not read: " + parsed.error());
        }
    }
    return read;
}

WithNotices<std::string> formatSector(const Sector& sector, SectorFormat format) {
    WithNotices<std::string> out;
    const SectorLayout layout = layoutFor(sector, format);
    out.value = headerLines(layout);
    for (const SectorWorld& world : sector.worlds)
        out.value += formatRow(fieldsToWrite(world), layout) + layout.lineEnd;
    if (format == SectorFormat::Legacy) {
        const Result<WithNotices<SectorRead>> back = readSector(out.value, {});
        if (back) {
            if (auto lost = lossNotice(sector, back->value.sector, -1, "the legacy sector format")) {
                out.notices.push_back(*lost);
            }
        }
    } else if (auto unknown = unknownBaseNotice(sector)) {
        out.notices.push_back(*unknown);
    }
    return out;
}

namespace {

// The sector file and its metadata committed together (one flush for both); a metadata file that already
// holds these bytes is left alone.
Result<> writeWithMetadata(const std::string& path, std::string bytes, std::string metadata) {
    std::vector<FileToWrite> files{{path, std::move(bytes)}};
    const std::string metadataPath = sectorMetadataPath(path);
    const Result<std::string> old = readFileBytes(metadataPath);
    if (!old || *old != metadata) files.push_back({metadataPath, std::move(metadata)});
    for (Result<>& written : writeFilesTogether(files)) {
        if (!written) return written;
    }
    return {};
}

}  // namespace

Result<Notices> writeSectorFile(const Sector& sector, const std::string& path, SectorFormat format) {
    WithNotices<std::string> file = formatSector(sector, format);
    if (Result<> written = writeWithMetadata(path, std::move(file.value), formatSectorMetadata(sector)); !written) {
        return Failure{written.failure()};
    }
    return std::move(file.notices);
}

Result<Notices> joinIntoSectorFile(const std::string& path, const std::vector<const SubsectorStore*>& stores,
                                   std::optional<SectorFormat> format) {
    const Result<std::string> existing = readFileBytes(path);
    if (!existing) {
        Sector sector;
        for (const SubsectorStore* store : stores) storeIntoSector(*store, sector);
        if (sector.name.empty()) sector.name = baseNameOf(path);
        const auto chosen = format ? format : sectorFormatFor(path);
        return writeSectorFile(sector, path, chosen.value_or(SectorFormat::Tab));
    }
    Result<WithNotices<SectorRead>> read = readSectorFile(path);
    if (!read) return fail(read.error());
    SectorRead& file = read->value;
    Notices notices;
    std::vector<bool> replaced(kSubsectorCount, false);
    for (const SubsectorStore* store : stores) {
        if (letterOffset(store->subsectorLetter))
            replaced[static_cast<std::size_t>(store->subsectorLetter[0] - 'A')] = true;
    }
    // Old rows of the replaced subsectors go; each one's new rows stand where its first old row stood.
    std::map<int, int> rowsAt;  // line number: the subsector whose rows are written there
    std::vector<bool> placed(kSubsectorCount, false);
    std::set<int> dropped;
    for (const SectorWorld& world : file.sector.worlds) {
        const auto index = static_cast<std::size_t>(subsectorIndexOf(world.column, world.row));
        if (!replaced[index]) continue;
        dropped.insert(world.line);
        if (!placed[index]) rowsAt[world.line] = static_cast<int>(index);
        placed[index] = true;
    }
    for (const SubsectorStore* store : stores) storeIntoSector(*store, file.sector);
    bool cut = false;
    const auto rowsOf = [&](int index) {
        std::string rows;
        for (const SectorWorld& world : file.sector.worlds) {
            if (subsectorIndexOf(world.column, world.row) != index) continue;
            rows += formatRow(fieldsToWrite(world), file.layout, &cut) + file.layout.lineEnd;
        }
        return rows;
    };
    std::string out;
    for (const PhysicalLine& line : physicalLines(*existing)) {
        if (const auto at = rowsAt.find(line.number); at != rowsAt.end()) out += rowsOf(at->second);
        if (dropped.count(line.number) == 0) {
            out += line.text;
            out += line.end;
        }
    }
    std::string tail;
    for (int index = 0; index < kSubsectorCount; ++index) {
        if (replaced[static_cast<std::size_t>(index)] && !placed[static_cast<std::size_t>(index)])
            tail += rowsOf(index);
    }
    if (!tail.empty() && !out.empty() && out.back() != '\n' && out.back() != '\r') out += file.layout.lineEnd;
    out += tail;
    if (cut) notices.emplace_back("some values were cut to fit the columns of \"" + path + "\"");
    if (Result<> written = writeWithMetadata(path, std::move(out), formatSectorMetadata(file.sector)); !written) {
        return Failure{written.failure()};
    }
    return notices;
}

std::optional<Notice> subsectorLossNotice(const Sector& sector, int index, const SubsectorStore& written,
                                          const std::string& formatName) {
    Sector after;
    storeIntoSector(written, after);
    return lossNotice(sector, after, index, formatName);
}

}  // namespace qelvar
