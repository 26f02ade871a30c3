// Runs the built qelvar-cli as a user's script would.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <QByteArray>
#include <QImage>

#include "core/file_io.h"
#include "core/text.h"
#include "support/temp_folder.h"

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

class CliTest : public qelvar::testing::TempFolderTest {
protected:
    CliRun run(const std::string& arguments) const {
        const std::string errPath = path("stderr.txt");
        const std::string command = std::string(QELVAR_CLI) + " " + arguments + " 2>" + errPath;
        CliRun result;
        FILE* pipe = ::popen(command.c_str(), "r");
        if (pipe == nullptr) return result;
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, n);
        const int status = ::pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.err = qelvar::readFileBytes(errPath).bytes;
        return result;
    }

    static std::string sample(const char* name) { return std::string(QELVAR_SAMPLES) + "/" + name; }
};

TEST_F(CliTest, ConvertSamplesIsByteIdentical) {
    for (const char* name : {"ostrel.sbs", "varnholt.sbs", "tamsin.sbs"}) {
        SCOPED_TRACE(name);
        const CliRun r = run("convert " + sample(name) + " " + path("copy.SBS"));
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(qelvar::readFileBytes(path("copy.SBS")).bytes, qelvar::readFileBytes(sample(name)).bytes);
    }
}

TEST_F(CliTest, ListPrintsTheListing) {
    const CliRun r = run("list " + sample("varnholt.sbs"));
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_GE(lines.size(), 8u);
    EXPECT_EQ(lines[1], "Varnholt/Kestrane Reach (C)");
    EXPECT_EQ(lines[3].substr(124), "T-F");
    EXPECT_EQ(lines[4].substr(26, 4), "1701");  // sector locations of subsector C
    EXPECT_EQ(lines[lines.size() - 2].rfind("Subsector Varnholt contains ", 0), 0u);
}

TEST_F(CliTest, ExitStatusesAndMessages) {
    const struct {
        const char* name;
        std::string arguments;
        int status;
        const char* errContains;
    } cases[] = {
        {"no command", "", 1, "usage:"},
        {"unknown command", "frobnicate", 1, "unknown command 'frobnicate'"},
        {"missing argument", "list", 1, "takes 1 file argument"},
        {"unknown option", "list " + sample("tamsin.sbs") + " --bogus", 1, "unknown option --bogus"},
        {"option without value", "list " + sample("tamsin.sbs") + " --letter", 1, "--letter needs a value"},
        {"unknown output type", "convert " + sample("tamsin.sbs") + " " + path("x.doc"), 1, "extension"},
        {"missing input", "list " + path("none.sbs"), 2, "No such file or directory"},
        {"unwritable output", "convert " + sample("tamsin.sbs") + " " + path("no/dir/x.sbs"), 2, "Cannot write"},
        {"render: unknown image type", "render " + sample("tamsin.sbs") + " " + path("map.gif"), 1, "extension"},
        {"render: printing option", "render " + sample("tamsin.sbs") + " " + path("m.png") + " --colour", 1, "--colour"},
        {"render: missing input", "render " + path("missing.sbs") + " " + path("m.png"), 2, "missing.sbs"},
        {"render: unwritable output", "render " + sample("tamsin.sbs") + " " + path("no/m.png"), 2, "no/m.png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun r = run(c.arguments);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.errContains), std::string::npos) << r.err;
        EXPECT_EQ(r.err.rfind("qelvar-cli: ", 0) == 0 || r.err.rfind("usage:", 0) == 0, true) << r.err;
    }
    EXPECT_EQ(run("--help").status, 0);
}

TEST_F(CliTest, RenderWritesEachFormat) {
    for (const char* name : {"map.png", "map.bmp", "map.svg", "map.ops"}) {
        SCOPED_TRACE(name);
        const CliRun r = run("render " + sample("ostrel.sbs") + " " + path(name));
        ASSERT_EQ(r.status, 0) << r.err;
        const QByteArray bytes = QByteArray::fromStdString(qelvar::readFileBytes(path(name)).bytes);
        if (bytes.startsWith("<?xml")) {
            EXPECT_GE(bytes.count("</text>"), 81);  // the title and the 80 hex numbers at least
        } else if (std::string_view(name) == "map.ops") {
            EXPECT_GE(bytes.count("\ntext\t"), 81);
        } else {
            const QImage image = QImage::fromData(bytes);
            EXPECT_EQ(image.size(), QSize(393, 545));
            QImage blank(image.size(), image.format());
            blank.fill(image.pixel(0, 0));
            EXPECT_NE(image, blank);
        }
    }
}

TEST_F(CliTest, LineMessagesGoToStderrAndTheJobGoesOn) {
    std::ofstream(path("odd.sbs"), std::ios::binary)
        << "Odd\r\nSector\r\nName                 Hex  SDAHPGLT I G Z PAG Al Star 1 Star 2 Star 3 Notes SS=x\r\n"
        << "Stray               0911  A788899C\r\n";
    const CliRun r = run("convert " + path("odd.sbs") + " " + path("out.sbs"));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "qelvar-cli: DUFF SS LETTER\nqelvar-cli: FAILED  0 911 Stray               \n"
                     "qelvar-cli: DUFF SS LETTER\n");
    EXPECT_TRUE(std::filesystem::exists(path("out.sbs")));
}

}  // namespace
