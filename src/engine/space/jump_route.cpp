#include "space/jump_route.h"

#include <cstdint>
#include <functional>
#include <queue>

#include "space/jump_graph.h"

namespace qelvar {

namespace {

// A route's cost as one number: jumps first, then hexes.
constexpr std::int64_t kPerJump = std::int64_t{1} << 32;

bool goodPort(char starport) { return starport >= 'A' && starport <= 'D'; }

}  // namespace

bool canRefuel(const SpaceWorld& world, Refuelling refuel) {
    switch (refuel) {
        case Refuelling::Any:
            return true;
        case Refuelling::Port:
            return goodPort(world.profile.starport);
        case Refuelling::Gas:
            return goodPort(world.profile.starport) || world.gasGiant || world.profile.hydrographics > 0;
    }
    return false;
}

std::optional<JumpRoute> planJumpRoute(const std::vector<SpaceWorld>& worlds, int from, int to,
                                       const JumpRouteOptions& options) {
    const auto count = worlds.size();
    if (from < 0 || to < 0 || static_cast<std::size_t>(from) >= count || static_cast<std::size_t>(to) >= count) {
        return std::nullopt;
    }
    // The worlds a route may pass through: the stops it may make, and its two ends.
    std::vector<SpaceHex> hexes;
    std::vector<int> index;
    for (std::size_t i = 0; i < count; ++i) {
        const SpaceWorld& w = worlds[i];
        const bool end = static_cast<int>(i) == from || static_cast<int>(i) == to;
        if (end || (canRefuel(w, options.refuel) && !(options.avoidRed && w.barred()))) {
            hexes.push_back(w.hex);
            index.push_back(static_cast<int>(i));
        }
    }
    const HexGrid grid(hexes, std::max(options.jump, 1));
    const SpaceHex goal = worlds[static_cast<std::size_t>(to)].hex;
    const int jump = std::max(options.jump, 1);
    const auto bound = [&](SpaceHex hex) {
        const int hexesLeft = spaceDistance(hex, goal);
        return (hexesLeft + jump - 1) / jump * kPerJump + hexesLeft;
    };

    std::vector<std::int64_t> cost(hexes.size(), -1);
    std::vector<int> cameFrom(hexes.size(), -1);
    std::vector<char> done(hexes.size(), 0);
    using Entry = std::pair<std::int64_t, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    int start = 0;
    int target = 0;
    for (std::size_t k = 0; k < index.size(); ++k) {
        if (index[k] == from) start = static_cast<int>(k);
        if (index[k] == to) target = static_cast<int>(k);
    }
    cost[static_cast<std::size_t>(start)] = 0;
    queue.emplace(bound(hexes[static_cast<std::size_t>(start)]), start);
    while (!queue.empty()) {
        const int at = queue.top().second;
        queue.pop();
        if (done[static_cast<std::size_t>(at)]) continue;
        done[static_cast<std::size_t>(at)] = 1;
        if (at == target) break;
        const SpaceHex here = hexes[static_cast<std::size_t>(at)];
        grid.forEachNear(here, jump, [&](int next) {
            if (next == at || done[static_cast<std::size_t>(next)]) return;
            const std::int64_t through = cost[static_cast<std::size_t>(at)] + kPerJump +
                                         spaceDistance(here, hexes[static_cast<std::size_t>(next)]);
            std::int64_t& known = cost[static_cast<std::size_t>(next)];
            if (known >= 0 && through >= known) return;
            known = through;
            cameFrom[static_cast<std::size_t>(next)] = at;
            queue.emplace(through + bound(hexes[static_cast<std::size_t>(next)]), next);
        });
    }
    if (!done[static_cast<std::size_t>(target)]) return std::nullopt;
    JumpRoute route;
    for (int at = target; at >= 0; at = cameFrom[static_cast<std::size_t>(at)]) {
        route.stops.insert(route.stops.begin(), index[static_cast<std::size_t>(at)]);
    }
    route.hexes = static_cast<int>(cost[static_cast<std::size_t>(target)] % kPerJump);
    return route;
}

std::vector<Route> jumpRouteLines(const std::vector<SpaceWorld>& worlds, const JumpRoute& route) {
    std::vector<Route> lines;
    if (route.stops.empty()) return lines;
    const SpaceHex home = worlds[static_cast<std::size_t>(route.stops.front())].hex;
    const auto endAt = [&](int stop) {
        const SpaceWorld& w = worlds[static_cast<std::size_t>(stop)];
        return RouteEnd{w.column, w.row, sectorXOf(w.hex) - sectorXOf(home), sectorYOf(w.hex) - sectorYOf(home)};
    };
    for (std::size_t s = 1; s < route.stops.size(); ++s) {
        Route line;
        line.start = endAt(route.stops[s - 1]);
        line.end = endAt(route.stops[s]);
        line.type = "Jump";
        line.colour = kJumpRouteColour;
        line.width = kJumpRouteWidth;
        lines.push_back(line);
    }
    return lines;
}

}  // namespace qelvar
