#include "files/sbs.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/file_io.h"
#include "core/subsector_store.h"
#include "core/text.h"
#include "files/loader.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

using testing::ScriptedPrompter;

// A line of text with fields placed at 1-based columns, built independently of the writer.
class Line {
public:
    Line& at(std::size_t column, std::string_view text) {
        if (bytes_.size() < column - 1 + text.size()) bytes_.resize(column - 1 + text.size(), ' ');
        bytes_.replace(column - 1, text.size(), text);
        return *this;
    }
    const std::string& str() const { return bytes_; }

private:
    std::string bytes_;
};

std::string header(const std::string& letter) {
    return Line().at(1, "Name").at(22, "Hex").at(27, "SDAHPGLT").at(36, "I G Z PAG Al Star 1 Star 2 Star 3 Notes SS=")
               .at(79, letter)
               .str();
}

std::string sbsFile(const std::string& letter, const std::vector<std::string>& worlds,
                    const std::string& eol = "\r\n") {
    std::string bytes = "Ostrel Drift" + eol + "Kestrane Reach" + eol + header(letter) + eol;
    for (const auto& w : worlds) bytes += w + eol;
    return bytes;
}

std::string worldLine(const char* name, const char* hex, const char* uwp) {
    return Line().at(1, name).at(21, hex).at(27, uwp).str();
}

void put(SubsectorStore& store, int slot, const char* name, const char* uwp) {
    WorldRecord& w = store.worlds[slot];
    w.location = static_cast<std::int16_t>(store.hexCodeValue(slot));
    w.name = name;
    w.uwp = uwp;
    w.base = " ";
    w.zone = " ";
    w.gasGiant = " ";
    w.star1 = "";
    w.star2 = "";
    w.star3 = "";
    w.pag = "000";
    w.notes = "";
    w.allegiance = "Ke";
    w.facility = "  ";
    w.tradeCodes = "";
}

TEST(SbsHeader, LabelsStandOverTheirColumns) {
    const std::string h = sbsHeader("C");
    ASSERT_EQ(h.size(), 79u);
    const struct {
        std::size_t column;
        const char* label;
    } labels[] = {{1, "Name"},    {22, "Hex"},     {27, "SDAHPGLT"}, {36, "I"},     {38, "G"},
                  {40, "Z"},      {42, "PAG"},     {46, "Al"},       {49, "Star 1"}, {56, "Star 2"},
                  {63, "Star 3"}, {70, "Notes"},   {76, "SS="},      {79, "C"}};
    for (const auto& l : labels) {
        SCOPED_TRACE(l.label);
        EXPECT_EQ(columns(h, l.column, l.column + std::string_view(l.label).size() - 1), l.label);
    }
}

TEST(SbsWriter, FieldsAtTheirColumns) {
    SubsectorStore store;
    store.subsectorName = "Ostrel Drift";
    store.sectorName = "Kestrane Reach";
    store.subsectorLetter = "B";
    put(store, 25, "Hollowmere", "A788899C");  // 0305
    WorldRecord& w = store.worlds[25];
    w.base = "N";
    w.gasGiant = "G";
    w.zone = "A";
    w.pag = "213";
    w.allegiance = "Vo";
    w.star1 = "G2 V";
    w.star2 = "M1 D";
    w.star3 = "K5 III";
    w.tradeCodes = "Ni Cp Po ";
    w.notes = "  Mining colony  ";
    put(store, 1, "Bare", "X0000000");

    ScriptedPrompter prompter;
    const std::string bytes = formatSbs(store, prompter);
    const auto lines = splitLines(bytes);
    EXPECT_TRUE(prompter.prompts.empty());
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "Ostrel Drift");
    EXPECT_EQ(lines[1], "Kestrane Reach");
    EXPECT_EQ(lines[2], sbsHeader("B"));
    EXPECT_EQ(columns(lines[3], 21, 24), "0901");  // slot 1 first, with the offset of B

    const std::string_view l = lines[4];
    const struct {
        std::size_t first, last;
        const char* text;
    } fields[] = {
        {1, 20, "Hollowmere          "}, {21, 24, "1105"}, {25, 26, "  "},     {27, 34, "A788899C"},
        {35, 35, " "},                  {36, 36, "N"},    {37, 37, " "},      {38, 38, "G"},
        {40, 40, "A"},                  {42, 44, "213"},  {46, 47, "Vo"},     {49, 54, "G2 V  "},
        {55, 55, " "},                  {56, 61, "M1 D  "}, {63, 68, "K5 III"}, {69, 69, " "},
        {70, 85, "Cp Mining colony"},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(f.first);
        EXPECT_EQ(columns(l, f.first, f.last), f.text);
    }
    EXPECT_EQ(l.size(), 85u);  // the line ends with the notes
}

