#include "files/dat.h"

#include <gtest/gtest.h>

#include "store/subsector_store.h"
#include "files/loader.h"
#include "support/column_line.h"
#include "support/notices.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

using testing::lineAt;
using testing::lineOf;
using testing::ScriptedPrompter;
using testing::texts;

const std::string kHeader = "Subsector: Alpha  Sector: Outer Reach";

std::string datWorld(const char* name, const char* hex, const char* gasGiants = "3") {
    return lineOf(std::string("1:") + name + "|15:" + hex +
                  "|20:a788899|27:-|28:c|31:n|33:Ni Po Cp|49:a|52:21|54:" + gasGiants + "|56:vO|");
}

std::string datFile(const std::vector<std::string>& lines, const std::string& eol = "\r\n") {
    std::string bytes = kHeader + eol;
    for (const auto& line : lines) bytes += line + eol;
    return bytes;
}

TEST(DatIndex, LetterFromTheFirstMatchingLine) {
    const std::string index = "A alpha.dat  first\r\n   d spin.dat Spinward\r\nE spin.dat again\r\nQ UPPER.DAT\r\n";
    EXPECT_EQ(letterFromDataIndex(index, "spin.dat"), "D");  // leading blanks skipped, upper-cased, first match wins
    EXPECT_EQ(letterFromDataIndex(index, "UPPER.DAT"), std::nullopt);  // only the line is lower-cased
    EXPECT_EQ(letterFromDataIndex(index, "other.dat"), std::nullopt);
    EXPECT_EQ(letterFromDataIndex("", "spin.dat"), std::nullopt);
}

TEST(DatHeader, NamesAroundTheWordSector) {
    const auto split = [](const std::string& header) {
        const DatHeaderNames names = splitDatHeader(header);
        return names.subsectorName + "|" + names.sectorName;
    };
    EXPECT_EQ(split(kHeader), "Alpha|Outer Reach");
    EXPECT_EQ(split("subsector:  Deep Well sector: Far Line  "), "Deep Well|Far Line");
    EXPECT_EQ(split("Subsector:Near Sector:Far"), "Near|Far");
    EXPECT_EQ(split("Subsector:NearSector:Far"),
              "Near|");  // run into the word; the sector name needs a blank before it
    EXPECT_EQ(split("Subsector Alpha Sector Outer Reach"), "|");  // no colon
}

TEST(DatReader, FieldsFromTheirColumns) {
    SubsectorStore store;
    const Notices notices = readDat(store, datFile({datWorld("Hollowmere 123456", "2504")}), "D");
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(store.subsectorName + "|" + store.sectorName + "|" + store.subsectorLetter, "Alpha|Outer Reach|D");
    const WorldRecord& w = store.worlds[4];  // sector hex 2504 of subsector D is location 104
    EXPECT_EQ(w.location, 104);
    const std::string fields = w.name.str() + "|" + w.uwp.str() + w.base.str() + w.zone.str() + w.gasGiant.str() + "|" +
                               w.tradeCodes.str() + "|" + w.pag.str() + "|" + w.allegiance.str() + "|" + w.star1.str() +
                               w.star2.str() + w.star3.str() + "|" + w.facility.str() + "|" +
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
        {"comments skipped", datFile({datWorld("Kept", "0203"), "#0101 comment", "$ comment"}), "A", {}, 13, 203, "G"},
        {"LF only, trailing empty line", datFile({datWorld("Kept", "0203"), ""}, "\n"), "A", {}, 81, 0, " "},
        {"first world outside goes silently", datFile({datWorld("Far", "0911")}), "A", {}, 0, 911, "G"},
        {"further worlds outside are reported",
         datFile(
             {datWorld("Far", "0911"), datWorld("Farther", "1011"), lineAt({{15, "1111"}}), datWorld("Last", "1211")}),
         "A",
         {"FAILED  911 1011", "FAILED  1111 1211"},
         0,
         1211,
         "G"},
        {"letter Z", datFile({datWorld("In", "0305"), datWorld("Out", "2504")}), "Z", {"DUFF SS LETTER"}, 0, 2504, "G"},
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

using DatLoadTest = testing::TempFolderTest;

TEST_F(DatLoadTest, LetterFromTheIndexOrAskedForAndCancelLeavesAnEmptyStore) {
    write("reachd.dat", datFile({datWorld("Hollowmere", "2504")}));
    write("reachb.dat", datFile({datWorld("Beacon", "0903")}));
    write("DATA.MNU", "D reachd.dat  Reach, trailing\r\nC reachc.dat\r\n");
    const auto load = [&](SubsectorStore& store, ScriptedPrompter& prompter, const std::string& name) {
        return loadSubsectorFile(store, prompter, path(name), {dir_.string(), name, {}});
    };
    SubsectorStore store;
    ScriptedPrompter fromIndex;  // in the index: no question
    ASSERT_EQ(load(store, fromIndex, "reachd.dat"), LoadStatus::Loaded);
    EXPECT_TRUE(fromIndex.prompts.empty());
    EXPECT_EQ(store.subsectorLetter + std::to_string(store.worlds[4].location), "D104");
    ScriptedPrompter asked;  // not in the index: asked, the answer upper-cased
    asked.inputAnswers.push_back("b");
    ASSERT_EQ(load(store, asked, "reachb.dat"), LoadStatus::Loaded);
    EXPECT_EQ(asked.prompts.at(0).text, "Give subsector letter");
    EXPECT_EQ(store.subsectorLetter + std::to_string(store.worlds[3].location), "B103");
    ScriptedPrompter cancelled;
    cancelled.inputAnswers.push_back("");
    EXPECT_EQ(load(store, cancelled, "reachb.dat"), LoadStatus::Cancelled);
    EXPECT_FALSE(store.worlds[3].occupied());
    EXPECT_EQ(store.subsectorName + store.sectorName + store.subsectorLetter, "");
}

}  // namespace
}  // namespace qelvar
