#include "files/arp.h"

#include <gtest/gtest.h>

#include "store/file_io.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "support/column_line.h"
#include "support/notices.h"
#include "support/sample_world.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

using testing::lineAt;
using testing::lineOf;
using testing::ScriptedPrompter;

// The heading and rule lines as the layout gives them.
const std::string kHeading =
    "System Name              Locn S-DAHPGL-T B Remarks                   Trade Codes     Z G Price Star 1 Star 2 "
    "Star 3 PAG Al TF";
const std::string kRule =
    "------------------------ ---- ---------- - ------------------------- --------------- - - ----- ------ ------ "
    "------ --- -- --";

std::string arpFile(const std::string& subsectorLine, const std::vector<std::string>& worlds,
                    const std::string& eol = "\r\n") {
    std::string bytes = eol + "Kestrane Reach" + eol + eol + subsectorLine + eol + eol + kHeading + eol + kRule + eol;
    for (const auto& w : worlds) bytes += w + eol;
    return bytes;
}

SubsectorStore storeWith(const std::string& name, const std::string& letter) {
    SubsectorStore store;
    store.subsectorName = name;
    store.sectorName = "Kestrane Reach";
    store.subsectorLetter = letter;
    return store;
}

// The sample world's line, before and after the price.
const std::string kSampleLine = "1:Hollowmere|31:A-788899-C|70:Ni Cp Po|86:A|88:G|";
const std::string kSampleStars = "96:G2 V|103:M1 D|110:K5 III|117:213|121:Vo|124:Tf|";

TEST(ArpWriter, LinesAndFieldsAtTheirColumns) {
    SubsectorStore store = storeWith("Ostrel Drift", "C");
    store.worlds[1] = testing::sampleWorld(101);
    store.worlds[12] = testing::sampleWorld(202);
    store.worlds[12].cargoBase = -1000;
    store.worlds[12].notes = "  A remark far too long for its column  ";
    store.worlds[12].base = " ";

    const auto file = formatArp(store);
    EXPECT_TRUE(file.notices.empty());
    EXPECT_EQ(file.value,
              arpFile(lineOf("1:Subsector Ostrel Drift|32:(C)|"),
                      {lineOf(kSampleLine + "26:1701|42:N|44:Mining colony|90:5200|" + kSampleStars),
                       lineOf(kSampleLine + "26:1802|44:A remark far too long for |90:-1000|" + kSampleStars)}));
}

TEST(ArpWriter, SubsectorLineAndUnknownLetter) {
    EXPECT_EQ(arpSubsectorLine(storeWith("", "A")), lineAt({{1, "Subsector"}, {32, "(A)"}}));
    EXPECT_EQ(arpSubsectorLine(storeWith("Twenty-two characters!", "B")), "Subsector Twenty-two characters(B)");
    SubsectorStore store = storeWith("Odd", "q");
    store.worlds[1] = testing::sampleWorld(101);
    const auto file = formatArp(store);
    EXPECT_EQ(testing::texts(file.notices), std::vector<std::string>{"DUFF SS LETTER"});
    EXPECT_EQ(columns(splitLines(file.value)[7], 26, 29), "0101");
}

