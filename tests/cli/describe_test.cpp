// qelvar-cli describe and descriptions, run as a user's script would.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "store/file_io.h"
#include "support/temp_folder.h"

namespace {

class DescribeTest : public qelvar::testing::TempFolderTest {
protected:
    // Runs the command line; its exit status, and its stdout as lines (stderr goes to stderr.txt).
    int run(const std::string& arguments, std::vector<std::string>* lines = nullptr) const {
        FILE* pipe = ::popen((std::string(QELVAR_CLI) + " " + arguments + " 2>" + path("stderr.txt")).c_str(), "r");
        std::string out;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        const int status = ::pclose(pipe);
        std::istringstream in(out);
        for (std::string line; lines != nullptr && std::getline(in, line);) lines->push_back(line);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string err() const { return (*qelvar::readFileBytes(path("stderr.txt"))); }
    static std::string ostrel() { return std::string(QELVAR_SAMPLES) + "/ostrel.sbs"; }
};

TEST_F(DescribeTest, AGalacticFileWithoutItsIndexTakesTheLetterOption) {
    std::filesystem::copy_file(std::string(QELVAR_SAMPLES) + "/galactic/kestranc.dat", path("alone.dat"));
    EXPECT_EQ(run("describe " + path("alone.dat") + " 0101"), 1);
    std::vector<std::string> lines;
    EXPECT_EQ(run("describe " + path("alone.dat") + " 0101 --letter c", &lines), 0) << err();
    EXPECT_FALSE(lines.empty());
}

TEST_F(DescribeTest, OneLinePerControlWithEscapedLineBreaks) {
    // Ostrel Drift, subsector A: 0102 Osttalvorvor A3AA909C, PAG 510, stars A0 IV and M1 V.
    std::vector<std::string> out;
    ASSERT_EQ(run("describe " + ostrel() + " 0102", &out), 0) << err();
    EXPECT_EQ(err(), "");
    ASSERT_EQ(out.size(), 29u);
    EXPECT_EQ(out[1], "Frame3d1\tStar system details: Osttalvorvor         102");
    EXPECT_EQ(out[3], "Label2\tOsttalvorvor        ");  // trailing blanks kept
    EXPECT_NE(out[5].find("\\nSize:         3 3000 miles diameter\\n"), std::string::npos);
    EXPECT_EQ(out[13], "Label14\tA0 IV  Blue-white 8,000-9,900 degrees K\\nM1 V   Red 1,900-3600 degrees K\\n");
    EXPECT_EQ(out.back(), "Label3\tClick each field to modify values!");
    for (const auto& line : out) EXPECT_EQ(line.find('\r'), std::string::npos);
}

TEST_F(DescribeTest, BadHexesAreUsageErrors) {
    for (const auto& [hex, message] : std::vector<std::pair<std::string, std::string>>{{"0201", "holds no world"},
                                                                                       {"0203", "holds no world"},
                                                                                       {"0111", "not a hex"},
                                                                                       {"0a01", "not a hex"},
                                                                                       {"01011", "not a hex"}}) {
        SCOPED_TRACE(hex);
        std::vector<std::string> out;
        EXPECT_EQ(run("describe " + ostrel() + " " + hex, &out), 1);
        EXPECT_TRUE(out.empty());
        EXPECT_NE(err().find(message), std::string::npos) << err();
    }
    EXPECT_EQ(run("describe " + path("missing.sbs") + " 0101"), 2);
}

TEST_F(DescribeTest, NamesAreWrittenAsUtf8) {
    write("accent.sbs", "Sub\r\nSector\r\nheading\r\nCaf\xe9 Noir           0101  A788899C N G A 213 Im G2 V\r\n");
    std::vector<std::string> out;
    ASSERT_EQ(run("describe " + path("accent.sbs") + " 0101", &out), 0) << err();
    EXPECT_EQ(out.at(3), "Label2\tCaf\xc3\xa9 Noir           ");
}

TEST_F(DescribeTest, DescriptionsDumpToFileOrStdout) {
    ASSERT_EQ(run("descriptions " + path("dump.txt")), 0) << err();
    const std::string dump = (*qelvar::readFileBytes(path("dump.txt")));
    EXPECT_EQ(dump.rfind("A0            No atmosphere. Requires vacc suit.", 0), 0u);
    std::vector<std::string> out;
    ASSERT_EQ(run("descriptions", &out), 0);
    ASSERT_EQ(out.size(), 350u);
    EXPECT_EQ(out[329], "ZR            Red Zone. Interdicted. Hazardous to life and limb.");
    EXPECT_EQ(run("descriptions " + path("no/such/dir/dump.txt")), 2);
}

}  // namespace
