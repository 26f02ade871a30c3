#include <gtest/gtest.h>

#include <map>

#include "details/description_table.h"
#include "store/paths.h"

namespace qelvar {
namespace {

const DescriptionTable& table() { return descriptionTable(); }

std::string trimmedText(const char* key) { return table().findTrimmedText(key).value_or("<none>"); }

TEST(DescriptionTable, FamiliesSlotOrderAndTwentyEmptySlotsAtTheEnd) {
    const std::map<char, std::size_t> rows = {{'A', 20}, {'B', 36}, {'D', 15},  {'G', 25}, {'H', 12},
                                              {'L', 29}, {'P', 12}, {'Q', 16},  {'S', 6},  {'T', 22},
                                              {'U', 17}, {'X', 6},  {'Y', 111}, {'Z', 3}};
    for (const auto& [prefix, count] : rows) EXPECT_EQ(table().descriptionsForPrefix(prefix).size(), count) << prefix;
    EXPECT_TRUE(table().descriptionsForPrefix('a').empty());
    const std::map<int, std::string> keys = {{1, "A0"},    {21, "B-"},   {216, "XM"}, {217, "ZZ"},
                                             {218, "YA0"}, {328, "YZv"}, {329, "ZA"}, {330, "ZR"}};
    for (const auto& [slot, key] : keys) EXPECT_EQ(table().entry(slot).key, key) << slot;
    for (int slot = 331; slot <= 350; ++slot) EXPECT_EQ(table().entry(slot).key + table().entry(slot).text, "");
}

TEST(DescriptionTable, TextFormsArePaddedOrNaturalByFamily) {
    int unpaddedGovernment = 0;
    for (int slot = 1; slot <= 330; ++slot) {
        const DescriptionEntry& e = table().entry(slot);
        SCOPED_TRACE(e.key);
        const char family = e.key.front();
        if (family == 'Y' || family == 'Z') {
            EXPECT_NE(e.text.back(), ' ');
        } else if (family == 'G' && e.text.size() != 74) {
            ++unpaddedGovernment;
        } else {
            EXPECT_EQ(e.text.size(), 74u);
        }
    }
    EXPECT_EQ(unpaddedGovernment, 16);
}

TEST(DescriptionTable, LookupsFindTheFirstExactKey) {
    // "key=text|": no row for traffic C, keys compare case included, a blank code makes the prefix alone and
    // the empty slots never match.
    std::string_view rows =
        "D0=Asteroid belt|DK=93000000|AD=Dense, high. Breathable above a certain altitude. (P)|BS=Scout base.|"
        "SA=Excellent. Refined fuel, annual maintainence & full shipyards available.|"
        "XB=White  14,200-28,000 degrees K|QX=Less than 1k tons\\year (< 1 free trader\\month) DM -2 Enc:I|"
        "YIm=Third Imperium|ZZ=No code found in file (bugger)|QC=<none>|YIM=<none>|A=<none>|=<none>|A0 =<none>|";
    for (std::size_t bar; (bar = rows.find('|')) != std::string_view::npos; rows.remove_prefix(bar + 1)) {
        const std::string key(rows.substr(0, rows.find('='))), text(rows.substr(key.size() + 1, bar - key.size() - 1));
        EXPECT_EQ(trimmedText(key.c_str()), text) << key;
    }
    EXPECT_NE(trimmedText("YVg"), trimmedText("Yvg"));
}

TEST(DescriptionTable, FamilyListsKeepEveryReadingInSlotOrder) {
    const auto atmosphere = table().descriptionsForPrefix('A');
    EXPECT_EQ(atmosphere.front().text.size(), 74u);  // untrimmed
    EXPECT_EQ(atmosphere[13].code + atmosphere[14].code, "DD");
    EXPECT_EQ(atmosphere[14].text.rfind("Carbon dioxide. Requires respirator.  (P)", 0), 0u);
    std::vector<std::string> bs;
    for (const auto& row : table().descriptionsForPrefix('B')) {
        if (row.code == "S") bs.push_back(std::string(row.text.substr(0, row.text.find_last_not_of(' ') + 1)));
    }
    EXPECT_EQ(bs,
              (std::vector<std::string>{"Scout base.", "Local scout base (P)", "ACROSS base (Aku Confederation only)",
                                        "Government Courier Station (Toranaga Cluster only)"}));
}

TEST(DescriptionTable, DumpHas350LinesWithTheTextInTheSecondPrintZone) {
    const auto lines = table().dumpLines();
    ASSERT_EQ(lines.size(), 350u);
    EXPECT_EQ(lines[0].substr(0, 15), "A0            N");  // "No atmosphere", from the fifteenth character
    EXPECT_EQ(lines[217].substr(0, 16), "YA0           Ar");
    EXPECT_EQ(lines[349], std::string(14, ' '));  // an empty slot
    const std::string text = table().dumpText();
    EXPECT_EQ(text.substr(text.size() - 16), std::string(14, ' ') + "\r\n");
    EXPECT_EQ(text.find(lines[1] + "\r\n" + lines[2] + "\r\n"), lines[0].size() + 2);

    ::setenv("QELVAR_DUMP", "/somewhere/dump.txt", 1);
    EXPECT_EQ(descriptionDumpPath(), "/somewhere/dump.txt");
    ::unsetenv("QELVAR_DUMP");
    EXPECT_EQ(fileNameOf(descriptionDumpPath()), "temp.txt");
}

}  // namespace
}  // namespace qelvar
