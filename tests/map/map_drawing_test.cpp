#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include <unistd.h>

#include "core/subsector_store.h"
#include "core/text.h"
#include "map/map_drawing.h"
#include "map/ops_reader.h"
#include "platform/recording_surface.h"
#include "support/scripted_prompter.h"

namespace qelvar {
namespace {

using testing::Op;
using testing::opsOfKind;
using testing::readOps;
using testing::ScriptedPrompter;

constexpr double k = kScreenHexScale;

WorldRecord world(std::string_view uwp, std::string_view name = "Draven", std::string_view zone = " ",
                  std::string_view pag = "000", std::string_view gasGiant = " ") {
    WorldRecord w;
    w.name = name;
    w.uwp = uwp;
    w.base = "N";
    w.zone = zone;
    w.pag = pag;
    w.gasGiant = gasGiant;
    w.allegiance = "Ke";
    return w;
}

struct Drawing {
    SubsectorStore store;
    ScriptedPrompter prompter;
    RecordingSurface surface;
    std::vector<Op> ops;

    explicit Drawing(std::string letter = "A") {
        store.subsectorName = "  Ostrel Drift ";
        store.sectorName = "Kestrane Reach  ";
        store.subsectorLetter = std::move(letter);
        prepareMapSurface(surface);
    }
    void put(int column, int row, WorldRecord w) {
        w.location = static_cast<std::int16_t>(column * 100 + row);
        store.worlds[static_cast<std::size_t>((column - 1) * 10 + row)] = w;
    }
    void draw(bool sectorMode = false) {
        mnuredisplay_Click(store, surface, prompter, sectorMode);
        ops = readOps(surface.text());
    }
};

TEST(MapDrawing, EmptyStoreDrawsTitleNumbersOutlinesAndFrameOnly) {
    Drawing d;
    d.draw();
    ASSERT_FALSE(d.ops.empty());
    EXPECT_EQ(d.ops.front().kind, "cls");
    EXPECT_EQ(d.ops.front().fields[0], opsColour(kMapBackground));

    const auto texts = opsOfKind(d.ops, "text");
    ASSERT_EQ(texts.size(), 81u);
    EXPECT_TRUE(texts[0].at(0, 0));
    EXPECT_EQ(texts[0].fields[3], "Times New Roman");
    EXPECT_EQ(texts[0].fields[4], "10");
    EXPECT_EQ(texts[0].text(), "Ostrel Drift/Kestrane Reach (A)");
    for (int slot = 1; slot <= kHexCount; ++slot) {
        const Op& number = texts[static_cast<std::size_t>(slot)];
        const int column = (slot - 1) / 10 + 1;
        const int row = (slot - 1) % 10 + 1;
        SCOPED_TRACE(slot);
        EXPECT_EQ(number.text(), formatFourDigits(column * 100 + row));
        EXPECT_EQ(number.colour(), opsColour(colours::kSilver));
        const MapPoint a = hexAnchor(column, row, k);
        EXPECT_TRUE(number.at(a.x, a.y));
    }
    EXPECT_EQ(opsOfKind(d.ops, "line").size(), 480u);
    EXPECT_TRUE(opsOfKind(d.ops, "circle").empty());
    const auto boxes = opsOfKind(d.ops, "box");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].fields, (std::vector<std::string>{"1.000", "5.000", "100.000", "142.000", "#ffffff", "solid",
                                                          "1"}));
    EXPECT_EQ(d.ops.back().kind, "box");
    EXPECT_TRUE(d.prompter.messages().empty());
    EXPECT_EQ(d.prompter.busyDepth, 0);
}

TEST(MapDrawing, HexNumbersCarryTheLetterOffset) {
    struct Case {
        const char* letter;
        const char* first;
        const char* last;
        std::size_t messages;
    } const cases[] = {
        {"A", "0101", "0810", 0}, {"F", "0911", "1620", 0}, {"P", "2531", "3240", 0},
        {"D", "2501", "3210", 0}, {"Q", "0101", "0810", 1}, {"", "0101", "0810", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.letter);
        Drawing d(c.letter);
        d.put(1, 1, world("A7726789"));
        d.draw();
        const auto texts = opsOfKind(d.ops, "text");
        std::vector<std::string> numbers;
        for (const Op& t : texts) {
            if (t.text().size() == 4 && t.text().find_first_not_of("0123456789") == std::string::npos) {
                numbers.push_back(t.text());
            }
        }
        ASSERT_EQ(numbers.size(), 80u);
        EXPECT_EQ(numbers.front(), c.first);
        EXPECT_EQ(numbers.back(), c.last);
        // An unknown letter is reported once per drawing, not once per hex.
        EXPECT_EQ(d.prompter.messages().size(), c.messages);
        if (c.messages) {
            EXPECT_EQ(d.prompter.messages()[0], "DUFF SS LETTER");
        }
    }
}

