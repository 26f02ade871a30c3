#include "space/charted_space.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "files/sector_file.h"
#include "store/file_io.h"
#include "store/paths.h"
#include "store/text.h"

namespace qelvar {

namespace {

int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// A sector file by its name or, for another name (the published ".txt" files), by its header.
bool isSpaceFileName(const std::string& path) { return isSectorFile(path); }

// The files a path stands for: a folder's sector files by name, or the path itself.
std::vector<std::string> expand(const std::string& path, Notices& notices) {
    std::error_code error;
    if (!std::filesystem::is_directory(path, error)) return {path};
    std::vector<std::string> files;
    for (std::filesystem::directory_iterator it(path, error), end; !error && it != end; it.increment(error)) {
        const std::string file = it->path().string();
        if (isSpaceFileName(file) && it->is_regular_file(error)) files.push_back(file);
    }
    if (error) notices.emplace_back("The folder \"" + path + "\" cannot be read: " + error.message());
    std::sort(files.begin(), files.end());
    return files;
}

struct ReadSector {
    PlacedSector placed;
    bool hasPlace = false;
};

// A sector file with its metadata; nothing (and a notice) for a file that is no sector.
std::optional<ReadSector> readOne(const std::string& path, Notices& notices) {
    Result<WithNotices<SectorRead>> read = readSectorFile(path);
    if (!read) {
        notices.emplace_back(fileNameOf(path) + " is left out: " + read.error());
        return std::nullopt;
    }
    ReadSector one;
    one.placed.path = path;
    one.placed.sector = std::move(read->value.sector);
    const Result<std::string> bytes = readFileBytes(sectorMetadataPath(path));
    if (bytes) {
        auto meta = readSpaceMetadata(*bytes);
        if (meta) {
            one.placed.metadata = std::move(meta->value);
            for (const Notice& notice : meta->notices)
                notices.emplace_back(fileNameOf(sectorMetadataPath(path)) + ": " + notice.text);
        }
    } else if (one.placed.sector.worlds.empty()) {
        notices.emplace_back(fileNameOf(path) + " is left out: it holds no worlds");
        return std::nullopt;
    }
    for (const Notice& notice : read->notices) notices.emplace_back(fileNameOf(path) + ": " + notice.text);
    const SectorMetadata& meta = one.placed.metadata;
    one.hasPlace = meta.x && meta.y;
    if (one.hasPlace) {
        one.placed.x = *meta.x;
        one.placed.y = *meta.y;
    }
    return one;
}

}  // namespace

SpaceHex spaceHexOf(int sectorX, int sectorY, int column, int row) {
    return {sectorX * kSectorColumns + column - 1, sectorY * kSectorRows + row - 1};
}

int sectorXOf(SpaceHex hex) { return floorDiv(hex.x, kSectorColumns); }
int sectorYOf(SpaceHex hex) { return floorDiv(hex.y, kSectorRows); }

int spaceDistance(SpaceHex a, SpaceHex b) {
    // Cube coordinates of the grid whose odd x sit lower; x - (x & 1) is even, so the halving is exact.
    const auto cube = [](SpaceHex h) {
        const int z = h.y - (h.x - (h.x & 1)) / 2;
        return std::array<int, 3>{h.x, -h.x - z, z};
    };
    const auto p = cube(a);
    const auto q = cube(b);
    return std::max({std::abs(p[0] - q[0]), std::abs(p[1] - q[1]), std::abs(p[2] - q[2])});
}

SpaceHex neighbourOf(SpaceHex hex, int side) {
    const int low = hex.x & 1;
    switch (((side % 6) + 6) % 6) {
        case 0:
            return {hex.x - 1, hex.y - 1 + low};
        case 1:
            return {hex.x - 1, hex.y + low};
        case 2:
            return {hex.x, hex.y + 1};
        case 3:
            return {hex.x + 1, hex.y + low};
        case 4:
            return {hex.x + 1, hex.y - 1 + low};
        default:
            return {hex.x, hex.y - 1};
    }
}

const PlacedSector* ChartedSpace::sectorAt(int x, int y) const {
    for (const PlacedSector& placed : sectors) {
        if (placed.x == x && placed.y == y) return &placed;
    }
    return nullptr;
}

const PlacedSector* ChartedSpace::sectorNamed(std::string_view name) const {
    const std::string wanted = lowerAscii(trimBlanks(name));
    for (const PlacedSector& placed : sectors) {
        if (lowerAscii(trimBlanks(placed.sector.name)) == wanted) return &placed;
    }
    return nullptr;
}

const SectorWorld* ChartedSpace::worldAt(SpaceHex hex) const {
    const PlacedSector* placed = sectorAt(sectorXOf(hex), sectorYOf(hex));
    if (!placed) return nullptr;
    const int column = hex.x - placed->x * kSectorColumns + 1;
    const int row = hex.y - placed->y * kSectorRows + 1;
    for (const SectorWorld& world : placed->sector.worlds) {
        if (world.column == column && world.row == row) return &world;
    }
    return nullptr;
}

Result<WithNotices<ChartedSpace>> loadChartedSpace(const std::vector<std::string>& paths) {
    WithNotices<ChartedSpace> loaded;
    std::vector<ReadSector> read;
    for (const std::string& path : paths) {
        for (const std::string& file : expand(path, loaded.notices)) {
            if (auto one = readOne(file, loaded.notices)) read.push_back(std::move(*one));
        }
    }
    std::map<std::pair<int, int>, std::string> taken;  // (y, x): the file there
    std::vector<ReadSector*> unplaced;
    for (ReadSector& one : read) {
        if (!one.hasPlace) {
            unplaced.push_back(&one);
            continue;
        }
        const auto [at, fresh] = taken.emplace(std::pair(one.placed.y, one.placed.x), one.placed.path);
        if (!fresh) {
            loaded.notices.emplace_back(fileNameOf(one.placed.path) + " is left out: " + fileNameOf(at->second) +
                                        " already lies at " + std::to_string(one.placed.x) + "," +
                                        std::to_string(one.placed.y));
            continue;
        }
        loaded.value.sectors.push_back(std::move(one.placed));
    }
    const int topY = taken.empty() ? 0 : taken.begin()->first.first;
    int nextX = 0;
    for (const auto& [place, file] : taken) {
        if (place.first == topY) nextX = place.second + 1;
    }
    for (ReadSector* one : unplaced) {
        while (taken.count({topY, nextX})) ++nextX;
        one->placed.x = nextX;
        one->placed.y = topY;
        taken.emplace(std::pair(topY, nextX), one->placed.path);
        loaded.notices.emplace_back(fileNameOf(one->placed.path) + " has no X and Y in its metadata; it is placed at " +
                                    std::to_string(nextX) + "," + std::to_string(topY));
        loaded.value.sectors.push_back(std::move(one->placed));
    }
    if (loaded.value.sectors.empty()) return fail("No sector could be read from the paths given");
    std::sort(loaded.value.sectors.begin(), loaded.value.sectors.end(),
              [](const PlacedSector& a, const PlacedSector& b) { return std::pair(a.y, a.x) < std::pair(b.y, b.x); });
    return loaded;
}

}  // namespace qelvar
