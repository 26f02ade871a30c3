#include "map/map_printing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "store/subsector_store.h"
#include "seams/recording_surface.h"
#include "support/sample_world.h"
#include "support/scripted_prompter.h"

namespace qelvar {
namespace {

PrintOptions mode(bool onePage, bool landscape, bool listing = false, bool colour = false) {
    PrintOptions o;
    o.scaleToOnePage = onePage;
    o.landscape = landscape;
    o.withListing = listing;
    o.colour = colour;
    return o;
}

// The printed pages of a store in one mode, as .ops lines; hex 0101 (slot 1) may hold a world.
struct Printout {
    SubsectorStore store;
    testing::ScriptedPrompter prompter;
    std::vector<std::string> lines;

    explicit Printout(const WorldRecord* world0101 = nullptr) {
        store.subsectorName = "Ostrel Drift";
        store.sectorName = "Kestrane Reach";
        store.subsectorLetter = "A";
        if (world0101) store.worlds[1] = *world0101;
    }
    void print(const PrintOptions& options, bool inBatch = false) {
        RecordingSurface printer;
        printMap(store, printer, options, prompter, inBatch);
        std::istringstream in(printer.text());
        for (std::string line; std::getline(in, line);) lines.push_back(line);
    }
    std::vector<std::string> starting(std::string_view prefix) const {
        std::vector<std::string> found;
        std::copy_if(lines.begin(), lines.end(), std::back_inserter(found),
                     [&](const std::string& l) { return l.starts_with(prefix); });
        return found;
    }
};

TEST(MapPrinting, AnchorScaleFontTitleAndFramePerMode) {
    struct Case {
        const char* name;
        PrintOptions options;
        const char* firstOutline;  // hex 0101's first edge: anchor to anchor + (-4k, 5k)
        const char* number;        // hex 0101's number at (x0 + k, y0)
        const char* title;
        const char* frame;
    } const cases[] = {
        {"full size", mode(false, false), "line\t25.000\t20.000\t17.000\t30.000",
         "text\t27.000\t20.000\t#000000\tTimes New Roman\t8\t", "text\t17.000\t11.000\t",
         "box\t15.000\t10.000\t170.000\t235.000\t#000000\tsolid\t10"},
        {"one page", mode(true, false), "line\t25.000\t20.000\t21.000\t25.000",
         "text\t26.000\t20.000\t#000000\tTimes New Roman\t6\t", "text\t17.000\t11.000\t",
         "box\t15.000\t10.000\t100.000\t128.000\t#000000\tsolid\t10"},
        {"landscape", mode(false, true), "line\t155.000\t20.000\t149.000\t27.500",
         "text\t156.500\t20.000\t#000000\tTimes New Roman\t6\t", "text\t155.000\t11.000\t",
         "box\t145.000\t10.000\t280.000\t190.000\t#000000\tsolid\t10"},
        {"both", mode(true, true), "line\t155.000\t20.000\t149.000\t27.500",
         "text\t156.500\t20.000\t#000000\tTimes New Roman\t6\t", "text\t155.000\t11.000\t",
         "box\t145.000\t10.000\t280.000\t190.000\t#000000\tsolid\t10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Printout p;
        p.print(c.options);
        const auto lines = p.starting("line\t");
        ASSERT_EQ(lines.size(), 480u);
        EXPECT_TRUE(lines[0].starts_with(c.firstOutline)) << lines[0];
        // Every outline is drawn one dot wide; only the frame is wider.
        EXPECT_TRUE(std::all_of(lines.begin(), lines.end(), [](auto& l) { return l.ends_with("\tsolid\t1"); }));
        const auto texts = p.starting("text\t");
        ASSERT_EQ(texts.size(), 81u);
        EXPECT_EQ(texts[0], std::string(c.number) + "0\t0\t0101");
        // Empty hexes are numbered in black, never silver.
        EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](auto& t) { return t.find("#c0c0c0") != t.npos; }), 0);
        // The title, then right after it the frame.
        const auto title = std::find(p.lines.begin(), p.lines.end(), texts[80]);
        EXPECT_EQ(*title, std::string(c.title) + "#000000\tTimes New Roman\t10\t0\t0\tOstrel Drift/Kestrane Reach (A)");
        ASSERT_NE(title + 1, p.lines.end());
        EXPECT_EQ(title[1], c.frame);
        EXPECT_EQ(p.starting("box\t").size(), 1u);
        EXPECT_TRUE(p.starting("cls").empty());
    }
}

