// Runs the built qelvar-cli as a user's script would, with an argument vector and no shell.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>
#include <csignal>
#include <map>
#include <nlohmann/json.hpp>
#include <random>
#include <ranges>
#include <set>

#include "details/description_table.h"
#include "files/arp.h"
#include "files/sbs.h"
#include "files/sector_folder.h"
#include "map/map_drawing.h"
#include "map/routes.h"
#include "map/sector_map.h"
#include "seams/recording_surface.h"
#include "store/file_io.h"
#include "store/text.h"
#include "support/cli_run.h"
#include "support/command_output.h"
#include "support/sample_sector.h"
#include "support/sample_world.h"
#include "support/sector_text.h"
#include "support/temp_folder.h"
#include "support/trade_worlds.h"

namespace {

using qelvar::testing::bytes;
using qelvar::testing::CliRun;
using qelvar::testing::commandOutput;
using qelvar::testing::spawn;
using qelvar::testing::start;
using qelvar::testing::tabSector;
using qelvar::testing::tabWorld;

const std::string kSbsHead = "Sector\r\nName                 Hex  SDAHPGLT I G Z PAG Al Star 1 Star 2 Star 3 Notes SS=";

class CliTest : public qelvar::testing::TempFolderTest {
protected:
    CliRun run(const std::vector<std::string>& arguments, const std::string& stdoutPath = {}) const {
        return spawn(QELVAR_CLI, arguments, stdoutPath.empty() ? path("stdout.txt") : stdoutPath, path("stderr.txt"));
    }

    static std::string sample(const char* name) { return std::string(QELVAR_SAMPLES) + "/" + name; }
};

TEST_F(CliTest, ConvertRoundTrips) {
    for (const char* name : {"ostrel.sbs", "varnholt.sbs", "tamsin.sbs"}) {
        SCOPED_TRACE(name);
        const CliRun r = run({"convert", sample(name), path("copy.SBS")});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(bytes(path("copy.SBS")), bytes(sample(name)));
    }
    ASSERT_EQ(run({"convert", sample("varnholt.sbs"), path("v.arp")}).status, 0);
    EXPECT_EQ(qelvar::splitLines(bytes(path("v.arp"))).at(3), "Subsector Varnholt             (C)");
    ASSERT_EQ(run({"convert", path("v.arp"), path("v.sbs")}).status, 0);
    EXPECT_EQ(bytes(path("v.sbs")), bytes(sample("varnholt.sbs")));
    for (const char* table : {"v.htm", "v.html"}) {
        ASSERT_EQ(run({"convert", sample("varnholt.sbs"), path(table)}).status, 0);
        EXPECT_EQ(bytes(path(table)).substr(0, 16), "<html>\r\n<body>\r\n");
    }
}

TEST_F(CliTest, ExitStatusesAndMessages) {
    const std::string tamsin = sample("tamsin.sbs"), ostrel = sample("ostrel.sbs");
    write("alone.dat", "Subsector D: Alone  Sector: Void\r\n");
    write("noletter.sbs", "Sub\r\nSector\r\n\r\nAlda                0101  A788899C       213 Im G2 V\r\n");
    const std::string in = path("in"), pdf = path("x.pdf"), ops = path("x.ops");
    std::filesystem::create_directory(in);
    const struct {
        const char* name;
        std::vector<std::string> arguments;
        int status;
        const char* errContains;
        bool usage;  // a usage error shows the usage text
    } cases[] = {
        {"no command", {}, 1, "A subcommand is required", true},
        {"unknown command", {"frobnicate"}, 1, "unknown command 'frobnicate'", true},
        {"missing argument", {"list"}, 1, "IN is required", true},
        {"unknown option", {"list", tamsin, "--bogus"}, 1, "--bogus", true},
        {"letter out of range", {"list", tamsin, "--letter", "Q"}, 1, "one letter from A to P, not \"Q\"", true},
        {"unknown output type", {"convert", tamsin, path("x.doc")}, 1, "extension, one of .sbs", true},
        {"missing input", {"list", path("none.sbs")}, 2, "No such file or directory", false},
        {"unwritable output", {"convert", tamsin, path("no/dir/x.sbs")}, 2, "Cannot write", false},
        {"dat without a letter", {"convert", path("alone.dat"), path("x.sbs")}, 1, "give one with --letter", false},
        {"render: unknown image type", {"render", tamsin, path("map.gif")}, 1, ".png .bmp .svg .ops", true},
        {"render: printing option", {"render", tamsin, path("m.png"), "--colour"}, 1, "--colour", true},
        {"render: unknown mode", {"render", tamsin, path("p.pdf"), "--print", "poster"}, 1, "--print", false},
        {"render: page as image", {"render", tamsin, path("p.png"), "--print", "full"}, 1, ".pdf or .ops", false},
        {"grid, print", {"render", tamsin, ops, "--print", "full", "--sector-grid"}, 1, "--sector-grid", false},
        {"generate: density", {"generate", path("x.sbs"), "--density", "7"}, 1, "4 16 33 50 66", false},
        {"generate: seed", {"generate", path("x.sbs"), "--seed", "-1"}, 1, "--seed", false},
        {"generate: odd aliens", {"generate", path("x.sbs"), "--odd-aliens", "7"}, 1, "0 5 10 15 20 25", true},
        {"generate: not sbs", {"generate", path("x.png")}, 1, "extension, one of .sbs .tab .tsv .txt .sec\n", true},
        {"generate: allegiance", {"generate", path("x.sbs"), "--allegiance", "Qq"}, 1, "Na Hv, not \"Qq\"", true},
        {"generate: tech cap", {"generate", path("x.sbs"), "--tech-cap", "19"}, 1, "0 to 18, not \"19\"", true},
        {"generate: chance", {"generate", path("x.sbs"), "--chance", "Zz=5"}, 1, "Pr Ex Mr and N a whole", true},
        {"generate: chance 100", {"generate", path("x.sbs"), "--chance", "An=100"}, 1, "0 to 99, not", true},
        {"batch: long stub", {"batch", in, "--stub", "SEVENSS"}, 1, "6 Characters or less please!", false},
        {"batch: no stub", {"batch", in}, 1, "--stub is required", false},
        {"index: bad type", {"index", in, "--type", "txt"}, 1, "--type takes sbs, arp or dat", false},
        {"batch: missing folder", {"batch", path("none"), "--stub", "K"}, 2, "No such file or directory", false},
        {"index: a file", {"index", path("alone.dat")}, 2, "Not a directory", false},
        {"render: dpi nan", {"render", tamsin, path("m.png"), "--dpi", "nan"}, 1, "--dpi", true},
        {"render: dpi below 24", {"render", tamsin, path("m.png"), "--dpi", "23.9"}, 1, "--dpi", true},
        {"render: dpi above 2400", {"render", tamsin, path("m.png"), "--dpi", "2400.1"}, 1, "--dpi", true},
        {"edit: no file", {"edit"}, 1, "FILE is required", true},
        {"trade: least BTN", {"trade", in, "--min-btn", "100"}, 1, "--min-btn", true},
        {"sector-map: dpi below 24", {"sector-map", in, path("s.png"), "--dpi", "23.9"}, 1, "--dpi", true},
        {"descriptions: unwritable", {"descriptions", path("no/dir/d.txt")}, 2, "Cannot write", false},
        {"sector-map: jump", {"sector-map", in, pdf, "--jump", "7"}, 1, "--jump", true},
        {"trade: no jump", {"trade", in, "--jump", "0"}, 1, "--jump", true},
        {"trade: reuse 0", {"trade", in, "--reuse", "0"}, 1, "--reuse", true},
        {"sector-map: tile", {"sector-map", in, pdf, "--tile", "A2"}, 1, "--tile", true},
        {"sector-map: paper", {"sector-map", in, pdf, "--paper", "B4"}, 1, "--paper", true},
        {"tile, paper", {"sector-map", in, pdf, "--tile", "A4", "--paper", "A3"}, 1, "--paper excludes --tile", true},
        {"sector-map: tiled image", {"sector-map", in, path("x.png"), "--tile", "A4"}, 1, "end in .pdf", true},
        {"sector-map: no sector", {"sector-map", path("none"), path("x.png")}, 2, "is no sector", false},
        {"join: missing input", {"join", path("x.tab"), path("none.sbs")}, 2, "No such file or directory", false},
        {"grid, jump", {"render", tamsin, ops, "--jump", "2", "--sector-grid"}, 1, "grid excludes --jump", true},
        {"print, routes", {"render", tamsin, ops, "--print", "full", "--routes", ops}, 1, "excludes --routes", true},
        {"describe: empty hex", {"describe", ostrel, "0201"}, 1, "holds no world", false},
        {"describe: empty hex 0203", {"describe", ostrel, "0203"}, 1, "holds no world", false},
        {"describe: row 11", {"describe", ostrel, "0111"}, 1, "not a hex", false},
        {"describe: column 9", {"describe", ostrel, "0901"}, 1, "not a hex", false},
        {"describe: column 0", {"describe", ostrel, "0001"}, 1, "not a hex", false},
        {"describe: row 0", {"describe", ostrel, "0200"}, 1, "not a hex", false},      // not 0110
        {"describe: no digits", {"describe", ostrel, "/;01"}, 1, "not a hex", false},  // as if 0101 by the codes
        {"describe: five digits", {"describe", ostrel, "01011"}, 1, "not a hex", false},
        {"describe: missing input", {"describe", path("none.sbs"), "0101"}, 2, "No such file or directory", false},
        {"join: format", {"join", path("x.tab"), tamsin, "--sector-format", "wide"}, 1, "--sector-format", true},
        {"borders: no folder", {"borders"}, 1, "IN is required", true},
        {"join: no letter", {"join", path("x.tab"), path("noletter.sbs")}, 1, "has no subsector letter", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const CliRun r = run(c.arguments);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.errContains), std::string::npos) << r.err;
        EXPECT_EQ(r.err.rfind("qelvar-cli: ", 0), 0u) << r.err;
        if (c.usage) {
            EXPECT_NE(r.err.find("Usage: qelvar-cli"), std::string::npos) << r.err;
        }
        EXPECT_EQ(r.out, "");
        for (const char* out : {"x.sbs", "x.png", "x.pdf"}) EXPECT_FALSE(std::filesystem::exists(path(out)));
    }
}

