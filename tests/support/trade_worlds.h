#pragma once
// Worlds for trade and jump routes, written as a tab-separated sector file and read back as charted space's
// flat world list (the sector at 0,0), so that each test names only what matters to it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/sector_file.h"
#include "space/space_worlds.h"

namespace qelvar::testing {

struct TradeLine {
    TradeLine(std::string hex, std::string uwp = "A555900-4", std::string remarks = {}, std::string zone = {},
              std::string allegiance = "ImDd", std::string ix = "{ 0 }", std::string pbg = "100")
        : hex(std::move(hex)),
          uwp(std::move(uwp)),
          remarks(std::move(remarks)),
          zone(std::move(zone)),
          allegiance(std::move(allegiance)),
          ix(std::move(ix)),
          pbg(std::move(pbg)) {}
    std::string hex, uwp, remarks, zone, allegiance, ix, pbg;
};

inline std::string tradeSectorTab(const std::vector<TradeLine>& lines) {
    std::string text = "Hex\tName\tUWP\tBases\tRemarks\tZone\tPBG\tAllegiance\tStars\t{Ix}\n";
    for (const TradeLine& l : lines) {
        text += l.hex + "\tW" + l.hex + '\t' + l.uwp + "\t\t" + l.remarks + '\t' + l.zone + '\t' + l.pbg + '\t' +
                l.allegiance + "\tG2 V\t" + l.ix + '\n';
    }
    return text;
}

inline std::vector<SpaceWorld> tradeWorlds(const std::vector<TradeLine>& lines) {
    const auto read = readSector(tradeSectorTab(lines), "Test");
    EXPECT_TRUE(read.ok());
    if (read.ok()) {
        EXPECT_TRUE(read->notices.empty()) << read->notices.front().text;
    }
    std::vector<SpaceWorld> worlds;
    if (read.ok()) appendSpaceWorlds(read->value.sector, 0, 0, 0, worlds);
    return worlds;
}

}  // namespace qelvar::testing
