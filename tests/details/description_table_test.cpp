#include <gtest/gtest.h>

#include <map>

#include "details/description_table.h"

namespace qelvar {
namespace {

const DescriptionTable& table() { return descriptionTable(); }

std::string trimmedText(const char* key) { return table().findTrimmedText(key).value_or("<none>"); }

TEST(DescriptionTable, FamiliesHaveTheirRowCountsAndTheTableEndsInTwentyEmptySlots) {
    const std::map<char, std::size_t> rows = {{'A', 20}, {'B', 36}, {'D', 15}, {'G', 25}, {'H', 12},
                                              {'L', 29}, {'P', 12}, {'Q', 16}, {'S', 6},  {'T', 22},
                                              {'U', 17}, {'X', 6},  {'Y', 111}, {'Z', 3}};
    for (const auto& [prefix, count] : rows) {
        SCOPED_TRACE(std::string(1, prefix));
        EXPECT_EQ(table().descriptionsForPrefix(prefix).size(), count);
    }
    for (int slot = 1; slot <= 330; ++slot) EXPECT_FALSE(table().entry(slot).key.empty()) << slot;
    for (int slot = 331; slot <= 350; ++slot) {
        EXPECT_EQ(table().entry(slot).key, "") << slot;
        EXPECT_EQ(table().entry(slot).text, "") << slot;
    }
}

TEST(DescriptionTable, SlotOrderRunsFamilyByFamilyWithZzBeforeTheAllegiances) {
    EXPECT_EQ(table().entry(1).key, "A0");
    EXPECT_EQ(table().entry(21).key, "B-");
    EXPECT_EQ(table().entry(216).key, "XM");
    EXPECT_EQ(table().entry(217).key, "ZZ");
    EXPECT_EQ(table().entry(218).key, "YA0");
    EXPECT_EQ(table().entry(328).key, "YZv");
    EXPECT_EQ(table().entry(329).key, "ZA");
    EXPECT_EQ(table().entry(330).key, "ZR");
}

TEST(DescriptionTable, TextFormsArePaddedOrNaturalByFamily) {
    int unpaddedGovernment = 0;
    std::size_t longestGovernment = 0;
    for (int slot = 1; slot <= 330; ++slot) {
        const DescriptionEntry& e = table().entry(slot);
        SCOPED_TRACE(e.key);
        const char family = e.key.front();
        if (family == 'Y') {
            EXPECT_LE(e.text.size(), 33u);
            EXPECT_NE(e.text.back(), ' ');
        } else if (family == 'Z') {
            EXPECT_NE(e.text.back(), ' ');
        } else if (family == 'G' && e.text.size() != 74) {
            ++unpaddedGovernment;
            longestGovernment = std::max(longestGovernment, e.text.size());
        } else {
            EXPECT_EQ(e.text.size(), 74u);
        }
    }
    EXPECT_EQ(unpaddedGovernment, 16);
    EXPECT_EQ(longestGovernment, 170u);
    // The second reading of GE and GF is padded, the first is not.
    const auto government = table().descriptionsForPrefix('G');
    EXPECT_NE(government[14].text.size(), 74u);
    EXPECT_EQ(government[15].text.size(), 74u);
    EXPECT_NE(government[16].text.size(), 74u);
    EXPECT_EQ(government[17].text.size(), 74u);
}

TEST(DescriptionTable, LookupsFindTheFirstExactKey) {
    const struct {
        const char* key;
        const char* text;
    } cases[] = {
        {"D8", "8000"},
        {"D0", "Asteroid belt"},
        {"DJ", "93000000"},
        {"DK", "93000000"},
        {"AD", "Dense, high. Breathable above a certain altitude. (P)"},
        {"BN", "Naval base."},
        {"BS", "Scout base."},
        {"LA", "Weapon possession prohibited."},
        {"SA", "Excellent. Refined fuel, annual maintainence & full shipyards available."},
        {"XB", "White  14,200-28,000 degrees K"},
        {"H3", "30% water"},
        {"QX", "Less than 1k tons\\year (< 1 free trader\\month) DM -2 Enc:I"},
        {"U8", "About average DM 0 Task:R"},
        {"GV", "Variable  (P)"},
        {"YIm", "Third Imperium"},
        {"YUi", "Uninhabited"},
        {"ZZ", "No code found in file (bugger)"},
        {"QC", "<none>"},     // traffic C has no row
        {"YIM", "<none>"},    // keys compare case included
        {"XO", "<none>"},     // no O stars in the table
        {"A", "<none>"},      // a blank code makes the prefix alone
        {"", "<none>"},       // the empty slots never match
        {"A0 ", "<none>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(trimmedText(c.key), c.text);
    }
    EXPECT_NE(trimmedText("YVg"), trimmedText("Yvg"));
    EXPECT_NE(trimmedText("YDa"), trimmedText("YdA"));
    for (const char* bloc : {"YA1", "YA5", "YA9"}) EXPECT_EQ(trimmedText(bloc), trimmedText("YA0"));
}

TEST(DescriptionTable, FamilyListsKeepEveryReadingInSlotOrder) {
    const auto atmosphere = table().descriptionsForPrefix('A');
    EXPECT_EQ(atmosphere.front().code, "0");
    EXPECT_EQ(atmosphere.front().text.size(), 74u);  // untrimmed
    EXPECT_EQ(atmosphere[13].code, "D");
    EXPECT_EQ(atmosphere[14].code, "D");
    EXPECT_EQ(atmosphere[14].text.rfind("Carbon dioxide. Requires respirator.  (P)", 0), 0u);

    const auto zones = table().descriptionsForPrefix('Z');
    ASSERT_EQ(zones.size(), 3u);
    EXPECT_EQ(zones[0].code + zones[1].code + zones[2].code, "ZAR");

    const auto scouts = table().descriptionsForPrefix('B');
    std::vector<std::string> bs;
    for (const auto& row : scouts) {
        if (row.code == "S") bs.push_back(std::string(row.text.substr(0, row.text.find_last_not_of(' ') + 1)));
    }
    EXPECT_EQ(bs, (std::vector<std::string>{"Scout base.", "Local scout base (P)",
                                            "ACROSS base (Aku Confederation only)",
                                            "Government Courier Station (Toranaga Cluster only)"}));
    EXPECT_TRUE(table().descriptionsForPrefix('a').empty());
}

TEST(DescriptionTable, DumpHas350LinesWithTheTextInTheSecondPrintZone) {
    const auto lines = table().dumpLines();
    ASSERT_EQ(lines.size(), 350u);
    for (int slot = 1; slot <= 350; ++slot) {
        const DescriptionEntry& e = table().entry(slot);
        const std::string& line = lines[static_cast<std::size_t>(slot) - 1];
        SCOPED_TRACE(slot);
        ASSERT_GE(line.size(), 14u);
        EXPECT_EQ(line.substr(0, 14), e.key + std::string(14 - e.key.size(), ' '));
        EXPECT_EQ(line.substr(14), e.text);
    }
    EXPECT_EQ(lines.back(), std::string(14, ' '));

    std::string joined;
    for (const auto& line : lines) joined += line + "\r\n";
    EXPECT_EQ(table().dumpText(), joined);
}

}  // namespace
}  // namespace qelvar
