#include "space/jump_graph.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <limits>
#include <numeric>

namespace qelvar {

HexGrid::HexGrid(const std::vector<SpaceHex>& hexes, int cellSize) : hexes_(hexes), cellSize_(std::max(cellSize, 1)) {
    if (hexes.empty()) return;
    int maxX = hexes.front().x;
    int maxY = hexes.front().y;
    minX_ = maxX;
    minY_ = maxY;
    for (const SpaceHex& hex : hexes) {
        minX_ = std::min(minX_, hex.x);
        minY_ = std::min(minY_, hex.y);
        maxX = std::max(maxX, hex.x);
        maxY = std::max(maxY, hex.y);
    }
    // Sectors placed far apart make a wide box: larger cells keep the grid to a few cells per world.
    const auto cells = [&] {
        return ((std::int64_t{maxX} - minX_) / cellSize_ + 1) * ((std::int64_t{maxY} - minY_) / cellSize_ + 1);
    };
    const std::int64_t most =
        std::max<std::int64_t>(std::int64_t{1} << 16, 4 * static_cast<std::int64_t>(hexes.size()));
    while (cells() > most) cellSize_ *= 2;
    columns_ = static_cast<int>((std::int64_t{maxX} - minX_) / cellSize_ + 1);
    rows_ = static_cast<int>((std::int64_t{maxY} - minY_) / cellSize_ + 1);
    firstOfCell_.assign(static_cast<std::size_t>(columns_) * rows_ + 1, 0);
    for (const SpaceHex& hex : hexes) ++firstOfCell_[static_cast<std::size_t>(cellOf(hex.x, hex.y)) + 1];
    std::partial_sum(firstOfCell_.begin(), firstOfCell_.end(), firstOfCell_.begin());
    items_.resize(hexes.size());
    std::vector<int> next(firstOfCell_.begin(), firstOfCell_.end() - 1);
    for (std::size_t i = 0; i < hexes.size(); ++i) {
        items_[static_cast<std::size_t>(next[static_cast<std::size_t>(cellOf(hexes[i].x, hexes[i].y))]++)] =
            static_cast<int>(i);
    }
}

JumpGraph buildJumpGraph(const std::vector<SpaceHex>& hexes, const std::vector<char>& usable, int jump) {
    JumpGraph graph;
    const int count = static_cast<int>(hexes.size());
    std::vector<SpaceHex> kept;
    std::vector<int> keptIndex;
    for (int i = 0; i < count; ++i) {
        if (usable[static_cast<std::size_t>(i)]) {
            kept.push_back(hexes[static_cast<std::size_t>(i)]);
            keptIndex.push_back(i);
        }
    }
    const HexGrid grid(kept, jump);
    std::vector<int> near;
    std::vector<int> degree(static_cast<std::size_t>(count), 0);
    for (std::size_t k = 0; k < kept.size(); ++k) {
        const int a = keptIndex[k];
        near.clear();
        grid.forEachNear(kept[k], jump, [&](int other) {
            if (keptIndex[static_cast<std::size_t>(other)] > a)
                near.push_back(keptIndex[static_cast<std::size_t>(other)]);
        });
        std::sort(near.begin(), near.end());
        for (const int b : near) {
            graph.links.push_back({a, b, spaceDistance(kept[k], hexes[static_cast<std::size_t>(b)])});
            ++degree[static_cast<std::size_t>(a)];
            ++degree[static_cast<std::size_t>(b)];
        }
    }
    graph.firstEdge.assign(static_cast<std::size_t>(count) + 1, 0);
    std::partial_sum(degree.begin(), degree.end(), graph.firstEdge.begin() + 1);
    graph.edgeWorld.resize(graph.links.size() * 2);
    graph.edgeLink.resize(graph.links.size() * 2);
    std::vector<int> next(graph.firstEdge.begin(), graph.firstEdge.end() - 1);
    // Links come by a, then b: each world's edges end up in the order of the world at their far end.
    const auto place = [&](int from, int to, int link) {
        const auto at = static_cast<std::size_t>(next[static_cast<std::size_t>(from)]++);
        graph.edgeWorld[at] = to;
        graph.edgeLink[at] = link;
    };
    for (std::size_t l = 0; l < graph.links.size(); ++l) place(graph.links[l].b, graph.links[l].a, static_cast<int>(l));
    for (std::size_t l = 0; l < graph.links.size(); ++l) place(graph.links[l].a, graph.links[l].b, static_cast<int>(l));

    // Components by joining the ends of every link.
    std::vector<int> parent(static_cast<std::size_t>(count));
    std::iota(parent.begin(), parent.end(), 0);
    const std::function<int(int)> root = [&](int i) {
        while (parent[static_cast<std::size_t>(i)] != i) {
            parent[static_cast<std::size_t>(i)] = parent[static_cast<std::size_t>(parent[static_cast<std::size_t>(i)])];
            i = parent[static_cast<std::size_t>(i)];
        }
        return i;
    };
    for (const JumpLink& link : graph.links) {
        const int ra = root(link.a);
        const int rb = root(link.b);
        if (ra != rb) parent[static_cast<std::size_t>(std::max(ra, rb))] = std::min(ra, rb);
    }
    graph.component.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) graph.component[static_cast<std::size_t>(i)] = root(i);
    return graph;
}