TEST(SbsWriter, BlankBaseAndEmptyNotes) {
    SubsectorStore store;
    store.subsectorLetter = "A";
    put(store, 1, "Quiet", "C5446539");
    store.worlds[1].gasGiant = "G";
    ScriptedPrompter prompter;
    const std::string bytes = formatSbs(store, prompter);
    const auto lines = splitLines(bytes);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(columns(lines[3], 36, 38), "  G");
    EXPECT_EQ(lines[3].size(), 70u);  // a single space at column 70
    EXPECT_EQ(columns(lines[3], 70, 70), " ");
}

TEST(SbsWriter, UnknownLetterWritesSubsectorLocations) {
    SubsectorStore store;
    store.subsectorLetter = " ";
    put(store, 80, "Edge", "C5446539");
    ScriptedPrompter prompter;
    const std::string bytes = formatSbs(store, prompter);
    const auto lines = splitLines(bytes);
    EXPECT_EQ(prompter.messages(), std::vector<std::string>{"DUFF SS LETTER"});
    EXPECT_EQ(columns(lines[3], 21, 24), "0810");
    EXPECT_EQ(columns(lines[2], 79, 79), " ");
}

TEST(SbsReader, FieldsFromTheirColumns) {
    const std::string line = Line()
                                 .at(1, "M\xe9lisande Prime")
                                 .at(21, "1105")
                                 .at(27, "a788899c")
                                 .at(36, "n")
                                 .at(38, "g")
                                 .at(40, "r")
                                 .at(42, "2a3")
                                 .at(46, "vo")
                                 .at(49, "g2 v")
                                 .at(56, "m1 d")
                                 .at(63, "k5 iii")
                                 .at(70, "Cp Mining colony")
                                 .str();
    SubsectorStore store;
    ScriptedPrompter prompter;
    readSbs(store, prompter, sbsFile("B", {line}));
    EXPECT_TRUE(prompter.prompts.empty());
    EXPECT_EQ(store.subsectorName, "Ostrel Drift");
    EXPECT_EQ(store.sectorName, "Kestrane Reach");
    EXPECT_EQ(store.subsectorLetter, "B");
    const WorldRecord& w = store.worlds[25];
    EXPECT_EQ(w.location, 305);
    EXPECT_EQ(w.name.str(), "M\xe9lisande Prime     ");
    EXPECT_EQ(w.uwp.str(), "A788899C");
    EXPECT_EQ(w.base.str(), "N");
    EXPECT_EQ(w.gasGiant.str(), "G");
    EXPECT_EQ(w.zone.str(), "R");
    EXPECT_EQ(w.pag.str(), "2a3");
    EXPECT_EQ(w.allegiance.str(), "Vo");
    EXPECT_EQ(w.star1.str(), "G2 V  ");
    EXPECT_EQ(w.star2.str(), "M1 D  ");
    EXPECT_EQ(w.star3.str(), "K5 III");
    EXPECT_EQ(w.notes.trimmed(), "Cp Mining colony");
    EXPECT_EQ(w.facility.str(), "  ");
    EXPECT_EQ(w.tradeCodes.str(), "Ri             ");  // recomputed from the UWP
    EXPECT_EQ(w.cargoBase, 5200);
}