TEST_F(CliTest, HelpAndVersionOnStdout) {
    const struct {
        std::vector<std::string> arguments;
        const char* outContains;
    } cases[] = {
        {{"--help"}, "Subcommands:"},
        {{"--version"}, "qelvar-cli 1.0.0"},
        {{"list", "--help"}, "of a galactic DAT file, taken before DATA.MNU"},
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
        const QByteArray data = QByteArray::fromStdString(bytes(path(name)));
        if (data.startsWith("<?xml")) {
            EXPECT_GE(data.count("</text>"), 81);  // the title and the 80 hex numbers at least
            EXPECT_TRUE(data.contains("<svg width=\"103.981mm\" height=\"144.198mm\""));  // 393 x 545 at 96 dpi
        } else if (std::string_view(name) == "map.ops") {
            EXPECT_GE(data.count("\ntext\t"), 81);
        } else {
            const QImage image = QImage::fromData(data);
            EXPECT_EQ(image.size(), QSize(393, 545));
            QImage blank(image.size(), image.format());
            blank.fill(image.pixel(0, 0));
            EXPECT_NE(image, blank);
        }
    }
    ASSERT_EQ(run({"render", sample("ostrel.sbs"), path("grid.ops"), "--sector-grid"}).status, 0);
    qelvar::RecordingSurface grid;
    qelvar::prepareMapSurface(grid);
    qelvar::drawSectorGrid(grid);
    EXPECT_EQ(bytes(path("grid.ops")), grid.text());
    ASSERT_EQ(run({"render", sample("ostrel.sbs"), path("big.png"), "--dpi", "192"}).status, 0);
    EXPECT_EQ(QImage(QString::fromStdString(path("big.png"))).size(), QSize(786, 1090));
}

TEST_F(CliTest, LineMessagesGoToStderrOnceAndTheJobGoesOn) {
    write("odd.sbs", "Odd\r\n" + kSbsHead + "x\r\nStray               0911  A788899C\r\n");
    const CliRun r = run({"convert", path("odd.sbs"), path("out.sbs")});
    EXPECT_EQ(r.status, 0);
    // The letter is said to be unknown once per command, though it is met on reading and on writing.
    EXPECT_EQ(r.err, "qelvar-cli: DUFF SS LETTER\nqelvar-cli: FAILED  0 911 Stray               \n");
    EXPECT_TRUE(std::filesystem::exists(path("out.sbs")));
    // Lines skipped in a sector file are told in one message, each on a line of its own.
    write("two.tab",
          "Sector\tSS\tHex\tName\tUWP\tBases\tRemarks\tZone\tPBG\tAllegiance\tStars\r\n"
          "K\tA\t0101\tOne\tX000000-1\t\t\t\t013\tNaHu\tD\r\nK\tA\t0102\r\nK\tA\t0103\r\n");
    EXPECT_EQ(run({"list", path("two.tab"), "--letter", "a"}).err,
              "qelvar-cli: 2 problems:\nline 3: 3 fields where the header has 11\nline 4: 3 fields where the header "
              "has 11\n");
}

