#include "space/border_writing.h"

#include <algorithm>
#include <filesystem>

#include "files/sector_file.h"
#include "store/cp1252.h"
#include "store/file_io.h"
#include "store/text.h"

namespace qelvar {

namespace {

// A name as the metadata file holds it: UTF-8, escaped for an attribute.
std::string xmlText(std::string_view bytes) { return escapeMarkup(utf8FromCp1252(bytes), true); }

SectorHex localHex(const PlacedSector& placed, SpaceHex hex) {
    return {hex.x - placed.x * kSectorColumns + 1, hex.y - placed.y * kSectorRows + 1};
}

struct Loop {
    std::vector<SpaceHex> hexes;  // the hex list
    bool outer = true;
    std::size_t size = 0;  // hexes enclosed
};

// The line a Borders element of `bytes` starts on (its indent) and the span from "<Borders" to the end
// of its closing tag; npos when there is none.
std::pair<std::size_t, std::size_t> bordersSpan(std::string_view bytes) {
    std::size_t at = 0;
    while ((at = bytes.find("<Borders", at)) != std::string_view::npos) {
        const char after = at + 8 < bytes.size() ? bytes[at + 8] : '\0';
        if (after == '>' || after == '/' || after == ' ' || after == '\t' || after == '\r' || after == '\n') break;
        at += 8;
    }
    if (at == std::string_view::npos) return {at, at};
    const std::size_t tagEnd = bytes.find('>', at);
    if (tagEnd == std::string_view::npos) return {std::string_view::npos, 0};
    if (bytes[tagEnd - 1] == '/') return {at, tagEnd + 1};
    const std::size_t close = bytes.find("</Borders>", tagEnd);
    if (close == std::string_view::npos) return {std::string_view::npos, 0};
    return {at, close + 10};
}

std::string indentBefore(std::string_view bytes, std::size_t at) {
    std::size_t start = at;
    while (start > 0 && (bytes[start - 1] == ' ' || bytes[start - 1] == '\t')) --start;
    return std::string(bytes.substr(start, at - start));
}

}  // namespace

std::string formatBordersElement(const PlacedSector& placed, const std::vector<Polity>& polities,
                                 std::string_view indent, std::string_view lineEnd) {
    const std::string inner = std::string(indent) + "  ";
    std::string text = "<Borders>" + std::string(lineEnd);
    for (const Polity& polity : polities) {
        HexSet own;
        for (const SpaceHex hex : polity.hexes) {
            if (sectorXOf(hex) == placed.x && sectorYOf(hex) == placed.y) own.insert(hex);
        }
        if (own.empty()) continue;
        std::vector<Loop> loops;
        for (const CornerLoop& traced : traceHexSet(own)) {
            Loop loop;
            loop.hexes = hexListOf(traced);
            const CornerLoop line = outlineOfHexList(loop.hexes);
            loop.outer = isClockwise(line);
            loop.size = hexesInside(line).size();
            loops.push_back(std::move(loop));
        }
        std::stable_sort(loops.begin(), loops.end(), [](const Loop& a, const Loop& b) { return a.outer > b.outer; });
        const auto largest = std::max_element(loops.begin(), loops.end(), [](const Loop& a, const Loop& b) {
            return !a.outer || (b.outer && b.size > a.size);
        });
        for (auto loop = loops.begin(); loop != loops.end(); ++loop) {
            text += inner + "<Border Allegiance=\"" + xmlText(polity.allegiance) + "\"";
            const bool labelled = loop == largest && !polity.labels.empty();
            if (labelled) {
                HexSet inside = hexesInside(outlineOfHexList(loop->hexes));
                std::erase_if(inside, [&own](SpaceHex hex) { return !own.count(hex); });
                const SectorHex at = localHex(placed, middleOf(inside));
                text += " Label=\"" + xmlText(polity.labels.front().text) + "\" LabelPosition=\"" +
                        formatFourDigits(at.column * 100 + at.row) + "\"";
            } else {
                text += " ShowLabel=\"false\"";
            }
            std::vector<SectorHex> local;
            for (const SpaceHex hex : loop->hexes) local.push_back(localHex(placed, hex));
            text += ">" + formatHexList(local) + "</Border>" + std::string(lineEnd);
        }
    }
    return text + std::string(indent) + "</Borders>";
}

std::optional<std::string> withBorders(std::string_view metadata, const PlacedSector& placed,
                                       const std::vector<Polity>& polities) {
    const std::string lineEnd = metadata.find("\r\n") != std::string_view::npos ? "\r\n" : "\n";
    const auto [start, end] = bordersSpan(metadata);
    if (start == std::string_view::npos && end == 0) return std::nullopt;  // a Borders element left open
    if (start != std::string_view::npos) {
        return std::string(metadata.substr(0, start)) +
               formatBordersElement(placed, polities, indentBefore(metadata, start), lineEnd) +
               std::string(metadata.substr(end));
    }
    const std::size_t close = metadata.rfind("</Sector>");
    if (metadata.find_first_not_of(" \t\r\n") == std::string_view::npos) {
        return "<?xml version=\"1.0\"?>" + lineEnd + "<Sector>" + lineEnd + "  " +
               formatBordersElement(placed, polities, "  ", lineEnd) + lineEnd + "</Sector>" + lineEnd;
    }
    if (close == std::string_view::npos || metadata.find("<Sector") == std::string_view::npos) return std::nullopt;
    // Before </Sector>, on a line of its own indented as the Sector element's first child.
    std::size_t lineStart = close;
    while (lineStart > 0 && (metadata[lineStart - 1] == ' ' || metadata[lineStart - 1] == '\t')) --lineStart;
    const std::size_t child = metadata.find('<', metadata.find('>', metadata.find("<Sector")) + 1);
    const std::string indent = child < close ? indentBefore(metadata, child) : "  ";
    return std::string(metadata.substr(0, lineStart)) + indent +
           formatBordersElement(placed, polities, indent, lineEnd) + lineEnd + std::string(metadata.substr(lineStart));
}

Result<> writeSectorBorders(const PlacedSector& placed, const std::vector<Polity>& polities) {
    const std::string path = sectorMetadataPath(placed.path);
    const Result<std::string> old = readFileBytes(path);
    std::error_code error;
    if (!old && std::filesystem::exists(path, error)) return Failure{old.failure()};
    const auto bytes = withBorders(old ? std::string_view(*old) : std::string_view(), placed, polities);
    if (!bytes) return fail("Cannot write the borders into \"" + path + "\": it is no sector metadata file");
    return writeFileAtomically(path, *bytes);
}

}  // namespace qelvar
