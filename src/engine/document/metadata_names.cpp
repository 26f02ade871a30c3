#include "document/metadata_names.h"

#include <pugixml.hpp>

#include <map>

#include "store/cp1252.h"

namespace qelvar {

namespace {

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '>') {
            out += "&gt;";
        } else {
            out += c;
        }
    }
    return out;
}

// Where the start tag that opens at `open` (its '<') ends: the offset of its '>', quotes respected.
std::size_t endOfTag(std::string_view bytes, std::size_t open) {
    char quote = 0;
    for (std::size_t i = open; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (quote != 0) {
            if (c == quote) quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '>') {
            return i;
        }
    }
    return std::string_view::npos;
}

// The line end the file uses, for added elements.
std::string lineEndOf(std::string_view bytes) {
    const auto lf = bytes.find('\n');
    return lf != std::string_view::npos && lf > 0 && bytes[lf - 1] == '\r' ? "\r\n" : "\n";
}

// The replacements, by offset in the bytes: how many bytes go and the text that comes instead.
struct Splice {
    std::size_t length;
    std::string text;
};
using Splices = std::map<std::size_t, Splice>;

// The start tag's '<' of a parsed element: pugixml gives the offset of its name, which a '<' always precedes.
std::size_t openOf(const pugi::xml_node& element) { return static_cast<std::size_t>(element.offset_debug()) - 1; }

// Puts text as the content of element: the bytes between its start and end tags, or a self-closing tag
// opened up.
bool setContent(std::string_view bytes, const pugi::xml_node& element, const std::string& text, Splices& splices) {
    const std::size_t open = openOf(element);
    const std::size_t close = endOfTag(bytes, open);
    if (close == std::string_view::npos) return false;
    const std::string name = element.name();
    if (bytes[close - 1] == '/') {
        splices[close - 1] = {2, ">" + text + "</" + name + ">"};
        return true;
    }
    const std::size_t end = bytes.find("</" + name, close);
    if (end == std::string_view::npos) return false;
    splices[close + 1] = {end - close - 1, text};
    return true;
}

// Adds text just after the start tag of element.
bool addAfterStart(std::string_view bytes, const pugi::xml_node& element, std::string text, Splices& splices) {
    const std::size_t close = endOfTag(bytes, openOf(element));
    if (close == std::string_view::npos || bytes[close - 1] == '/') return false;
    splices[close + 1].text += std::move(text);
    return true;
}

}  // namespace

Result<std::string> withNewNames(std::string_view metadata, const Sector& before, const Sector& after) {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer(metadata.data(), metadata.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed) return fail(std::string("it is not XML: ") + parsed.description());
    const pugi::xml_node root = document.child("Sector");
    if (!root) return fail("it has no Sector element");
    const std::string end = lineEndOf(metadata);
    Splices splices;
    bool placed = true;
    if (after.name != before.name) {
        const std::string text = escaped(utf8FromCp1252(after.name));
        if (const pugi::xml_node name = root.child("Name")) {
            placed = setContent(metadata, name, text, splices);
        } else {
            placed = addAfterStart(metadata, root, end + "  <Name>" + text + "</Name>", splices);
        }
    }
    std::string missing;
    const pugi::xml_node subsectors = root.child("Subsectors");
    for (int i = 0; i < kSubsectorCount && placed; ++i) {
        const auto index = static_cast<std::size_t>(i);
        if (after.subsectorNames[index] == before.subsectorNames[index]) continue;
        const std::string letter(1, static_cast<char>('A' + i));
        const std::string text = escaped(utf8FromCp1252(after.subsectorNames[index]));
        const pugi::xml_node element = subsectors.find_child_by_attribute("Subsector", "Index", letter.c_str());
        if (element) {
            placed = setContent(metadata, element, text, splices);
        } else {
            missing += end + "    <Subsector Index=\"" + letter + "\">" + text + "</Subsector>";
        }
    }
    if (placed && !missing.empty()) {
        placed = subsectors ? addAfterStart(metadata, subsectors, missing, splices)
                            : addAfterStart(metadata, root, end + "  <Subsectors>" + missing + end + "  </Subsectors>",
                                            splices);
    }
    if (!placed) return fail("its elements could not be found in its text");
    std::string out;
    std::size_t at = 0;
    for (const auto& [offset, splice] : splices) {
        out.append(metadata.substr(at, offset - at));
        out += splice.text;
        at = offset + splice.length;
    }
    out.append(metadata.substr(at));
    return out;
}

}  // namespace qelvar