CheapestPaths::CheapestPaths(const JumpGraph& graph, const std::vector<SpaceHex>& hexes,
                             const std::vector<double>& weights)
    : graph_(graph),
      linkWeight_(weights),
      lighterAt_(hexes.size(), 1),
      leastPerHex_(std::numeric_limits<double>::max()),
      firstEdge_(graph.firstEdge),
      edgeWorld_(graph.edgeWorld),
      edgeLink_(graph.edgeLink),
      edgeWeight_(graph.edgeWorld.size(), 0),
      linkEdges_(graph.links.size(), {-1, -1}),
      cost_(hexes.size(), 0),
      cameBy_(hexes.size(), -1),
      seen_(hexes.size(), 0),
      goalCost_(hexes.size(), 0),
      goalSeen_(hexes.size(), 0),
      goalSettled_(hexes.size(), 0) {
    cubes_.reserve(hexes.size());
    for (const SpaceHex& hex : hexes) cubes_.push_back({hex.x, hex.y - (hex.x - (hex.x & 1)) / 2});
    for (std::size_t e = 0; e < edgeLink_.size(); ++e) {
        auto& edges = linkEdges_[static_cast<std::size_t>(edgeLink_[e])];
        (edges.first < 0 ? edges.first : edges.second) = static_cast<int>(e);
    }
    for (std::size_t l = 0; l < graph.links.size(); ++l) setWeight(static_cast<int>(l), weights[l]);
}

void CheapestPaths::setWeight(int link, double weight) {
    linkWeight_[static_cast<std::size_t>(link)] = weight;
    lighterAt_[static_cast<std::size_t>(graph_.links[static_cast<std::size_t>(link)].a)] = 1;
    lighterAt_[static_cast<std::size_t>(graph_.links[static_cast<std::size_t>(link)].b)] = 1;
    const auto [one, other] = linkEdges_[static_cast<std::size_t>(link)];
    if (one >= 0) {
        edgeWeight_[static_cast<std::size_t>(one)] = weight;
        edgeWeight_[static_cast<std::size_t>(other)] = weight;
    }
    leastPerHex_ = std::min(leastPerHex_, weight / graph_.links[static_cast<std::size_t>(link)].length);
}

bool CheapestPaths::beaten(const JumpLink& link, double weight) const {
    // Only by links no lighter than their length: those never get heavier.
    const auto steady = [&](int l) {
        return linkWeight_[static_cast<std::size_t>(l)] >= graph_.links[static_cast<std::size_t>(l)].length;
    };
    int i = graph_.firstEdge[static_cast<std::size_t>(link.a)];
    int j = graph_.firstEdge[static_cast<std::size_t>(link.b)];
    const int iEnd = graph_.firstEdge[static_cast<std::size_t>(link.a) + 1];
    const int jEnd = graph_.firstEdge[static_cast<std::size_t>(link.b) + 1];
    while (i < iEnd && j < jEnd) {
        const int x = graph_.edgeWorld[static_cast<std::size_t>(i)];
        const int y = graph_.edgeWorld[static_cast<std::size_t>(j)];
        if (x < y) {
            ++i;
        } else if (y < x) {
            ++j;
        } else {
            const int first = graph_.edgeLink[static_cast<std::size_t>(i++)];
            const int second = graph_.edgeLink[static_cast<std::size_t>(j++)];
            if (steady(first) && steady(second) &&
                linkWeight_[static_cast<std::size_t>(first)] + linkWeight_[static_cast<std::size_t>(second)] < weight) {
                return true;
            }
        }
    }
    return false;
}

