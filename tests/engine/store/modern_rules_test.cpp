#include "store/modern_rules.h"

#include <gtest/gtest.h>

#include "store/text.h"

namespace qelvar {
namespace {

// Rows "UWP text;" split at the first blank, the text trimmed.
template <typename Check>
void forRows(std::string_view rows, Check check) {
    for (std::size_t end; (end = rows.find(';')) != std::string_view::npos; rows.remove_prefix(end + 1)) {
        const std::string_view row = trimBlanks(rows.substr(0, end));
        SCOPED_TRACE(std::string(row));
        const std::size_t blank = std::min(row.find(' '), row.size());
        check(row.substr(0, blank), trimBlanks(row.substr(blank)));
    }
}

std::string joined(const std::vector<std::string>& codes) {
    std::string text;
    for (const std::string& code : codes) text += (text.empty() ? "" : " ") + code;
    return text;
}

// The values of a profile as text: "B 4 15 10 10 13 9 18 complete", or "none" for no profile.
std::string valuesOf(std::string_view uwp) {
    const auto p = readProfile(uwp);
    if (!p) return "none";
    std::string text(1, p->starport);
    for (const int v : {p->size, p->atmosphere, p->hydrographics, p->population, p->government, p->law, p->tech}) {
        text += " " + std::to_string(v);
    }
    return text + (p->complete() ? " complete" : "");
}

TEST(ModernRules, DigitsAndProfileShapes) {
    const std::pair<char, int> digits[] = {{'0', 0},  {'9', 9},  {'A', 10}, {'H', 17}, {'I', -1}, {'J', 18},
                                           {'N', 22}, {'O', -1}, {'P', 23}, {'Z', 33}, {'a', -1}, {'-', -1}};
    for (const auto& [c, value] : digits) EXPECT_EQ(commonDigitValue(c), value) << c;
    EXPECT_EQ(valuesOf("B4FAAD9-J"), "B 4 15 10 10 13 9 18 complete");
    EXPECT_EQ(valuesOf("?7X?899C"), "? 7 -1 -1 8 9 9 12");
    EXPECT_EQ(valuesOf("A788899?"), "A 7 8 8 8 9 9 -1");
    for (const char* bad :
         {"", "A788899", "A788899C ", "A788899+C", "a788899C", "A78I899C", "A788899-", "-788899C", "A788899-CC"}) {
        EXPECT_EQ(valuesOf(bad), "none") << bad;
    }
}

// Every code at both sides of each of its limits.
TEST(ModernRules, TradeCodesAtTheirLimits) {
    forRows(
        "A0005559 As Va Ni; A1005559 Va Ni; A2205559 De Ni Po; A3205559 De He Ni Po; A3215559 He Ni Po;"
        "A3225559 He Ni Po; A3235559 Ni Po; A3245559 Ni; A3305559 De Ni Po; A3405559 De He Ni Po; AC905559 De He Ni; "
        "AD905559 De Ni; A3A05559 He Ni;"
        "A3A15559 Fl He Ni; A3CA5559 Fl Ni; A3DA5559 Wa Ni; A3D05559 Ni; AA3A5559 Oc Ni; A93A5559 Wa Ni;"
        "A92A5559 Ni; AFFA5559 Oc Ni; AGFA5559 Ni; AAGA5559 Ni; A9EA5559 Wa Ni; A5115559 Ic Ni; A5105559 Ni; A51A5559 "
        "Ic Ni;"
        "A51B5559 Ni; A5215559 He Ni Po; A5715559 He Ni; A5135559 Ic Ni; A6565559 Ga Ni Ag; A8875559 Ga Ni Ag Pr; "
        "A9875559 Ni Ag Pr;"
        "A6575559 Ga Ni Ag; A6585559 Ni Ag; A6545559 Ni Ag; A5565559 Ni Ag; A6555559 Ga Ni Ag; A6595559 Ni;"
        "A6685559 Ni Ag Pr; A6645559 Ni Ag Pr; A5590559 Di; A5590550 Ba; A5591559 Lo; A5593559 Lo;"
        "A5594559 Ni; A5596559 Ni; A5597559 ; A5598559 Ph; A5599559 Hi; A559F559 Hi;"
        "A5544559 Ni Pa; A5548559 Ph Pa; A5545559 Ni Ag; A5547559 Ag; A5534559 Ni Po; A5A44559 Fl Ni;"
        "A5344559 Ni; A5454559 Ni Pa; A5844559 Ni Pa; A5944559 Ni Pa; A5A84559 Fl Ni; A5494559 Ni;"
        "A5336559 Ni Na Po; A5436559 Ni Po; A5346559 Ni; A5335559 Ni Po; A5339559 Hi Na Po; A503F559 Ic Va Hi Na In;"
        "A5497559 Pi; A5498559 Ph Pi; A5499559 Hi In; A5496559 Ni; A5397559 ; A5097559 Ic Va Pi; A5197559 Ic Pi;"
        "A5297559 Pi; A5797559 Pi; A5997559 Pi; A5897559 Ri; A5A99559 Fl Hi In; A5B99559 Fl Hi In;"
        "A5C99559 Fl Hi In; A5D99559 Hi; A5399559 Hi; A5599559 Hi; A5699559 Hi Pr; A5695559 Ni Pr;"
        "A5696559 Ni Ri; A5698559 Ph Ri; A5697559 Ri; A5595559 Ni; A5505559 De Ni Po; A5605559 De Ni Pr;"
        "A5?95559 Ni; A55?5559 Ni; A559?559 ; A559005? ;",
        [](std::string_view uwp, std::string_view codes) {
            EXPECT_EQ(joined(modernTradeCodes(*readProfile(uwp))), codes);
        });
}

// Rows "UWP ix remarks/bases": each part of the importance at both sides of its limit.
TEST(ModernRules, ImportanceAtItsLimits) {
    forRows(
        "A788899C 2 /; B788899C 2 /; C788899C 1 /; D788899C 0 /; E788899C 0 /; X788899C 0 /;"
        "C7888999 0 /; C7888998 -1 /; C788899A 1 /; C788899F 1 /; C788899G 2 /; C788899?  0 /;"
        "C7889999 1 /; C7886999 -1 /; C7887999 0 /; C788F999 1 /; C788?999 0 /;"
        "C7888999 3 Ag Ri In/; C7888999 1 Agx Ri/; C7888999 0 Ni Hi/; C7888999 1 Lo In/;"
        "C7888999 1 /NS; C7888999 0 /N; C7888999 1 /KV; C7888999 1 /CK; C7888999 1 /MN; C7888999 0 /SC;"
        "C7888999 0 /KN; C7888999 1 /W; C7888999 1 /D; C7888999 1 /DW; C7888999 1 /RT; C7888999 0 /R;"
        "C7888999 0 /T; C7888999 3 /NSTRW;",
        [](std::string_view uwp, std::string_view rest) {
            const std::size_t blank = rest.find(' '), slash = rest.find('/');
            const std::string remarks(rest.substr(blank + 1, slash - blank - 1));
            EXPECT_EQ(modernImportance(*readProfile(uwp), remarks, rest.substr(slash + 1)),
                      std::stoi(std::string(rest.substr(0, blank))));
        });
}

TEST(ModernRules, TechModifierOfEachValue) {
    forRows(
        "A788899C 6; B788899C 4; C788899C 2; D788899C 0; X788899C -4; X0000000 0; C2A9159C 7; B4FAAD9C 10;"
        "E5549659 2; D5546659 0; B1346669 7; D5B47659 1; D5849659 2; D5545559 2; D5545459 1;",
        [](std::string_view uwp, std::string_view dm) {
            EXPECT_EQ(modernTechModifier(*readProfile(uwp)), std::stoi(std::string(dm)));
        });
    EXPECT_TRUE(hasRemark("Ni Di(Kaa) Ht", "Di", true));
    EXPECT_FALSE(hasRemark("Ni Di(Kaa) Ht", "Di"));
    EXPECT_TRUE(hasRemark("  Ni  ", "Ni"));
    EXPECT_FALSE(hasRemark("Nix", "Ni"));
}

}  // namespace
}  // namespace qelvar
