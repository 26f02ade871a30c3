#include "files/sector_folder.h"

#include <gtest/gtest.h>

#include "files/sbs.h"
#include "files/arp.h"
#include "support/notices.h"
#include "support/sample_sector.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

class SectorFolder : public testing::TempFolderTest {
protected:
    // Subsector `index` of the sample sector as an SBS or ARP file.
    void writeSubsector(int index, const std::string& name, bool arp = false) const {
        static const Sector sector = testing::sampleSector();
        SubsectorStore store;
        sectorToStore(sector, index, store);
        write(name, arp ? formatArp(store).value : formatSbs(store).value);
    }
    static int worldsIn(const Sector& sector, char letter) {
        return static_cast<int>(std::count_if(sector.worlds.begin(), sector.worlds.end(), [&](const SectorWorld& w) {
            return subsectorLetterOf(w.column, w.row) == letter;
        }));
    }
};

TEST_F(SectorFolder, SubsectorFilesArePlacedByTheirLetters) {
    writeSubsector(0, "a.sbs");
    writeSubsector(5, "middle.SBS");
    writeSubsector(15, "last.arp", true);
    writeSubsector(5, "zz-again.sbs");
    write("notes.txt", "not a subsector");
    write("big.sbs", std::string((16 << 20) + 1, ' '));  // told, and the rest loaded
    const auto loaded = loadSectorFolder(dir_.string());
    ASSERT_TRUE(loaded) << loaded.error();
    const Sector& sector = loaded->value;
    const Sector sample = testing::sampleSector();
    for (const char letter : {'A', 'F', 'P'}) EXPECT_EQ(worldsIn(sector, letter), worldsIn(sample, letter)) << letter;
    EXPECT_EQ(worldsIn(sector, 'B'), 0);
    EXPECT_EQ(sector.name, "Kestrane Reach");
    EXPECT_EQ(sector.subsectorNames[5], "Reach F");
    EXPECT_EQ(testing::texts(loaded->notices),
              (std::vector<std::string>{
                  "Cannot read \"" + path("big.sbs") + "\": the file is larger than 16 MB and is not a subsector file",
                  "zz-again.sbs: left out, subsector F comes from middle.SBS"}));
    EXPECT_TRUE(isSectorPath(dir_.string()));
}

TEST_F(SectorFolder, SectorFilesAndDatFilesWithTheLettersOfTheIndex) {
    const auto file = loadSectorPath(std::string(QELVAR_SAMPLES) + "/harrowgate.tab");
    ASSERT_TRUE(file) << file.error();
    EXPECT_EQ(file->value.name, "Harrowgate Expanse");
    EXPECT_FALSE(file->value.worlds.empty());
    const std::string galactic = std::string(QELVAR_SAMPLES) + "/galactic";
    for (const std::string& path : {galactic, galactic + "/kestranc.dat"}) {
        const auto loaded = loadSectorPath(path);
        ASSERT_TRUE(loaded) << loaded.error();
        // Each DAT file's own worlds, none carried over from the file read before it.
        for (const auto& [letter, worlds] : {std::pair('A', 39), {'B', 0}, {'C', 28}, {'P', 49}}) {
            EXPECT_EQ(worldsIn(loaded->value, letter), worlds) << letter;
        }
    }
    write("DATA.MNU", "A one.dat  Alone\r\n");  // a DAT file the index does not name is passed over
    const std::string head = "Subsector A: Alone  Sector: Void\r\n";
    write("one.dat", head + "Alpha         0101 A788899-C\r\n");
    write("stray.dat", head + "Beta          0102 A788899-C\r\n");
    const auto indexed = loadSectorPath(dir_.string());
    ASSERT_TRUE(indexed) << indexed.error();
    EXPECT_EQ(indexed->value.worlds.size(), 1u);
}

TEST_F(SectorFolder, FoldersWithoutSubsectorsAndOtherPathsFail) {
    write("DATA.MNU", "A: nothing here   a.dat\r\n");
    write("b.sbs", "too short");
    const std::string none = "No subsector files with a letter in \"" + dir_.string() + "\"";
    EXPECT_EQ(loadSectorFolder(dir_.string()).error(), none);  // the index names no DAT file that is there
    EXPECT_EQ(loadSectorFolder(path("missing")).error(), "Cannot read the folder \"" + path("missing") + "\"");
    EXPECT_EQ(loadSectorPath(path("b.sbs")).error(),
              "\"" + path("b.sbs") +
                  "\" is no sector: give a folder of subsector files or a DAT file with DATA.MNU beside it");
    EXPECT_FALSE(isSectorPath(path("b.sbs")));
    write("c.dat", "@SUB-SECTOR: X SECTOR: Y\r\n");
    EXPECT_TRUE(isSectorPath(path("c.dat")));
    write("d.tab", "");
    EXPECT_TRUE(isSectorPath(path("d.tab")));
    EXPECT_FALSE(isSectorPath(path("e.tab")));                 // not there
    EXPECT_EQ(loadSectorFolder(dir_.string()).error(), none);  // a DAT file the index does not name is left out
    write("routes.xml", "<Routes/>");
    EXPECT_EQ(sectorRoutesPath(dir_.string()), path("routes.xml"));
    EXPECT_EQ(sectorRoutesPath(path("b.sbs")), "");
    write("b.xml", "<Routes/>");
    EXPECT_EQ(sectorRoutesPath(path("b.sbs")), path("b.xml"));
}

}  // namespace
}  // namespace qelvar