void CheapestPaths::leaveOutBeatenLinks() {
    const std::size_t worlds = graph_.firstEdge.size() - 1;
    // Only a link at a world where some link got lighter can have become beaten since the last look.
    std::vector<char> kept(graph_.links.size(), 0);
    for (std::size_t l = 0; l < graph_.links.size(); ++l) {
        const JumpLink& link = graph_.links[l];
        const bool changed =
            lighterAt_[static_cast<std::size_t>(link.a)] || lighterAt_[static_cast<std::size_t>(link.b)];
        kept[l] = linkEdges_[l].first >= 0 && !(changed && beaten(link, linkWeight_[l]));
    }
    std::fill(lighterAt_.begin(), lighterAt_.end(), 0);
    firstEdge_.assign(worlds + 1, 0);
    edgeWorld_.clear();
    edgeLink_.clear();
    edgeWeight_.clear();
    for (std::size_t w = 0; w < worlds; ++w) {
        for (int e = graph_.firstEdge[w]; e < graph_.firstEdge[w + 1]; ++e) {
            const int link = graph_.edgeLink[static_cast<std::size_t>(e)];
            if (!kept[static_cast<std::size_t>(link)]) continue;
            edgeWorld_.push_back(graph_.edgeWorld[static_cast<std::size_t>(e)]);
            edgeLink_.push_back(link);
            edgeWeight_.push_back(linkWeight_[static_cast<std::size_t>(link)]);
        }
        firstEdge_[w + 1] = static_cast<int>(edgeWorld_.size());
    }
    std::fill(linkEdges_.begin(), linkEdges_.end(), std::pair(-1, -1));
    for (std::size_t e = 0; e < edgeLink_.size(); ++e) {
        auto& edges = linkEdges_[static_cast<std::size_t>(edgeLink_[e])];
        (edges.first < 0 ? edges.first : edges.second) = static_cast<int>(e);
    }
}

namespace {

// Hexes between two worlds in cube coordinates.
inline int hexesBetween(CheapestPaths::Cube a, CheapestPaths::Cube b) {
    const int dx = std::abs(a.x - b.x);
    const int dz = std::abs(a.z - b.z);
    const int dy = std::abs(a.x + a.z - b.x - b.z);
    return dx > dz ? (dx > dy ? dx : dy) : (dz > dy ? dz : dy);
}

// How many worlds around the goal get their exact cost before a search.
constexpr int kAroundGoal = 3;

}  // namespace

void CheapestPaths::settleAroundGoal(int goal, double perHex) {
    waysIn_.clear();
    reachedNearGoal_.clear();
    goalQueue_.clear();
    goalSeen_[static_cast<std::size_t>(goal)] = search_;
    goalCost_[static_cast<std::size_t>(goal)] = 0;
    reachedNearGoal_.push_back(goal);
    goalQueue_.push(0, goal);
    for (int count = 0; count < kAroundGoal && !goalQueue_.empty();) {
        const int world = goalQueue_.pop();
        if (goalSettled_[static_cast<std::size_t>(world)] == search_) continue;
        goalSettled_[static_cast<std::size_t>(world)] = search_;
        ++count;
        for (int e = firstEdge_[static_cast<std::size_t>(world)]; e < firstEdge_[static_cast<std::size_t>(world) + 1];
             ++e) {
            const auto next = static_cast<std::size_t>(edgeWorld_[static_cast<std::size_t>(e)]);
            const double cost = goalCost_[static_cast<std::size_t>(world)] + edgeWeight_[static_cast<std::size_t>(e)];
            if (goalSeen_[next] == search_ && cost >= goalCost_[next]) continue;
            if (goalSeen_[next] != search_) reachedNearGoal_.push_back(static_cast<int>(next));
            goalSeen_[next] = search_;
            goalCost_[next] = cost;
            goalQueue_.push(cost, static_cast<int>(next));
        }
    }
    // The worlds reached but not settled, less those another one of them always beats.
    for (const int world : reachedNearGoal_) {
        if (goalSettled_[static_cast<std::size_t>(world)] == search_) continue;
        const WayIn way{cubes_[static_cast<std::size_t>(world)], goalCost_[static_cast<std::size_t>(world)]};
        const bool beaten = std::any_of(waysIn_.begin(), waysIn_.end(), [&](const WayIn& other) {
            return other.cost + perHex * hexesBetween(way.start, other.start) <= way.cost;
        });
        if (beaten) continue;
        std::erase_if(waysIn_, [&](const WayIn& other) {
            return way.cost + perHex * hexesBetween(way.start, other.start) <= other.cost;
        });
        waysIn_.push_back(way);
    }
}

