#include "store/codes.h"

#include <gtest/gtest.h>

#include "store/subsector_store.h"

namespace qelvar {
namespace {

TEST(HexDigits, ValuesAndBack) {
    const struct {
        const char* text;
        int value;
    } cases[] = {{"1", 1},  {"9", 9},   {"A", 10},  {"a", 10},  {"H", 17},  {"J", 18},   {"P", 23}, {"V", 28},
                 {"Z", 32}, {"0", -99}, {"I", -99}, {"O", -99}, {"U", -99}, {"AB", -99}, {"", -99}};
    for (const auto& c : cases) EXPECT_EQ(hexDigitValue(std::string_view(c.text)), c.value) << c.text;
    EXPECT_EQ(valueHexDigit(0), "0");
    EXPECT_EQ(valueHexDigit(33), "-99");
    for (int v = 1; v <= 32; ++v) EXPECT_EQ(hexDigitValue(valueHexDigit(v)), v);
}

TEST(LetterOffset, SixteenLettersAndTheDuffMessage) {
    const int expected[] = {0, 800, 1600, 2400, 10, 810, 1610, 2410, 20, 820, 1620, 2420, 30, 830, 1630, 2430};
    for (char letter = 'A'; letter <= 'P'; ++letter) {
        Notices notices;
        EXPECT_EQ(letterOffsetOrReport(std::string(1, letter), notices), expected[letter - 'A']) << letter;
        EXPECT_TRUE(notices.empty());
    }
    for (const char* bad : {"a", "Q", "", " ", "AB", "@"}) {
        EXPECT_EQ(letterOffset(bad), std::nullopt) << bad;
        Notices notices;
        EXPECT_EQ(letterOffsetOrReport(bad, notices), 0);
        EXPECT_EQ(notices, Notices{{"DUFF SS LETTER"}}) << bad;
    }
}

TEST(ComposeUwp, ClampsAndComposes) {
    UwpValues values{0, 12, 0, 5, 7, 6, 4, 3, 9};  // size 0 clears atmosphere and hydrographics
    EXPECT_EQ(composeUwp(values, "C"), "C0006439");
    EXPECT_EQ(values[3], 0);
    values = {0, 12, 7, 6, 12, -2, 4, -1, 33};
    EXPECT_EQ(FixedText<8>(composeUwp(values, "C")).str(), "C76A040-");  // "-99" for 33 is cut by the field
    EXPECT_EQ(values[4], 10);
}

}  // namespace
}  // namespace qelvar
