#include "space/trade_routes.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <cstdio>
#include <sstream>

#include "store/cp1252.h"
#include "store/text.h"

namespace qelvar {

namespace {

struct ClassLook {
    Rgb colour;
    double width;
};

ClassLook lookOf(TradeClass tradeClass) {
    switch (tradeClass) {
        // Blues and greens, apart from the borders' reds and yellows.
        case TradeClass::Major:
            return {{48, 208, 255}, 6};
        case TradeClass::Main:
            return {{40, 144, 240}, 5};
        case TradeClass::Intermediate:
            return {{64, 176, 128}, 4};
        case TradeClass::Feeder:
            return {{176, 176, 64}, 3};
        case TradeClass::Minor:
            return {{144, 112, 80}, 2};
        case TradeClass::None:
            break;
    }
    return {kDefaultRouteColour, 1};
}

// A route from world `from` in its own sector to world `to`, which may lie in a neighbouring sector.
Route routeBetween(const SpaceWorld& from, const SpaceWorld& to, TradeClass tradeClass) {
    Route route;
    route.start = {from.column, from.row, 0, 0};
    route.end = {to.column, to.row, sectorXOf(to.hex) - sectorXOf(from.hex), sectorYOf(to.hex) - sectorYOf(from.hex)};
    route.type = std::string(tradeClassName(tradeClass));
    route.colour = tradeClassColour(tradeClass);
    route.width = tradeClassWidth(tradeClass);
    return route;
}

std::string colourText(Rgb colour) {
    std::array<char, 8> text{};
    std::snprintf(text.data(), text.size(), "#%02x%02x%02x", colour.r, colour.g, colour.b);
    return text.data();
}

}  // namespace

Rgb tradeClassColour(TradeClass tradeClass) { return lookOf(tradeClass).colour; }
double tradeClassWidth(TradeClass tradeClass) { return lookOf(tradeClass).width; }

std::vector<SectorRoute> tradeRoutesOf(const std::vector<SpaceWorld>& worlds, const TradeRun& run) {
    std::vector<SectorRoute> routes;
    for (std::size_t l = 0; l < run.graph.links.size(); ++l) {
        const TradeClass tradeClass = tradeClassOf(run.linkTrade[l]);
        if (tradeClass == TradeClass::None) continue;
        const SpaceWorld& a = worlds[static_cast<std::size_t>(run.graph.links[l].a)];
        const SpaceWorld& b = worlds[static_cast<std::size_t>(run.graph.links[l].b)];
        routes.push_back({a.sector, routeBetween(a, b, tradeClass)});
        if (b.sector != a.sector) routes.push_back({b.sector, routeBetween(b, a, tradeClass), true});
    }
    return routes;
}

std::vector<Route> sectorTradeRoutes(const Sector& sector, const TradeOptions& options) {
    std::vector<SpaceWorld> worlds;
    appendSpaceWorlds(sector, 0, 0, 0, worlds);
    std::vector<Route> routes;
    for (SectorRoute& sectorRoute : tradeRoutesOf(worlds, runTrade(worlds, options))) {
        routes.push_back(std::move(sectorRoute.route));
    }
    std::stable_sort(routes.begin(), routes.end(), [](const Route& a, const Route& b) { return a.width < b.width; });
    return routes;
}

ChartedSpace withTradeRoutes(ChartedSpace space, bool keepOwnRoutes, const TradeOptions& options) {
    const std::vector<SpaceWorld> worlds = spaceWorldsOf(space);
    std::vector<SectorRoute> routes = tradeRoutesOf(worlds, runTrade(worlds, options));
    std::stable_sort(routes.begin(), routes.end(),
                     [](const SectorRoute& a, const SectorRoute& b) { return a.route.width < b.route.width; });
    std::vector<std::vector<Route>> own(space.sectors.size());
    for (std::size_t i = 0; i < space.sectors.size(); ++i) {
        if (keepOwnRoutes) own[i] = std::move(space.sectors[i].metadata.routes);
        space.sectors[i].metadata.routes.clear();
    }
    for (SectorRoute& sectorRoute : routes) {
        if (sectorRoute.mirror) continue;
        space.sectors[static_cast<std::size_t>(sectorRoute.sector)].metadata.routes.push_back(
            std::move(sectorRoute.route));
    }
    for (std::size_t i = 0; i < space.sectors.size(); ++i) {
        auto& routes = space.sectors[i].metadata.routes;
        routes.insert(routes.end(), own[i].begin(), own[i].end());
    }
    return space;
}

std::string formatTradeRoutes(const ChartedSpace& space, const std::vector<SectorRoute>& routes) {
    pugi::xml_document document;
    pugi::xml_node root = document.append_child("Routes");
    const auto offset = [](pugi::xml_node node, const char* name, int value) {
        if (value != 0) node.append_attribute(name).set_value(value);
    };
    for (const SectorRoute& sectorRoute : routes) {
        const Route& route = sectorRoute.route;
        pugi::xml_node node = root.append_child("Route");
        const Sector& sector = space.sectors[static_cast<std::size_t>(sectorRoute.sector)].sector;
        node.append_attribute("Sector").set_value(utf8FromCp1252(trimBlanks(sector.name)).c_str());
        node.append_attribute("Start").set_value(formatFourDigits(route.start.column * 100 + route.start.row).c_str());
        node.append_attribute("End").set_value(formatFourDigits(route.end.column * 100 + route.end.row).c_str());
        offset(node, "EndOffsetX", route.end.sectorX);
        offset(node, "EndOffsetY", route.end.sectorY);
        node.append_attribute("Type").set_value(route.type.c_str());
        node.append_attribute("Color").set_value(colourText(route.colour).c_str());
        node.append_attribute("Width").set_value(bareNumberText(route.width).c_str());
    }
    std::ostringstream out;
    document.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

}  // namespace qelvar
