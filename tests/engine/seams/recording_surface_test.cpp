#include "seams/recording_surface.h"

#include <gtest/gtest.h>

#include <cmath>

namespace qelvar {
namespace {

TEST(RecordingSurface, WritesEachOperationInTheOpsFormat) {
    RecordingSurface s;
    s.setBackColour({16, 32, 255});
    s.cls();
    s.setForeColour({255, 0, 10});
    s.setDrawStyle(LineStyle::DashDot);
    s.setDrawWidth(10);
    s.line(1, 2.5, -3.25, 1.0 / 3);
    s.line(std::nan(""), HUGE_VAL, -0.0001, 0);  // what no number can show is 0
    s.box(15, 10, 170, 235);
    s.circle(5, 6, 1.3);
    s.setFillStyle(FillStyle::Solid);
    s.setFillColour(colours::kGreen);
    s.circle(5, 6, 0.65);
    s.polygon({{0, 0}, {1, 0}, {0, 1}}, 1.5);  // a triangle, no more than opaque
    s.polygon({{0, 0}, {1, 0}}, 0.5);          // two points are no polygon
    s.setFont({"Times New Roman", 10, true, true});
    s.setPen(0.0004, -0.0004);
    s.print("Ost\trel");
    s.endDoc();
    EXPECT_EQ(s.text(),
              "cls\t#1020ff\n"
              "line\t1.000\t2.500\t-3.250\t0.333\t#ff000a\tdashdot\t10\n"
              "line\t0.000\t0.000\t0.000\t0.000\t#ff000a\tdashdot\t10\n"
              "box\t15.000\t10.000\t170.000\t235.000\t#ff000a\tdashdot\t10\n"
              "circle\t5.000\t6.000\t1.300\t#ff000a\tnone\tdashdot\n"
              "circle\t5.000\t6.000\t0.650\t#ff000a\t#00ff00\tdashdot\n"
              "polygon\t#00ff00\t1.000\t0.000\t0.000\t1.000\t0.000\t0.000\t1.000\n"
              "text\t0.000\t0.000\t#ff000a\tTimes New Roman\t10\t1\t1\tOst rel\n"
              "enddoc\n");
}

// Text that does not fit above the page's foot goes to the next page at the same distance across.
TEST(RecordingSurface, APageTurnKeepsThePenAcross) {
    RecordingSurface s;
    s.setPageHeight(10);
    s.setUnit(SurfaceUnit::CharacterCells);
    s.setPen(4, 2);
    s.print("a");
    EXPECT_EQ(s.text(), "newpage\ntext\t4.000\t0.000\t#000000\tSmall Fonts\t7\t0\t0\ta\n");
}

}  // namespace
}  // namespace qelvar
