// qelvar-cli describe and descriptions, run as a user's script would.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <sstream>

#include "core/file_io.h"
#include "support/temp_folder.h"

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class DescribeTest : public qelvar::testing::TempFolderTest {
protected:
    CliRun run(const std::string& arguments) const {
        const std::string command = std::string(QELVAR_CLI) + " " + arguments + " 2>" + path("stderr.txt");
        CliRun result;
        FILE* pipe = ::popen(command.c_str(), "r");
        if (pipe == nullptr) return result;
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.out.append(buffer, n);
        const int status = ::pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.err = qelvar::readFileBytes(path("stderr.txt")).bytes;
        return result;
    }
    static std::string sample(const char* name) { return std::string(QELVAR_SAMPLES) + "/" + name; }
    static std::vector<std::string> lines(const std::string& text) {
        std::vector<std::string> out;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) out.push_back(line);
        return out;
    }
};

TEST_F(DescribeTest, OneLinePerControlWithEscapedLineBreaks) {
    // Ostrel Drift, subsector A: 0102 Osttalvorvor A3AA909C, PAG 510, stars A0 IV and M1 V.
    const CliRun r = run("describe " + sample("ostrel.sbs") + " 0102");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto out = lines(r.out);
    ASSERT_EQ(out.size(), 29u);
    EXPECT_EQ(out.front().rfind("Form2\tDuvuderaz Orizuvo Devade v", 0), 0u);
    EXPECT_EQ(out[1], "Frame3d1\tStar system details: Osttalvorvor         102");
    EXPECT_EQ(out[3], "Label2\tOsttalvorvor        ");  // trailing blanks kept
    EXPECT_EQ(out[5].rfind("Label6\tStarport:     A Excellent.", 0), 0u);
    EXPECT_NE(out[5].find("\\nSize:         3 3000 miles diameter\\n"), std::string::npos);
    EXPECT_NE(out[5].find("(5,000,000,000)\\n"), std::string::npos);
    EXPECT_EQ(out[13], "Label14\tA0 IV  Blue-white 8,000-9,900 degrees K\\nM1 V   Red 1,900-3600 degrees K\\n");
    EXPECT_EQ(out.back(), "Label3\tClick each field to modify values!");
    for (const auto& line : out) EXPECT_EQ(line.find('\r'), std::string::npos);
}

TEST_F(DescribeTest, BadHexesAreUsageErrors) {
    const struct {
        const char* hex;
        const char* message;
    } cases[] = {{"0103", "holds no world"}, {"0900", "not a hex"}, {"0111", "not a hex"},
                 {"0000", "not a hex"},      {"12", "not a hex"},   {"0a01", "not a hex"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.hex);
        const CliRun r = run("describe " + sample("ostrel.sbs") + " " + c.hex);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
    EXPECT_EQ(run("describe " + path("missing.sbs") + " 0101").status, 2);
    EXPECT_EQ(run("describe " + sample("ostrel.sbs")).status, 1);
}

TEST_F(DescribeTest, NamesAreWrittenAsUtf8) {
    write("accent.sbs", std::string("Sub\r\nSector\r\nheading\r\n") +
                            "Caf\xe9 Noir           0101  A788899C N G A 213 Im G2 V                  x\r\n");
    const CliRun r = run("describe " + path("accent.sbs") + " 0101");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(lines(r.out)[3], "Label2\tCaf\xc3\xa9 Noir           ");
    EXPECT_EQ(lines(r.out)[19], "Label20\tIm Third Imperium");
}

TEST_F(DescribeTest, DescriptionsDumpToFileOrStdout) {
    const CliRun toFile = run("descriptions " + path("dump.txt"));
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    const std::string dump = qelvar::readFileBytes(path("dump.txt")).bytes;
    std::size_t crlf = 0;
    for (std::size_t at = 0; (at = dump.find("\r\n", at)) != std::string::npos; at += 2) ++crlf;
    EXPECT_EQ(crlf, 350u);
    EXPECT_EQ(dump.rfind("A0            No atmosphere. Requires vacc suit.", 0), 0u);

    const CliRun toStdout = run("descriptions");
    ASSERT_EQ(toStdout.status, 0);
    const auto out = lines(toStdout.out);
    ASSERT_EQ(out.size(), 350u);
    EXPECT_EQ(out[329], "ZR            Red Zone. Interdicted. Hazardous to life and limb.");
    EXPECT_EQ(out[349], std::string(14, ' '));

    EXPECT_EQ(run("descriptions " + path("no/such/dir/dump.txt")).status, 2);
    EXPECT_EQ(run("descriptions a b").status, 1);
}

}  // namespace
