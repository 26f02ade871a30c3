#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "store/subsector_store.h"
#include "map/map_printing.h"
#include "seams/recording_surface.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

using testing::ScriptedPrompter;

// An SBS file holding one world, named for its subsector.
std::string sbsFile(const std::string& name) {
    std::string header = "Name                 Hex  SDAHPGLT I G Z PAG Al Star 1 Star 2 Star 3 Notes SS=";
    header.resize(78, ' ');
    std::string world = "World " + name;
    world.resize(20, ' ');
    return name + "\r\nKestrane Reach\r\n" + header + "A\r\n" + world + "0305  B5446539\r\n";
}

class BatchPrintTest : public testing::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        store.buildHexCodes();
        for (int i = 1; i <= 6; ++i) {
            const std::string name = "entry" + std::to_string(i);
            files.names.push_back(name + ".sbs");
            files.selected.push_back(false);
            write(name + ".sbs", sbsFile(name));
        }
        files.folder = dir_.string();
        hooks.askOptions = [this] {
            ++optionsShown;
            return options;
        };
        hooks.fileLoaded = [this](const std::string& name) { shown.push_back(name); };
    }

    // The subsectors whose map titles were printed, in order; the ops lines are kept in `lines`.
    std::vector<std::string> run(bool unsavedChanges = false) {
        printed = printAllSelected(store, printer, prompter, files, hooks, unsavedChanges);
        std::vector<std::string> titles;
        std::istringstream in(printer.text());
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
            const std::string title = line.substr(line.rfind('\t') + 1);
            if (line.starts_with("text\t") && line.find("\t10\t") != std::string::npos && title.starts_with("entry")) {
                titles.push_back(title.substr(0, title.find('/')));
            }
        }
        return titles;
    }

    SubsectorStore store;
    ScriptedPrompter prompter;
    RecordingSurface printer;
    BatchPrintFiles files;
    BatchPrintHooks hooks;
    PrintOptions options;
    int optionsShown = 0;
    int printed = 0;
    std::vector<std::string> shown;
    std::vector<std::string> lines;
};

// Entries 1, 3 and 6 of 6 selected: in list order, or from the last entry up with "Reverse order ?".
class BatchPrintOrderTest : public BatchPrintTest, public ::testing::WithParamInterface<bool> {};

TEST_P(BatchPrintOrderTest, OrderAndTheOptionsShownOnceAtTheStartAndOncePerFile) {
    std::vector<std::string> titles{"entry1", "entry3", "entry6"};
    if (GetParam()) std::reverse(titles.begin(), titles.end());
    files.selected[0] = files.selected[2] = files.selected[5] = true;
    files.reverseOrder = GetParam();
    EXPECT_EQ(run(), titles);
    EXPECT_EQ(optionsShown, 4);
    EXPECT_EQ(printed, 3);
    for (std::string& title : titles) title += ".sbs";
    EXPECT_EQ(shown, titles);
    EXPECT_EQ(prompter.beeps, 2);
    EXPECT_EQ(lines.back(), "enddoc");
}

INSTANTIATE_TEST_SUITE_P(Reverse, BatchPrintOrderTest, ::testing::Bool());

TEST_F(BatchPrintTest, AListingLeftOpenIsFollowedByANewPageAndTheBatchEndsTheJob) {
    files.selected[0] = files.selected[2] = true;
    options.scaleToOnePage = true;
    options.landscape = false;
    options.withListing = true;
    EXPECT_EQ(run().size(), 2u);
    // Both on one job, the second subsector on a page of its own; the job ends once, at the end.
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "newpage"), 1);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "enddoc"), 1);
}

TEST_F(BatchPrintTest, AnUnreadableFileIsReportedAndSkipped) {
    files.selected[0] = files.selected[3] = files.selected[5] = true;
    std::filesystem::remove(path("entry4.sbs"));
    EXPECT_EQ(run(), (std::vector<std::string>{"entry1", "entry6"}));
    ASSERT_EQ(prompter.messages().size(), 1u);
    EXPECT_NE(prompter.messages()[0].find("entry4.sbs"), std::string::npos);
}

TEST_F(BatchPrintTest, UnsavedChangesAreAskedAboutFirst) {
    files.selected[0] = true;
    prompter.yesNoAnswers = {false};
    EXPECT_TRUE(run(true).empty());
    EXPECT_EQ(optionsShown, 0);
    EXPECT_TRUE(lines.empty());

    prompter.yesNoAnswers = {true};
    EXPECT_EQ(run(true), std::vector<std::string>{"entry1"});
}

}  // namespace
}  // namespace qelvar