TEST(SbsReader, ShortAndOddLines) {
    const struct {
        const char* name;
        std::string letter;
        std::vector<std::string> worlds;
        std::vector<std::string> messages;
        int slot;         // where the last line landed
        int location;
    } cases[] = {
        {"short line gives blank fields", "A", {worldLine("Tiny", "0203", "B5")}, {}, 13, 203},
        {"location outside the subsector", "A", {worldLine("Far", "0911", "B544")}, {"FAILED  0 911 Far                 "}, 0, 911},
        {"second stray names the first", "A",
         {worldLine("Far", "0911", "B5"), worldLine("Farther", "1011", "B5")},
         {"FAILED  0 911 Far                 ", "FAILED  911 1011 Farther             "}, 0, 1011},
        {"blank line in subsector A goes to slot 81 silently", "A", {""}, {}, 81, 0},
        {"blank line elsewhere is reported", "B", {""}, {"FAILED  0 -800 "}, 0, -800},
        {"lower-case letter", "c", {worldLine("Kept", "1701", "B5")}, {"DUFF SS LETTER", "FAILED  0 1701 Kept                "}, 0, 1701},
        {"no letter at all", "", {worldLine("Home", "0101", "B5")}, {"DUFF SS LETTER"}, 1, 101},
        {"blanks inside the number are skipped", "A", {worldLine("Gap", " 3 5", "B5")}, {"FAILED  0 35 Gap                 "}, 0, 35},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SubsectorStore store;
        ScriptedPrompter prompter;
        std::string file = sbsFile(c.letter, c.worlds);
        if (c.letter.empty()) file = "N\r\nS\r\nName\r\n" + c.worlds[0] + "\r\n";
        readSbs(store, prompter, file);
        EXPECT_EQ(prompter.messages(), c.messages);
        EXPECT_EQ(store.worlds[c.slot].location, c.location);
    }
}

TEST(SbsReader, LineEndsAndEmptyFiles) {
    const std::string line = worldLine("Ends", "0204", "C544653A");
    for (const std::string eol : {"\r\n", "\n", "\r"}) {
        SubsectorStore store;
        ScriptedPrompter prompter;
        readSbs(store, prompter, sbsFile("A", {line}, eol));
        EXPECT_TRUE(prompter.prompts.empty());
        EXPECT_EQ(store.worlds[14].name.trimmed(), "Ends");
        EXPECT_EQ(store.sectorName, "Kestrane Reach");
    }
    for (const std::string& bytes : {std::string(), std::string("Only a name"), std::string("\x01\xff\x00\x80", 4)}) {
        SubsectorStore store;
        ScriptedPrompter prompter;
        readSbs(store, prompter, bytes);
        EXPECT_EQ(prompter.messages(), std::vector<std::string>{"DUFF SS LETTER"});
        store.refreshStatistics();
        EXPECT_EQ(store.worldCount, 0);
    }
}

TEST(SbsReader, HugeLineAndBinaryJunkDoNotCrash) {
    std::string junk;
    for (int i = 0; i < 5000; ++i) junk.push_back(static_cast<char>((i * 7919) % 256));
    const std::string huge = Line().at(1, "Wide").at(21, "0101").at(27, "A788899C").at(100000, "x").str();
    SubsectorStore store;
    ScriptedPrompter prompter;
    readSbs(store, prompter, sbsFile("A", {huge, junk}));
    EXPECT_EQ(store.worlds[1].name.trimmed(), "Wide");
    EXPECT_EQ(store.worlds[1].notes.str(), std::string(60, ' '));
}

using SbsFileTest = testing::TempFolderTest;

TEST_F(SbsFileTest, RoundTripIsByteIdenticalWithEightBitBytes) {
    std::vector<std::string> worlds;
    const char* uwps[] = {"A788899C", "X0000000", "C5A6739B", "B100000H", "E9CA9FFJ"};
    for (int i = 0; i < 40; ++i) {
        std::string name = "W\x80\xe9\xff" + std::to_string(i);
        const std::string hex = formatFourDigits(1600 + ((i / 10) + 1) * 100 + (i % 10) + 1);
        worlds.push_back(Line()
                             .at(1, name)
                             .at(21, hex)
                             .at(27, uwps[i % 5])
                             .at(36, i % 3 ? "N" : " ")
                             .at(38, "G")
                             .at(40, i % 4 ? " " : "A")
                             .at(42, "\xb5" "12")
                             .at(46, "K\xe9")
                             .at(49, "G2 V")
                             .at(70, i % 2 ? " Notes \x93quoted\x94 \xa3" "5" : " ")
                             .str());
    }
    write("first.sbs", sbsFile("C", worlds));

    SubsectorStore store;
    ScriptedPrompter prompter;
    ASSERT_EQ(loadSubsectorFile(store, prompter, path("first.sbs")), LoadStatus::Loaded);
    ASSERT_TRUE(writeSbsFile(store, prompter, path("second.sbs")));
    const std::string second = readFileBytes(path("second.sbs")).bytes;
    EXPECT_EQ(second, readFileBytes(path("first.sbs")).bytes);

    SubsectorStore again;
    ASSERT_EQ(loadSubsectorFile(again, prompter, path("second.sbs")), LoadStatus::Loaded);
    ASSERT_TRUE(writeSbsFile(again, prompter, path("third.sbs")));
    EXPECT_EQ(readFileBytes(path("third.sbs")).bytes, second);
    EXPECT_EQ(again.worlds, store.worlds);
    EXPECT_TRUE(prompter.prompts.empty());
}

