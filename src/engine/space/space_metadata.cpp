#include "space/space_metadata.h"

#include <pugixml.hpp>

#include <charconv>

#include "store/cp1252.h"
#include "store/text.h"

namespace qelvar {

namespace {

std::optional<SectorHex> parseHex(std::string_view text) {
    if (text.size() != 4) return std::nullopt;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    return SectorHex{(text[0] - '0') * 10 + (text[1] - '0'), (text[2] - '0') * 10 + (text[3] - '0')};
}

std::optional<int> parseWhole(std::string_view text) {
    text = trimBlanks(text);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == '\t')) text.remove_suffix(1);
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()) return std::nullopt;
    return value;
}

std::string text8(const char* utf8) { return cp1252FromUtf8(utf8); }

bool readOutline(const pugi::xml_node& node, OutlineEntry& outline) {
    const auto hexes = parseHexList(node.text().get());
    if (!hexes || hexes->empty()) return false;
    outline.hexes = *hexes;
    outline.allegiance = text8(node.attribute("Allegiance").as_string());
    outline.label = text8(node.attribute("Label").as_string());
    outline.colour = node.attribute("Color").as_string();
    outline.showLabel = node.attribute("ShowLabel").as_bool(true);
    outline.wrapLabel = node.attribute("WrapLabel").as_bool(false);
    if (const pugi::xml_attribute at = node.attribute("LabelPosition")) {
        outline.labelPosition = parseHex(at.as_string());
        if (!outline.labelPosition) return false;
    }
    const std::string style = node.attribute("Style").as_string();
    if (style == "Dashed") {
        outline.style = LineStyle::Dash;
    } else if (style == "Dotted") {
        outline.style = LineStyle::Dot;
    } else if (!style.empty() && style != "Solid") {
        return false;
    }
    return true;
}

void readOutlines(const pugi::xml_node& list, const char* element, std::vector<OutlineEntry>& into, Notices& notices) {
    int number = 0;
    for (const pugi::xml_node node : list.children(element)) {
        ++number;
        OutlineEntry outline;
        if (readOutline(node, outline)) {
            into.push_back(std::move(outline));
        } else {
            notices.emplace_back(std::string(element) + " " + std::to_string(number) +
                                 " is left out: its hexes or attributes cannot be read");
        }
    }
}

}  // namespace

std::optional<std::vector<SectorHex>> parseHexList(std::string_view text) {
    std::vector<SectorHex> hexes;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t start = text.find_first_not_of(" \t\r\n", at);
        if (start == std::string_view::npos) break;
        const std::size_t end = std::min(text.find_first_of(" \t\r\n", start), text.size());
        const auto hex = parseHex(text.substr(start, end - start));
        if (!hex) return std::nullopt;
        hexes.push_back(*hex);
        at = end;
    }
    return hexes;
}

std::string formatHexList(const std::vector<SectorHex>& hexes) {
    std::string text;
    for (const SectorHex& hex : hexes) {
        if (!text.empty()) text += ' ';
        text += formatFourDigits(hex.column * 100 + hex.row);
    }
    return text;
}

Result<WithNotices<SectorMetadata>> readSpaceMetadata(std::string_view xmlBytes) {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(xmlBytes.data(), xmlBytes.size());
    if (!parsed) return fail(std::string("it is not XML: ") + parsed.description());
    const pugi::xml_node root = document.child("Sector");
    if (!root) return fail("it has no Sector element");

    WithNotices<SectorMetadata> read;
    SectorMetadata& meta = read.value;
    for (const char* axis : {"X", "Y"}) {
        const pugi::xml_node node = root.child(axis);
        if (!node) continue;
        const auto value = parseWhole(node.text().get());
        if (!value || *value < -kFarthestSector || *value > kFarthestSector) {
            read.notices.emplace_back(std::string("the sector's ") + axis + " is no whole number from " +
                                      std::to_string(-kFarthestSector) + " to " + std::to_string(kFarthestSector));
            continue;
        }
        (axis[0] == 'X' ? meta.x : meta.y) = value;
    }
    if (root.child("Routes")) {
        auto routes = readRoutes(xmlBytes);
        if (routes) {
            meta.routes = std::move(routes->value);
            read.notices.insert(read.notices.end(), routes->notices.begin(), routes->notices.end());
        }
    }
    readOutlines(root.child("Borders"), "Border", meta.borders, read.notices);
    readOutlines(root.child("Regions"), "Region", meta.regions, read.notices);
    for (const pugi::xml_node node : root.child("Labels").children("Label")) {
        const auto hex = parseHex(node.attribute("Hex").as_string());
        if (!hex) {
            read.notices.emplace_back(std::string("Label \"") + node.text().get() + "\" is left out: no hex");
            continue;
        }
        meta.labels.push_back({*hex, text8(node.text().get()), node.attribute("Color").as_string(),
                               std::string_view(node.attribute("Size").as_string()) == "large",
                               node.attribute("Wrap").as_bool(false)});
    }
    for (const pugi::xml_node node : root.child("Allegiances").children("Allegiance")) {
        meta.allegiances.push_back({text8(node.attribute("Code").as_string()),
                                    text8(node.attribute("Base").as_string()), text8(node.text().get())});
    }
    return read;
}

}  // namespace qelvar
