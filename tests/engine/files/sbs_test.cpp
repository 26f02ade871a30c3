#include "files/sbs.h"

#include <gtest/gtest.h>

#include "store/file_io.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "files/loader.h"
#include "support/column_line.h"
#include "support/notices.h"
#include "support/sample_world.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

using testing::ScriptedPrompter;

using testing::lineAt;
using testing::lineOf;

std::string sbsFile(const std::string& letter, const std::vector<std::string>& worlds,
                    const std::string& eol = "\r\n") {
    std::string bytes = "Ostrel Drift" + eol + "Kestrane Reach" + eol +
                        lineOf("1:Name|22:Hex|27:SDAHPGLT|36:I G Z PAG Al Star 1 Star 2 Star 3 Notes SS=|") + letter +
                        eol;
    for (const auto& w : worlds) bytes += w + eol;
    return bytes;
}

std::string world(const char* name, const char* hex, const char* uwp) {
    return lineAt({{1, name}, {21, hex}, {27, uwp}});
}

TEST(SbsWriter, FieldsAtTheirColumns) {
    SubsectorStore store;
    EXPECT_TRUE(readSbs(store, sbsFile("B", {world("Bare", "0901", "C5446539")})).empty());  // blank base, no notes
    store.worlds[25] = testing::sampleWorld(305);  // standard trade codes leave, Cp joins the notes

    const auto [bytes, notices] = formatSbs(store);
    EXPECT_TRUE(notices.empty());
    EXPECT_EQ(bytes,
              sbsFile("B", {lineOf("1:Bare|21:0901|27:C5446539|46:  |70: |"),
                            lineOf("1:Hollowmere|21:1105|27:A788899C|36:N|38:G|40:A|42:213|46:Vo|49:G2 V|56:M1 D|"
                                   "63:K5 III|70:Cp Mining colony|")}));

    store.worlds[0] = testing::sampleWorld(911);  // the slot of lines outside the subsector is never written
    EXPECT_EQ(formatSbs(store).value, bytes);
    store.subsectorLetter = " ";  // unknown letter: said once, subsector locations written unchanged
    const auto duff = formatSbs(store);
    EXPECT_EQ(testing::texts(duff.notices), std::vector<std::string>{"DUFF SS LETTER"});
    EXPECT_EQ(columns(splitLines(duff.value)[4], 21, 24), "0305");
}

TEST(SbsWriter, StandardCodesLeaveBlanksInTheRemarks) {
    // Trade codes, and column 70 on from them and the notes.
    for (const auto& [tradeCodes, column70] :
         {std::pair{"Cp Ni Tz ", "Cp    Tz Mine"}, {"Ni Ni Cp", "Ni Cp Mine"}, {"Ag Lo", " Mine"}, {"", " Mine"}}) {
        SCOPED_TRACE(tradeCodes);
        SubsectorStore store;
        store.subsectorLetter = "A";
        store.worlds[1] = testing::sampleWorld(101);
        store.worlds[1].tradeCodes = tradeCodes;
        store.worlds[1].notes = "Mine";
        EXPECT_EQ(columns(splitLines(formatSbs(store).value)[3], 70, 200), column70);
    }
}

TEST(SbsReader, FieldsFromTheirColumns) {
    // Column 69 is the blank between the third star and the notes.
    const std::string line = lineOf(
        "1:M\xe9lisande Prime|21:1105|27:a788899c|36:n|38:g|40:r|42:2a3|46:vo|49:g2 v|56:m1 d|"
        "63:k5 iii|69:#|70:Cp Mining colony|");
    SubsectorStore store;
    EXPECT_TRUE(readSbs(store, sbsFile("B", {line})).empty());
    EXPECT_EQ(store.subsectorName + "|" + store.sectorName + "|" + store.subsectorLetter,
              "Ostrel Drift|Kestrane Reach|B");
    const WorldRecord& w = store.worlds[25];
    EXPECT_EQ(w.location, 305);
    const std::string fields = w.name.str() + "|" + w.uwp.str() + w.base.str() + w.gasGiant.str() + w.zone.str() + "|" +
                               w.pag.str() + "|" + w.allegiance.str() + "|" + w.star1.str() + w.star2.str() +
                               w.star3.str() + "|" + w.facility.str() + "|" + std::string(w.notes.trimmed());
    EXPECT_EQ(fields, "M\xe9lisande Prime     |A788899CNGR|2a3|Vo|G2 V  M1 D  K5 III|  |Cp Mining colony");
    EXPECT_EQ(w.tradeCodes.str() + std::to_string(w.cargoBase), "Ri             5200");  // from the UWP
}

