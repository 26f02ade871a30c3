#include "text_codec.h"

#include <gtest/gtest.h>

namespace qelvar {
namespace {

TEST(TextCodec, EveryByteSurvivesTheWindowAndBack) {
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(toBytes(fromBytes(all)), all);
}

TEST(TextCodec, Windows1252Characters) {
    EXPECT_EQ(fromBytes("\x80"), QString(QChar(0x20AC)));
    EXPECT_EQ(fromBytes("\x93x\x94"), QString::fromUtf8("\u201Cx\u201D"));
    EXPECT_EQ(fromBytes("\xe9"), QString::fromUtf8("\u00E9"));
    EXPECT_EQ(toBytes(QString::fromUtf8("\u20AC \u00A3 \u0160")), "\x80 \xa3 \x8a");
    EXPECT_EQ(toBytes(QString::fromUtf8("\u4E2D")), "?");  // no byte for it
}

}  // namespace
}  // namespace qelvar
