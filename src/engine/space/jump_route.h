#pragma once
// A jump route between two worlds of charted space: the fewest jumps of at most J hexes from world to world,
// then the fewest hexes, each stop on the way a world where the ship can refuel.
//
//     const auto route = planJumpRoute(worlds, from, to, {.jump = 2, .refuel = Refuelling::Gas});
//     if (route) for (const int stop : route->stops) show(worlds[stop]);

#include <optional>
#include <vector>

#include "map/routes.h"
#include "space/space_worlds.h"

namespace qelvar {

// Where a ship may stop on the way: any world; one with a starport A-D, a gas giant or water; one with a
// starport A-D.
enum class Refuelling { Any, Gas, Port };

struct JumpRouteOptions {
    int jump = 2;
    Refuelling refuel = Refuelling::Any;
    bool avoidRed = false;  // no stop in a red or forbidden zone
};

struct JumpRoute {
    std::vector<int> stops;  // from the first world to the last
    int hexes = 0;
    int jumps() const { return static_cast<int>(stops.size()) - 1; }
};

// Whether a ship can refuel at the world.
bool canRefuel(const SpaceWorld& world, Refuelling refuel);

// The route, or nothing when none exists.
std::optional<JumpRoute> planJumpRoute(const std::vector<SpaceWorld>& worlds, int from, int to,
                                       const JumpRouteOptions& options);

inline constexpr Rgb kJumpRouteColour{240, 240, 240};
inline constexpr double kJumpRouteWidth = 3;

// The route as lines from stop to stop for a map of the first stop's sector, each a jump.
std::vector<Route> jumpRouteLines(const std::vector<SpaceWorld>& worlds, const JumpRoute& route);

}  // namespace qelvar
