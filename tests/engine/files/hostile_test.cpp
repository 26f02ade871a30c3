// Every file of tests/data/hostile loads without harm and gives exactly the messages listed for it.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "store/file_io.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "files/loader.h"
#include "files/sbs.h"
#include "support/scripted_prompter.h"

namespace qelvar {
namespace {

std::map<std::string, std::vector<std::string>> expectedMessages(const std::string& folder) {
    std::map<std::string, std::vector<std::string>> expected;
    const auto manifest = readFileBytes(folder + "/expected-messages.txt");
    EXPECT_TRUE(manifest.ok()) << manifest.error();
    if (!manifest) return {};
    std::string current;
    for (const std::string_view line : splitLines(*manifest)) {
        if (line.starts_with("#")) continue;
        if (line.starts_with("== ")) {
            current = line.substr(3);
            expected[current];
        } else {
            expected[current].emplace_back(line);
        }
    }
    return expected;
}

TEST(HostileFiles, EachLoadsWithItsMessagesAndWritesBackSafely) {
    const std::string folder = std::string(QELVAR_TEST_DATA) + "/hostile";
    const auto expected = expectedMessages(folder);
    std::size_t walked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename();
        if (name == "expected-messages.txt" || !entry.is_regular_file()) continue;  // fuzz/ has its own test
        SCOPED_TRACE(name);
        const auto it = expected.find(name);
        ASSERT_NE(it, expected.end()) << "no expected messages listed";
        ++walked;
        SubsectorStore store;
        testing::ScriptedPrompter prompter;
        ASSERT_EQ(loadSubsectorFile(store, prompter, entry.path().string()), LoadStatus::Loaded);
        EXPECT_EQ(prompter.messages(), it->second);
        // Whatever was read writes out and reads back into the same worlds.
        store.refreshStatistics();
        const std::string written = formatSbs(store).value;
        SubsectorStore again;
        readSbs(again, written);
        for (int slot = 1; slot <= kHexCount; ++slot) {
            EXPECT_EQ(again.worlds[slot].location, store.worlds[slot].location) << slot;
            EXPECT_EQ(again.worlds[slot].name.shown(), store.worlds[slot].name.shown()) << slot;
        }
    }
    EXPECT_EQ(walked, expected.size());
}

}  // namespace
}  // namespace qelvar
