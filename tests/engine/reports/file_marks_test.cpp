#include "reports/file_marks.h"

#include <gtest/gtest.h>

#include "support/column_line.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

using testing::lineAt;
using testing::ScriptedPrompter;

TEST(MarkFromMask, PrefixIgnoringCase) {
    const std::vector<std::string> names = {"SPINWARD.SBS", "spin.sbs", "Sp", "other.sbs", "\xe9spin.sbs"};
    const struct {
        std::string mask;
        std::vector<bool> marks;
    } cases[] = {
        {"spin", {true, true, false, false, false}},
        {"", {true, true, true, true, true}},
        {"\xe9", {false, false, false, false, true}},
        {"spinward.sbs.bak", {false, false, false, false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mask);
        EXPECT_EQ(namesMatchingMask(names, c.mask), c.marks);
    }
    ScriptedPrompter cancelled;
    cancelled.inputAnswers.push_back("");
    EXPECT_EQ(markFromMask(cancelled, "Qelvar", names), std::vector<bool>(5, true));  // no answer: the empty mask
    EXPECT_EQ(cancelled.prompts.at(0).text, "Give first n characters to match");
}

using SubsectorIndexTest = testing::TempFolderTest;

TEST_F(SubsectorIndexTest, OneLinePerFileOfEachType) {
    write("ostrel.sbs", "Ostrel Drift\r\nKestrane Reach\r\n" + lineAt({{1, "Name"}, {79, "C"}}) + "\r\nworld\r\n");
    write("short.sbs", "Only a name\r\n");
    write("table.arp", "\r\nKestrane Reach\r\n\r\n" + lineAt({{1, "Subsector Varnholt"}, {32, "(F)"}}) + "\r\n");
    write("reachd.dat", "Subsector: Alpha  Sector: Outer Reach\r\n");
    write("nodot", "Subsector: Beta\r\n");
    // A DAT line takes its letter from the name and columns 14-35 of the header.
    const struct {
        FileType type;
        std::vector<std::string> names;
        std::string text;
    } cases[] = {
        {FileType::Sbs,
         {"ostrel.sbs", "short.sbs", "missing.sbs"},
         "Subsector index:\r\n\r\nC Ostrel Drift\r\n Only a name\r\n"},
        {FileType::Arp, {"table.arp"}, "Subsector index:\r\n\r\nF Varnholt             \r\n"},
        {FileType::Dat, {"reachd.dat", "nodot"}, "Subsector index:\r\n\r\nD pha  Sector: Outer Rea\r\nT ta\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.type));
        EXPECT_EQ(subsectorIndexText(dir_.string(), c.names, c.type, "\r\n"), c.text);
    }
    ScriptedPrompter prompter;
    showSubsectorIndex(prompter, dir_.string(), {}, FileType::Dat);
    ASSERT_EQ(prompter.prompts.size(), 1u);
    EXPECT_EQ(prompter.prompts[0].text, "Subsector index:\r\n\r\n");
    EXPECT_EQ(*filesOfType(dir_.string(), FileType::Sbs), (std::vector<std::string>{"ostrel.sbs", "short.sbs"}));
}

}  // namespace
}  // namespace qelvar
