#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "store/subsector_store.h"
#include "map/map_drawing.h"
#include "seams/recording_surface.h"
#include "support/scripted_prompter.h"

namespace qelvar {
namespace {

using testing::ScriptedPrompter;

// The drawing of a store on a recording surface, as its .ops lines.
struct Drawing {
    SubsectorStore store;
    ScriptedPrompter prompter;
    std::vector<std::string> lines;
    RecordingSurface surface;

    void draw(bool sectorMode = false) {
        prepareMapSurface(surface);
        redrawMap(store, surface, prompter, sectorMode);
        std::istringstream in(surface.text());
        for (std::string line; std::getline(in, line);) lines.push_back(line);
    }
    std::vector<std::string> starting(std::string_view prefix) const {
        std::vector<std::string> found;
        std::ranges::copy_if(lines, std::back_inserter(found),
                             [&](const std::string& l) { return l.starts_with(prefix); });
        return found;
    }
};

TEST(MapDrawing, EmptyStoreDrawsTitleNumbersOutlinesAndFrameWithTheLetterOffset) {
    struct Case {
        const char* letter;
        const char* first;
        const char* last;
        std::size_t messages;
    } const cases[] = {{"A", "0101", "0810", 0},
                       {"F", "0911", "1620", 0},
                       {"P", "2531", "3240", 0},
                       {"D", "2501", "3210", 0},
                       {"Q", "0101", "0810", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.letter);
        Drawing d;
        d.store.subsectorName = "  Ostrel Drift ";
        d.store.sectorName = "Kestrane Reach  ";
        d.store.subsectorLetter = c.letter;
        d.draw();
        EXPECT_EQ(d.lines.front(), "cls\t#182038");
        EXPECT_EQ(d.lines.back(), "box\t1.000\t5.000\t100.000\t142.000\t#ffffff\tsolid\t1");
        const auto texts = d.starting("text\t");
        ASSERT_EQ(texts.size(), 81u);
        EXPECT_EQ(texts[0], "text\t0.000\t0.000\t#ffffff\tTimes New Roman\t10\t0\t0\tOstrel Drift/Kestrane Reach (" +
                                std::string(c.letter) + ")");
        EXPECT_EQ(texts[1], "text\t6.000\t5.000\t#c0c0c0\tSmall Fonts\t7\t0\t0\t" + std::string(c.first));
        EXPECT_EQ(texts[80], "text\t87.900\t128.500\t#c0c0c0\tSmall Fonts\t7\t0\t0\t" + std::string(c.last));
        EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](auto& t) { return t.find("#c0c0c0") != t.npos; }), 80);
        EXPECT_EQ(d.starting("line\t").size(), 480u);
        EXPECT_EQ(d.starting("circle\t").size(), 0u);
        // An unknown letter is reported once per drawing, not once per hex.
        EXPECT_EQ(d.prompter.messages(), std::vector<std::string>(c.messages, "DUFF SS LETTER"));
    }
}

TEST(MapDrawing, WorldSymbolsAndName) {
    // Hex 0304 has its anchor at (29.4, 44) and its centre at (32.65, 50.5).
    const std::string hollow = "circle\t32.650\t50.500\t1.300\t#ffffff\tnone\tsolid";
    const std::string blue = "circle\t32.650\t50.500\t1.300\t#ffffff\t#0000ff\tsolid";
    const std::string gas = "circle\t37.200\t47.900\t0.650\t#ffffff\t#00ff00\tsolid";
    const std::string red = "circle\t32.650\t50.500\t5.200\t#ff0000\tnone\tsolid";
    const std::string amber = "circle\t32.650\t50.500\t5.200\t#ffff00\tnone\tdashdot";
    const std::string name = "text\t28.100\t53.100\t";
    const std::string white = name + "#ffffff\tSmall Fonts\t7\t0\t0\t";
    const std::string populous = name + "#ff0000\tSmall Fonts\t7\t0\t1\t";
    struct Case {
        const char *uwp, *name, *zone, *pag, *gasGiant;
        std::size_t circles;
        std::vector<std::string> expected;
    } const cases[] = {
        {"A7716789", "Draven", " ", "000", " ", 1, {hollow, white + "Draven"}},
        {"A7726789", "Draven", " ", "000", " ", 1, {blue}},
        {"A77A6789", "Draven", " ", "000", " ", 1, {blue}},
        {"A7716789", "Draven", " ", "103", " ", 2, {hollow, gas}},
        {"A7716789", "Draven", " ", "100", "G", 1, {hollow}},
        {"A7726789", "Draven", "R", "000", " ", 2, {blue, red}},
        {"A7726789", "Draven", "x", "000", " ", 2, {blue, amber}},
        {"A7728789", "Eightchr", " ", "000", " ", 1, {white + "Eightchr"}},
        {"A7728789", "Ninechars", " ", "000", " ", 1, {white + "Ninecha."}},
        {"A7729789", "Ninechars", " ", "000", " ", 1, {populous + "Ninecha."}},
        {"A772A789", "  Ost ", " ", "000", " ", 1, {populous + "Ost"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.uwp << " " << c.name << " zone '" << c.zone << "' pag " << c.pag);
        Drawing d;
        d.store.subsectorLetter = "A";
        WorldRecord& w = d.store.worlds[24];
        w.location = 304;
        w.uwp = c.uwp;
        w.name = c.name;
        w.zone = c.zone;
        w.pag = c.pag;
        w.gasGiant = c.gasGiant;
        d.draw();
        EXPECT_EQ(d.starting("circle\t").size(), c.circles);
        for (const std::string& line : c.expected)
            EXPECT_EQ(std::count(d.lines.begin(), d.lines.end(), line), 1) << line;
    }
}

// Every symbol of an occupied hex at its offset from the anchor; hex 0304 has its anchor at (29.4, 44).
TEST(MapDrawing, EachSymbolLandsAtItsOffsetFromTheAnchor) {
    const std::string font = "\tSmall Fonts\t7\t0\t0\t";
    const std::string belt = "\t#ffffff\t#ffffff\tsolid";
    const std::string disc = "circle\t32.650\t50.500\t1.300\t#ffffff\t#0000ff\tsolid";
    const std::vector<std::string> symbols = {
        "text\t29.400\t44.000\t#ffffff" + font + "1914",  // subsector G: 1610 added, in F as the hex is occupied
        "text\t32.000\t46.600\t#ffffff" + font + "C",     // starport: (2k, 2k)
        "text\t28.100\t46.600\t#ffffff" + font + "S",     // base: (-k, 2k)
        "text\t28.100\t53.100\t#ffffff" + font + "Draven",
        "text\t35.900\t49.200\t#ffffff" + font + "Vo",             // allegiance: (5k, 4k)
        "circle\t37.200\t47.900\t0.650\t#ffffff\t#00ff00\tsolid",  // gas giant: (6k, 3k)
    };
    const std::vector<std::string> beltDots = {
        "circle\t31.480\t49.330\t0.130" + belt, "circle\t32.000\t51.280\t0.130" + belt,
        "circle\t31.870\t50.890\t0.130" + belt, "circle\t33.950\t51.800\t0.195" + belt,
        "circle\t31.350\t50.500\t0.130" + belt, "circle\t32.650\t50.500\t0.130" + belt,
    };
    struct Case {
        const char* uwp;
        std::vector<std::string> circles;  // world symbols, in drawing order, before the gas giant's dot
    } const cases[] = {
        {"C7026789", {disc}},    // a vacuum world of size 7 is a disc
        {"C0726789", beltDots},  // size 0 is a belt whatever the atmosphere
        {"C?106789", beltDots},  // so is a size that is no digit; a dry belt's dots are filled too
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.uwp);
        Drawing d;
        d.store.subsectorLetter = "G";
        WorldRecord& w = d.store.worlds[24];
        w.location = 304;
        w.uwp = c.uwp;
        w.name = "Draven";
        w.base = "S";
        w.pag = "102";
        w.allegiance = "Vo";
        d.draw();
        for (const std::string& line : symbols) EXPECT_EQ(std::count(d.lines.begin(), d.lines.end(), line), 1) << line;
        std::vector<std::string> circles = c.circles;
        circles.push_back(symbols.back());
        EXPECT_EQ(d.starting("circle\t"), circles);
        EXPECT_EQ(d.surface.fillColour(), colours::kBlack);  // back to its design value
    }
}

