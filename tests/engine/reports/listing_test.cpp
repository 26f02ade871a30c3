#include "reports/listing.h"

#include <gtest/gtest.h>

#include "store/subsector_store.h"
#include "support/column_line.h"
#include "support/sample_world.h"

namespace qelvar {
namespace {

using testing::lineOf;

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
    const std::string fields = "71:Ni Cp Po|87:A|89:G|97:G2 V|104:M1 D|111:K5 III|118:213|122:Vo|125:Tf|";
    EXPECT_EQ(lines[3], lineOf("1:System Name|27:Locn|32:S-DAHPGL-T|43:B|45:Remarks|71:Trade Codes|87:Z|89:G|91:Price|"
                               "97:Star 1|104:Star 2|111:Star 3|118:PAG|122:Al|125:T-F|"));
    EXPECT_EQ(lines[4], lineOf("1:Hollowmere|27:0901|32:A-788899-C|43:N|45:  Mining colony|91: 5200|" + fields));
    EXPECT_EQ(lines[5], lineOf("1:Hollowmere|27:1105|32:A-788899-C|43:N|45:  Mining colony|91:-1000|" + fields));
    EXPECT_EQ(lines[4].size(), 126u);
    EXPECT_EQ(lines[7], "Subsector Ostrel contains  1  systems with a total population of 200,000,000");
    EXPECT_EQ(lines[8], "Highest population is 8 and best tech level is C");

    store.subsectorLetter = "q";  // an unknown letter is said once per listing, not once per line
    EXPECT_EQ(listingLines(store).notices, Notices{{"DUFF SS LETTER"}});
}

}  // namespace
}  // namespace qelvar
