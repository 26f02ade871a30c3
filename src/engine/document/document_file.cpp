#include "document/document_file.h"

#include <algorithm>
#include <functional>
#include <map>

#include "document/metadata_names.h"
#include "files/arp.h"
#include "files/dat.h"
#include "files/sbs.h"
#include "files/sector_formats.h"
#include "store/codes.h"
#include "store/cp1252.h"
#include "store/file_io.h"
#include "store/paths.h"
#include "store/subsector_store.h"
#include "store/text.h"

namespace qelvar {

using sector_formats::PhysicalLine;

namespace {

Result<WithNotices<Document>> openSectorFile(const std::string& path, std::string bytes) {
    Result<WithNotices<SectorRead>> read = readSectorFile(path);
    if (!read) return Failure{read.failure()};
    SectorRead& file = read->value;
    if (file.sector.worlds.empty()) return fail("\"" + path + "\" holds no world line that can be read");
    DocumentOrigin origin{path, FileFormat::Sector, file.layout, -1, sectorMetadataPath(path)};
    std::optional<std::string> metadata;
    if (Result<std::string> names = readFileBytes(origin.metadataPath)) metadata = std::move(*names);
    return WithNotices<Document>{Document(std::move(file.sector), std::move(origin), std::move(bytes), metadata),
                                 std::move(read->notices)};
}

Result<std::string> letterOfDataFile(const std::string& path, const std::string& letter) {
    if (!letter.empty()) return upperAscii(letter);
    if (const auto index = readFileBytes(joinPath(folderOf(path), kDataIndexName))) {
        if (auto found = letterFromDataIndex(*index, fileNameOf(path))) return *found;
    }
    return fail("no subsector letter for \"" + path + "\" in " + kDataIndexName + " beside it");
}

Result<WithNotices<Document>> openSubsectorFile(const std::string& path, std::string bytes, FileFormat format,
                                                const std::string& letter) {
    SubsectorStore store;
    Notices notices;
    if (format == FileFormat::Dat) {
        const Result<std::string> given = letterOfDataFile(path, letter);
        if (!given) return Failure{given.failure()};
        notices = readDat(store, bytes, *given);
    } else {
        notices = format == FileFormat::Sbs ? readSbs(store, bytes) : readArp(store, bytes);
        if (!letterOffset(store.subsectorLetter) && !letter.empty()) store.subsectorLetter = upperAscii(letter);
    }
    if (!letterOffset(store.subsectorLetter)) {
        return fail("\"" + path + "\" has no subsector letter A to P");
    }
    Sector sector;
    storeIntoSector(store, sector);
    if (sector.worlds.empty()) return fail("\"" + path + "\" holds no world line that can be read");
    const DocumentOrigin origin{path, format, {}, store.subsectorLetter[0] - 'A', {}};
    return WithNotices<Document>{Document(std::move(sector), origin, std::move(bytes), std::nullopt),
                                 std::move(notices)};
}

// The order a file keeps its worlds in: by hex, or subsector by subsector; the one it breaks least.
std::function<int(const SectorWorld&)> fileOrder(const Sector& file) {
    const auto byHex = [](const SectorWorld& w) { return w.column * 100 + w.row; };
    const auto bySubsector = [](const SectorWorld& w) {
        return subsectorIndexOf(w.column, w.row) * 10000 + w.column * 100 + w.row;
    };
    std::vector<const SectorWorld*> lines;
    for (const SectorWorld& world : file.worlds) lines.push_back(&world);
    std::sort(lines.begin(), lines.end(), [](const auto* a, const auto* b) { return a->line < b->line; });
    const auto breaks = [&lines](const auto& key) {
        int count = 0;
        for (std::size_t i = 1; i < lines.size(); ++i) count += key(*lines[i]) < key(*lines[i - 1]) ? 1 : 0;
        return count;
    };
    if (breaks(bySubsector) < breaks(byHex)) return bySubsector;
    return byHex;
}

struct OutLine {
    std::string text;
    std::string end;
    const SectorWorld* world = nullptr;  // the live world the line holds
};

// The sector file with only the changed worlds' lines written again.
Result<DocumentBytes> sectorFileBytes(const Document& document) {
    DocumentBytes out;
    out.worldLines.assign(document.sector().worlds.size(), 0);
    const Sector& file = document.fileSector();
    const Sector& now = document.sector();
    const SectorLayout& layout = document.origin().layout;
    std::map<int, const SectorWorld*> fileWorldAt;
    for (const SectorWorld& world : file.worlds) fileWorldAt[world.line] = &world;
    // Each live world takes the line it was read from, first those still at the same hex (a stale line
    // number, from a world put back after a save, loses to them and is written as a new line).
    std::map<int, const SectorWorld*> claims;
    for (const bool sameHex : {true, false}) {
        for (const SectorWorld& world : now.worlds) {
            const auto found = fileWorldAt.find(world.line);
            if (found == fileWorldAt.end() || claims.count(world.line) > 0) continue;
            const bool atHex = found->second->column == world.column && found->second->row == world.row;
            if (atHex == sameHex) claims[world.line] = &world;
        }
    }
    std::vector<const SectorWorld*> added;
    for (const SectorWorld& world : now.worlds) {
        const auto claim = claims.find(world.line);
        if (claim == claims.end() || claim->second != &world) added.push_back(&world);
    }
    const auto key = fileOrder(file);
    std::stable_sort(added.begin(), added.end(), [&key](const auto* a, const auto* b) { return key(*a) < key(*b); });

    const std::vector<PhysicalLine> lines = sector_formats::physicalLines(document.fileBytes());
    // A new line goes before the first world line of the file that comes after it, else after the last.
    int lastWorldLine = 0;
    for (const auto& [line, world] : fileWorldAt) lastWorldLine = std::max(lastWorldLine, line);
    std::map<int, std::vector<const SectorWorld*>> before;  // line number: the new lines that go before it
    for (const SectorWorld* world : added) {
        int at = lastWorldLine == 0 ? static_cast<int>(lines.size()) + 1 : lastWorldLine + 1;
        for (const auto& [line, old] : fileWorldAt) {
            if (key(*old) > key(*world)) {
                at = line;
                break;
            }
        }
        before[at].push_back(world);
    }
    bool cut = false;
    Sector rewritten;
    const auto row = [&](const SectorWorld& world) {
        rewritten.worlds.push_back(world);
        return sector_formats::formatRow(fieldsToWrite(world), layout, &cut);
    };
    std::vector<OutLine> result;
    const auto addNew = [&](int at) {
        if (const auto found = before.find(at); found != before.end()) {
            for (const SectorWorld* world : found->second) result.push_back({row(*world), layout.lineEnd, world});
        }
    };
    for (const PhysicalLine& line : lines) {
        addNew(line.number);
        const auto fileWorld = fileWorldAt.find(line.number);
        if (fileWorld == fileWorldAt.end()) {
            result.push_back({std::string(line.text), std::string(line.end), nullptr});
            continue;
        }
        const auto claim = claims.find(line.number);
        if (claim == claims.end()) continue;  // deleted
        const SectorWorld& world = *claim->second;
        result.push_back({sameWorld(world, *fileWorld->second) ? std::string(line.text) : row(world),
                          std::string(line.end), &world});
    }
    addNew(static_cast<int>(lines.size()) + 1);
    // Every line but the last ends; the last one as the file's last line did.
    const bool endsOpen = !lines.empty() && lines.back().end.empty();
    for (std::size_t i = 0; i < result.size(); ++i) {
        if (i + 1 < result.size() && result[i].end.empty()) result[i].end = layout.lineEnd;
        if (i + 1 == result.size() && endsOpen) result[i].end.clear();
        out.file += result[i].text + result[i].end;
        if (result[i].world != nullptr) {
            out.worldLines[static_cast<std::size_t>(result[i].world - now.worlds.data())] = static_cast<int>(i) + 1;
        }
    }
    if (cut) out.notices.emplace_back("some values were cut to fit the columns of \"" + document.origin().path + "\"");
    if (layout.format == SectorFormat::Legacy && !rewritten.worlds.empty()) {
        std::string rows;
        for (const SectorWorld& world : rewritten.worlds)
            rows += sector_formats::formatRow(fieldsToWrite(world), layout) + "\n";
        if (const auto back = readSector(rows, {})) {
            if (auto lost = lossNotice(rewritten, back->value.sector, -1, sectorFormatName(layout.format))) {
                out.notices.push_back(*lost);
            }
        }
    }
    return out;
}

// The new metadata when the names changed.
Result<std::optional<std::string>> metadataBytes(const Document& document) {
    const Sector& file = document.fileSector();
    const Sector& now = document.sector();
    if (now.name == file.name && now.subsectorNames == file.subsectorNames) return std::optional<std::string>();
    if (!document.metadataBytes()) return std::optional<std::string>(formatSectorMetadata(now));
    Result<std::string> names = withNewNames(*document.metadataBytes(), file, now);
    if (!names) {
        return fail("cannot write the names into \"" + document.origin().metadataPath + "\": " + names.error());
    }
    return std::optional<std::string>(std::move(*names));
}

Result<DocumentBytes> subsectorFileBytes(const Document& document) {
    const DocumentOrigin& origin = document.origin();
    if (origin.format == FileFormat::Dat) {
        return fail("cannot write \"" + origin.path + "\": a galactic DAT file is only read");
    }
    if (!document.differsFromFile()) return DocumentBytes{document.fileBytes(), std::nullopt, {}, {}};
    SubsectorStore store;
    sectorToStore(document.sector(), origin.subsector, store);
    WithNotices<std::string> bytes = origin.format == FileFormat::Sbs ? formatSbs(store) : formatArp(store);
    SubsectorStore back;
    (void)(origin.format == FileFormat::Sbs ? readSbs(back, bytes.value) : readArp(back, bytes.value));
    const std::string name = origin.format == FileFormat::Sbs ? "SBS" : "ARP";
    if (auto lost = subsectorLossNotice(document.sector(), origin.subsector, back, name)) {
        bytes.notices.push_back(*lost);
    }
    return DocumentBytes{std::move(bytes.value), std::nullopt, std::move(bytes.notices), {}};
}

}  // namespace

Result<WithNotices<Document>> openDocument(const std::string& path, const std::string& letter) {
    Result<std::string> bytes = readFileBytes(path);
    if (!bytes) return Failure{bytes.failure()};
    const FileFormat format = formatOfPath(path);
    if (format == FileFormat::Sector) return openSectorFile(path, std::move(*bytes));
    return openSubsectorFile(path, std::move(*bytes), format, letter);
}

std::optional<std::string> refusedForLoading(const std::string& path) {
    const Result<std::string> bytes = readFileBytes(path);
    if (!bytes) return std::nullopt;
    const auto control = std::count_if(bytes->begin(), bytes->end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 32 && c != '\r' && c != '\n' && c != '\t' && c != '\x1a';
    });
    if (bytes->empty() || bytes->find('\0') != std::string::npos || control * 20 > static_cast<long>(bytes->size())) {
        return "\"" + fileNameOf(path) + "\" holds no world line that can be read";
    }
    return std::nullopt;
}

