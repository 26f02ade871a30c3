#include "map/routes.h"

#include <pugixml.hpp>

#include <cmath>
#include <cstring>

#include "files/sector.h"
#include "map/colour_names.h"
#include "store/cp1252.h"
#include "store/file_io.h"

namespace qelvar {

namespace {

// A four-digit hex ("0101", "3320", "0000") as column and row; nothing for anything else.
bool parseHex(std::string_view text, RouteEnd& end) {
    if (text.size() != 4) return false;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
    }
    end.column = (text[0] - '0') * 10 + (text[1] - '0');
    end.row = (text[2] - '0') * 10 + (text[3] - '0');
    return true;
}

bool parseOffset(const pugi::xml_node& node, const char* name, int& offset) {
    const pugi::xml_attribute attribute = node.attribute(name);
    if (!attribute) return true;
    const int value = attribute.as_int(99);
    if (value < -1 || value > 1) return false;
    offset = value;
    return true;
}

bool parseStyle(std::string_view text, LineStyle& style) {
    if (text.empty() || text == "Solid") {
        style = LineStyle::Solid;
    } else if (text == "Dashed") {
        style = LineStyle::Dash;
    } else if (text == "Dotted") {
        style = LineStyle::Dot;
    } else {
        return false;
    }
    return true;
}

bool parseColour(std::string_view text, Rgb& colour) {
    if (text.empty()) return true;
    const std::optional<Rgb> parsed = parseColourText(text);
    if (parsed) colour = *parsed;
    return parsed.has_value();
}

bool parseWidth(const pugi::xml_node& node, double& width) {
    const pugi::xml_attribute attribute = node.attribute("Width");
    if (!attribute) return true;
    const double value = attribute.as_double(-1);
    if (!(value > 0 && value <= 20)) return false;
    width = value;
    return true;
}

}  // namespace

bool RouteEnd::insideSector() const {
    return sectorX == 0 && sectorY == 0 && column >= 1 && column <= kSectorColumns && row >= 1 && row <= kSectorRows;
}

Result<WithNotices<std::vector<Route>>> readRoutes(std::string_view xmlBytes) {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(xmlBytes.data(), xmlBytes.size());
    if (!parsed) return fail(std::string("The routes are no XML: ") + parsed.description(), MessageIcon::Exclamation);
    pugi::xml_node routes = document.document_element();
    if (std::strcmp(routes.name(), "Routes") != 0) routes = routes.child("Routes");

    WithNotices<std::vector<Route>> read;
    int number = 0;
    for (const pugi::xml_node node : routes.children("Route")) {
        ++number;
        Route route;
        route.type = node.attribute("Type").as_string();
        route.sector = cp1252FromUtf8(node.attribute("Sector").as_string());
        const bool good =
            parseHex(node.attribute("Start").as_string(), route.start) &&
            parseHex(node.attribute("End").as_string(), route.end) &&
            parseOffset(node, "StartOffsetX", route.start.sectorX) &&
            parseOffset(node, "StartOffsetY", route.start.sectorY) &&
            parseOffset(node, "EndOffsetX", route.end.sectorX) && parseOffset(node, "EndOffsetY", route.end.sectorY) &&
            parseStyle(node.attribute("Style").as_string(), route.style) &&
            parseColour(node.attribute("Color").as_string(), route.colour) && parseWidth(node, route.width);
        if (!good) {
            read.notices.emplace_back("Route " + std::to_string(number) + " (" + node.attribute("Start").as_string() +
                                      " to " + node.attribute("End").as_string() + ") is left out: it cannot be read");
            continue;
        }
        read.value.push_back(std::move(route));
    }
    return read;
}

Result<WithNotices<std::vector<Route>>> readRoutesFile(const std::string& path) {
    const Result<std::string> file = readFileBytes(path);
    if (!file) return fail(file.error(), MessageIcon::Exclamation);
    auto routes = readRoutes(*file);
    if (!routes) return fail("Cannot read the routes of \"" + path + "\": " + routes.error(), MessageIcon::Exclamation);
    return routes;
}

}  // namespace qelvar