struct Circle {
    double dx, dy, r;
    const char* colour;
    const char* fill;
    const char* style;
};

TEST(MapDrawing, WorldDiscBeltGasGiantAndZoneRing) {
    const Circle hollow{3.25, 6.5, 1.3, "#ffffff", "none", "solid"};
    const Circle blue{3.25, 6.5, 1.3, "#ffffff", "#0000ff", "solid"};
    const Circle gas{7.8, 3.9, 0.65, "#ffffff", "#00ff00", "solid"};
    const Circle redRing{3.25, 6.5, 5.2, "#ff0000", "none", "solid"};
    const Circle amberRing{3.25, 6.5, 5.2, "#ffff00", "none", "dashdot"};
    const std::vector<Circle> belt = {
        {2.08, 5.33, 0.13, "#ffffff", "#ffffff", "solid"}, {2.6, 7.28, 0.13, "#ffffff", "#ffffff", "solid"},
        {2.47, 6.89, 0.13, "#ffffff", "#ffffff", "solid"}, {4.55, 7.8, 0.195, "#ffffff", "#ffffff", "solid"},
        {1.95, 6.5, 0.13, "#ffffff", "#ffffff", "solid"},  {3.25, 6.5, 0.13, "#ffffff", "#ffffff", "solid"},
    };
    struct Case {
        const char* what;
        WorldRecord w;
        std::vector<Circle> circles;
    } const cases[] = {
        {"hydrographics 0 is hollow", world("A7706789"), {hollow}},
        {"hydrographics 1 is hollow", world("A7716789"), {hollow}},
        {"hydrographics 2 is blue", world("A7726789"), {blue}},
        {"hydrographics A is blue", world("A77A6789"), {blue}},
        {"odd hydrographics is hollow", world("A77?6789"), {hollow}},
        {"size 0 is a belt, wet or not", world("A0026789"), belt},
        {"odd size is a belt", world("A?A16789"), belt},
        {"pag 103 has a gas giant", world("A7716789", "Draven", " ", "103"), {hollow, gas}},
        {"pag 100 has none, whatever the flag", world("A7716789", "Draven", " ", "100", "G"), {hollow}},
        {"blank pag has none", world("A7716789", "Draven", " ", "   ", "G"), {hollow}},
        {"zone R is a red solid ring", world("A7726789", "Draven", "R"), {blue, redRing}},
        {"zone A is a yellow dash-dot ring", world("A7726789", "Draven", "A"), {blue, amberRing}},
        {"any other zone is yellow dash-dot", world("A7726789", "Draven", "x"), {blue, amberRing}},
        {"belt with gas giant and ring", world("A0006789", "Draven", "R", "013"), [&] {
             auto all = belt;
             all.push_back(gas);
             all.push_back(redRing);
             return all;
         }()},
    };
    for (const auto& [column, row] : {std::pair{3, 4}, std::pair{4, 5}}) {
        const MapPoint a = hexAnchor(column, row, k);
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.what << " in column " << column);
            Drawing d;
            d.put(column, row, c.w);
            d.draw();
            const auto circles = opsOfKind(d.ops, "circle");
            ASSERT_EQ(circles.size(), c.circles.size());
            for (std::size_t i = 0; i < circles.size(); ++i) {
                const Circle& e = c.circles[i];
                SCOPED_TRACE(i);
                EXPECT_NEAR(circles[i].number(0), a.x + e.dx, 1e-3);
                EXPECT_NEAR(circles[i].number(1), a.y + e.dy, 1e-3);
                EXPECT_NEAR(circles[i].number(2), e.r, 1e-3);
                EXPECT_EQ(circles[i].fields[3], e.colour);
                EXPECT_EQ(circles[i].fields[4], e.fill);
                EXPECT_EQ(circles[i].fields[5], e.style);
            }
        }
    }
}

