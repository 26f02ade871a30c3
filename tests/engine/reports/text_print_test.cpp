#include <gtest/gtest.h>

#include <sstream>

#include "seams/recording_surface.h"
#include "reports/text_print.h"

namespace qelvar {
namespace {

struct TextOp {
    double x, y;
    bool bold;
    std::string text;
};

// The text operations of a recording, and how often it ended the document.
std::vector<TextOp> textOps(const RecordingSurface& surface, int* endDocs = nullptr) {
    std::vector<TextOp> ops;
    std::istringstream in(surface.text());
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> f;
        std::istringstream fields(line);
        for (std::string field; std::getline(fields, field, '\t');) f.push_back(field);
        if (f[0] == "enddoc" && endDocs) ++*endDocs;
        if (f[0] != "text") continue;
        EXPECT_EQ(f[4] + "/" + f[5], "Times New Roman/10");
        ops.push_back({std::stod(f[1]), std::stod(f[2]), f[6] == "1", f.size() > 8 ? f[8] : ""});
    }
    return ops;
}

std::vector<std::string> texts(const std::vector<TextOp>& ops, std::size_t from = 0) {
    std::vector<std::string> out;
    for (std::size_t i = from; i < ops.size(); ++i) out.push_back(ops[i].text);
    return out;
}

TEST(TextPrint, TimeStampTail) {
    std::tm when{};
    when.tm_year = 2026 - 1900, when.tm_mon = 0, when.tm_mday = 9, when.tm_hour = 7, when.tm_min = 3;
    EXPECT_EQ(timeStampSuffix(when), "  09/Jan/2026 07:03: ");
    when.tm_mon = 11, when.tm_mday = 25, when.tm_hour = 16, when.tm_min = 55;
    EXPECT_EQ(timeStampSuffix(when), "  25/Dec/2026 16:55: ");
}

TEST(TextPrint, HeadingInBoldThenAnEmptyLine) {
    RecordingSurface surface;
    int endDocs = 0;
    printWrappedText(surface, "Edit notes for X", "oneword", 190);
    const auto ops = textOps(surface, &endDocs);
    // A text without blanks is one word on the line after the heading and the empty line.
    ASSERT_EQ(texts(ops), (std::vector<std::string>{"Edit notes for X", "", " ", "oneword"}));
    EXPECT_TRUE(ops[0].bold);
    EXPECT_FALSE(ops[1].bold);
    EXPECT_EQ(ops[3].y, ops[2].y);
    EXPECT_GT(ops[2].y, ops[1].y);
    EXPECT_EQ(endDocs, 1);
}

TEST(TextPrint, WordsWrapWhenLessThanTheMarginIsLeft) {
    RecordingSurface surface;
    // 40 mm of line: after the first word less than 2000 twips (35.3 mm) are left.
    printWrappedText(surface, "H", "alpha beta gamma", 40);
    const auto ops = textOps(surface);
    ASSERT_EQ(texts(ops, 2), (std::vector<std::string>{" ", "alpha", "", "beta", "", "gamma"}));
    EXPECT_EQ(ops[5].x, 0);
    EXPECT_GT(ops[5].y, ops[3].y);
    EXPECT_GT(ops[7].y, ops[5].y);

    RecordingSurface wide;
    printWrappedText(wide, "H", "alpha beta gamma ", 500);
    const auto flat = textOps(wide);
    for (std::size_t i = 2; i < flat.size(); ++i) EXPECT_EQ(flat[i].y, flat[2].y) << i;
    EXPECT_EQ(flat.back().text, "gamma");
}

TEST(TextPrint, LineBreaksInTheTextEndLines) {
    RecordingSurface surface;
    int lineEnds = 0;
    printWrappedText(surface, "H", "first\r\nsecond", 500, [&] { ++lineEnds; });
    const auto ops = textOps(surface);
    ASSERT_EQ(texts(ops, 3), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(ops[4].x, 0);
    EXPECT_GT(ops[4].y, ops[3].y);
    EXPECT_EQ(lineEnds, 2);
}

TEST(TextPrint, SelectionPrintsAsItIs) {
    RecordingSurface empty, two;
    int endDocs = 0;
    printSelectedText(empty, "Heading", "");
    EXPECT_EQ(texts(textOps(empty, &endDocs)), (std::vector<std::string>{"Heading", "", ""}));
    EXPECT_EQ(endDocs, 1);
    printSelectedText(two, "Heading", "a  b\nc");
    EXPECT_EQ(texts(textOps(two), 2), (std::vector<std::string>{"a  b", "c"}));
    RecordingSurface leading;
    printSelectedText(leading, "Heading", "\nc");
    EXPECT_EQ(texts(textOps(leading), 2), (std::vector<std::string>{"", "c"}));
}

}  // namespace
}  // namespace qelvar