Result<DocumentBytes> documentBytes(const Document& document) {
    if (!document.isSectorFile()) return subsectorFileBytes(document);
    Result<DocumentBytes> bytes = sectorFileBytes(document);
    if (!bytes) return bytes;
    Result<std::optional<std::string>> metadata = metadataBytes(document);
    if (!metadata) return Failure{metadata.failure()};
    bytes->metadata = std::move(*metadata);
    return bytes;
}

Result<Notices> saveDocument(Document& document) {
    Result<DocumentBytes> bytes = documentBytes(document);
    if (!bytes) return Failure{bytes.failure()};
    const DocumentOrigin& origin = document.origin();
    std::vector<FileToWrite> files;
    if (bytes->file != document.fileBytes()) files.push_back({origin.path, bytes->file});
    if (bytes->metadata) files.push_back({origin.metadataPath, *bytes->metadata});
    for (const Result<>& written : writeFilesTogether(files)) {
        if (!written) return Failure{written.failure()};
    }
    // The lines the worlds now stand on, for the next save.
    for (std::size_t i = 0; i < bytes->worldLines.size(); ++i) document.worldAtPosition(i).line = bytes->worldLines[i];
    std::optional<std::string> metadata = bytes->metadata ? bytes->metadata : document.metadataBytes();
    document.markSaved(origin, std::move(bytes->file), std::move(metadata));
    return std::move(bytes->notices);
}