TEST(MapPrinting, ColourAndBlackFillsAndRings) {
    // Hex 0101 at full size: anchor (25, 20), centre (30, 30), k = 2.
    // The circles drawn, each "x y radius line fill style" and ';'.
    struct Case {
        const char *name, *uwp, *zone;
        bool colour;
        const char *circles, *nameColour;
    } const cases[] = {
        {"water world, amber zone, in colour", "A788899C", "A", true,
         "30.000 30.000 2.000 #000000 #0000ff solid;37.000 26.000 1.000 #000000 #00ff00 solid;"
         "30.000 30.000 8.000 #ffff00 none solid;",
         "#000000"},
        {"water world, amber zone, black", "A788899C", "A", false,
         "30.000 30.000 2.000 #000000 #000000 solid;37.000 26.000 1.000 #000000 #000000 solid;"
         "30.000 30.000 8.000 #000000 none dashdot;",
         "#000000"},
        {"dry populous world, red zone, in colour", "A7819A9C", "R", true,
         "30.000 30.000 2.000 #000000 none solid;37.000 26.000 1.000 #000000 #00ff00 solid;"
         "30.000 30.000 8.000 #ff0000 none solid;",
         "#ff0000"},
        {"belt, other zone, black", "A000000C", "X", false,
         "28.200 28.200 0.200 #000000 #ffffff solid;29.000 31.200 0.200 #000000 #ffffff solid;"
         "28.800 30.600 0.200 #000000 #ffffff solid;32.000 32.000 0.300 #000000 #ffffff solid;"
         "28.000 30.000 0.200 #000000 #ffffff solid;30.000 30.000 0.200 #000000 #ffffff solid;"
         "37.000 26.000 1.000 #000000 #000000 solid;30.000 30.000 8.000 #000000 none dashdot;",
         "#000000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WorldRecord w = testing::sampleWorld(101);
        w.uwp = c.uwp;
        w.zone = c.zone;
        Printout p(&w);
        p.print(mode(false, false, false, c.colour));
        std::string circles;
        for (std::string circle : p.starting("circle\t")) circles += circle.substr(7) + ";";
        std::replace(circles.begin(), circles.end(), '\t', ' ');
        EXPECT_EQ(circles, c.circles);
        const bool populous = std::string(c.uwp)[4] == '9';
        EXPECT_EQ(p.starting("text\t23.000\t34.000\t"),
                  std::vector<std::string>{"text\t23.000\t34.000\t" + std::string(c.nameColour) +
                                           "\tTimes New Roman\t8\t0\t" + (populous ? "1" : "0") + "\tHollowmere"});
        // After the hex everything is back to black and solid: the next hex number is black.
        EXPECT_EQ(p.starting("text\t27.000\t40.000\t")[0],
                  "text\t27.000\t40.000\t#000000\tTimes New Roman\t8\t0\t0\t0102");
    }
}

TEST(MapPrinting, NamesAreShortenedBeyondSixteenAtFullSizeAndEightOtherwise) {
    const struct {
        const char* name;
        PrintOptions options;
        const char* printed;
    } cases[] = {
        {"Abcdefghijklmnop", mode(false, false), "Abcdefghijklmnop"},
        {"Abcdefghijklmnopq", mode(false, false), "Abcdefg."},
        {"Abcdefgh", mode(true, true), "Abcdefgh"},
        {"Abcdefghi", mode(false, true), "Abcdefg."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WorldRecord w = testing::sampleWorld(101);
        w.name = c.name;
        Printout p(&w);
        p.print(c.options);
        const auto printed = [&](const std::string& t) { return t.ends_with(std::string("\t") + c.printed); };
        EXPECT_EQ(std::ranges::count_if(p.starting("text\t"), printed), 1);
    }
}

TEST(MapPrinting, JobEnds) {
    // Where "enddoc" comes: after the map's frame ("map"), after the listing ("listing").
    const struct {
        const char* name;
        PrintOptions options;
        bool inBatch;
        std::vector<std::string> ends;
    } cases[] = {
        {"full size, map only", mode(false, false), false, {"map"}},
        {"full size, with listing", mode(false, false, true), false, {"map", "listing"}},
        {"one page, map only", mode(true, false), false, {"map"}},
        {"one page, with listing", mode(true, false, true), false, {"listing"}},
        {"landscape, with listing", mode(false, true, true), false, {"listing"}},
        {"batch: one page, with listing", mode(true, false, true), true, {}},
        {"batch: full size, with listing", mode(false, false, true), true, {"map"}},
        {"batch: one page, map only", mode(true, false), true, {"map"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Printout p;
        p.store.worlds[5] = testing::sampleWorld(105);
        p.store.refreshStatistics();
        p.print(c.options, c.inBatch);
        std::vector<std::string> ends;
        bool listingSeen = false;
        for (const std::string& line : p.lines) {
            listingSeen = listingSeen || line.find("\tSystem Name") != std::string::npos;
            if (line == "enddoc") ends.push_back(listingSeen ? "listing" : "map");
        }
        EXPECT_EQ(ends, c.ends);
        EXPECT_EQ(listingSeen, c.options.withListing);
    }
}

TEST(MapPrinting, AnUnknownLetterIsToldOnceForTheMapAndOnceForTheListing) {
    Printout p;
    p.store.subsectorLetter = "Q";
    p.store.worlds[5] = testing::sampleWorld(105);
    p.print(mode(true, false, true));
    EXPECT_EQ(p.prompter.messages(), (std::vector<std::string>{"DUFF SS LETTER", "DUFF SS LETTER"}));
    EXPECT_TRUE(p.starting("text\t")[0].ends_with("\t0101"));
}

}  // namespace
}  // namespace qelvar
