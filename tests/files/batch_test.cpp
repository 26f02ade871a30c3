#include "files/batch.h"

#include <gtest/gtest.h>

#include "core/file_io.h"
#include "core/subsector_store.h"
#include "core/text.h"
#include "files/arp.h"
#include "files/folder_files.h"
#include "files/sbs.h"
#include "support/column_line.h"
#include "support/sample_world.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

using testing::lineAt;
using testing::ScriptedPrompter;

// An ARP file of one world at sector location 0101 of the given letter's subsector.
std::string arpOf(const std::string& name, const std::string& letter) {
    SubsectorStore store;
    store.subsectorName = name;
    store.sectorName = "Kestrane Reach";
    store.subsectorLetter = letter;
    store.worlds[1] = testing::sampleWorld(101);
    store.worlds[1].name = name;
    return formatArp(store).value;
}

TEST(BatchNames, StubDashLetterDotSbs) {
    const struct {
        std::string stub, letter, name;
    } cases[] = {
        {"ABC", "D", "/m/ABC-D.SBS"},
        {"SIXSIX", "P", "/m/SIXSIX-P.SBS"},
        {"", "A", "/m/-A.SBS"},
        {"x", "", "/m/x-.SBS"},
        {"../up", "/", "/m/.._up-_.SBS"},  // never a name outside the folder
        {"a", std::string(1, '\0'), "/m/a-_.SBS"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(batchOutputName("/m", c.stub, c.letter), c.name);
        EXPECT_EQ(batchOutputName("/m/", c.stub, c.letter), c.name);
    }
}

TEST(BatchStub, SixCharactersOrLess) {
    const struct {
        std::vector<std::string> answers;
        std::string stub;
        int refusals;
    } cases[] = {
        {{"SIXSIX"}, "SIXSIX", 0},
        {{"SEVENSS", "TOOLONGAGAIN", "ok"}, "ok", 2},
        {{""}, "", 0},  // an empty answer or a cancel is a stub too
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stub);
        ScriptedPrompter prompter;
        for (const auto& a : c.answers) prompter.inputAnswers.push_back(a);
        EXPECT_EQ(askBatchStub(prompter, "Qelvar"), c.stub);
        EXPECT_EQ(prompter.messages(), std::vector<std::string>(c.refusals, "6 Characters or less please!"));
        EXPECT_EQ(prompter.prompts.front().text + "|" + prompter.prompts.front().title, "Give stub of SBS file name|Qelvar");
    }
}

class BatchTest : public testing::TempFolderTest {
protected:
    std::vector<std::string> names() const { return filesOfType(dir_.string(), FileType::Arp); }
};

TEST_F(BatchTest, ConvertsEveryListedFileAndSkipsUnreadableOnes) {
    write("one.arp", arpOf("One", "A"));
    write("two.arp", arpOf("Two", "A"));  // same letter: overwrites the first output
    write("three.ARP", arpOf("Three", "C"));
    std::filesystem::create_directory(path("folder.arp"));  // listed by a file list, but unreadable
    const std::vector<std::string> listed = {"folder.arp", "one.arp", "three.ARP", "two.arp"};

    SubsectorStore store;
    store.appTitle = "Qelvar";
    store.unsavedChanges = 1;
    ScriptedPrompter prompter;
    prompter.inputAnswers.push_back("ST");
    prompter.yesNoAnswers.push_back(true);
    std::vector<std::string> seen;
    const BatchResult result = saveAllInFolderToSbs(
        store, prompter, dir_.string(), listed, "three.ARP",
        [&](std::size_t index, std::size_t count, const std::string& name) {
            seen.push_back(std::to_string(index) + "/" + std::to_string(count) + " " + name);
            return true;
        });

    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(result.written, (std::vector<std::string>{path("ST-A.SBS"), path("ST-C.SBS"), path("ST-A.SBS")}));
    EXPECT_EQ(result.skipped, std::vector<std::string>{"folder.arp"});
    EXPECT_EQ(seen, (std::vector<std::string>{"0/4 folder.arp", "1/4 one.arp", "2/4 three.ARP", "3/4 two.arp", "4/4 "}));
    ASSERT_EQ(prompter.prompts.size(), 3u);  // stub, the unsaved question once, the unreadable file
    EXPECT_EQ(prompter.prompts[1].text, "You have unsaved changes, are you sure?");
    EXPECT_EQ(prompter.prompts[2].text, "Cannot read \"" + path("folder.arp") + "\": Is a directory");
    EXPECT_EQ(prompter.beeps, 2);
    EXPECT_EQ(store.batchMode, 0);
    EXPECT_EQ(store.subsectorName, "Three");  // the file selected before the run is shown again
    EXPECT_EQ(store.unsavedChanges, 0);
    EXPECT_EQ(columns(splitLines(readFileBytes(path("ST-A.SBS")).bytes)[3], 1, 3), "Two");
    EXPECT_EQ(columns(splitLines(readFileBytes(path("ST-C.SBS")).bytes)[3], 21, 24), "1701");
    EXPECT_EQ(readFileBytes(path("one.arp")).bytes, arpOf("One", "A"));  // the originals stay
}

TEST_F(BatchTest, NoToTheUnsavedQuestionEndsTheRunBeforeAnyFile) {
    write("one.arp", arpOf("One", "A"));
    SubsectorStore store;
    store.subsectorName = "Mine";
    store.unsavedChanges = 1;
    ScriptedPrompter prompter;
    prompter.inputAnswers.push_back("ST");
    prompter.yesNoAnswers.push_back(false);
    const BatchResult result = saveAllInFolderToSbs(store, prompter, dir_.string(), names(), "", {});
    EXPECT_TRUE(result.cancelled);
    EXPECT_TRUE(result.written.empty());
    EXPECT_FALSE(std::filesystem::exists(path("ST-A.SBS")));
    EXPECT_EQ(store.subsectorName, "Mine");
    EXPECT_EQ(store.unsavedChanges, 1);
}

TEST_F(BatchTest, WithoutSelectionTheLastFileStaysShown) {
    write("a.arp", arpOf("First", "A"));
    write("b.arp", arpOf("Last", "B"));
    SubsectorStore store;
    ScriptedPrompter prompter;
    prompter.inputAnswers.push_back("");
    const BatchResult result = saveAllInFolderToSbs(store, prompter, dir_.string(), names(), "", {});
    EXPECT_EQ(result.written, (std::vector<std::string>{path("-A.SBS"), path("-B.SBS")}));
    EXPECT_EQ(store.subsectorName, "Last");
    EXPECT_EQ(prompter.prompts.size(), 1u);
}

TEST_F(BatchTest, ProgressCanStopTheRun) {
    write("a.arp", arpOf("First", "A"));
    write("b.arp", arpOf("Last", "B"));
    SubsectorStore store;
    ScriptedPrompter prompter;
    const BatchResult result = convertFilesToSbs(store, prompter, dir_.string(), names(), "S",
                                                 [](std::size_t index, std::size_t, const std::string&) { return index < 1; });
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.written, std::vector<std::string>{path("S-A.SBS")});
    EXPECT_EQ(store.batchMode, 0);
}

}  // namespace
}  // namespace qelvar