TEST(MapDrawing, NamesAreShortenedAndPopulousOnesRedAndUnderlined) {
    struct Case {
        const char* name;
        char population;
        const char* shown;
        const char* colour;
        const char* underline;
    } const cases[] = {
        {"Eightchr", '8', "Eightchr", "#ffffff", "0"},   {"Ninechars", '8', "Ninecha.", "#ffffff", "0"},
        {"Ninechars", '9', "Ninecha.", "#ff0000", "1"},  {"Ost", 'A', "Ost", "#ff0000", "1"},
        {"Ost", '?', "Ost", "#ffffff", "0"},             {"Ost", '0', "Ost", "#ffffff", "0"},
        {"  Two Wds ", '5', "Two Wds", "#ffffff", "0"}, {"Twenty characters!!!", '5', "Twenty .", "#ffffff", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string uwp = "A7726789";
        uwp[4] = c.population;
        Drawing d;
        d.put(2, 3, world(uwp, c.name));
        d.draw();
        const MapPoint a = hexAnchor(2, 3, k);
        std::vector<Op> names;
        for (const Op& t : opsOfKind(d.ops, "text")) {
            if (t.at(a.x - 1.3, a.y + 9.1)) names.push_back(t);
        }
        ASSERT_EQ(names.size(), 1u);
        EXPECT_EQ(names[0].text(), c.shown);
        EXPECT_EQ(names[0].colour(), c.colour);
        EXPECT_EQ(names[0].fields[6], c.underline);
    }
}

TEST(MapDrawing, LettersAndNumberOfAWorldHex) {
    Drawing d;
    d.put(4, 5, world("C7726789"));
    d.draw();
    const MapPoint a = hexAnchor(4, 5, k);
    struct Expected {
        double dx, dy;
        const char* text;
    } const expected[] = {
        {0, 0, "0405"}, {-1.3, 9.1, "Draven"}, {2.6, 2.6, "C"}, {-1.3, 2.6, "N"}, {6.5, 5.2, "Ke"},
    };
    const auto texts = opsOfKind(d.ops, "text");
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.text);
        int found = 0;
        for (const Op& t : texts) {
            if (t.at(a.x + e.dx, a.y + e.dy)) {
                ++found;
                EXPECT_EQ(t.text(), e.text);
                EXPECT_EQ(t.colour(), "#ffffff");
                EXPECT_EQ(t.fields[3], "Small Fonts");
                EXPECT_EQ(t.fields[4], "7");
            }
        }
        EXPECT_EQ(found, 1);
    }
}

TEST(MapDrawing, LeavesTheDesignStateAndDetailIndexAt80) {
    Drawing d;
    d.put(1, 1, world("A0006A89", "Populous", "A", "013"));
    d.put(1, 2, world("A7726789", "Red", "R"));
    d.store.detailIndex = 3;
    d.draw();
    EXPECT_EQ(d.store.detailIndex, 80);
    const Surface& s = d.surface;
    EXPECT_EQ(s.foreColor(), kMapForeground);
    EXPECT_EQ(s.fillColor(), colours::kBlack);
    EXPECT_EQ(s.fillStyle(), FillStyle::Transparent);
    EXPECT_EQ(s.drawStyle(), LineStyle::Solid);
    EXPECT_EQ(s.font(), (FontSpec{"Small Fonts", 7, false, false}));
    // The numbers of the following empty hexes are silver again, the outlines white and solid.
    for (const Op& line : opsOfKind(d.ops, "line")) {
        ASSERT_EQ(line.fields[4], "#ffffff");
        ASSERT_EQ(line.fields[5], "solid");
    }
}