TEST_F(CliTest, TerminalTextIsUtf8AndControlBytesAreBlanks) {
    const auto world = [](std::string name, const char* location) {
        return name.append(20 - name.size(), ' ') + location + "  A788899C\r\n";
    };
    write("wild.sbs", "M\xe9lisande \x93Reach\x94\r\n" + kSbsHead + "A\r\n" + world("Esc\x1b]0;pwned\x07\xff", "0101") +
                          world("Bell\x07", "0911"));
    const CliRun r = run({"list", path("wild.sbs")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("M\xc3\xa9lisande \xe2\x80\x9cReach\xe2\x80\x9d/Sector (A)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Esc ]0;pwned \xc3\xbf"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
    EXPECT_EQ(r.err, "qelvar-cli: FAILED  0 911 Bell" + std::string(16, ' ') + "\n");
    // The file itself keeps its bytes.
    ASSERT_EQ(run({"convert", path("wild.sbs"), path("copy.sbs")}).status, 0);
    EXPECT_NE(bytes(path("copy.sbs")).find("Esc\x1b]0;pwned\x07\xff"), std::string::npos);
}

TEST_F(CliTest, AFailedWriteToStdoutIsAnError) {
    const CliRun r = run({"list", sample("tamsin.sbs")}, "/dev/full");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err, "qelvar-cli: Cannot write to standard output: No space left on device\n");
}

TEST_F(CliTest, TheDataCommandsLoadNoQt) {
    // Linked statically, or at least without Qt among its shared libraries.
    const CliRun r = spawn("ldd", {QELVAR_CLI}, path("ldd.txt"), path("ldd-err.txt"));
    EXPECT_TRUE(r.status == 0 || (r.out + r.err).find("not a dynamic executable") != std::string::npos) << r.err;
    EXPECT_EQ(r.out.find("libQt"), std::string::npos) << r.out;
}

TEST_F(CliTest, GenerateWithASeedWritesTheSameBytesEveryTime) {
    for (const char* name : {"a.sbs", "b.SBS"}) {
        ASSERT_EQ(run({"generate", path(name), "--letter", "c", "--chance", "Mr=30", "--subsector-name", "V\xc3\xa9s",
                       "--sector-name", "Reach", "--seed", "12345", "--tech-cap", "18"})
                      .status,
                  0);
    }
    EXPECT_EQ(bytes(path("a.sbs")), bytes(path("b.SBS")));
    // Into a sector file: its subsector of the letter becomes the generated one, its other lines stay.
    const std::string kept = tabSector({tabWorld("0101", "Keep")});
    write("s.tab", tabSector({tabWorld("0101", "Keep"), tabWorld("1704", "Gone")}));
    ASSERT_EQ(run({"generate", path("s.tab"), "--letter", "C", "--seed", "12345"}).status, 0);
    const std::string sector = bytes(path("s.tab"));
    EXPECT_TRUE(sector.starts_with(kept) && sector.find("Gone") == std::string::npos) << sector;
    EXPECT_GT(sector.size(), kept.size() + 20 * 40);
    EXPECT_EQ(sector.substr(kept.size(), 7), "Kest\tC\t") << sector;  // the sector's own abbreviation
    ASSERT_EQ(run({"generate", path("an.sbs"), "--chance", "An=99", "--seed", "12345"}).status, 0);
    const auto count = [](const std::string& text) {  // worlds with the feature's remark
        return QByteArray::fromStdString(text).count(" An");
    };
    EXPECT_GT(count(bytes(path("an.sbs"))), 20);
    ASSERT_EQ(run({"generate", path("cap.sbs"), "--tech-cap", "3", "--depopulate", "--seed", "12345"}).status, 0);
    const auto uninhabited = [](const std::string& text) {
        const auto lines = qelvar::splitLines(text);
        return std::count_if(lines.begin(), lines.end(), [](std::string_view l) { return l.starts_with("(Uninh"); });
    };
    EXPECT_GT(uninhabited(bytes(path("cap.sbs"))), 20);  // most worlds are over a cap of 3
    EXPECT_EQ(uninhabited(bytes(path("a.sbs"))), 0);
    ASSERT_EQ(run({"generate", path("zh.sbs"), "--allegiance", "Zh", "--odd-aliens", "0", "--seed", "1"}).status, 0);
    const std::string zh = bytes(path("zh.sbs"));
    for (const std::string_view line : qelvar::splitLines(zh) | std::views::drop(3))
        EXPECT_EQ(line.substr(45, 3), "Zh ");
    EXPECT_LT(count(bytes(path("a.sbs"))), 3);
    EXPECT_EQ(bytes(path("a.sbs")).rfind("V\xe9s\r\nReach\r\n", 0), 0u);  // names in the files' code page
    const CliRun listed = run({"list", path("a.sbs")});                   // reads back without a complaint
    EXPECT_EQ(listed.status, 0);
    EXPECT_EQ(listed.err, "");
    EXPECT_NE(listed.out.find("V\xc3\xa9s/Reach (C)"), std::string::npos) << listed.out;
}

TEST_F(CliTest, ConvertGalacticFilesTakesTheLetterFromTheIndexOrTheOption) {
    const std::string kestranc = sample("galactic/kestranc.dat");
    ASSERT_EQ(run({"convert", kestranc, path("c.sbs")}).status, 0);
    EXPECT_EQ(qelvar::splitLines(bytes(path("c.sbs"))).at(2).substr(78), "C");
    ASSERT_EQ(run({"convert", kestranc, path("d.sbs"), "--letter", "d"}).status, 0);
    EXPECT_EQ(qelvar::splitLines(bytes(path("d.sbs"))).at(2).substr(78), "D");
    std::filesystem::copy_file(kestranc, path("alone.dat"));  // no DATA.MNU beside it
    EXPECT_EQ(run({"render", path("alone.dat"), path("m.ops")}).status, 1);
    EXPECT_EQ(run({"render", path("alone.dat"), path("m.ops"), "--letter", "c"}).status, 0);
}

TEST_F(CliTest, IndexAndBatch) {
    const CliRun index = run({"index", std::string(QELVAR_SAMPLES), "--type", "sbs"});
    ASSERT_EQ(index.status, 0) << index.err;
    EXPECT_EQ(index.out, "Subsector index:\n\nA Ostrel Drift\nP Tamsin Gate\nC Varnholt\n");
    std::filesystem::create_directory(path("in"));
    for (const char* name : {"ostrel.sbs", "tamsin.sbs"}) std::filesystem::copy_file(sample(name), path("in/") + name);
    const CliRun batch = run({"batch", path("in"), "--stub", "KR", "--type", "SBS"});
    ASSERT_EQ(batch.status, 0) << batch.err;
    EXPECT_EQ(batch.err, "");  // no progress line when stderr is not a terminal
    EXPECT_EQ(batch.out, path("in/KR-A.SBS") + "\n" + path("in/KR-P.SBS") + "\n");
    EXPECT_EQ(bytes(path("in/KR-P.SBS")), bytes(sample("tamsin.sbs")));
}

// A world at every hex.
qelvar::SubsectorStore fullSubsector() {
    qelvar::SubsectorStore store;
    for (int i = 1; i <= qelvar::kHexCount; ++i) store.worlds[i] = qelvar::testing::sampleWorld(store.hexCodeValue(i));
    store.subsectorLetter = "A";
    return store;
}

TEST_F(CliTest, BatchKilledAtAnyMomentLeavesEveryOutputWholeOrAsItWas) {
    std::filesystem::create_directory(path("in"));
    qelvar::SubsectorStore store = fullSubsector();
    for (char letter = 'A'; letter <= 'P'; ++letter) {
        store.subsectorLetter = std::string(1, letter);
        write(std::string("in/in") + letter + ".arp", qelvar::formatArp(store).value);
    }
    const std::vector<std::string> batch = {"batch", path("in"), "--stub", "K"};
    ASSERT_EQ(run(batch).status, 0);
    const auto output = [&](char letter) { return std::string("in/K-") + letter + ".SBS"; };
    std::map<char, std::string> expected;
    for (char letter = 'A'; letter <= 'P'; ++letter) expected[letter] = bytes(path(output(letter)));
    std::mt19937 delays(7);
    for (int round = 0; round < 8; ++round) {
        for (const auto& [letter, _] : expected) write(output(letter), "old");
        const pid_t pid = start(QELVAR_CLI, batch);
        ::usleep(delays() % 30000);
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        for (const auto& [letter, whole] : expected) {
            const std::string now = bytes(path(output(letter)));
            EXPECT_TRUE(now == "old" || now == whole) << output(letter) << " round " << round;
        }
    }
    ASSERT_EQ(run(batch).status, 0);  // removes what the killed runs left
    for (const auto& [letter, whole] : expected) EXPECT_EQ(bytes(path(output(letter))), whole);
    for (const auto& entry : std::filesystem::directory_iterator(path("in"))) {
        EXPECT_EQ(entry.path().filename().string().find(".qelvar-"), std::string::npos) << entry.path();
    }
}

TEST_F(CliTest, RenderPrintWritesThePrintedPages) {
    const std::string ostrel = sample("ostrel.sbs");
    ASSERT_EQ(run({"render", ostrel, path("page.ops"), "--print", "one-page", "--listing"}).status, 0);
    const std::string ops = bytes(path("page.ops"));
    // One job: the map, the listing after it, ended once at the end.
    EXPECT_EQ(ops.find("cls"), std::string::npos);
    EXPECT_NE(ops.find("box\t15.000\t10.000\t100.000\t128.000\t#000000\tsolid\t10\n"), std::string::npos);
    EXPECT_LT(ops.find("box\t"), ops.find("\tSystem Name\n"));
    EXPECT_EQ(ops.find("enddoc"), ops.size() - 7);
    write("full.arp", qelvar::formatArp(fullSubsector()).value);  // 80 lines of listing turn the page
    ASSERT_EQ(run({"render", path("full.arp"), path("full.ops"), "--print", "landscape", "--listing"}).status, 0);
    EXPECT_NE(bytes(path("full.ops")).find("newpage\n"), std::string::npos);

    if (!qelvar::testing::havePdfTools()) GTEST_SKIP() << "poppler-utils not installed";
    // In full mode the map's job comes first, then the listing's.
    ASSERT_EQ(run({"render", ostrel, path("page.pdf"), "--print", "full", "--colour", "--listing"}).status, 0);
    EXPECT_EQ(qelvar::testing::pdfPages(path("page.pdf")), 2);
    const std::string text = qelvar::testing::pdfText(path("page.pdf"));
    EXPECT_NE(text.find("Ostrel Drift/Kestrane Reach (A)"), std::string::npos);
    EXPECT_NE(text.find("Highest population is"), std::string::npos);
}

// The sample sector as sixteen SBS files in a folder of their own.
class SectorMapCliTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        std::filesystem::create_directory(path("sector"));
        qelvar::SubsectorStore store;
        for (int index = 0; index < qelvar::kSubsectorCount; ++index) {
            qelvar::sectorToStore(sector, index, store);
            write("sector/" + std::string(1, static_cast<char>('a' + index)) + ".sbs", qelvar::formatSbs(store).value);
        }
    }
    const qelvar::Sector sector = qelvar::testing::sampleSector();
};