TEST_F(SbsFileTest, UnreadableFileKeepsTheStore) {
    SubsectorStore store;
    store.worlds[1].location = 101;
    store.worlds[1].name = "Keep";
    store.subsectorName = "Before";
    ScriptedPrompter prompter;
    EXPECT_EQ(loadSubsectorFile(store, prompter, path("missing.sbs")), LoadStatus::NotRead);
    EXPECT_EQ(prompter.messages(),
              std::vector<std::string>{"Cannot open \"" + path("missing.sbs") + "\": No such file or directory"});
    EXPECT_EQ(store.worlds[1].name.trimmed(), "Keep");
    EXPECT_EQ(store.subsectorName, "Before");
    EXPECT_EQ(prompter.busyDepth, 0);

    ScriptedPrompter other;
    write("x.arp", "whatever");
    EXPECT_EQ(loadSubsectorFile(store, other, path("x.arp")), LoadStatus::Unsupported);
    EXPECT_EQ(other.messages().size(), 1u);
    EXPECT_EQ(store.worlds[1].name.trimmed(), "Keep");
}

TEST_F(SbsFileTest, FormatIsChosenByNameAnywhereInThePath) {
    EXPECT_EQ(formatOfPath("/m/a.sbs"), FileFormat::Sbs);
    EXPECT_EQ(formatOfPath("/m/a.SbS.bak"), FileFormat::Sbs);
    EXPECT_EQ(formatOfPath("/m.dat/a.sbs"), FileFormat::Dat);
    EXPECT_EQ(formatOfPath("/m/a.arp"), FileFormat::Arp);
    EXPECT_EQ(formatOfPath("/m/a.txt"), FileFormat::Arp);
}

TEST_F(SbsFileTest, SaveSbsDialogBatchAndFailure) {
    SubsectorStore store;
    store.subsectorLetter = "A";
    put(store, 1, "One", "C5446539");
    std::string tag;

    {  // interactive save
        store.unsavedChanges = 1;
        ScriptedPrompter prompter;
        prompter.saveAnswers.push_back(path("chosen.sbs"));
        EXPECT_TRUE(saveSbs(store, prompter, tag, dir_.string()));
        ASSERT_EQ(prompter.prompts.size(), 2u);
        EXPECT_EQ(prompter.prompts[0].kind, "save");
        EXPECT_EQ(prompter.prompts[0].text, "*.sbs");
        EXPECT_EQ(prompter.prompts[0].title, dir_.string());
        EXPECT_EQ(prompter.messages(), std::vector<std::string>{"File saved OK"});
        EXPECT_EQ(store.unsavedChanges, 0);
    }
    {  // cancelled dialog: nothing written, nothing said, still unsaved
        store.unsavedChanges = 1;
        ScriptedPrompter prompter;
        prompter.saveAnswers.push_back(std::nullopt);
        EXPECT_FALSE(saveSbs(store, prompter, tag, dir_.string()));
        EXPECT_TRUE(prompter.messages().empty());
        EXPECT_EQ(store.unsavedChanges, 1);
    }
    {  // batch: the tag names the file, no dialog, no message
        ScriptedPrompter prompter;
        tag = path("ABC-A.SBS");
        EXPECT_TRUE(saveSbs(store, prompter, tag, dir_.string()));
        EXPECT_TRUE(prompter.prompts.empty());
        EXPECT_TRUE(tag.empty());
        EXPECT_EQ(store.unsavedChanges, 0);
        EXPECT_TRUE(std::filesystem::exists(path("ABC-A.SBS")));
    }
    {  // a failed write says why, keeps the old file and the unsaved flag
        write("kept.sbs", "old bytes");
        store.unsavedChanges = 1;
        ScriptedPrompter prompter;
        tag = path("no-such-folder/x.sbs");
        EXPECT_FALSE(saveSbs(store, prompter, tag, dir_.string()));
        ASSERT_EQ(prompter.messages().size(), 1u);
        EXPECT_NE(prompter.messages()[0].find("no-such-folder/x.sbs"), std::string::npos);
        EXPECT_EQ(store.unsavedChanges, 1);
        EXPECT_TRUE(tag.empty());
        EXPECT_EQ(readFileBytes(path("kept.sbs")).bytes, "old bytes");
    }
}

}  // namespace
}  // namespace qelvar
