#include "core/text.h"

#include <gtest/gtest.h>

namespace qelvar {
namespace {

TEST(NumericValue, ReadsLikeThePlainConversion) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"0101", 101}, {" 1 7 0 1", 1701}, {"", 0},       {"    ", 0},       {"ab12", 0},
        {"12ab", 12},  {"-3", -3},          {"+4", 4},     {"2.5", 2.5},      {"1e3", 1000},
        {"7-", 7},     {"--5", 0},          {".5", 0.5},   {"1e", 1},         {"0810", 810},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_DOUBLE_EQ(numericValue(c.text), c.value);
    }
}

TEST(NumericValue, HugeExponentsStayFinite) {
    EXPECT_GT(numericValue("9e9999"), 1e300);
    EXPECT_EQ(toInt16(numericValue("9e9999")), 32767);
    EXPECT_EQ(toInt16(-numericValue("9e9999")), -32768);
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(3.5), 4);
}

TEST(NumberText, LeadingBlankForNonNegative) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {101, " 101"}, {0, " 0"}, {-3, "-3"}, {6.45, " 6.45"}, {6, " 6"}, {0.5, " .5"}, {-0.25, "-.25"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(numberText(c.value), c.text);
    }
    EXPECT_EQ(printedNumber(5200), " 5200 ");
    EXPECT_EQ(printedNumber(-1000), "-1000 ");
}

TEST(NumberPatterns, FourDigitsWholeAndThousands) {
    EXPECT_EQ(formatFourDigits(101), "0101");
    EXPECT_EQ(formatFourDigits(3240), "3240");
    EXPECT_EQ(formatFourDigits(12345), "12345");
    EXPECT_EQ(formatFourDigits(-5), "-0005");
    EXPECT_EQ(formatWhole(5200), "5200");
    EXPECT_EQ(formatWhole(-1000), "-1000");
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {999, "999"},
        {1000, "1,000"},
        {247037501960, "247,037,501,960"},
        {3e10, "30,000,000,000"},
        {9e32, "900,000,000,000,000,000,000,000,000,000,000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(formatThousands(c.value), c.text);
    }
}

TEST(Columns, OneBasedAndSafePastTheEnd) {
    EXPECT_EQ(columns("abcdef", 2, 4), "bcd");
    EXPECT_EQ(columns("abcdef", 5, 10), "ef");
    EXPECT_EQ(columns("abc", 4, 6), "");
    EXPECT_EQ(columns("abc", 0, 2), "");
    EXPECT_EQ(columnsFrom("abcdef", 3), "cdef");
    EXPECT_EQ(columnsFrom("abc", 9), "");
}

TEST(PadToColumn, ReachesTheColumnOrLeavesThePassedOne) {
    std::string out = "ab";
    padToColumn(out, 5);
    EXPECT_EQ(out, "ab  ");
    padToColumn(out, 3);  // already past: unchanged
    EXPECT_EQ(out, "ab  ");
    padToColumn(out, 1);
    EXPECT_EQ(out, "ab  ");
}

TEST(SplitLines, AcceptsEveryLineEnd) {
    const struct {
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"\r\n", {""}},
        {std::string("x\0y\n", 4), {std::string("x\0y", 3)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const auto lines = splitLines(c.bytes);
        ASSERT_EQ(lines.size(), c.lines.size());
        for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], c.lines[i]);
    }
}

TEST(CaseMapping, AsciiOnlySoEightBitBytesSurvive) {
    EXPECT_EQ(upperAscii("ab\xe9z"), "AB\xe9Z");
    EXPECT_EQ(lowerAscii("AB\xc9Z"), "ab\xc9z");
    EXPECT_EQ(trimBlanks("  a b  "), "a b");
}

}  // namespace
}  // namespace qelvar