TEST_F(SectorMapCliTest, WritesEachFormatOfTheWholeSector) {
    ASSERT_EQ(run({"sector-map", path("sector"), path("map.ops"), "--jump", "2"}).status, 0);
    qelvar::RecordingSurface surface;
    qelvar::prepareMapSurface(surface);
    qelvar::SectorMapOptions options;
    options.jump = 2;
    qelvar::drawSectorMap(qelvar::loadSectorFolder(path("sector"))->value, surface, options);
    EXPECT_EQ(bytes(path("map.ops")), surface.text());

    ASSERT_EQ(run({"sector-map", path("sector"), path("map.png"), "--dpi", "24"}).status, 0);
    EXPECT_EQ(QImage(QString::fromStdString(path("map.png"))).size(), QSize(1456, 2051) / 4);
    ASSERT_EQ(run({"sector-map", sample("harrowgate.tab"), path("file.ops")}).status, 0);
    EXPECT_NE(bytes(path("file.ops")).find("\tHarrowgate Expanse\n"), std::string::npos);
    ASSERT_EQ(run({"sector-map", path("sector"), path("map.svg")}).status, 0);
    EXPECT_GE(QByteArray::fromStdString(bytes(path("map.svg"))).count("</text>"), 1280 + 500);
}

TEST_F(SectorMapCliTest, RoutesComeFromTheSectorsOwnFileOrTheOption) {
    write("sector/sector.xml",
          "<Sector><Routes><Route Start=\"0101\" End=\"0103\" Style=\"Dashed\"/></Routes></Sector>");
    write("other.xml", "<Routes><Route Start=\"0101\" End=\"0303\" Style=\"Dotted\"/></Routes>");
    write("broken.xml", "<Routes><Route");
    ASSERT_EQ(run({"sector-map", path("sector"), path("own.ops")}).status, 0);
    EXPECT_NE(bytes(path("own.ops")).find("\tdash\t1\n"), std::string::npos);
    ASSERT_EQ(run({"sector-map", path("sector"), path("other.ops"), "--routes", path("other.xml")}).status, 0);
    EXPECT_EQ(bytes(path("other.ops")).find("\tdash\t1\n"), std::string::npos);
    EXPECT_NE(bytes(path("other.ops")).find("\tdot\t1\n"), std::string::npos);
    const CliRun broken = run({"sector-map", path("sector"), path("x.ops"), "--routes", path("broken.xml")});
    EXPECT_EQ(broken.status, 2);
    EXPECT_TRUE(broken.err.starts_with("qelvar-cli: Cannot read the routes of")) << broken.err;
    // The subsector map draws the routes between its own hexes when asked.
    ASSERT_EQ(run({"render", sample("ostrel.sbs"), path("sub.ops"), "--routes", path("other.xml")}).status, 0);
    EXPECT_NE(bytes(path("sub.ops")).find("\tdot\t1\n"), std::string::npos);
    EXPECT_EQ(run({"render", sample("ostrel.sbs"), path("sub.ops"), "--routes", path("broken.xml")}).status, 2);
    write("odd.xml", "<Routes><Route Start=\"0101\" End=\"0303\" Style=\"Wavy\"/></Routes>");
    EXPECT_EQ(run({"render", sample("ostrel.sbs"), path("sub.ops"), "--routes", path("odd.xml")}).err,
              "qelvar-cli: Route 1 (0101 to 0303) is left out: it cannot be read\n");
}

