#include "reports/listing.h"

#include <gtest/gtest.h>

#include "store/subsector_store.h"
#include "support/sample_world.h"

namespace qelvar {
namespace {

TEST(Listing, EmptySubsector) {
    SubsectorStore store;
    store.subsectorName = " Ostrel ";
    store.sectorName = "Kestrane Reach";
    store.subsectorLetter = "q";  // no world line needs the offset, so nothing is said
    store.refreshStatistics();
    const auto [lines, notices] = listingLines(store);
    const std::vector<std::string> expected = {"",
                                               "Ostrel/Kestrane Reach (q)",
                                               "",
                                               lines[3],
                                               "",
                                               "Subsector  Ostrel  contains  0  systems with a total population of 0",
                                               "Highest population is   and best tech level is  "};
    EXPECT_EQ(lines, expected);
    EXPECT_TRUE(notices.empty());
}

TEST(Listing, HeadingAndWorldColumns) {
    SubsectorStore store;
    store.subsectorName = "Ostrel";
    store.subsectorLetter = "B";
    store.worlds[1] = testing::sampleWorld(101);
    const WorldRecord& w = store.worlds[1];
    store.worlds[85] = w;  // only a loaded file puts a world past slot 80; it is listed too
    store.worlds[85].cargoBase = -1000;
    store.worlds[85].location = 305;
    store.worlds[0] = w;  // the spill slot of unplaced lines is not listed
    store.refreshStatistics();

    const auto lines = listingLines(store).value;
    ASSERT_EQ(lines.size(), 9u);
    const struct {
        std::size_t at;
        const char* heading;
        const char* first;
        const char* second;
    } columns[] = {
        {0, "System Name", "Hollowmere          ", "Hollowmere"},
        {26, "Locn", "0901", "1105"},
        {31, "S-DAHPGL-T", "A-788899-C", "A-788899-C"},
        {42, "B", "N", "N"},
        {44, "Remarks", "  Mining colony  ", "  Mining colony"},
        {70, "Trade Codes", "Ni Cp Po       ", "Ni Cp Po"},
        {86, "Z", "A", "A"},
        {88, "G", "G", "G"},
        {90, "Price", " 5200 ", "-1000 "},
        {96, "Star 1", "G2 V  ", "G2 V"},
        {103, "Star 2", "M1 D  ", "M1 D"},
        {110, "Star 3", "K5 III", "K5 III"},
        {117, "PAG", "213", "213"},
        {121, "Al", "Vo", "Vo"},
        {124, "T-F", "Tf", "Tf"},
    };
    for (const auto& c : columns) {
        SCOPED_TRACE(c.heading);
        EXPECT_EQ(lines[3].substr(c.at, std::string_view(c.heading).size()), c.heading);
        EXPECT_EQ(lines[4].substr(c.at, std::string_view(c.first).size()), c.first);
        EXPECT_EQ(lines[5].substr(c.at, std::string_view(c.second).size()), c.second);
    }
    EXPECT_EQ(lines[4].size(), 126u);
    EXPECT_EQ(lines[7], "Subsector Ostrel contains  1  systems with a total population of 200,000,000");
    EXPECT_EQ(lines[8], "Highest population is 8 and best tech level is C");

    store.subsectorLetter = "q";  // an unknown letter is said once per listing, not once per line
    EXPECT_EQ(listingLines(store).notices, Notices{{"DUFF SS LETTER"}});
}

}  // namespace
}  // namespace qelvar