std::string sectorAbbreviation(const Document& document) {
    for (const SectorWorld& world : document.sector().worlds) {
        const auto sector = world.fields.find("Sector");
        if (sector != world.fields.end() && !sector->second.empty()) return sector->second;
    }
    return {};
}

std::string worldTabLine(const Document& document, Hex hex) {
    const SectorWorld* world = document.worldAt(hex);
    if (world == nullptr) return {};
    return sector_formats::formatRow(fieldsToWrite(*world),
                                     sector_formats::layoutFor(document.sector(), SectorFormat::Tab));
}

Result<SectorWorld> worldFromTabLine(const Document& document, Hex hex, std::string_view line) {
    const SectorLayout layout = sector_formats::layoutFor(document.sector(), SectorFormat::Tab);
    SectorFields fields;
    std::size_t column = 0;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        const std::string_view cell = line.substr(start, tab == std::string_view::npos ? tab : tab - start);
        if (column >= layout.columns.size()) {
            return fail("the line has more than the " + std::to_string(layout.columns.size()) + " fields of " +
                        sectorFormatName(SectorFormat::Tab));
        }
        fields[layout.columns[column++].name] = std::string(trimBlanks(cell));
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    if (fields["Sector"].empty()) fields["Sector"] = sectorAbbreviation(document);
    return worldFromFields(hex, std::move(fields));
}

}  // namespace qelvar