TEST_F(SectorMapCliTest, PdfPostersHaveThePagesTheTilingPromisesAndEveryName) {
    if (!qelvar::testing::havePdfTools()) GTEST_SKIP() << "poppler-utils not installed";
    struct Case {
        std::vector<std::string> arguments;
        int pages;
        const char* size;
    } const cases[] = {
        {{}, 1, "(A2)"},
        {{"--tile", "A4"}, 6, "(A4)"},
        {{"--tile", "A3"}, 4, "(A3)"},
        {{"--tile", "a3", "--landscape"}, 2, "1191 x 842"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pages);
        std::vector<std::string> arguments{"sector-map", path("sector"), path("poster.pdf")};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        ASSERT_EQ(run(arguments).status, 0);
        EXPECT_EQ(qelvar::testing::pdfPages(path("poster.pdf")), c.pages);
        EXPECT_NE(qelvar::testing::pdfInfo(path("poster.pdf"), "Page size:").find(c.size), std::string::npos);
        const std::string text = commandOutput("pdftotext '" + path("poster.pdf") + "' - 2>/dev/null");
        for (const qelvar::SectorWorld& w : sector.worlds) {
            ASSERT_NE(text.find(std::string(w.record.name.trimmed())), std::string::npos) << w.record.name.shown();
        }
        if (c.pages > 1) {
            EXPECT_NE(text.find("1/1 (row/column of"), std::string::npos);
            EXPECT_EQ(QByteArray::fromStdString(text).count("(row/column of"), c.pages);
        }
    }
}

TEST_F(CliTest, SectorSplitsAndJoinsBackByteForByte) {
    const std::string sector = path("harrowgate.tab");
    std::filesystem::copy_file(sample("harrowgate.tab"), sector);
    std::filesystem::copy_file(sample("harrowgate.xml"), path("harrowgate.xml"));
    const CliRun split = run({"split", sector, path("parts"), "--stub", "H"});
    EXPECT_EQ(split.status, 0) << split.err;
    EXPECT_NE(split.err.find("worlds lose their sector, four-letter allegiance, {Ix}, (Ex), [Cx], nobility and W in "
                             "SBS"),
              std::string::npos);
    EXPECT_EQ(std::count(split.out.begin(), split.out.end(), '\n'), 16);
    EXPECT_EQ(qelvar::splitLines(bytes(path("parts/H-C.SBS"))).at(0), "Calder");
    std::vector<std::string> join{"join", sector};
    for (const char letter : std::string("ABCDEFGHIJKLMNOP"))
        join.push_back(path("parts/H-" + std::string(1, letter) + ".SBS"));
    EXPECT_EQ(run(join).status, 0);
    EXPECT_EQ(bytes(sector), bytes(sample("harrowgate.tab")));
    EXPECT_EQ(bytes(path("harrowgate.xml")), bytes(sample("harrowgate.xml")));
    ASSERT_EQ(run({"split", sector, path("named")}).status, 0);  // the stub is the sector file's name
    EXPECT_TRUE(std::filesystem::exists(path("named/harrowgate-C.SBS")));
    write("noletter.sbs", "Sub\r\nSector\r\n\r\nAlda                0101  A788899C       213 Im G2 V\r\n");
    ASSERT_EQ(run({"join", path("new.tab"), path("noletter.sbs"), "--letter", "c"}).status, 0);  // the letter given
    EXPECT_NE(bytes(path("new.tab")).find("\tC\t1701\tAlda\t"), std::string::npos);

    // Two files for one subsector are refused.
    const CliRun clash = run({"join", sector, path("parts/H-B.SBS"), path("parts/H-B.SBS")});
    EXPECT_EQ(clash.status, 1);
    EXPECT_NE(clash.err.find("\"" + path("parts/H-B.SBS") + "\" and \"" + path("parts/H-B.SBS") +
                             "\" are both subsector B\n"),
              std::string::npos);
}

TEST_F(CliTest, ConvertToAndFromSectorFiles) {
    const CliRun unread = run({"split", path("none.tab"), path("parts")});
    EXPECT_EQ(unread.status, 2);
    EXPECT_FALSE(std::filesystem::exists(path("parts")));
    const CliRun noLetter = run({"convert", sample("harrowgate.tab"), path("x.sbs")});
    EXPECT_EQ(noLetter.status, 1);
    EXPECT_NE(noLetter.err.find("--letter"), std::string::npos);
    ASSERT_EQ(run({"convert", sample("ostrel.sbs"), path("o.sec"), "--sector-format", "columns"}).status, 0);
    EXPECT_EQ(qelvar::splitLines(bytes(path("o.sec"))).at(2).substr(0, 26), "0101 Draven               ");
    const CliRun back = run({"convert", path("o.sec"), path("o.sbs"), "--letter", "a"});
    EXPECT_EQ(back.status, 0) << back.err;
    EXPECT_EQ(bytes(path("o.sbs")), bytes(sample("ostrel.sbs")));

    write("bad.tab",
          "Hex\tName\tUWP\tRemarks\tZone\tPBG\tAllegiance\tStars\tW\tRU\n0101\tA\tA788899-C\t\t\t\t\t\t\t\n");
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"convert", path("bad.tab"), path("x.tab")},
          {"join", path("bad.tab"), sample("ostrel.sbs")}}) {
        const CliRun missing = run(arguments);
        EXPECT_EQ(missing.status, 2);
        EXPECT_NE(missing.err.find("it has no Bases column"), std::string::npos) << missing.err;
    }
    write("lines.tab",
          "Hex\tName\tUWP\tBases\tRemarks\tZone\tPBG\tAllegiance\tStars\tW\n0101\tA\tA788899-C\n"
          "0102\tB\tA788899-C\t\t\t\t\t\t\t\n");
    const CliRun skipped = run({"convert", path("lines.tab"), path("y.tab")});
    EXPECT_EQ(skipped.status, 0);
    EXPECT_EQ(skipped.err, "qelvar-cli: line 2: 3 fields where the header has 10\n");
}

}  // namespace