TEST(MapDrawing, OddFieldContentsStillDrawOneOperationPerLine) {
    Drawing d;
    d.store.subsectorName = std::string("Tab\there\r\nand\0nul", 17);
    unsigned char byte = 0;
    for (int slot = 1; slot <= kHexCount; ++slot) {
        WorldRecord& w = d.store.worlds[static_cast<std::size_t>(slot)];
        std::string junk;
        for (int i = 0; i < 20; ++i) junk.push_back(static_cast<char>(byte++));
        w.name = junk;
        w.uwp = junk.substr(3);
        w.base = junk.substr(5);
        w.zone = junk.substr(7);
        w.pag = junk.substr(9);
        w.allegiance = junk.substr(11);
        w.location = static_cast<std::int16_t>(slot % 3 ? slot * 37 : -5);  // any positive value is a world
    }
    d.draw();
    const std::set<std::string> kinds = {"cls", "line", "box", "circle", "text"};
    for (const Op& op : d.ops) {
        ASSERT_TRUE(kinds.count(op.kind)) << op.kind;
        if (op.kind == "text") {
            ASSERT_EQ(op.fields.size(), 8u);
        }
    }
    EXPECT_EQ(opsOfKind(d.ops, "line").size(), 480u);
    EXPECT_EQ(d.store.detailIndex, 80);
}

TEST(SectorGrid, ThreeHundredAndTwentyStarredHexesAndABeep) {
    Drawing d;
    d.put(1, 1, world("A7726789"));
    d.draw(true);
    EXPECT_EQ(d.ops.front().kind, "cls");
    EXPECT_EQ(d.prompter.beeps, 1);
    EXPECT_EQ(d.prompter.busyDepth, 0);
    EXPECT_TRUE(opsOfKind(d.ops, "circle").empty());
    const auto stars = opsOfKind(d.ops, "text");
    ASSERT_EQ(stars.size(), 320u);
    const auto lines = opsOfKind(d.ops, "line");
    ASSERT_EQ(lines.size(), 320u * 6u);
    std::set<std::pair<long, long>> anchors;
    for (std::size_t i = 0; i < 320; ++i) {
        const Op& first = lines[i * 6];
        anchors.insert({std::lround(first.number(0) * 1000), std::lround(first.number(1) * 1000)});
        EXPECT_EQ(stars[i].text(), "*");
        EXPECT_NEAR(stars[i].number(0), first.number(0) + 0.39, 1e-3);
        EXPECT_NEAR(stars[i].number(1), first.number(1) - 0.18, 1e-3);
    }
    EXPECT_EQ(anchors.size(), 320u);
    struct Hex {
        std::size_t index;
        double x, y;
    } const hexes[] = {
        {0, 6, 5}, {1, 8.7, 6.65}, {31, 89.7, 6.65}, {32, 6, 8}, {319, 89.7, 33.65},
    };
    for (const Hex& h : hexes) {
        SCOPED_TRACE(h.index);
        EXPECT_NEAR(lines[h.index * 6].number(0), h.x, 1e-3);
        EXPECT_NEAR(lines[h.index * 6].number(1), h.y, 1e-3);
        EXPECT_NEAR(lines[h.index * 6].number(2), h.x - 1.2, 1e-3);
        EXPECT_NEAR(lines[h.index * 6].number(3), h.y + 1.5, 1e-3);
    }
}

class ImageRecordingSurface : public RecordingSurface {
public:
    std::optional<std::string> imageAsBmp() override { return std::string("BM fake image"); }
};

TEST(Screenshot, WritesQelvarBmpOrSaysWhyNot) {
    const auto folder = std::filesystem::temp_directory_path() / ("qelvar-shot-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    ScriptedPrompter prompter;
    ImageRecordingSurface surface;
    ASSERT_TRUE(mnubmp_Click(surface, folder.string(), prompter));
    std::ifstream in(folder / "QELVAR.bmp", std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "BM fake image");
    EXPECT_EQ(prompter.messages(), std::vector<std::string>{"Saved in " + folder.string() + " as QELVAR.BMP"});

    ScriptedPrompter failing;
    const std::string missing = (folder / "no such folder").string();
    EXPECT_FALSE(mnubmp_Click(surface, missing, failing));
    ASSERT_EQ(failing.messages().size(), 1u);
    EXPECT_NE(failing.messages()[0].find(missing + "/QELVAR.bmp"), std::string::npos);
    EXPECT_NE(failing.messages()[0].find("No such file or directory"), std::string::npos);

    ScriptedPrompter noImage;
    RecordingSurface recording;
    EXPECT_FALSE(mnubmp_Click(recording, folder.string(), noImage));
    ASSERT_EQ(noImage.messages().size(), 1u);
    EXPECT_EQ(noImage.messages()[0].rfind("Saved in", 0), std::string::npos);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace qelvar
