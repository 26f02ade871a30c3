#include <gtest/gtest.h>

#include "platform/recording_surface.h"

namespace qelvar {
namespace {

TEST(RecordingSurface, WritesEachOperationInTheOpsFormat) {
    RecordingSurface s;
    s.setBackColor({16, 32, 255});
    s.cls();
    s.setForeColor({255, 0, 10});
    s.setDrawStyle(LineStyle::DashDot);
    s.setDrawWidth(10);
    s.line(1, 2.5, -3.25, 1.0 / 3);
    s.setDrawStyle(LineStyle::Solid);
    s.box(15, 10, 170, 235);
    s.circle(5, 6, 1.3);
    s.setFillStyle(FillStyle::Solid);
    s.setFillColor(colours::kGreen);
    s.circle(5, 6, 0.65);
    s.setFont({"Times New Roman", 10, true, true});
    s.setPen(0.0004, -0.0004);
    s.print("Ost\trel");
    s.endDoc();
    EXPECT_EQ(s.text(),
              "cls\t#1020ff\n"
              "line\t1.000\t2.500\t-3.250\t0.333\t#ff000a\tdashdot\t10\n"
              "box\t15.000\t10.000\t170.000\t235.000\t#ff000a\tsolid\t10\n"
              "circle\t5.000\t6.000\t1.300\t#ff000a\tnone\tsolid\n"
              "circle\t5.000\t6.000\t0.650\t#ff000a\t#00ff00\tsolid\n"
              "text\t0.000\t0.000\t#ff000a\tTimes New Roman\t10\t1\t1\tOst rel\n"
              "enddoc\n");
}

TEST(RecordingSurface, PenFollowsEveryOperation) {
    RecordingSurface s;
    s.setPen(7, 8);
    s.cls();
    EXPECT_EQ(s.currentX(), 0);
    EXPECT_EQ(s.currentY(), 0);
    s.line(1, 2, 3, 4);
    EXPECT_EQ(s.currentX(), 3);
    EXPECT_EQ(s.currentY(), 4);
    s.lineTo(5, 6);
    EXPECT_EQ(s.text().substr(s.text().rfind("line")), "line\t3.000\t4.000\t5.000\t6.000\t#000000\tsolid\t1\n");
    s.box(1, 1, 9, 9);
    EXPECT_EQ(s.currentX(), 9);
    s.circle(2, 2, 1);
    EXPECT_EQ(s.currentX(), 9);

    // A text ends its line: the pen goes to x = 0, one line (1.2 times the font size) further down.
    s.setFont({"Times New Roman", 10, false, false});
    s.setPen(5, 20);
    s.print("Title");
    EXPECT_EQ(s.currentX(), 0);
    EXPECT_NEAR(s.currentY(), 20 + 12 * 25.4 / 72, 1e-9);
    // Staying on the line moves the pen past the text.
    s.setPen(5, 20);
    s.print("abcd", false);
    EXPECT_NEAR(s.currentX(), 5 + s.textWidth("abcd"), 1e-9);
    EXPECT_EQ(s.currentY(), 20);

    // In character cells a 12-point line is 1.2 cells down (a cell is 1/6 inch).
    s.setUnit(SurfaceUnit::CharacterCells);
    s.setFontSize(12);
    s.setPen(3, 4);
    s.print("x");
    EXPECT_NEAR(s.currentY(), 5.2, 1e-9);
}

TEST(RecordingSurface, NumbersHaveThreeDecimalsAndNoNegativeZero) {
    EXPECT_EQ(opsNumber(0), "0.000");
    EXPECT_EQ(opsNumber(-0.0001), "0.000");
    EXPECT_EQ(opsNumber(87.9), "87.900");
    EXPECT_EQ(opsNumber(6 + 9 * 1.3 * 7), "87.900");
    EXPECT_EQ(opsNumber(-5.2), "-5.200");
    EXPECT_EQ(opsNumber(1.0 / 0.0), "0.000");
    EXPECT_EQ(opsColour({192, 192, 192}), "#c0c0c0");
}

}  // namespace
}  // namespace qelvar
