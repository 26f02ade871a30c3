#include "store/cp1252.h"

#include <gtest/gtest.h>

namespace qelvar {
namespace {

TEST(Cp1252, TerminalTextIsUtf8WithControlsAsBlanks) {
    const struct {
        std::string bytes;
        std::string shown;
    } cases[] = {
        {"M\xe9lisande", "M\xc3\xa9lisande"},
        {"\x80 \x93q\x94 \xff", "\xe2\x82\xac \xe2\x80\x9cq\xe2\x80\x9d \xc3\xbf"},
        {std::string("a\0b\x1b[2Jc\x7f\x81\x9d\td", 13), "a b [2Jc    d"},
        {"two\nlines\r", "two\nlines "},
    };
    for (const auto& c : cases) EXPECT_EQ(terminalText(c.bytes), c.shown);
}

TEST(Cp1252, EveryByteHasACharacterAndBack) {
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(static_cast<unsigned char>(cp1252Byte(cp1252Character(static_cast<unsigned char>(b)))), b);
    }
    EXPECT_EQ(cp1252Byte(U'\u4E2D'), '?');
    EXPECT_EQ(cp1252Byte(U'\u0080'), '?');  // byte 0x80 is the euro sign, not U+0080
    EXPECT_EQ(cp1252Byte(U'\U0001F600'), '?');
}

TEST(Cp1252, CommandLineTextBecomesTheFilesBytes) {
    const struct {
        std::string utf8;
        std::string bytes;
    } cases[] = {
        {"plain", "plain"},
        {"M\xc3\xa9lisande \xe2\x80\x9cReach\xe2\x80\x9d \xe2\x82\xac", "M\xe9lisande \x93Reach\x94 \x80"},
        {"\xe4\xb8\xad \xf0\x9f\x98\x80", "? ?"},                                // no byte in the code page
        {"\xc2\x80 \xe0\xa0\x80 \xf0\x90\x80\x80 \xf4\x8f\xbf\xbf", "? ? ? ?"},  // the least and the greatest
        {"a\xe9"
         "b \xc3 \xc0\xaf \xed\xa0\x80 \xed\xbf\xbf \xf4\x90\x80\x80",
         "a?b ? ?? ??? ??? ????"},  // malformed, overlong, surrogates, past U+10FFFF
    };
    for (const auto& c : cases) EXPECT_EQ(cp1252FromUtf8(c.utf8), c.bytes) << c.utf8;
}

}  // namespace
}  // namespace qelvar