TEST(ArpFormat, WhatIsWrittenReadsBackAndWritesTheSame) {
    const struct {
        const char* name;
        std::string letter;
        std::int16_t price;
        std::vector<std::string> messages;
    } cases[] = {
        {"no letter comes back empty", "", 5, {"DUFF SS LETTER"}},
        {"lowest price that fits", "A", -9999, {}},
        {"a lower price is clamped and said",
         "A",
         -10000,
         {"The price -10000 of Hollowmere (0101) is below what the ARP price column holds; written as -9999"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SubsectorStore store = storeWith("Nineteen characters", c.letter);  // the longest name that survives
        store.worlds[1] = testing::sampleWorld(101);
        store.worlds[1].cargoBase = c.price;
        const auto first = formatArp(store);
        EXPECT_EQ(testing::texts(first.notices), c.messages);
        SubsectorStore back;
        (void)readArp(back, first.value);
        EXPECT_EQ(back.subsectorLetter + back.subsectorName, c.letter + "Nineteen characters");
        EXPECT_EQ(back.worlds[1].cargoBase, std::max<int>(c.price, -9999));
        EXPECT_EQ(formatArp(back).value, first.value);
    }
}

TEST(ArpReader, FieldsFromTheirColumns) {
    // Column 69 is the blank between the remarks and the trade codes.
    const std::string line = lineOf(
        "1:M\xe9lisande Prime 12345|26:1701|31:a?788899?c|42:n|44:Cp Mining colony of Vestas|70:Ni Po Xx|86:r|88:g|"
        "90:5200|96:g2 v|103:m1 d|110:k5 iii|117:2a3|121:vo|124:tf|");
    SubsectorStore store;
    EXPECT_TRUE(readArp(store, arpFile(lineAt({{1, "Subsector Ostrel Drift"}, {32, "(C)"}}), {line})).empty());
    EXPECT_EQ(store.subsectorName + "|" + store.sectorName + "|" + store.subsectorLetter,
              "Ostrel Drift|Kestrane Reach|C");
    const WorldRecord& w = store.worlds[1];
    EXPECT_EQ(w.location, 101);
    const std::string fields = w.name.str() + "|" + w.uwp.str() + w.base.str() + w.zone.str() + w.gasGiant.str() + "|" +
                               w.notes.str().substr(0, 26) + "|" + w.tradeCodes.str() + "|" +
                               std::to_string(w.cargoBase) + "|" + w.star1.str() + w.star2.str() + w.star3.str() + "|" +
                               w.pag.str() + "|" + w.allegiance.str() + "|" + w.facility.str();
    EXPECT_EQ(fields,
              "M\xe9lisande Prime 1234|A788899CNRG|Cp Mining colony of Vesta |Ni Po Xx       |5200|G2 V  M1 D  K5 III|"
              "2a3|vo|tf");
}

TEST(ArpReader, OddFiles) {
    const std::string head = lineAt({{1, "Subsector Ostrel Drift"}, {32, "(A)"}});
    const auto world = [](const char* hex, const char* price) {
        return lineAt({{1, "W"}, {26, hex}, {31, "C-544653-9"}, {90, price}});
    };
    const struct {
        const char* name;
        std::string file;
        std::vector<std::string> messages;
        int slot, location, price;  // where the last world line landed
    } cases[] = {
        {"LF only", arpFile(head, {world("0203", "100")}, "\n"), {}, 13, 203, 100},
        {"a blank line ends it", arpFile(head, {world("0203", "100"), "   ", world("0305", "7")}), {}, 13, 203, 100},
        {"price above 16 bits", arpFile(head, {world("0101", "1e9")}), {}, 1, 101, 32767},
        {"price below 16 bits", arpFile(head, {world("0101", "-9e99")}), {}, 1, 101, -32768},
        {"outside the subsector: no message", arpFile(head, {world("0911", "5")}), {}, 0, 911, 5},
        {"letter c", arpFile(lineOf("1:Subsector X|32:(c)|"), {world("0101", "5")}), {"DUFF SS LETTER"}, 1, 101, 5},
        {"head only, cut short", "\r\nSector\r\n", {"DUFF SS LETTER"}, 1, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SubsectorStore store;
        EXPECT_EQ(testing::texts(readArp(store, c.file)), c.messages);
        EXPECT_EQ(store.worlds[c.slot].location, c.location);
        EXPECT_EQ(store.worlds[c.slot].cargoBase, c.price);
    }
}

using ArpFileTest = testing::TempFolderTest;

// A prompter that answers the save dialog with `file` and the question of the HTML table with `table`.
ScriptedPrompter saving(const std::optional<std::string>& file, bool table) {
    ScriptedPrompter prompter;
    prompter.saveAnswers.push_back(file);
    prompter.yesNoAnswers.push_back(table);
    return prompter;
}

TEST_F(ArpFileTest, SaveArpWithAndWithoutTheHtmlTable) {
    SubsectorStore store = storeWith("Ost <Dr>", "C");
    store.worlds[1] = testing::sampleWorld(101);
    store.worlds[1].name = "Tom & Jerry";
    store.worlds[1].star3.clear();  // NUL bytes, as an untouched field holds them: the table shows blanks

    ScriptedPrompter declined = saving(path("only.arp"), false);
    EXPECT_TRUE(saveArp(store, declined, dir_.string()));
    ASSERT_EQ(declined.prompts.size(), 2u);
    EXPECT_EQ(declined.prompts[1].text, "Data file saved OK. Do you want the HTM version as well?");
    EXPECT_TRUE(std::filesystem::exists(path("only.arp")));
    EXPECT_FALSE(std::filesystem::exists(path("only.htm")));

    ScriptedPrompter accepted = saving(path("table"), true);  // the extension is added
    EXPECT_EQ(saveArp(store, accepted, dir_.string()), path("table.arp"));
    EXPECT_EQ((*readFileBytes(path("table.arp"))), formatArp(store).value);
    std::string html = "<html>\r\n<body>\r\n" + lineAt({{1, "<h1>Subsector Ost &lt;Dr&gt;"}, {32, "(C)</h1>"}}) +
                       "\r\n<table width=\"100%\"border=1>\r\n<tr>\r\n";
    for (const char* heading : {"System Name", "Locn", "S-DAHPGL-T", "B", "Remarks", "Trade", "Zone", "G", "Price",
                                "Star 1", "Star 2", "Star 3", "PAG", "Algn", "TF"})
        html += std::string("  <Th>") + heading + "</th>\r\n";
    for (const char* line :
         {"</tr>", "<tr>", "<td>Tom &amp; Jerry         </td>", "<td>1701</td>", "<td>A-788899-C</td>",
          "<td>N</td><td>Mining colony</td>", "<td>Ni Cp Po       </td><td>A</td>", "<td>G</td><td>5200</td>",
          "<td>G2 V  </td><td>M1 D  </td><td>      </td>", "<td>213</td><td>Vo</td><td>Tf</td>", "</tr>", "</table>",
          "</body>", "</html>"})
        html += std::string(line) + "\r\n";
    EXPECT_EQ((*readFileBytes(path("table.htm"))), html);
}

TEST_F(ArpFileTest, SaveArpCancelFailureAndHtmlName) {
    SubsectorStore store = storeWith("Ostrel Drift", "A");
    store.worlds[1] = testing::sampleWorld(101);
    write("file", "in the way");
    std::filesystem::create_directory(path("t.htm"));  // a folder where the table would go
    const struct {
        std::optional<std::string> chosen, saved;
        std::vector<std::string> messages;
    } cases[] = {
        {std::nullopt, std::nullopt, {}},
        {path("file/x.arp"), std::nullopt, {"Cannot write \"" + path("file/x.arp") + "\": Not a directory"}},
        {path("t.arp"), path("t.arp"), {"Cannot write \"" + path("t.htm") + "\": Is a directory"}},
    };
    for (const auto& c : cases) {
        ScriptedPrompter prompter = saving(c.chosen, true);
        EXPECT_EQ(saveArp(store, prompter, dir_.string()), c.saved);
        EXPECT_EQ(prompter.messages(), c.messages);
    }
    // What the writer has to say is told: a letter outside A to P.
    store.subsectorLetter = "Q";
    ScriptedPrompter duff = saving(path("q.arp"), false);
    EXPECT_EQ(saveArp(store, duff, dir_.string()), path("q.arp"));
    EXPECT_EQ(duff.messages().empty() ? std::string() : duff.messages().front(), "DUFF SS LETTER");
    EXPECT_EQ(htmlNameFor("/m/ostrel.ARP"), "/m/ostrel.htm");
    EXPECT_EQ(htmlNameFor("/m/listing"), "/m/listhtm");
    EXPECT_EQ(htmlNameFor("/m/table.htm"), "/m/table.htm.htm");  // never over the ARP file itself
}

}  // namespace
}  // namespace qelvar
