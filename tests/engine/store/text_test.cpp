#include "store/text.h"

#include <gtest/gtest.h>

#include <vector>

#include <limits>

namespace qelvar {
namespace {

TEST(NumericValue, ReadsLikeThePlainConversion) {
    const struct {
        const char* text;
        double value;
    } cases[] = {{"0101", 101}, {" 1 7 0 1", 1701}, {"", 0},      {"ab12", 0}, {"12ab", 12}, {"-3", -3},
                 {"2.5", 2.5},  {"1e3", 1000},      {"7-", 7},    {"--5", 0},  {".5", 0.5},  {"1e", 1},
                 {"0.3", 0.3},  {"1d2", 100},       {"+4 2", 42}, {"5.", 5},   {"1e-400", 0}};
    // Correctly rounded: exactly the double nearest the decimal text.
    for (const auto& c : cases) EXPECT_EQ(numericValue(c.text), c.value) << c.text;
    EXPECT_EQ(numericValue(std::string(400, '9')), std::numeric_limits<double>::max());  // saturates
    EXPECT_EQ(numericValue("1" + std::string(100, '0')), 1e100);
    EXPECT_EQ(numericValue("1" + std::string(400, '0') + "e-91"), std::numeric_limits<double>::max());
    EXPECT_EQ(numericValue("." + std::string(9998, '0') + "1e12345"), 1);  // the exponent is read up to 9999
    EXPECT_EQ(toInt16(numericValue("9e9999")), 32767);                     // saturates instead of wrapping
    EXPECT_EQ(toInt16(-40000), -32768);
    EXPECT_EQ(toInt16(2.5), 2);
    EXPECT_EQ(toInt16(3.5), 4);
}

TEST(TextHelpers, PlainConversionAndPatterns) {
    const struct {
        std::string actual, expected;
    } cases[] = {
        {numberText(101), " 101"},
        {numberText(-3), "-3"},
        {numberText(6.45), " 6.45"},
        {numberText(0.5), " .5"},
        {numberText(-0.0), " 0"},
        {printedNumber(5200), " 5200 "},
        {formatFourDigits(101), "0101"},
        {formatFourDigits(0), "0000"},
        {numberText(120000000000000.25), " 120000000000000"},
        {formatFourDigits(12345), "12345"},
        {formatWhole(-1000), "-1000"},
        {formatThousands(0), "0"},
        {formatThousands(1000), "1,000"},
        {formatThousands(247037501960), "247,037,501,960"},
        {formatThousands(9e32), "900,000,000,000,000,000,000,000,000,000,000"},
        {lowerAscii("@AZ[az\xc9"), "@az[az\xc9"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.actual, c.expected);
}

TEST(SplitLines, AcceptsEveryLineEnd) {
    const struct {
        std::string bytes;
        std::vector<std::string_view> lines;
    } cases[] = {{"", {}},
                 {"a\r\nb\r\n", {"a", "b"}},
                 {"a\nb", {"a", "b"}},
                 {"a\rb", {"a", "b"}},
                 {"a\r\n\r\nb", {"a", "", "b"}},
                 {std::string("x\0y\n", 4), {std::string_view("x\0y", 3)}}};
    for (const auto& c : cases) {
        // Read from a buffer that ends where the bytes end, so that a look past the end is caught by the
        // sanitizer build.
        const std::vector<char> exact(c.bytes.begin(), c.bytes.end());
        EXPECT_EQ(splitLines(std::string_view(exact.data(), exact.size())), c.lines) << c.bytes;
    }
    const std::vector<char> endsInCr = {'a', '\r'};
    EXPECT_EQ(splitLines(std::string_view(endsInCr.data(), endsInCr.size())), std::vector<std::string_view>{"a"});
}

}  // namespace
}  // namespace qelvar