std::optional<double> CheapestPaths::find(int from, int to, std::vector<int>& path, std::vector<int>& pathLinks) {
    path.clear();
    pathLinks.clear();
    settled_ = 0;
    if (graph_.component[static_cast<std::size_t>(from)] != graph_.component[static_cast<std::size_t>(to)]) {
        return std::nullopt;
    }
    if (++search_ == 0) {  // the stamps wrapped: start them afresh
        std::fill(seen_.begin(), seen_.end(), 0);
        std::fill(goalSeen_.begin(), goalSeen_.end(), 0);
        std::fill(goalSettled_.begin(), goalSettled_.end(), 0);
        search_ = 1;
    }
    const double perHex = leastPerHex_;
    settleAroundGoal(to, perHex);
    const std::uint32_t* nearGoal = goalSettled_.data();
    const double* toGoal = goalCost_.data();
    const std::uint32_t stamp = search_;
    // The bound: exact for the worlds around the goal; from elsewhere, the way in through one of the worlds
    // just outside them, each at the least weight per hex to get there.
    const auto bound = [&](int world) {
        if (nearGoal[world] == stamp) return toGoal[world];
        const Cube c = cubes_[static_cast<std::size_t>(world)];
        double least = std::numeric_limits<double>::max();
        for (const WayIn& way : waysIn_) least = std::min(least, way.cost + perHex * hexesBetween(c, way.start));
        return least;
    };
    const int* firstEdge = firstEdge_.data();
    const int* edgeWorld = edgeWorld_.data();
    const double* edgeWeight = edgeWeight_.data();
    double* cost = cost_.data();
    std::uint32_t* seen = seen_.data();
    int* cameBy = cameBy_.data();
    const std::uint32_t now = search_;
    // A settled world's cost becomes minus infinity: no path reaches it cheaper, and its queue entries are stale.
    constexpr double kSettled = -std::numeric_limits<double>::infinity();

    queue_.clear();
    bool found = false;
    seen[from] = now;
    cost[from] = 0;
    cameBy[from] = -1;
    queue_.push(bound(from), from);
    while (!queue_.empty()) {
        const int world = queue_.pop();
        const double reached = cost[world];
        if (reached == kSettled) continue;
        ++settled_;
        if (world == to) {
            found = true;
            break;
        }
        cost[world] = kSettled;
        for (int e = firstEdge[world]; e < firstEdge[world + 1]; ++e) {
            const int next = edgeWorld[e];
            const double through = reached + edgeWeight[e];
            if (seen[next] == now && through >= cost[next]) continue;
            const double estimate = through + bound(next);
            // Nothing through a world that cannot beat the path to the goal found so far.
            if (seen[to] == now && next != to && estimate >= cost[to]) continue;
            seen[next] = now;
            cost[next] = through;
            cameBy[next] = e;
            queue_.push(estimate, next);
        }
    }
    if (!found) return std::nullopt;
    for (int world = to; world != from;) {
        const int e = cameBy[world];
        const int link = edgeLink_[static_cast<std::size_t>(e)];
        path.push_back(world);
        pathLinks.push_back(link);
        const JumpLink& ends = graph_.links[static_cast<std::size_t>(link)];
        world = ends.a == world ? ends.b : ends.a;
    }
    path.push_back(from);
    std::reverse(path.begin(), path.end());
    std::reverse(pathLinks.begin(), pathLinks.end());
    return cost[to];
}

}  // namespace qelvar