TEST(SbsReader, OddLinesAndBadFiles) {
    std::string junk;
    for (int i = 0; i < 5000; ++i) junk.push_back(static_cast<char>((i * 7919) % 256));
    const std::string wide = lineAt({{1, "Wide"}, {21, "0101"}, {100000, "x"}});
    const struct {
        const char* name;
        std::string file;
        std::vector<std::string> messages;
        int slot, location;  // where the last world line landed
    } cases[] = {
        {"short line", sbsFile("A", {world("Tiny", "0203", "B5")}), {}, 13, 203},
        {"LF only", sbsFile("A", {world("Tiny", "0203", "B5")}, "\n"), {}, 13, 203},
        {"100 KB line, binary junk", sbsFile("A", {wide, junk}), {}, 1, 101},
        {"outside the subsector, twice",
         sbsFile("A", {world("Far", "0911", "B5"), world("Farther", "1011", "B5")}),
         {"FAILED  0 911 Far                 ", "FAILED  911 1011 Farther             "},
         0,
         1011},
        {"blank line in subsector A goes silently to slot 81", sbsFile("A", {""}), {}, 81, 0},
        {"blank line elsewhere is reported", sbsFile("B", {""}), {"FAILED  0 -800 "}, 0, -800},
        {"lower-case letter",
         sbsFile("c", {world("Kept", "1701", "B5")}),
         {"DUFF SS LETTER", "FAILED  0 1701 Kept                "},
         0,
         1701},
        {"no header letter", "N\r\nS\r\nName\r\n" + world("Home", "0101", "B5"), {"DUFF SS LETTER"}, 1, 101},
        {"empty file", "", {"DUFF SS LETTER"}, 1, 0},
        {"one line", "Only a name", {"DUFF SS LETTER"}, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SubsectorStore store;
        EXPECT_EQ(testing::texts(readSbs(store, c.file)), c.messages);
        EXPECT_EQ(store.worlds[c.slot].location, c.location);
    }
}

using SbsFileTest = testing::TempFolderTest;

TEST_F(SbsFileTest, RoundTripIsByteIdenticalWithEightBitBytesAndASecondLoadLeavesNothingOfTheFirst) {
    std::vector<std::string> worlds;
    const char* uwps[] = {"A788899C", "X0000000", "C5A6739B", "B100000H", "E9CA9FFJ"};
    for (int i = 0; i < 40; ++i) {
        const std::string name = "W\x80\xe9\xff" + std::to_string(i);
        const std::string hex = formatFourDigits(1700 + (i / 10) * 100 + (i % 10) + 1);
        worlds.push_back(lineOf("1:" + name + "|21:" + hex + "|27:" + uwps[i % 5] + "|36:" + (i % 3 ? "N" : " ") +
                                "|38:G|40:" + (i % 4 ? " " : "A") + "|42:\26512|46:K\xe9|49:G2 V|70:" +
                                (i % 2 ? " Notes \x93quoted\x94 \2435" : " ") + "|"));
    }
    write("first.sbs", sbsFile("C", worlds));
    SubsectorStore store;
    ScriptedPrompter prompter;
    ASSERT_EQ(loadSubsectorFile(store, prompter, path("first.sbs")), LoadStatus::Loaded);
    ASSERT_TRUE(writeSbsFile(store, prompter, path("second.sbs")));
    EXPECT_EQ((*readFileBytes(path("second.sbs"))), (*readFileBytes(path("first.sbs"))));
    EXPECT_TRUE(prompter.prompts.empty());

    write("third.sbs", sbsFile("A", {world("Three", "0203", "C5446539")}));
    ASSERT_EQ(loadSubsectorFile(store, prompter, path("third.sbs")), LoadStatus::Loaded);
    EXPECT_EQ(std::count_if(store.worlds.begin(), store.worlds.end(), [](auto& w) { return w.occupied(); }), 1);
    EXPECT_EQ(store.worlds[13].name.trimmed(), "Three");
}

TEST_F(SbsFileTest, NotesOfAnyLengthReadBackAndWriteByteForByte) {
    for (const std::size_t length : {1, 59, 60}) {
        SCOPED_TRACE(length);
        std::string note;
        for (std::size_t i = 0; i < length; ++i) note.push_back(static_cast<char>('a' + i % 26));
        note.back() = '\xfe';
        SubsectorStore store;
        readSbs(store, sbsFile("A", {world("Calm", "0101", "X0000000")}));  // no standard trade code
        store.worlds[1].notes = note;
        store.worlds[1].tradeCodes = "";
        const std::string first = formatSbs(store).value;
        SubsectorStore again;
        readSbs(again, first);
        EXPECT_EQ(again.worlds[1].notes.str().substr(0, length), note);
        EXPECT_EQ(formatSbs(again).value, first);
    }
}

TEST_F(SbsFileTest, UnreadableFileKeepsTheStore) {
    SubsectorStore store;
    store.worlds[1].location = 101;
    store.subsectorName = "Before";
    std::filesystem::create_directory(path("folder.sbs"));
    for (const auto& [file, message] :
         {std::pair{path("missing.sbs"), "Cannot open \"" + path("missing.sbs") + "\": No such file or directory"},
          {path("folder.sbs"), "Cannot read \"" + path("folder.sbs") + "\": Is a directory"}}) {
        ScriptedPrompter prompter;
        EXPECT_EQ(loadSubsectorFile(store, prompter, file), LoadStatus::NotRead);
        EXPECT_EQ(prompter.messages(), std::vector<std::string>{message});
        EXPECT_EQ(prompter.busyDepth, 0);
        EXPECT_EQ(store.worlds[1].location, 101);
        EXPECT_EQ(store.subsectorName, "Before");
    }
    for (const auto& [name, format] : {std::pair{"/m/a.SbS.bak", FileFormat::Sbs},
                                       {"/my.database/a.sbs", FileFormat::Sbs},
                                       {"/m.sbs/a.txt", FileFormat::Arp},
                                       {"b.dat.sbs", FileFormat::Dat},
                                       {"/A.DAT", FileFormat::Dat}}) {
        EXPECT_EQ(formatOfPath(name), format) << name;  // by the file name alone
    }
}

TEST_F(SbsFileTest, SaveSbsDialogBatchAndFailure) {
    SubsectorStore store;
    readSbs(store, sbsFile("A", {world("One", "0101", "C5446539")}));
    write("kept.sbs", "old bytes");
    const struct {
        const char* name;
        std::string tag;
        std::optional<std::string> dialogAnswer;
        std::optional<std::string> saved;
        std::vector<std::string> messages;
    } cases[] = {
        {"dialog", "", path("chosen.sbs"), path("chosen.sbs"), {"File saved OK"}},
        {"no extension typed", "", path("edited"), path("edited.sbs"), {"File saved OK"}},
        {"other extension kept", "", path("edited.txt"), path("edited.txt"), {"File saved OK"}},
        {"a leading dot is no extension", "", path(".hidden"), path(".hidden.sbs"), {"File saved OK"}},
        {"cancelled dialog", "", std::nullopt, std::nullopt, {}},
        {"batch: no dialog, no message", path("ABC-A.SBS"), std::nullopt, path("ABC-A.SBS"), {}},
        {"failed write", path("kept.sbs/x"), {}, {}, {"Cannot write \"" + path("kept.sbs/x") + "\": Not a directory"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompter prompter;
        if (c.tag.empty()) prompter.saveAnswers.push_back(c.dialogAnswer);
        std::string tag = c.tag;
        EXPECT_EQ(saveSbs(store, prompter, tag, dir_.string()), c.saved);
        EXPECT_EQ(prompter.messages(), c.messages);
        if (c.saved) {
            EXPECT_TRUE(std::filesystem::exists(*c.saved));
        }
        EXPECT_TRUE(tag.empty());
        if (c.tag.empty()) {
            EXPECT_EQ(prompter.prompts[0].text + " in " + prompter.prompts[0].title, "*.sbs in " + dir_.string());
        }
    }
    EXPECT_EQ((*readFileBytes(path("kept.sbs"))), "old bytes");
}

}  // namespace
}  // namespace qelvar