TEST(MapDrawing, ADryWorldAfterAWetOneStaysHollow) {
    Drawing d;
    d.store.subsectorLetter = "A";
    const char* uwps[] = {"A7726789", "A7706789", "A7716789"};  // 0304 wet, 0305 and 0306 dry
    for (int i = 0; i < 3; ++i) {
        d.store.worlds[24 + i].location = static_cast<std::int16_t>(304 + i);
        d.store.worlds[24 + i].uwp = uwps[i];
    }
    d.store.worlds[80].location = 810;  // the last hex drawn is wet too: the frame is drawn hollow
    d.store.worlds[80].uwp = "A7726789";
    d.draw();
    EXPECT_EQ(d.surface.fillStyle(), FillStyle::Transparent);
    EXPECT_EQ(d.starting("circle\t"), (std::vector<std::string>{
                                          "circle\t32.650\t50.500\t1.300\t#ffffff\t#0000ff\tsolid",
                                          "circle\t32.650\t63.500\t1.300\t#ffffff\tnone\tsolid",
                                          "circle\t32.650\t76.500\t1.300\t#ffffff\tnone\tsolid",
                                          "circle\t91.150\t135.000\t1.300\t#ffffff\t#0000ff\tsolid",
                                      }));
}

TEST(MapDrawing, SectorGridHasThreeHundredAndTwentyStarredHexesAndABeep) {
    Drawing d;
    d.store.worlds[1].location = 101;
    d.store.worlds[1].uwp = "A7726789";
    d.draw(true);
    EXPECT_EQ(d.prompter.beeps, 1);
    const auto stars = d.starting("text\t");
    ASSERT_EQ(stars.size(), 320u);
    // Stars at (1.3k, -0.6k) from their anchors: hexes 9k apart, even columns 5.5k lower, rows 10k apart.
    const std::string font = "\t#ffffff\tSmall Fonts\t7\t0\t0\t*";
    for (const auto& [i, at] :
         {std::pair{0, "6.390\t4.820"}, {1, "9.090\t6.470"}, {31, "90.090\t6.470"}, {288, "6.390\t31.820"}})
        EXPECT_EQ(stars[static_cast<std::size_t>(i)], "text\t" + std::string(at) + font);
    // Each outline starts on its own anchor, (8.7, 6.65) for the second hex.
    EXPECT_EQ(d.starting("line\t")[6], "line\t8.700\t6.650\t7.500\t8.150\t#ffffff\tsolid\t1");
    EXPECT_EQ(d.starting("line\t").size(), 320u * 6u);
    EXPECT_EQ(d.starting("circle\t").size(), 0u);
}

TEST(MapDrawing, AScreenshotOfASurfaceWithoutAnImageIsRefused) {
    RecordingSurface surface;
    testing::ScriptedPrompter prompter;
    EXPECT_FALSE(saveMapScreenshot(surface, "/m", prompter));
    EXPECT_EQ(prompter.messages(),
              std::vector<std::string>{"Cannot write \"/m/QELVAR.bmp\": the map has no image to save"});
}

}  // namespace
}  // namespace qelvar
