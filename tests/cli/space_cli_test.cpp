// The charted-space commands of the built qelvar-cli, run as a script would.
#include <gtest/gtest.h>

#include "support/cli_run.h"
#include "support/space_files.h"

namespace qelvar {
namespace {

class SpaceCliTest : public testing::SpaceFolderTest {
protected:
    using Run = testing::CliRun;
    Run run(const std::vector<std::string>& arguments) const {
        return testing::spawn(QELVAR_CLI, arguments, path("out.txt"), path("err.txt"));
    }
};

TEST_F(SpaceCliTest, BordersPrintsOrWritesEachSectorsBordersElement) {
    const std::string routes = "  <Routes>\n    <Route Start=\"0101\" End=\"0102\"/>\n  </Routes>\n";
    writeSector("Alda", 0, 0, {{"3220", "ImDd"}, {"1010", "ZhCo"}}, routes);
    writeSector("Bree", 1, 0, {{"0120", "ImDd"}});
    const Run printed = run({"borders", dir_.string()});
    ASSERT_EQ(printed.status, 0) << printed.err;
    EXPECT_EQ(printed.out.substr(0, 28), "<!-- Alda.xml -->\n<Borders>\n");
    EXPECT_NE(printed.out.find("<!-- Bree.xml -->\n<Borders>\n  <Border Allegiance=\"ImDd\""), std::string::npos);
    EXPECT_NE(printed.out.find("<Border Allegiance=\"ZhCo\""), std::string::npos);

    const std::string before = read("Alda.xml");
    const Run written = run({"borders", path("Alda.tab"), "--write", "--distance", "1"});
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "");
    const std::string after = read("Alda.xml");
    EXPECT_EQ(after.substr(0, before.size() - 10), before.substr(0, before.size() - 10));  // all but </Sector>
    EXPECT_NE(after.find(routes + "  <Borders>\n    <Border Allegiance=\"ImDd\""), std::string::npos);
    EXPECT_EQ(after.substr(after.size() - 23), "  </Borders>\n</Sector>\n");

    EXPECT_EQ(run({"borders", path("Alda.tab"), "--distance", "11"}).status, 1);
    const Run missing = run({"borders", path("missing.tab")});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "qelvar-cli: No sector could be read from the paths given\n");
    write("Bree.xml", "<Sector><Borders><Border>");
    const Run broken = run({"borders", path("Bree.tab"), "--write"});
    EXPECT_EQ(broken.status, 2);
    const std::string bree = "\"" + path("Bree.xml") + "\"";
    EXPECT_EQ(broken.err, "qelvar-cli: Bree.tab: the names in " + bree +
                              " were not read: it is not XML: Start-end tags mismatch\n"
                              "qelvar-cli: Bree.tab has no X and Y in its metadata; it is placed at 0,0\n"
                              "qelvar-cli: Cannot write the borders into " +
                              bree + ": it is no sector metadata file\n");
    EXPECT_EQ(read("Bree.xml"), "<Sector><Borders><Border>");
}

TEST_F(SpaceCliTest, AtlasMapDrawsTheBlockAndSectorMapTakesBorders) {
    const std::string region = "<Regions><Region Color=\"Purple\">1010 1110 1111 1011 1010</Region></Regions>\n";
    writeSector("Alda", 0, 0, {{"3240", "ImDd"}, {"1010", "ZhCo"}}, region);
    writeSector("Bree", 1, 1, {{"0101", "ImDd"}});
    writeSector("Corr", 5, 5, {{"0101", "ImDd"}});
    const Run ops = run({"atlas-map", dir_.string(), path("a.ops"), "--sectors", "alda,BREE", "--borders", "made"});
    ASSERT_EQ(ops.status, 0) << ops.err;
    const std::string drawn = read("a.ops");
    EXPECT_NE(drawn.find("\tAlda\n"), std::string::npos);
    EXPECT_NE(drawn.find("\tBree\n"), std::string::npos);
    EXPECT_EQ(drawn.find("\tCorr\n"), std::string::npos);
    EXPECT_NE(drawn.find("polygon\t#800080\t0.300\t"), std::string::npos);
    EXPECT_NE(drawn.find("\t4\n"), std::string::npos);  // the borders' lines
    const Run png = run({"atlas-map", dir_.string(), path("a.png"), "--area", "0,0,1,1", "--dpi", "24"});
    ASSERT_EQ(png.status, 0) << png.err;
    EXPECT_EQ(read("a.png").substr(1, 3), "PNG");
    ASSERT_EQ(run({"atlas-map", dir_.string(), path("b.ops"), "--area", "1,0,1,1"}).status, 0);  // columns 1 to 1
    EXPECT_NE(read("b.ops").find("\tBree\n"), std::string::npos);
    EXPECT_EQ(read("b.ops").find("\tAlda\n"), std::string::npos);
    EXPECT_EQ(run({"atlas-map", dir_.string(), path("b.png"), "--sectors", "Dorn"}).status, 1);
    EXPECT_EQ(run({"atlas-map", dir_.string(), path("b.png"), "--paper", "A3"}).status, 1);
    EXPECT_EQ(run({"atlas-map", dir_.string(), path("b.png"), "--borders", "some"}).status, 1);
    EXPECT_EQ(run({"atlas-map", path("none"), path("b.png")}).status, 2);
    const Run huge = run({"atlas-map", dir_.string(), path("b.png"), "--area", "0,0,15,15", "--dpi", "600"});
    EXPECT_EQ(huge.status, 1);
    EXPECT_EQ(huge.err.substr(0, 98),
              "qelvar-cli: the map would be 142290 x 197351 pixels, too large for a picture: choose "
              "fewer sectors");

    for (const char* choice : {"made", "none", "given"}) {
        const Run sector = run({"sector-map", path("Alda.tab"), path("s.ops"), "--borders", choice});
        ASSERT_EQ(sector.status, 0) << sector.err;
        EXPECT_EQ(read("s.ops").find("\t4\n") != std::string::npos, std::string(choice) == "made") << choice;
        // The region round 1010 to 1111, starting at the foot of 1011 where the sector map draws that hex.
        EXPECT_NE(read("s.ops").find("polygon\t#800080\t0.300\t113.300\t148.500\t108.100\t142.000\t"),
                  std::string::npos);
    }
}

}  // namespace
}  // namespace qelvar
