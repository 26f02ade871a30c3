#include "reports/listing.h"

#include <gtest/gtest.h>

#include "core/subsector_store.h"
#include "core/text.h"
#include "support/scripted_prompter.h"

namespace qelvar {
namespace {

using testing::ScriptedPrompter;

TEST(Listing, EmptySubsector) {
    SubsectorStore store;
    store.subsectorName = " Ostrel ";
    store.sectorName = "Kestrane Reach";
    store.subsectorLetter = "A";
    store.refreshStatistics();
    ScriptedPrompter prompter;
    const auto lines = listingLines(store, prompter);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "Ostrel/Kestrane Reach (A)");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "Subsector  Ostrel  contains  0  systems with a total population of 0");
    EXPECT_EQ(lines[6], "Highest population is   and best tech level is  ");
    EXPECT_TRUE(prompter.prompts.empty());
}

TEST(Listing, HeadingAndWorldColumns) {
    SubsectorStore store;
    store.subsectorName = "Ostrel";
    store.sectorName = "Kestrane Reach";
    store.subsectorLetter = "B";
    WorldRecord& w = store.worlds[1];
    w.location = 101;
    w.name = "Hollowmere";
    w.uwp = "A788899C";
    w.base = "N";
    w.notes = "Mining colony";
    w.tradeCodes = "Ri ";
    w.zone = "A";
    w.gasGiant = "G";
    w.cargoBase = 5200;
    w.star1 = "G2 V";
    w.star2 = "M1 D";
    w.star3 = "K5 III";
    w.pag = "213";
    w.allegiance = "Vo";
    w.facility = "Tf";
    store.worlds[85].location = 305;  // only a loaded file puts a world past slot 80; it is listed too
    store.worlds[85].name = "Stray";
    store.worlds[85].uwp = "X0000000";
    store.worlds[85].cargoBase = -1000;
    store.refreshStatistics();

    ScriptedPrompter prompter;
    const auto lines = listingLines(store, prompter);
    ASSERT_EQ(lines.size(), 9u);
    const std::string& heading = lines[3];
    const std::string& line = lines[4];
    const struct {
        std::size_t at;
        const char* heading;
        const char* value;
    } columns[] = {
        {0, "System Name", "Hollowmere          "}, {26, "Locn", "0901"},   {31, "S-DAHPGL-T", "A-788899-C"},
        {42, "B", "N"},                          {44, "Remarks", "Mining colony "}, {70, "Trade Codes", "Ri             "},
        {86, "Z", "A"},                          {88, "G", "G"},          {90, "Price", " 5200 "},
        {96, "Star 1", "G2 V  "},                {103, "Star 2", "M1 D  "}, {110, "Star 3", "K5 III"},
        {117, "PAG", "213"},                     {121, "Al", "Vo"},       {124, "T-F", "Tf"},
    };
    for (const auto& c : columns) {
        SCOPED_TRACE(c.heading);
        EXPECT_EQ(heading.substr(c.at, std::string_view(c.heading).size()), c.heading);
        EXPECT_EQ(line.substr(c.at, std::string_view(c.value).size()), c.value);
    }
    EXPECT_EQ(line.size(), 126u);
    EXPECT_EQ(heading.size(), 127u);
    EXPECT_EQ(lines[5].substr(26, 4), "1105");
    EXPECT_EQ(lines[5].substr(90, 6), "-1000 ");
    EXPECT_EQ(lines[7], "Subsector Ostrel contains  1  systems with a total population of 200,000,000");
    EXPECT_EQ(lines[8], "Highest population is 8 and best tech level is C");
}

TEST(Listing, UnknownLetterIsReportedOnce) {
    SubsectorStore store;
    store.subsectorLetter = "q";
    for (int slot = 1; slot <= 3; ++slot) {
        store.worlds[slot].location = static_cast<std::int16_t>(store.hexCodeValue(slot));
        store.worlds[slot].uwp = "A788899C";
    }
    ScriptedPrompter prompter;
    const auto lines = listingLines(store, prompter);
    EXPECT_EQ(prompter.messages(), std::vector<std::string>{"DUFF SS LETTER"});
    EXPECT_EQ(lines[6].substr(26, 4), "0103");
}

}  // namespace
}  // namespace qelvar
