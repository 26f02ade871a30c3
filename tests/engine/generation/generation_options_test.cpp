#include "generation/generation_options.h"

#include <gtest/gtest.h>

namespace qelvar {
namespace {

TEST(FeatureRows, ModifyChanceRewritesOnlyColumnsThirteenAndFourteen) {
    const std::string row = "Pr          01%";
    ASSERT_EQ(featureRow("Pr", 1), row);
    const struct {
        const char* answer;
        const char* row;
        float chance;
    } cases[] = {
        {"7", "Pr          07%", 7},   {"", "Pr          01%", 1},       {"100", "Pr          10%", 10},
        {"42", "Pr          42%", 42}, {"2.5", "Pr          03%", 3},    {" 9 ", "Pr          09%", 9},
        {"abc", "Pr          00%", 0}, {"1e300", "Pr          10%", 10}, {"-5", "Pr          -0%", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        const std::string changed = rowWithChance(row, c.answer);
        EXPECT_EQ(changed, c.row);
        EXPECT_EQ(featureOfRow(changed), (FeatureChance{"Pr", c.chance}));
    }
    EXPECT_EQ(rowWithChance("Ex", "5"), "Ex          05");  // a short row is padded, never overrun
}

}  // namespace
}  // namespace qelvar
