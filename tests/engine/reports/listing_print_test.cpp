// The listing on the printer, read back from the recording surface in character cells.
#include <gtest/gtest.h>

#include <sstream>

#include "store/subsector_store.h"
#include "map/map_printing.h"
#include "seams/recording_surface.h"
#include "reports/listing.h"
#include "support/sample_world.h"

namespace qelvar {
namespace {

struct TextOp {
    double x = 0, y = 0;
    std::string font;
    double size = 0;
    bool bold = false, underline = false;
    std::string text;
};

std::vector<TextOp> textOps(const std::string& ops, std::vector<std::string>* others = nullptr) {
    std::vector<TextOp> found;
    std::istringstream in(ops);
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with("text\t")) {
            if (others) others->push_back(line);
            continue;
        }
        std::vector<std::string> f;  // the text itself, last, may hold tabs
        std::istringstream fields(line);
        for (std::string field; f.size() < 8 && std::getline(fields, field, '\t');) f.push_back(field);
        f.emplace_back(std::istreambuf_iterator<char>(fields), std::istreambuf_iterator<char>());
        found.push_back({std::stod(f[1]), std::stod(f[2]), f[4], std::stod(f[5]), f[6] == "1", f[7] == "1", f[8]});
        if (others) others->push_back("text");
    }
    return found;
}

// The first text op with this text, or the first at or below the height `from`.
const TextOp* find(const std::vector<TextOp>& ops, std::string_view text, double from = -1) {
    for (const TextOp& op : ops) {
        if (op.text == text && op.y > from - 1e-9) return &op;
    }
    return nullptr;
}

SubsectorStore sampleStore(const char* letter) {
    SubsectorStore store;
    store.subsectorName = "Ostrel Drift";
    store.sectorName = "Kestrane Reach";
    store.subsectorLetter = letter;
    store.worlds[1] = testing::sampleWorld(101);
    store.worlds[85] = testing::sampleWorld(305);  // only a loaded file puts a world here; it is listed
    store.worlds[85].name = "Farside";
    store.refreshStatistics();
    return store;
}

TEST(ListingPrint, ColumnsAtTheirCellTimesTheFactorInBothLayouts) {
    // "c:heading=field": a heading and a world's field at column c, x = c × factor, in the layout's font size.
    const std::string columns =
        "0:System Name=Hollowmere|26:Locn=0901|31:S-DAHPGL-T=A-788899-C|42:B=N|44:Remarks=  Mining colony|"
        "70:Trade Codes=Ni Cp Po|86:Z=A|88:G=G|90:Price= 5200|96:Star 1=G2 V|103:Star 2=M1 D|110:Star 3=K5 III|"
        "117:PAG=213|121:Al=Vo|124:T-F=Tf|";
    for (const bool landscape : {false, true}) {
        SCOPED_TRACE(landscape ? "landscape" : "portrait");
        const double factor = landscape ? 0.5 : 0.75;
        const double size = landscape ? 6 : 9;
        const SubsectorStore store = sampleStore("B");
        RecordingSurface printer;
        EXPECT_TRUE(printListing(store, printer, landscape).empty());
        const auto ops = textOps(printer.text());
        const double line = size * 1.2 / 12;   // one text line in cells down
        const double top = landscape ? 1 : 0;  // landscape starts on the second line of the page

        const TextOp* title = find(ops, "Ostrel Drift/Kestrane Reach (B)");
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->font, "Times New Roman");
        EXPECT_DOUBLE_EQ(title->x, 0);
        EXPECT_NEAR(title->y, top + line, 1e-3);
        for (std::string_view rest = columns; !rest.empty(); rest.remove_prefix(rest.find('|') + 1)) {
            const std::string_view column = rest.substr(0, rest.find('|'));
            const std::size_t colon = column.find(':'), equals = column.find('=');
            const std::string_view name = column.substr(colon + 1, equals - colon - 1);
            SCOPED_TRACE(name);
            const TextOp* heading = find(ops, name);
            ASSERT_NE(heading, nullptr);
            const TextOp* field = find(ops, column.substr(equals + 1), top + 4 * line);
            ASSERT_NE(field, nullptr);
            for (const TextOp* op : {heading, field}) {
                EXPECT_NEAR(op->x, std::stoi(std::string(column)) * factor, 1e-3);
                EXPECT_NEAR(op->y, top + (op == heading ? 3 : 4) * line, 1e-3);
                EXPECT_EQ(op->bold && op->underline, op == heading);
                EXPECT_EQ(op->size, op == heading && name == "S-DAHPGL-T" ? size - 1 : size);
            }
        }
        ASSERT_NE(find(ops, "Farside"), nullptr);
        EXPECT_NE(find(ops, "1105"), nullptr);  // 305 + 800 for B

        // An empty line, then the statistics in size 10.
        const TextOp& first = ops[ops.size() - 2];
        const TextOp& second = ops.back();
        // Hollowmere is population 8 with multiplier 2; Farside, past slot 80, is not counted.
        EXPECT_EQ(first.text, "Subsector Ostrel Drift contains  1  systems with a total population of 200,000,000");
        EXPECT_EQ(second.text, "Highest population is 8 and best tech level is C");
        for (const TextOp* op : {&first, &second}) EXPECT_EQ(op->size, 10);
        EXPECT_NEAR(first.y, top + 7 * line, 1e-3);
        EXPECT_NEAR(second.y, first.y + 1, 1e-3);  // 10 points, 1.2 lines: one cell down
        EXPECT_TRUE(printer.text().ends_with("enddoc\n"));
    }
}

