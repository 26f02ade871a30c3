#pragma once
// The jump links of charted space kept in flat arrays: the worlds near a hex found through a grid of
// square cells, every link between two usable worlds at most a jump apart, each world's links side by
// side (compressed rows), and the cheapest path between two worlds on weights that change as trade
// flows, found by A* with the distance times the least weight per hex as its bound.

#include <cstdint>
#include <optional>
#include <vector>

#include "space/charted_space.h"
#include "space/monotone_queue.h"

namespace qelvar {

// The worlds of charted space by grid cell.
class HexGrid {
public:
    HexGrid(const std::vector<SpaceHex>& hexes, int cellSize);
    // Every index whose hex lies at most `radius` hexes from `centre`, cell by cell.
    template <class Visit>
    void forEachNear(SpaceHex centre, int radius, Visit&& visit) const;

private:
    int cellOf(int x, int y) const { return (y - minY_) / cellSize_ * columns_ + (x - minX_) / cellSize_; }
    const std::vector<SpaceHex>& hexes_;
    int cellSize_ = 1;
    int minX_ = 0, minY_ = 0, columns_ = 1, rows_ = 1;
    std::vector<int> firstOfCell_;  // cells + 1 entries into items_
    std::vector<int> items_;        // indices, by cell, each cell in index order
};

struct JumpLink {
    int a = 0;  // a < b, indices into the worlds
    int b = 0;
    int length = 0;
};

struct JumpGraph {
    std::vector<JumpLink> links;  // by a, then b
    std::vector<int> firstEdge;   // per world, into the edge arrays; one entry more than worlds
    std::vector<int> edgeWorld;   // the world at the far end
    std::vector<int> edgeLink;    // the link an edge runs along
    std::vector<int> component;   // per world: worlds joined by some path share the number
};

// Links between every two worlds whose `usable` is set and that lie at most `jump` hexes apart.
JumpGraph buildJumpGraph(const std::vector<SpaceHex>& hexes, const std::vector<char>& usable, int jump);

// Cheapest paths on the graph's links, whose weights change between searches. A link that some other
// two links beat is left out of the searches: weights only ever come nearer the links' lengths, and a link
// that is never on a cheapest path never gets lighter, so it stays beaten.
class CheapestPaths {
public:
    CheapestPaths(const JumpGraph& graph, const std::vector<SpaceHex>& hexes, const std::vector<double>& weights);
    void setWeight(int link, double weight);
    // Leaves out the links that two others beat, on the weights as they are now.
    void leaveOutBeatenLinks();
    // The cost of the cheapest path between two worlds, its worlds from `from` to `to` in `path` and the
    // links it runs along in `pathLinks`; nothing when no path joins them.
    std::optional<double> find(int from, int to, std::vector<int>& path, std::vector<int>& pathLinks);
    // The worlds taken off the queue by the last search.
    int lastSettled() const { return settled_; }
    int linksSearched() const { return static_cast<int>(edgeWorld_.size() / 2); }

    // A world's place in cube coordinates, for the hexes between two worlds.
    struct Cube {
        int x, z;
    };

private:
    bool beaten(const JumpLink& link, double weight) const;
    // Settles the worlds nearest the goal by the cost from them to it, and keeps the ways in from just outside.
    void settleAroundGoal(int goal, double perHex);
    struct WayIn {
        Cube start;
        double cost;  // of the cheapest path from there to the goal through the worlds settled
    };

    const JumpGraph& graph_;
    std::vector<Cube> cubes_;
    std::vector<double> linkWeight_;
    std::vector<char> lighterAt_;  // per world: whether a link of it got lighter since the last look for beaten links
    double leastPerHex_ = 0;       // no link weighs less per hex of its length
    // The links searched, as the graph keeps them.
    std::vector<int> firstEdge_, edgeWorld_, edgeLink_;
    std::vector<double> edgeWeight_;
    std::vector<std::pair<int, int>> linkEdges_;  // the two edges of each link searched; -1 when left out
    std::vector<double> cost_;
    std::vector<int> cameBy_;  // the edge a world was last reached by
    std::vector<std::uint32_t> seen_;
    std::uint32_t search_ = 0;
    std::vector<double> goalCost_;
    std::vector<std::uint32_t> goalSeen_;
    std::vector<std::uint32_t> goalSettled_;
    std::vector<int> reachedNearGoal_;
    std::vector<WayIn> waysIn_;
    MonotoneQueue goalQueue_;
    MonotoneQueue queue_;
    int settled_ = 0;
};

template <class Visit>
void HexGrid::forEachNear(SpaceHex centre, int radius, Visit&& visit) const {
    if (items_.empty()) return;
    const auto clampCell = [](int value, int low, int count) {
        return value < low ? 0 : (value - low) >= count ? count - 1 : value - low;
    };
    // A hex n hexes away is at most n columns and n rows away.
    const int firstColumn = clampCell(centre.x - radius, minX_, columns_ * cellSize_) / cellSize_;
    const int lastColumn = clampCell(centre.x + radius, minX_, columns_ * cellSize_) / cellSize_;
    const int firstRow = clampCell(centre.y - radius, minY_, rows_ * cellSize_) / cellSize_;
    const int lastRow = clampCell(centre.y + radius, minY_, rows_ * cellSize_) / cellSize_;
    if (centre.x + radius < minX_ || centre.y + radius < minY_ || centre.x - radius >= minX_ + columns_ * cellSize_ ||
        centre.y - radius >= minY_ + rows_ * cellSize_) {
        return;
    }
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            const int cell = row * columns_ + column;
            for (int at = firstOfCell_[cell]; at < firstOfCell_[cell + 1]; ++at) {
                const int index = items_[static_cast<std::size_t>(at)];
                if (spaceDistance(centre, hexes_[static_cast<std::size_t>(index)]) <= radius) visit(index);
            }
        }
    }
}

}  // namespace qelvar
