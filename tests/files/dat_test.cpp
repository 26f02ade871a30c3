#include "files/dat.h"

#include <gtest/gtest.h>

#include "core/subsector_store.h"
#include "files/loader.h"
#include "support/column_line.h"
#include "support/notices.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

using testing::lineAt;
using testing::texts;
using testing::ScriptedPrompter;

const std::string kHeader = "Subsector: Alpha  Sector: Outer Reach";

std::string datWorld(const char* name, const char* hex, const char* gasGiants = "3") {
    return lineAt({{1, name}, {15, hex}, {20, "a788899"}, {27, "-"}, {28, "c"}, {31, "n"}, {33, "Ni Po Cp"},
                   {49, "a"}, {52, "21"}, {54, gasGiants}, {56, "vO"}});
}

std::string datFile(const std::vector<std::string>& lines, const std::string& eol = "\r\n") {
    std::string bytes = kHeader + eol;
    for (const auto& line : lines) bytes += line + eol;
    return bytes;
}

TEST(DatIndex, LetterFromTheFirstMatchingLine) {
    const std::string index = "A alpha.dat  first\r\n   d spin.dat Spinward\r\nE spin.dat again\r\nQ UPPER.DAT\r\n";
    const struct {
        const char* name;
        std::optional<std::string> letter;
    } cases[] = {
        {"spin.dat", "D"},   // leading blanks skipped, letter upper-cased, first match wins
        {"alpha.dat", "A"},
        {"UPPER.DAT", std::nullopt},  // only the line is lower-cased: an upper-case name never matches
        {"other.dat", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(letterFromDataIndex(index, c.name), c.letter);
    }
    EXPECT_EQ(letterFromDataIndex("", "spin.dat"), std::nullopt);
}

TEST(DatHeader, NamesAroundTheWordSector) {
    const struct {
        std::string header, subsector, sector;
    } cases[] = {
        {kHeader, "Alpha", "Outer Reach"},
        {"subsector:  Deep Well sector: Far Line  ", "Deep Well", "Far Line"},
        {"Subsector Alpha Sector Outer Reach", "", ""},  // no colon
        {"Subsector: Alpha, Outer Reach", "", ""},       // no SECTOR after the colon
        {"Alpha:Sector", "", ""},                          // nothing after the word, no blank before it
        {"", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.header);
        const DatHeaderNames names = splitDatHeader(c.header);
        EXPECT_EQ(names.subsectorName, c.subsector);
        EXPECT_EQ(names.sectorName, c.sector);
    }
}

TEST(DatReader, FieldsFromTheirColumns) {
    SubsectorStore store;
    const Notices notices = readDat(store, datFile({datWorld("Hollowmere 123456", "2504")}), "D");
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(store.subsectorName + "|" + store.sectorName + "|" + store.subsectorLetter, "Alpha|Outer Reach|D");
    const WorldRecord& w = store.worlds[4];  // sector hex 2504 of subsector D is location 104
    EXPECT_EQ(w.location, 104);
    const std::string fields = w.name.str() + "|" + w.uwp.str() + w.base.str() + w.zone.str() + w.gasGiant.str() + "|" +
                               w.tradeCodes.str() + "|" + w.pag.str() + "|" + w.allegiance.str() + "|" +
                               w.star1.str() + w.star2.str() + w.star3.str() + "|" + w.facility.str() + "|" +
                               std::string(w.notes.trimmed()) + "|" + std::to_string(w.cargoBase);
    EXPECT_EQ(fields, "Hollowmere 123      |A788899CNAG|Ni Po Cp       |213|vO|                  |  ||0");
}

TEST(DatReader, CommentsGasGiantsAndWorldsOutside) {
    const struct {
        const char* name;
        std::string file;
        std::string letter;
        std::vector<std::string> messages;
        int slot, location;  // where the last line landed
        const char* gasGiant;
    } cases[] = {
        {"no gas giant", datFile({datWorld("Dry", "0101", "0")}), "A", {}, 1, 101, " "},
        {"two gas giants", datFile({datWorld("Wet", "0101", "2")}), "A", {}, 1, 101, "G"},
        {"comments skipped", datFile({datWorld("Kept", "0203"), "#0101 comment", "$ also a comment"}), "A", {}, 13,
         203, "G"},
        {"LF only, trailing empty line", datFile({datWorld("Kept", "0203"), ""}, "\n"), "A", {}, 81, 0, " "},
        {"blank line in subsector A", datFile({""}), "A", {}, 81, 0, " "},
        {"first world outside goes silently", datFile({datWorld("Far", "0911")}), "A", {}, 0, 911, "G"},
        {"further worlds outside are reported",
         datFile({datWorld("Far", "0911"), datWorld("Farther", "1011"), lineAt({{15, "1111"}}), datWorld("Last", "1211")}),
         "A", {"FAILED  911 1011", "FAILED  1111 1211"}, 0, 1211, "G"},
        {"unknown letter", datFile({datWorld("Near", "0305"), datWorld("Far", "2504")}), "Z", {"DUFF SS LETTER"}, 0,
         2504, "G"},
        {"header only", kHeader, "B", {}, 1, 0, "\0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SubsectorStore store;
        EXPECT_EQ(texts(readDat(store, c.file, c.letter)), c.messages);
        EXPECT_EQ(store.worlds[c.slot].location, c.location);
        EXPECT_EQ(store.worlds[c.slot].gasGiant.str(), std::string(c.gasGiant, 1));
    }
}

class DatLoadTest : public testing::TempFolderTest {
protected:
    void SetUp() override {
        TempFolderTest::SetUp();
        write("reachd.dat", datFile({datWorld("Hollowmere", "2504")}));
        write("reachb.dat", datFile({datWorld("Beacon", "0903")}));
        write("REACHD.DAT", datFile({datWorld("Upper", "2504")}));
    }
    LoadStatus load(SubsectorStore& store, ScriptedPrompter& prompter, const std::string& name) {
        return loadSubsectorFile(store, prompter, path(name), {dir_.string(), name, {}});
    }
};

TEST_F(DatLoadTest, LetterFromTheIndexOrAskedFor) {
    write("DATA.MNU", "D reachd.dat  Reach, trailing\r\nC reachc.dat\r\n");
    const struct {
        const char* file;
        std::vector<std::string> answers;
        int slot;
        std::string letter;
    } cases[] = {
        {"reachd.dat", {}, 4, "D"},                 // from the index: no question
        {"reachb.dat", {"b"}, 3, "B"},              // not in the index: asked, answer upper-cased
        {"REACHD.DAT", {"d"}, 4, "D"},              // upper-case name never matches the lower-cased line
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        SubsectorStore store;
        store.appTitle = "Qelvar";
        ScriptedPrompter prompter;
        for (const auto& a : c.answers) prompter.inputAnswers.push_back(a);
        ASSERT_EQ(load(store, prompter, c.file), LoadStatus::Loaded);
        EXPECT_EQ(prompter.prompts.size(), c.answers.size());
        if (!c.answers.empty()) {
            EXPECT_EQ(prompter.prompts[0].text, "Give subsector letter");
            EXPECT_EQ(prompter.prompts[0].title, "Qelvar");
        }
        EXPECT_EQ(store.subsectorLetter, c.letter);
        EXPECT_TRUE(store.worlds[c.slot].occupied());
        EXPECT_EQ(prompter.busyDepth, 0);
    }
}

TEST_F(DatLoadTest, MissingIndexAsksAndCancelLeavesAnEmptyStore) {
    SubsectorStore store;
    store.subsectorName = "Before";
    store.worlds[1].location = 101;
    ScriptedPrompter cancelled;
    cancelled.inputAnswers.push_back("");
    EXPECT_EQ(load(store, cancelled, "reachd.dat"), LoadStatus::Cancelled);
    EXPECT_EQ(cancelled.prompts.size(), 1u);
    EXPECT_FALSE(store.worlds[1].occupied());
    EXPECT_EQ(store.subsectorName + store.sectorName + store.subsectorLetter, "");

    ScriptedPrompter again;  // a following load works normally
    again.inputAnswers.push_back("d");
    EXPECT_EQ(load(store, again, "reachd.dat"), LoadStatus::Loaded);
    EXPECT_EQ(store.worlds[4].location, 104);
    EXPECT_EQ(store.subsectorName, "Alpha");
}

}  // namespace
}  // namespace qelvar