TEST(ListingPrint, EmptySubsectorAndTheBatchLeavingTheJobOpen) {
    SubsectorStore store;
    store.subsectorName = "Ostrel";
    store.sectorName = "Kestrane Reach";
    store.subsectorLetter = "Q";  // no world needs the offset: nothing to say
    store.refreshStatistics();
    RecordingSurface printer;
    EXPECT_TRUE(printListing(store, printer, false, true).empty());
    const auto ops = textOps(printer.text());
    ASSERT_EQ(ops.size(), 3u + 15u + 1u + 2u);  // title lines, headings, the empty line, the statistics
    EXPECT_EQ(ops[1].text, "Ostrel/Kestrane Reach (Q)");
    EXPECT_EQ(ops[18].text, "");
    EXPECT_EQ(ops[19].text, "Subsector Ostrel contains  0  systems with a total population of 0");
    EXPECT_EQ(printer.text().find("enddoc"), std::string::npos);
}

TEST(ListingPrint, AfterAOnePageMapTheListingStartsBelowIt) {
    SubsectorStore store = sampleStore("A");
    RecordingSurface printer;
    printMapAndListing(store, printer, {.scaleToOnePage = true, .landscape = false, .withListing = true});
    const std::string text = printer.text();
    const auto ops = textOps(text.substr(text.find("box\t")));
    // The frame ends at (100, 128) mm: the listing's first line is there, its title one line below.
    EXPECT_NEAR(ops[0].x, 100 / 25.4 * 12, 1e-3);
    EXPECT_NEAR(ops[0].y, 128 / 25.4 * 6, 1e-3);
    EXPECT_EQ(ops[1].text, "Ostrel Drift/Kestrane Reach (A)");
    EXPECT_NEAR(ops[1].y, 128 / 25.4 * 6 + 0.9, 1e-3);
}

TEST(ListingPrint, ALongListingGoesOnToANewPage) {
    SubsectorStore store;
    store.subsectorLetter = "A";
    for (int slot = 1; slot <= 80; ++slot)
        store.worlds[slot] = testing::sampleWorld(static_cast<std::int16_t>(101 + slot));
    store.refreshStatistics();
    RecordingSurface printer;
    printer.setPageHeight(50);  // 50 mm: thirteen lines of 0.9 cells (3.8 mm)
    printListing(store, printer, false);
    std::vector<std::string> kinds;
    const auto ops = textOps(printer.text(), &kinds);
    EXPECT_GE(std::count(kinds.begin(), kinds.end(), "newpage"), 5);
    for (const TextOp& op : ops) EXPECT_LE(op.y + op.size * 1.2 / 12, 50 / 25.4 * 6 + 1e-9) << op.text;
    // The line that turns the page is written at the top of the new one, in its column.
    const auto at = std::find(kinds.begin(), kinds.end(), "newpage");
    const std::size_t index = static_cast<std::size_t>(std::count(kinds.begin(), at, "text"));
    EXPECT_DOUBLE_EQ(ops[index].y, 0);
}

}  // namespace
}  // namespace qelvar
