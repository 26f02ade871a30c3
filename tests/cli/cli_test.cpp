// Runs the built qelvar-cli as a user's script would, with an argument vector and no shell.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QImage>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/command_output.h"
#include "core/file_io.h"
#include "core/text.h"
#include "support/temp_folder.h"

extern char** environ;

namespace {

using qelvar::testing::commandOutput;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs program with arguments; stdout and stderr are captured in files (stdout may be another file).
CliRun spawn(const std::string& program, const std::vector<std::string>& arguments, const std::string& outPath,
             const std::string& errPath) {
    std::vector<std::string> all{program};
    all.insert(all.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    CliRun result;
    pid_t pid = 0;
    if (posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    if (outPath != "/dev/full") result.out = qelvar::readFileBytes(outPath).bytes;
    result.err = qelvar::readFileBytes(errPath).bytes;
    return result;
}

// A world line of an SBS file: the name in columns 1-20, the location from 21, the profile from 27.
std::string worldLine(std::string name, const char* location) {
    name.resize(20, ' ');
    return name + location + "  A788899C\r\n";
}

class CliTest : public qelvar::testing::TempFolderTest {
protected:
    CliRun run(const std::vector<std::string>& arguments, const std::string& stdoutPath = {}) const {
        return spawn(QELVAR_CLI, arguments, stdoutPath.empty() ? path("stdout.txt") : stdoutPath, path("stderr.txt"));
    }

    static std::string sample(const char* name) { return std::string(QELVAR_SAMPLES) + "/" + name; }
};

TEST_F(CliTest, ConvertSamplesIsByteIdentical) {
    for (const char* name : {"ostrel.sbs", "varnholt.sbs", "tamsin.sbs"}) {
        SCOPED_TRACE(name);
        const CliRun r = run({"convert", sample(name), path("copy.SBS")});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(qelvar::readFileBytes(path("copy.SBS")).bytes, qelvar::readFileBytes(sample(name)).bytes);
    }
}

TEST_F(CliTest, ListPrintsTheListing) {
    const CliRun r = run({"list", sample("varnholt.sbs")});
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
    const std::string tamsin = sample("tamsin.sbs");
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        int status;
        const char* errContains;
    } cases[] = {
        {"no command", {}, 1, "A subcommand is required"},
        {"unknown command", {"frobnicate"}, 1, "unknown command 'frobnicate'"},
        {"missing argument", {"list"}, 1, "IN is required"},
        {"unknown option", {"list", tamsin, "--bogus"}, 1, "--bogus"},
        {"option without value", {"list", tamsin, "--letter"}, 1, "--letter"},
        {"letter out of range", {"list", tamsin, "--letter", "Q"}, 1, "one letter from A to P, not \"Q\""},
        {"two letters", {"convert", tamsin, path("x.sbs"), "--letter", "AB"}, 1, "not \"AB\""},
        {"unknown output type", {"convert", tamsin, path("x.doc")}, 1, "extension, one of .sbs"},
        {"missing input", {"list", path("none.sbs")}, 2, "No such file or directory"},
        {"unwritable output", {"convert", tamsin, path("no/dir/x.sbs")}, 2, "Cannot write"},
        {"render: unknown image type", {"render", tamsin, path("map.gif")}, 1, ".png .bmp .svg .ops"},
        {"render: printing option", {"render", tamsin, path("m.png"), "--colour"}, 1, "--colour"},
        {"render: missing input", {"render", path("missing.sbs"), path("m.png")}, 2, "missing.sbs"},
        {"render: unwritable output", {"render", tamsin, path("no/m.png")}, 2, "no/m.png"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun r = run(c.arguments);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.errContains), std::string::npos) << r.err;
        EXPECT_EQ(r.err.rfind("qelvar-cli: ", 0), 0u) << r.err;
        if (c.status == 1) {
            EXPECT_NE(r.err.find("Usage: qelvar-cli"), std::string::npos) << r.err;
        }
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(CliTest, HelpAndVersionOnStdout) {
    const struct {
        std::vector<std::string> arguments;
        const char* outContains;
    } cases[] = {
        {{"--help"}, "Subcommands:"},
        {{"--version"}, "qelvar-cli 1.0.0"},
        {{"convert", "--help"}, "Usage: qelvar-cli convert"},
        {{"list", "--help"}, "of a galactic DAT file, taken before DATA.MNU"},
        {{"batch", "--help"}, "--stub S REQUIRED"},
        {{"render", "--help"}, "--sector-grid"},
    };
    for (const auto& c : cases) {
        const CliRun r = run(c.arguments);
        EXPECT_EQ(r.status, 0);
        EXPECT_NE(r.out.find(c.outContains), std::string::npos) << r.out;
        EXPECT_EQ(r.err, "");
    }
}

TEST_F(CliTest, RenderWritesEachFormat) {
    for (const char* name : {"map.png", "map.bmp", "map.svg", "map.ops"}) {
        SCOPED_TRACE(name);
        const CliRun r = run({"render", sample("ostrel.sbs"), path(name)});
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
    ASSERT_EQ(run({"render", sample("ostrel.sbs"), path("big.png"), "--dpi", "192"}).status, 0);
    EXPECT_EQ(QImage(QString::fromStdString(path("big.png"))).size(), QSize(786, 1090));
}

TEST_F(CliTest, LineMessagesGoToStderrOnceAndTheJobGoesOn) {
    std::ofstream(path("odd.sbs"), std::ios::binary)
        << "Odd\r\nSector\r\nName                 Hex  SDAHPGLT I G Z PAG Al Star 1 Star 2 Star 3 Notes SS=x\r\n"
        << "Stray               0911  A788899C\r\n";
    const CliRun r = run({"convert", path("odd.sbs"), path("out.sbs")});
    EXPECT_EQ(r.status, 0);
    // The letter is said to be unknown once per command, though it is met on reading and on writing.
    EXPECT_EQ(r.err, "qelvar-cli: DUFF SS LETTER\nqelvar-cli: FAILED  0 911 Stray               \n");
    EXPECT_TRUE(std::filesystem::exists(path("out.sbs")));
}

TEST_F(CliTest, TerminalTextIsUtf8AndControlBytesAreBlanks) {
    std::ofstream(path("wild.sbs"), std::ios::binary)
        << "M\xe9lisande \x93Reach\x94\r\nSector\r\nName                 Hex  SDAHPGLT I G Z PAG Al Star 1 Star 2 Star 3 Notes SS=A\r\n"
        << worldLine("Esc\x1b]0;pwned\x07\xff", "0101") << worldLine("Bell\x07", "0911");
    const CliRun r = run({"list", path("wild.sbs")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("M\xc3\xa9lisande \xe2\x80\x9cReach\xe2\x80\x9d/Sector (A)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Esc ]0;pwned \xc3\xbf"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
    EXPECT_EQ(r.err, "qelvar-cli: FAILED  0 911 Bell" + std::string(16, ' ') + "\n");
    // The file itself keeps its bytes.
    ASSERT_EQ(run({"convert", path("wild.sbs"), path("copy.sbs")}).status, 0);
    EXPECT_NE(qelvar::readFileBytes(path("copy.sbs")).bytes.find("Esc\x1b]0;pwned\x07\xff"), std::string::npos);
}

TEST_F(CliTest, AFailedWriteToStdoutIsAnError) {
    const CliRun r = run({"list", sample("tamsin.sbs")}, "/dev/full");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "qelvar-cli: Cannot write to standard output: No space left on device\n");
}

TEST_F(CliTest, TheDataCommandsLoadNoQt) {
    const CliRun r = spawn("ldd", {QELVAR_CLI}, path("ldd.txt"), path("ldd-err.txt"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("libQt"), std::string::npos) << r.out;
}

TEST_F(CliTest, GenerateWithASeedWritesTheSameBytesEveryTime) {
    const std::vector<std::string> options = {"--letter", "C", "--density", "66", "--allegiance", "Zh",
                                              "--chance", "Mr=30", "--subsector-name", "V\xc3\xa9s",
                                              "--sector-name", "Reach", "--seed", "12345"};
    const auto generate = [&](const std::string& out, std::vector<std::string> extra) {
        extra.insert(extra.begin(), {"generate", out});
        return run(extra);
    };
    ASSERT_EQ(generate(path("a.sbs"), options).status, 0);
    ASSERT_EQ(generate(path("b.SBS"), options).status, 0);
    const std::string a = qelvar::readFileBytes(path("a.sbs")).bytes;
    EXPECT_EQ(a, qelvar::readFileBytes(path("b.SBS")).bytes);
    EXPECT_EQ(a.rfind("V\xe9s\r\nReach\r\n", 0), 0u);  // names in the files' code page
    EXPECT_EQ(a.find('\0'), std::string::npos);

    ASSERT_EQ(generate(path("c.sbs"), {}).status, 0);  // no seed: a fresh subsector each run
    ASSERT_EQ(generate(path("d.sbs"), {}).status, 0);
    EXPECT_NE(qelvar::readFileBytes(path("c.sbs")).bytes, qelvar::readFileBytes(path("d.sbs")).bytes);

    const CliRun listed = run({"list", path("a.sbs")});  // reads back without a complaint
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.err, "");
    EXPECT_NE(listed.out.find("V\xc3\xa9s/Reach (C)"), std::string::npos) << listed.out;
}

TEST_F(CliTest, GenerateNamesTheAllowedValuesOfABadOption) {
    const struct {
        std::vector<std::string> arguments;
        const char* errContains;
    } cases[] = {
        {{"--density", "7"}, "4 16 33 50 66"},
        {{"--letter", "Q"}, "A to P"},
        {{"--chance", "Zz=5"}, "An Rs Pr Ex Mr"},
        {{"--chance", "Pr=100"}, "0 to 99"},
        {{"--allegiance", "Xx"}, "Im Va Zh As Na Hv"},
        {{"--odd-aliens", "7"}, "0 5 10 15 20 25 30 35 40 45 50"},
        {{"--tech-cap", "19"}, "0 to 18"},
        {{"--seed", "-1"}, "--seed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments[0] + " " + c.arguments[1]);
        std::vector<std::string> arguments{"generate", path("x.sbs")};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const CliRun r = run(arguments);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(c.errContains), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(path("x.sbs")));
    }
    EXPECT_EQ(run({"generate", path("x.txt")}).status, 1);
    EXPECT_EQ(run({"generate", path("no/dir/x.sbs"), "--seed", "1"}).status, 2);
}

TEST_F(CliTest, ConvertToArpAndHtmlAndBack) {
    const CliRun toArp = run({"convert", sample("varnholt.sbs"), path("v.arp")});
    ASSERT_EQ(toArp.status, 0) << toArp.err;
    const std::string arp = qelvar::readFileBytes(path("v.arp")).bytes;
    const auto arpLines = qelvar::splitLines(arp);
    ASSERT_GT(arpLines.size(), 7u);
    EXPECT_EQ(arpLines[3], "Subsector Varnholt             (C)");
    const CliRun back = run({"convert", path("v.arp"), path("v.sbs")});
    ASSERT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(qelvar::readFileBytes(path("v.sbs")).bytes, qelvar::readFileBytes(sample("varnholt.sbs")).bytes);
    for (const char* name : {"v.htm", "v.HTML"}) {
        SCOPED_TRACE(name);
        const CliRun html = run({"convert", sample("varnholt.sbs"), path(name)});
        ASSERT_EQ(html.status, 0) << html.err;
        const std::string bytes = qelvar::readFileBytes(path(name)).bytes;
        EXPECT_EQ(bytes.rfind("<html>\r\n<body>\r\n<h1>Subsector Varnholt", 0), 0u);
        const std::string end = "</table>\r\n</body>\r\n</html>\r\n";
        EXPECT_EQ(bytes.substr(bytes.size() - std::min(bytes.size(), end.size())), end);
    }
}

TEST_F(CliTest, ConvertGalacticFiles) {
    const std::string galactic = std::string(QELVAR_SAMPLES) + "/galactic/";
    std::ofstream(path("alone.dat"), std::ios::binary) << "Subsector D: Alone  Sector: Void\r\n";
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string err;
    } cases[] = {
        {{"convert", galactic + "kestranc.dat", path("c.sbs")}, 0, ""},  // the letter from DATA.MNU
        {{"convert", galactic + "kestranc.dat", path("d.sbs"), "--letter", "d"}, 0, ""},  // --letter first
        {{"convert", path("alone.dat"), path("e.sbs")}, 1, "give one with --letter"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments[1]);
        const CliRun r = run(c.arguments);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
    const std::string c = qelvar::readFileBytes(path("c.sbs")).bytes;
    const auto lines = qelvar::splitLines(c);
    ASSERT_GT(lines.size(), 3u);
    EXPECT_EQ(std::string(lines[0]) + "|" + std::string(lines[1]) + "|" + std::string(lines[2].substr(78)),
              "Varnholt|Kestrane Reach|C");
    const std::string d = qelvar::readFileBytes(path("d.sbs")).bytes;
    EXPECT_EQ(qelvar::splitLines(d).at(2).substr(78), "D");
    EXPECT_FALSE(std::filesystem::exists(path("e.sbs")));
}

TEST_F(CliTest, IndexAndBatch) {
    const CliRun index = run({"index", std::string(QELVAR_SAMPLES), "--type", "sbs"});
    ASSERT_EQ(index.status, 0) << index.err;
    EXPECT_EQ(index.out, "Subsector index:\n\nA Ostrel Drift\nP Tamsin Gate\nC Varnholt\n");
    std::filesystem::create_directory(path("empty"));
    EXPECT_EQ(run({"index", path("empty"), "--type", "dat"}).out, "Subsector index:\n\n");

    std::filesystem::create_directory(path("in"));
    for (const char* name : {"ostrel.sbs", "tamsin.sbs"}) std::filesystem::copy_file(sample(name), path("in/") + name);
    const CliRun batch = run({"batch", path("in"), "--stub", "KR", "--type", "SBS"});
    ASSERT_EQ(batch.status, 0) << batch.err;
    EXPECT_EQ(batch.err, "");  // no progress line when stderr is not a terminal
    EXPECT_EQ(batch.out, path("in/KR-A.SBS") + "\n" + path("in/KR-P.SBS") + "\n");
    EXPECT_EQ(qelvar::readFileBytes(path("in/KR-P.SBS")).bytes, qelvar::readFileBytes(sample("tamsin.sbs")).bytes);

    const struct {
        std::vector<std::string> arguments;
        std::string err;
    } refused[] = {
        {{"batch", path("in"), "--stub", "SEVENSS"}, "qelvar-cli: 6 Characters or less please!\n"},
        {{"batch", path("in")}, "--stub is required"},
        {{"index", path("in"), "--type", "txt"}, "--type takes sbs, arp or dat"},
    };
    for (const auto& c : refused) {
        SCOPED_TRACE(c.arguments[0]);
        const CliRun r = run(c.arguments);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

}  // namespace

namespace {

int pdfPages(const std::string& pdf) {
    const std::string info = commandOutput("pdfinfo '" + pdf + "' 2>/dev/null");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

}  // namespace

TEST_F(CliTest, RenderPrintWritesThePrintedPagesAsPdf) {
    if (commandOutput("command -v pdfinfo pdftotext").empty()) GTEST_SKIP() << "poppler-utils not installed";
    const std::string ostrel = sample("ostrel.sbs");
    const struct {
        const char* mode;
        bool listing;
        int pages;
    } cases[] = {
        {"full", false, 1},       // the map alone
        {"full", true, 2},        // the map's job, then the listing's
        {"one-page", false, 1},
        {"landscape-one-page", true, 1},  // the listing beside the map
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + (c.listing ? " with listing" : ""));
        std::vector<std::string> arguments{"render", ostrel, path("page.pdf"), "--print", c.mode, "--colour"};
        if (c.listing) arguments.push_back("--listing");
        const CliRun r = run(arguments);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(pdfPages(path("page.pdf")), c.pages);
        const std::string text = commandOutput("pdftotext -layout '" + path("page.pdf") + "' - 2>/dev/null");
        EXPECT_NE(text.find("Ostrel Drift/Kestrane Reach (A)"), std::string::npos);
        EXPECT_EQ(text.find("System Name") != std::string::npos, c.listing);
        if (!c.listing) continue;
        // Every world of the listing is on the pages, and the statistics after them.
        const CliRun list = run({"list", ostrel});
        std::istringstream lines(list.out);
        int worlds = 0;
        bool inWorlds = false;
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with("System Name")) {
                inWorlds = true;
            } else if (inWorlds && line.empty()) {
                break;
            } else if (inWorlds) {
                const std::string name(qelvar::trimBlanks(line.substr(0, 20)));
                EXPECT_NE(text.find(name), std::string::npos) << name;
                ++worlds;
            }
        }
        EXPECT_GT(worlds, 10);
        EXPECT_NE(text.find("Highest population is"), std::string::npos);
    }
}

TEST_F(CliTest, RenderPrintOpsAndUsage) {
    const std::string ostrel = sample("ostrel.sbs");
    const CliRun ops = run({"render", ostrel, path("page.ops"), "--print", "one-page", "--listing"});
    ASSERT_EQ(ops.status, 0) << ops.err;
    const std::string text = qelvar::readFileBytes(path("page.ops")).bytes;
    // One job: the map, the listing after it, ended once at the end.
    EXPECT_EQ(text.find("cls"), std::string::npos);
    EXPECT_NE(text.find("\tTimes New Roman\t6\t0\t0\t0101\n"), std::string::npos);
    EXPECT_NE(text.find("box\t15.000\t10.000\t100.000\t128.000\t#000000\tsolid\t10\n"), std::string::npos);
    EXPECT_LT(text.find("box\t"), text.find("\tSystem Name\n"));
    EXPECT_EQ(text.find("enddoc"), text.size() - 7);

    const struct {
        const char* name;
        std::vector<std::string> arguments;
        const char* errContains;
    } usage[] = {
        {"unknown mode", {"render", ostrel, path("p.pdf"), "--print", "poster"}, "--print"},
        {"printed page as an image", {"render", ostrel, path("p.png"), "--print", "full"}, ".pdf or .ops"},
        {"pdf without a mode", {"render", ostrel, path("p.pdf")}, "--print"},
        {"listing without a mode", {"render", ostrel, path("p.ops"), "--listing"}, "--listing"},
        {"grid and print", {"render", ostrel, path("p.ops"), "--print", "full", "--sector-grid"}, "--sector-grid"},
    };
    for (const auto& c : usage) {
        SCOPED_TRACE(c.name);
        const CliRun r = run(c.arguments);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(c.errContains), std::string::npos) << r.err;
    }
}
