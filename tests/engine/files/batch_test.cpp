#include "files/batch.h"

#include <gtest/gtest.h>

#include "store/file_io.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "files/arp.h"
#include "files/folder_files.h"
#include "files/sbs.h"
#include "support/sample_world.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

using testing::ScriptedPrompter;

// One world at sector location 0101 of the given letter's subsector.
SubsectorStore subsectorOf(const std::string& name, const std::string& letter) {
    SubsectorStore store;
    store.subsectorName = name;
    store.sectorName = "Kestrane Reach";
    store.subsectorLetter = letter;
    store.worlds[1] = testing::sampleWorld(101);
    store.worlds[1].name = name;
    return store;
}
std::string arpOf(const std::string& name, const std::string& letter) {
    return formatArp(subsectorOf(name, letter)).value;
}

TEST(BatchNames, StubDashLetterDotSbs) {
    const struct {
        std::string stub, letter, name;
    } cases[] = {{"ABC", "D", "/m/ABC-D.SBS"},
                 {"", "A", "/m/-A.SBS"},
                 {"../up", "/", "/m/.._up-_.SBS"},  // never a name outside the folder
                 {"a", std::string(1, '\0'), "/m/a-_.SBS"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(batchOutputName("/m", c.stub, c.letter), c.name);
        EXPECT_EQ(batchOutputName("/m/", c.stub, c.letter), c.name);
    }
}

TEST(BatchStub, SixCharactersOrLess) {
    ScriptedPrompter prompter;
    for (const char* answer : {"SEVENSS", "TOOLONGAGAIN", "ok"}) prompter.inputAnswers.push_back(answer);
    EXPECT_EQ(askBatchStub(prompter, "Qelvar"), "ok");
    EXPECT_EQ(prompter.messages(), std::vector<std::string>(2, "6 Characters or less please!"));
    EXPECT_EQ(prompter.prompts.front().text, "Give stub of SBS file name");
}

class BatchTest : public testing::TempFolderTest {
protected:
    std::vector<std::string> names() const { return *filesOfType(dir_.string(), FileType::Arp); }
};

TEST_F(BatchTest, ConvertsEveryListedFileAndSkipsUnreadableOnes) {
    write("one.arp", arpOf("One", "A"));
    write("two.arp", arpOf("Two", "A"));  // same letter: one output, from the later file, and said
    write("three.ARP", arpOf("Three", "C"));
    std::filesystem::create_directory(path("folder.arp"));  // listed by a file list, but unreadable
    const std::vector<std::string> listed = {"folder.arp", "one.arp", "three.ARP", "two.arp"};

    SubsectorStore store;
    ScriptedPrompter prompter;
    prompter.inputAnswers.push_back("ST");
    prompter.yesNoAnswers.push_back(true);
    std::vector<std::string> seen;
    const BatchResult result =
        saveAllInFolderToSbs(store, prompter, dir_.string(), listed, "three.ARP", true,
                             [&](std::size_t index, std::size_t count, const std::string& name) {
                                 seen.push_back(std::to_string(index) + "/" + std::to_string(count) + " " + name);
                                 return true;
                             });

    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(result.written, (std::vector<std::string>{path("ST-A.SBS"), path("ST-C.SBS")}));
    EXPECT_EQ(result.skipped, std::vector<std::string>{"folder.arp"});
    EXPECT_EQ(seen,
              (std::vector<std::string>{"0/4 folder.arp", "1/4 one.arp", "2/4 three.ARP", "3/4 two.arp", "4/4 "}));
    ASSERT_EQ(prompter.prompts.size(), 4u);  // stub, the unsaved question once, the unreadable file, the twin
    EXPECT_EQ(prompter.prompts[1].text, "You have unsaved changes, are you sure?");
    EXPECT_EQ(prompter.prompts[2].text, "Cannot read \"" + path("folder.arp") + "\": Is a directory");
    EXPECT_EQ(prompter.prompts[3].text,
              "two.arp and one.arp hold the same subsector A: ST-A.SBS is written from two.arp");
    EXPECT_EQ(store.subsectorName, "Three");  // the file selected before the run is shown again
    EXPECT_EQ(columns(splitLines((*readFileBytes(path("ST-A.SBS"))))[3], 1, 3), "Two");
    EXPECT_EQ((*readFileBytes(path("one.arp"))), arpOf("One", "A"));  // the originals stay
}

TEST_F(BatchTest, AnInputNamedLikeAnOutputIsReadBeforeItIsReplaced) {
    write("A.sbs", formatSbs(subsectorOf("Bravo", "B")).value);
    write("Y-B.SBS", formatSbs(subsectorOf("Delta", "D")).value);  // the user's own, named as A.sbs's output
    SubsectorStore store;
    ScriptedPrompter prompter;
    const BatchResult result = convertFilesToSbs(store, prompter, dir_.string(), {"A.sbs", "Y-B.SBS"}, "Y");
    EXPECT_EQ(result.written, (std::vector<std::string>{path("Y-B.SBS"), path("Y-D.SBS")}));
    EXPECT_EQ(splitLines(*readFileBytes(path("Y-B.SBS")))[0], "Bravo");
    EXPECT_EQ(splitLines(*readFileBytes(path("Y-D.SBS")))[0], "Delta");  // read before it was replaced

    std::filesystem::create_directory(path("Z-B.SBS"));  // an output that cannot be written
    const BatchResult blocked = convertFilesToSbs(store, prompter, dir_.string(), {"A.sbs", "Y-D.SBS"}, "Z");
    EXPECT_EQ(blocked.written, std::vector<std::string>{path("Z-D.SBS")});
    EXPECT_EQ(blocked.skipped, std::vector<std::string>{"A.sbs"});
    EXPECT_EQ(prompter.messages().back(), "Cannot write \"" + path("Z-B.SBS") + "\": Is a directory");

    // A file of an unknown letter is told so on reading and on writing, and is written all the same.
    write("odd.sbs", formatSbs(subsectorOf("Echo", "q")).value);
    ScriptedPrompter told;
    EXPECT_EQ(convertFilesToSbs(store, told, dir_.string(), {"odd.sbs"}, "Y").written,
              std::vector<std::string>{path("Y-q.SBS")});
    EXPECT_EQ(told.messages(), (std::vector<std::string>{"DUFF SS LETTER", "DUFF SS LETTER"}));
}

TEST_F(BatchTest, NoToTheUnsavedQuestionStopsTheRunAsDoesTheProgress) {
    write("a.arp", arpOf("First", "A"));
    write("b.arp", arpOf("Last", "B"));
    SubsectorStore store;
    store.subsectorName = "Mine";
    ScriptedPrompter prompter;
    prompter.inputAnswers.push_back("ST");
    prompter.yesNoAnswers.push_back(false);
    const BatchResult refused = saveAllInFolderToSbs(store, prompter, dir_.string(), names(), "", true);
    EXPECT_TRUE(refused.cancelled);
    EXPECT_TRUE(refused.written.empty());
    EXPECT_FALSE(std::filesystem::exists(path("ST-A.SBS")));
    EXPECT_EQ(store.subsectorName, "Mine");

    prompter.inputAnswers.push_back("");
    prompter.yesNoAnswers.push_back(true);
    const BatchResult all = saveAllInFolderToSbs(store, prompter, dir_.string(), names(), "", true);
    EXPECT_EQ(all.written, (std::vector<std::string>{path("-A.SBS"), path("-B.SBS")}));
    EXPECT_EQ(store.subsectorName, "Last");  // without a selection the last file stays shown
    const auto onlyTheFirst = [](std::size_t index, std::size_t, const std::string&) { return index < 1; };
    const BatchResult stopped = convertFilesToSbs(store, prompter, dir_.string(), names(), "S", onlyTheFirst);
    EXPECT_TRUE(stopped.cancelled);
    EXPECT_EQ(stopped.written, std::vector<std::string>{path("S-A.SBS")});
}

}  // namespace
}  // namespace qelvar