// check: one finding a line, files in the order given; 3 for findings, 2 (winning) for a file not read.
TEST_F(CliTest, CheckReportsFindingsWithItsExitStatuses) {
    ASSERT_EQ(run({"generate", path("g.sbs"), "--density", "66", "--seed", "5"}).status, 0);
    EXPECT_EQ(run({"check", path("g.sbs")}).status, 0);  // generated with the common rules
    write("bad.sbs", "Sub\r\nSector\r\n" + std::string(78, ' ') + "A\r\n" +
                         "D\xe9j\xe0                0101  A7880100       213 Im O5 V\r\n"
                         "Again               0101  A788899C       213 Zz\r\n");
    const std::string bad = path("bad.sbs") + ":0101: ";
    const CliRun found = run({"check", path("bad.sbs"), path("missing.sbs"), path("g.sbs")});
    EXPECT_EQ(found.status, 2);
    EXPECT_EQ(found.out, bad + "allegiance-code: allegiance \"Zz\" is not a known allegiance\n" + bad +
                             "duplicate-hex: a further line for this hex: \"Again\" replaces \"D\xc3\xa9j\xc3\xa0\"\n");
    EXPECT_NE(found.err.find("qelvar-cli: DUPLICATE 0101 Again replaces D\xc3\xa9j\xc3\xa0\n"), std::string::npos);
    EXPECT_EQ(run({"check", path("g.sbs"), path("bad.sbs")}).status, 3);
    EXPECT_EQ(run({"check"}).status, 1);
    const auto json = nlohmann::json::parse(run({"check", path("bad.sbs"), "--json"}).out);
    EXPECT_EQ(json,
              nlohmann::json::parse(R"([{"file": ")" + path("bad.sbs") + R"(", "hex": "0101", "rule": "allegiance-code",
        "message": "allegiance \"Zz\" is not a known allegiance", "rules": "classic"}, {"file": ")" +
                                    path("bad.sbs") + R"(", "hex": "0101",
        "rule": "duplicate-hex", "message": "a further line for this hex: \"Again\" replaces \"Déjà\"",
        "rules": "classic"}])"));
    EXPECT_EQ(nlohmann::json::parse(run({"check", path("g.sbs"), "--json"}).out), nlohmann::json::array());
}

// The samples hold invented worlds: each subsector gives the same findings from each of its files (SBS, ARP
// with its trade codes, the galactic file). The sample sector was generated with the common rules.
TEST_F(CliTest, CheckEverySample) {
    for (const auto& group : {std::vector<const char*>{"ostrel.sbs", "ostrel.arp", "galactic/kestrana.dat"},
                              {"varnholt.sbs", "galactic/kestranc.dat"},
                              {"tamsin.sbs", "tamsin.arp", "galactic/kestranp.dat"}}) {
        std::string first;
        for (const char* name : group) {
            const CliRun r = run({"check", sample(name)});
            EXPECT_EQ(r.status, 3) << name << r.err;
            std::string findings;
            for (const std::string_view line : qelvar::splitLines(r.out)) findings += line.substr(sample(name).size());
            EXPECT_EQ(findings, first.empty() ? (first = findings) : first) << name;
        }
    }
    const CliRun sector = run({"check", sample("harrowgate.tab"), "--rules", "classic"});  // every subsector of it
    EXPECT_EQ(sector.status, 0) << sector.out;
}

// --rules: sector files get the modern rules unless told, subsector files the classic ones; a line a reader
// dropped is a finding, and a file without a world is not read.
TEST_F(CliTest, CheckTakesTheRuleSetAndReportsDroppedLines) {
    write("m.tab",
          "Sector\tSS\tHex\tName\tUWP\tBases\tRemarks\tZone\tPBG\tAllegiance\tStars\r\n"
          "K\tA\t0101\tOne\tX000000-1\t\tAs Di Va\t\t013\tNaHu\tD\r\n"
          "K\tA\t0102\tTwo\r\n");
    const std::string m = path("m.tab") + ":0000: unreadable-line: line 3: 4 fields where the header has 11\n";
    const CliRun modern = run({"check", path("m.tab")});
    EXPECT_EQ(modern.status, 3);
    EXPECT_EQ(modern.out, m);
    EXPECT_EQ(run({"check", path("m.tab"), "--rules", "modern"}).out, m);
    const CliRun classic = run({"check", path("m.tab"), "--rules", "classic"});
    EXPECT_NE(classic.out.find(":0101: population-zero: "), std::string::npos) << classic.out;
    EXPECT_NE(classic.out.find(":0101: star-form: "), std::string::npos) << classic.out;
    const auto json = nlohmann::json::parse(run({"check", path("m.tab"), "--json"}).out);
    EXPECT_EQ(json.at(0).at("rules"), "modern");
    EXPECT_EQ(run({"check", path("m.tab"), "--rules", "new"}).status, 1);
    write("none.tab", "Sector\tSS\tHex\tName\tUWP\tBases\tRemarks\tZone\tPBG\tAllegiance\tStars\r\n");
    EXPECT_EQ(run({"check", path("none.tab")}).status, 2);
    write("out.sbs", "Sub\r\nSector\r\n" + std::string(78, ' ') + "A\r\n" +
                         "Below               0811  A788899C       213 Im G2 V\r\n");
    const CliRun outside = run({"check", path("out.sbs")});
    EXPECT_EQ(outside.status, 2);  // nothing of it could be read
    EXPECT_EQ(outside.out, path("out.sbs") + ":0811: outside-subsector: \"Below\" lies outside subsector A\n");
    EXPECT_NE(outside.err.find("no world could be read"), std::string::npos) << outside.err;
    const CliRun sbsModern = run({"check", path("out.sbs"), "--rules", "modern", "--json"});
    EXPECT_EQ(nlohmann::json::parse(sbsModern.out).at(0).at("rules"), "modern");
}

// describe: one line a control, its line breaks written as \n; descriptions: the whole table.
TEST_F(CliTest, DescribeWritesOneLinePerControlAndDescriptionsTheTable) {
    // Ostrel Drift, subsector A: 0102 Osttalvorvor A3AA909C, PAG 510, stars A0 IV and M1 V.
    const CliRun r = run({"describe", sample("ostrel.sbs"), "0102"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    const auto out = qelvar::splitLines(r.out);
    ASSERT_EQ(out.size(), 29u);
    EXPECT_EQ(out[1], "Frame3d1\tStar system details: Osttalvorvor         0102");
    EXPECT_EQ(out[3], "Label2\tOsttalvorvor        ");  // trailing blanks kept
    EXPECT_NE(out[5].find("\\nSize:         3 3000 miles diameter\\n"), std::string::npos);
    EXPECT_EQ(out[13], "Label14\tA0 IV  Blue-white 8,000-9,900 degrees K\\nM1 V   Red 1,900-3600 degrees K\\n");
    EXPECT_EQ(out.back(), "Label3\tClick each field to modify values!");
    write("accent.sbs", "Sub\r\nSector\r\nheading\r\nCaf\xe9 Noir           0101  A788899C N G A 213 Im G2 V\r\n");
    const CliRun accent = run({"describe", path("accent.sbs"), "0101"});
    EXPECT_EQ(qelvar::splitLines(accent.out).at(3), "Label2\tCaf\xc3\xa9 Noir           ");
    EXPECT_EQ(accent.err, "qelvar-cli: DUFF SS LETTER\n");  // the file names no subsector
    EXPECT_EQ(qelvar::splitLines(run({"describe", sample("harrowgate.tab"), "0104", "--letter", "B"}).out).at(1),
              "Frame3d1\tStar system details: Torordor S\xc3\xa9g         0904");

    ASSERT_EQ(run({"descriptions", path("dump.txt")}).status, 0);
    EXPECT_EQ(bytes(path("dump.txt")), qelvar::descriptionTable().dumpText());
    const CliRun all = run({"descriptions"});  // the table's own test reads its lines
    EXPECT_EQ(all.status, 0);
    EXPECT_EQ(qelvar::splitLines(all.out).size(), 350u);
}

TEST_F(CliTest, EditChangesOnlyTheLinesOfItsWorldsOrNothing) {
    const std::string sector = path("harrowgate.tab");
    const std::string original = bytes(sample("harrowgate.tab"));
    const auto fresh = [&] {
        std::filesystem::copy_file(sample("harrowgate.tab"), sector, std::filesystem::copy_options::overwrite_existing);
        std::filesystem::copy_file(sample("harrowgate.xml"), path("harrowgate.xml"),
                                   std::filesystem::copy_options::overwrite_existing);
    };
    const auto lineOf = [](const std::string& text, const std::string& hex) {
        const auto at = text.find("\t" + hex + "\t");
        return at == std::string::npos
                   ? std::string()
                   : text.substr(text.rfind('\n', at) + 1, text.find('\n', at) - text.rfind('\n', at));
    };
    fresh();
    const CliRun edited =
        run({"edit", sector, "--set", "0102", "uwp=A788899-C", "--move", "0102", "0103", "--set", "0103",
             "name=Ystrand", "--add", "0105", "\t\t\tNewhold\tC400000-0\t\tNi\t\t000\tIm\tM1 V"});
    EXPECT_EQ(edited.status, 0) << edited.err;
    EXPECT_EQ(edited.out,
              "Change UWP of Yraford (0102)\nMove Yraford (0102) to 0103\nChange name of Yraford (0103)\n"
              "Add world Newhold (0105)\n");
    std::string expected = original;
    const std::string old = lineOf(original, "0102");
    expected.replace(expected.find(old), old.size(),
                     "Harr\tA\t0103\tYstrand\tA788899-C\tS\tNi An\t\t234\tIm\tG1 D\t\t\t\t\t\t\r\n");
    const std::string after0104 = lineOf(expected, "0104");
    expected.insert(expected.find(after0104) + after0104.size(),
                    "Harr\tA\t0105\tNewhold\tC400000-0\t\tNi\t\t000\tIm\tM1 V\t\t\t\t\t\t\r\n");
    EXPECT_EQ(bytes(sector), expected);
    EXPECT_EQ(bytes(path("harrowgate.xml")), bytes(sample("harrowgate.xml")));

    // Any edit that cannot apply, or a usage error, writes nothing: exit 1. An unreadable file: exit 2.
    const std::pair<std::vector<std::string>, const char*> refusals[] = {
        {{"--set", "0101", "colour=red"}, "there is no field \"colour\""},
        {{"--move", "0101", "0104"}, "the hex 0104 already holds Haraholt (0104)"},
        {{"--add", "3341", "\tx"}, "the hex \"3341\" is not four digits inside the sector (0101 to 3240)"},
        {{"--set", "0101"}, "--set: 2 required HEX FIELD=VALUE missing"}};
    for (const auto& [arguments, message] : refusals) {
        fresh();
        std::vector<std::string> command{"edit", sector, "--delete", "0102"};
        command.insert(command.end(), arguments.begin(), arguments.end());
        const CliRun refused = run(command);
        EXPECT_EQ(refused.status, 1) << arguments[0];
        EXPECT_NE(refused.err.find(message), std::string::npos) << refused.err;
        EXPECT_EQ(bytes(sector), original) << arguments[0];
    }
    EXPECT_EQ(run({"edit", path("none.tab"), "--delete", "0101"}).status, 2);
}

// Five worlds down column 01 of the sector "Lane" (see the engine's trade tests): at jump 2, A (0101) and V
// (0105) trade over 0103, U (0102) with A directly and with V over 0103 once A's lane has grown lighter.
class TradeCliTest : public CliTest {
protected:
    void SetUp() override {
        CliTest::SetUp();
        std::filesystem::create_directory(path("space"));
        write("space/Lane.tab", qelvar::testing::tradeSectorTab({{"0101", "A555900-4"},
                                                                 {"0102", "A555700-4", "", "", "ZhCo"},
                                                                 {"0103", "A000000-0"},
                                                                 {"0104", "A000000-0", "", "", "ImDd", "{ 1 }"},
                                                                 {"0105", "A555900-4"}}));
        write("space/Lane.xml", "<Sector><X>0</X><Y>0</Y><Name>Lane</Name></Sector>");
    }
};

TEST_F(TradeCliTest, TradeWritesRoutesStatsAndALogTheMapsDraw) {
    const std::vector<std::string> arguments{"trade",       path("space"), "--jump",       "2",     "--routes-out",
                                             path("r.xml"), "--stats",     path("s.json"), "--log", path("log.jsonl")};
    const CliRun first = run(arguments);
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_TRUE(
        first.out.starts_with("Worlds: 5\nJump links: 7\nPairs routed: 3 of 3\n"
                              "Total trade: 1550000000 credits a year\nTime: "))
        << first.out;
    const std::string logBytes = bytes(path("log.jsonl"));
    const auto log = qelvar::splitLines(logBytes);
    ASSERT_EQ(log.size(), 3u);
    const auto line = nlohmann::json::parse(log[0]);
    EXPECT_EQ(line["from"], nlohmann::json({{"sector", "Lane"}, {"hex", "0101"}}));
    EXPECT_EQ(line["to"]["hex"], "0105");
    EXPECT_EQ(line["btn"], 18);
    EXPECT_EQ(line["path"], nlohmann::json({"Lane 0101", "Lane 0103", "Lane 0105"}));
    EXPECT_EQ(line["cost"], 100);
    EXPECT_EQ(nlohmann::json::parse(log[2])["path"], nlohmann::json({"Lane 0102", "Lane 0103", "Lane 0105"}));

    const auto stats = nlohmann::json::parse(bytes(path("s.json")));
    EXPECT_EQ(stats["worlds"][0]["trade"], 1500000000u);
    EXPECT_EQ(stats["worlds"][2]["through"], 1050000000u);
    ASSERT_EQ(stats["links"].size(), 4u);
    EXPECT_EQ(stats["worlds"][0]["wtn"], 10);
    const auto& link = stats["links"][0];  // 0101-0102, used once
    EXPECT_EQ(link["class"], "Intermediate");
    EXPECT_EQ(link["length"], 1);
    EXPECT_DOUBLE_EQ(link["weight"].get<double>(), 55 - 54 / 10.0);

    const auto routes = qelvar::readRoutesFile(path("r.xml"));
    ASSERT_TRUE(routes.ok());
    std::multiset<std::string> types;
    for (const qelvar::Route& route : routes->value) {
        types.insert(route.type);
        EXPECT_EQ(route.sector, "Lane");
    }
    EXPECT_EQ(types, (std::multiset<std::string>{"Main", "Main", "Intermediate", "Feeder"}));
    ASSERT_EQ(run({"sector-map", path("space/Lane.tab"), path("map.ops"), "--routes", path("r.xml")}).status, 0);
    EXPECT_NE(bytes(path("map.ops")).find("\t#2890f0\tsolid\t5\n"), std::string::npos);
    write("other.xml", "<Routes><Route Sector=\"Elsewhere\" Start=\"0101\" End=\"0105\" Width=\"7\"/></Routes>");
    ASSERT_EQ(run({"sector-map", path("space/Lane.tab"), path("other.ops"), "--routes", path("other.xml")}).status, 0);
    EXPECT_EQ(bytes(path("other.ops")).find("\tsolid\t7\n"), std::string::npos);
    ASSERT_EQ(run({"sector-map", path("space/Lane.tab"), path("own.ops"), "--trade"}).status, 0);
    EXPECT_NE(bytes(path("own.ops")).find("\t#2890f0\tsolid\t5\n"), std::string::npos);
    ASSERT_EQ(run({"atlas-map", path("space"), path("atlas.ops"), "--trade"}).status, 0);
    EXPECT_NE(bytes(path("atlas.ops")).find("\t#2890f0\tsolid\t5\n"), std::string::npos);
    ASSERT_EQ(run({"atlas-map", path("space"), path("plain.ops")}).status, 0);
    EXPECT_EQ(bytes(path("plain.ops")).find("\t#2890f0\t"), std::string::npos);

    const std::string log1 = bytes(path("log.jsonl"));
    const std::string stats1 = bytes(path("s.json"));
    const std::string routes1 = bytes(path("r.xml"));
    ASSERT_EQ(run(arguments).status, 0);
    EXPECT_EQ(bytes(path("log.jsonl")), log1);
    EXPECT_EQ(bytes(path("s.json")), stats1);
    EXPECT_EQ(bytes(path("r.xml")), routes1);
    EXPECT_EQ(run({"trade", path("nothing-here")}).status, 2);
    for (const char* option : {"--routes-out", "--stats", "--log"}) {  // an output that cannot be written ends it
        const CliRun failed = run({"trade", path("space"), option, path("no/dir/x")});
        EXPECT_EQ(failed.status, 2) << option;
        EXPECT_EQ(failed.out, "") << option;
    }

    // Links that hardly get lighter leave the last pair on its own cheaper way; a higher least BTN drops it.
    ASSERT_EQ(run({"trade", path("space"), "--jump", "2", "--reuse", "1000000", "--log", path("heavy.jsonl")}).status,
              0);
    const std::string heavy = bytes(path("heavy.jsonl"));
    EXPECT_EQ(nlohmann::json::parse(qelvar::splitLines(heavy).at(2))["path"],
              nlohmann::json({"Lane 0102", "Lane 0104", "Lane 0105"}));
    EXPECT_NE(run({"trade", path("space"), "--jump", "2", "--min-btn", "16"}).out.find("Pairs routed: 2 of 2\n"),
              std::string::npos);
    EXPECT_NE(run({"trade", path("space")}).out.find("Jump links: 10\n"), std::string::npos);  // jump 4
}

TEST_F(TradeCliTest, RoutePlansAJumpRouteOrSaysThereIsNone) {
    // Halfway down, 0103 has starport E, no water and no gas giant.
    write("Ports.tab", qelvar::testing::tradeSectorTab({{"0101", "A555900-4"},
                                                        {"0102", "B555900-4"},
                                                        {"0103", "E500900-4"},
                                                        {"0104", "B555900-4"},
                                                        {"0105", "A555900-4"}}));
    write("Ports.xml", "<Sector><Name>Ports</Name></Sector>");
    const CliRun ports = run({"route", path("Ports.tab"), "Ports 0101", "w0105", "--refuel", "port"});
    EXPECT_EQ(ports.status, 0) << ports.err;
    EXPECT_EQ(ports.err, "qelvar-cli: Ports.tab has no X and Y in its metadata; it is placed at 0,0\n");
    EXPECT_EQ(ports.out,
              "Ports\t0101\tW0101\tA555900-4\nPorts\t0102\tW0102\tB555900-4\nPorts\t0104\tW0104\tB555900-4\n"
              "Ports\t0105\tW0105\tA555900-4\n");
    EXPECT_EQ(run({"route", path("Ports.tab"), "Ports 0101", "Ports 0105"}).out,
              "Ports\t0101\tW0101\tA555900-4\nPorts\t0103\tW0103\tE500900-4\nPorts\t0105\tW0105\tA555900-4\n");
    const CliRun none =
        run({"route", path("Ports.tab"), "Ports 0101", "Ports 0105", "--jump", "1", "--refuel", "port"});
    EXPECT_EQ(none.status, 3);
    EXPECT_EQ(none.out, "");
    EXPECT_EQ(none.err, ports.err + "qelvar-cli: No route at jump 1 from Ports 0101 to Ports 0105\n");
    EXPECT_EQ(run({"route", path("Ports.tab"), "Nowhere", "Ports 0105"}).status, 1);
}
