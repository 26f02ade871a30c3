// The modern rules of the check, on a world as a sector file's line gives it, and the lines readers drop.
#include <gtest/gtest.h>

#include "files/arp.h"
#include "files/sbs.h"
#include "files/sector.h"
#include "files/sector_file.h"
#include "reports/check.h"
#include "store/subsector_store.h"
#include "store/text.h"

namespace qelvar {
namespace {

using Lines = std::vector<std::string>;
using Fields = std::map<std::string, std::string>;

// A world the modern rules find nothing in: Ph Pa Ri from the profile, importance A +1, tech 12 +1, Ri +1,
// naval base with a scout base +1.
Fields cleanWorld() {
    return {{"UWP", "A788899-C"}, {"Remarks", "Ph Pa Ri Cp"}, {"Bases", "NS"},        {"Zone", ""},
            {"PBG", "213"},       {"Allegiance", "ImDd"},     {"Stars", "G2 V M1 V"}, {"{Ix}", "{ 4 }"}};
}

Lines modernRules(const Fields& fields, bool tradeCodesStored = true) {
    std::vector<Finding> findings;
    checkWorldModern(fields, 101, tradeCodesStored, "f", findings);
    sortFindings(findings);
    Lines rules;
    for (const Finding& f : findings) rules.push_back(f.rule);
    return rules;
}

// Rows "Field=text|Field=text>rule rule;": the clean world with those fields changed, and the rules it breaks.
TEST(CheckModern, EachRuleAtItsLimits) {
    const std::string_view rows =
        ">;UWP=A788899C>;UWP=?788899-C>;UWP=A78?899-C>;UWP=A78X899-C>;UWP=Z788899-C>uwp-form;UWP=a788899-C>uwp-form;"
        "UWP=A788899->uwp-form;UWP=A788899-Cx>uwp-form;UWP=Y788899-6|{Ix}=>;UWP=Y788899-7|{Ix}=>tech-range;UWP=F788899-"
        "6|{Ix}=>;UWP=G788899-6|{Ix}=>;UWP=H788899-6|{Ix}=>;"
        "UWP=A788899-7|{Ix}={ 2 }>;UWP=A788899-6|{Ix}={ 2 }>tech-range;UWP=X000000-0|Remarks=As Ba Va|{Ix}=>;"
        "UWP=X000000-1|Remarks=As Di(Gone) Va|{Ix}=>;UWP=X000000-1|Remarks=As Va|{Ix}=>trade-codes;"
        "UWP=X010000-0|Remarks=As Ba|{Ix}=>size-zero;UWP=X001000-0|Remarks=As Ba Ic Va|{Ix}=>size-zero;"
        "UWP=A7AB899-C|Remarks=Ph|{Ix}=>hydrographics-max;PBG=013>pag-population;PBG=003|UWP=X788000-0|"
        "Remarks=Ba|{Ix}=>;Remarks=Ph Pa>trade-codes importance;Remarks=Ph Pa Ri Ag>trade-codes importance;"
        "Remarks=Ph Pa Ri Di(Old)>;Remarks=Ph Pa Ri Di>trade-codes;Remarks=Ph Pa Ri Da>trade-codes;"
        "Remarks=Ph Pa Ri Da|Zone=A>;Remarks=Ph Pa Ri Pz|Zone=R>trade-codes;Remarks=Ph Pa Ri Fo|Zone=R>;"
        "Remarks=Ph Pa Ri Fo|Zone=A>trade-codes;Remarks=Ph Pa Ri Sa Fr O:1234 (Minor) {x} Mr>;"
        "UWP=A788F99-C|Remarks=Hi>profile-range;UWP=A788FA9-C|Remarks=Hi>;UWP=A7G8899-C|Remarks=Ph|{Ix}={ 3 "
        "}>profile-range;"
        "UWP=A788GA9-C|Remarks=Hi>profile-range;UWP=A788839-C>;UWP=A788829-C>profile-range;"
        "UWP=A7882F9-C|Remarks=Lo|{Ix}={ 2 }>profile-range;UWP=A7882FA-C|Remarks=Lo|{Ix}={ 2 "
        "}>;UWP=A7882GA-C|Remarks=Lo|{Ix}={ 2 }>profile-range;"
        "UWP=A788894-C>;UWP=A788893-C>profile-range;UWP=A78889J-C>;UWP=A78889K-C>profile-range;UWP=A78889I-C>uwp-form;"
        "{Ix}={ 3 }>importance;{Ix}=4>;{Ix}=+4>;{Ix}={ +04 }>;{Ix}=+004>importance;{Ix}={ x }>importance;{Ix}={ -4 "
        "}>importance;"
        "Zone=->;Zone=F>;Zone=U>;Zone=B>;Zone=G>;Zone=Q>zone-code;Zone=a>zone-code;"
        "Bases=-|{Ix}={ 3 }>;Bases=S>importance;Bases=SN>base-code;Bases=NN>importance base-code;Bases=N2>importance "
        "base-code;Bases=KV>;Bases=ns>;"
        "Allegiance=Im>;Allegiance=-->;Allegiance=Im3>allegiance-code;Allegiance=ImDd1>allegiance-code;"
        "Allegiance=Na.X>allegiance-code;Stars=>;Stars=D BD BH PSR NS>;Stars=M7V F2 Ib K0 vi>;"
        "Stars=G2>star-form;Stars=Q1 V>star-form;Stars=G2 V M3 D>star-form;Stars=G2 X>star-form star-form;Stars=Q1 V "
        "A0 V>star-form;";
    for (std::string_view rest = rows; !rest.empty();) {
        const std::string_view row = rest.substr(0, rest.find(';'));
        rest.remove_prefix(row.size() + 1);
        SCOPED_TRACE(std::string(row));
        Fields fields = cleanWorld();
        std::string_view changes = row.substr(0, row.find('>'));
        while (!changes.empty()) {
            const std::string_view change = changes.substr(0, changes.find('|'));
            changes.remove_prefix(std::min(changes.size(), change.size() + 1));
            fields[std::string(change.substr(0, change.find('=')))] = change.substr(change.find('=') + 1);
        }
        Lines expected;
        for (const std::string_view rule : blankWords(row.substr(row.find('>') + 1))) expected.emplace_back(rule);
        EXPECT_EQ(modernRules(fields), expected);
    }
    Fields noCodes = cleanWorld();
    noCodes["Remarks"] = "";
    EXPECT_EQ(modernRules(noCodes, false), Lines{"importance"});  // Ri counts for importance, not computed
}

TEST(CheckModern, MessagesNameTheValues) {
    Fields fields = cleanWorld();
    fields["UWP"] = "B5A7600-5";
    fields["Remarks"] = "Lo Ni Da Fl As";
    fields["Stars"] = "G2 V M3 D";
    fields["Allegiance"] = "Caf\xc3\xa9";
    std::vector<Finding> findings;
    checkWorldModern(fields, 2410, true, "s.tab", findings);
    Lines lines;
    for (const Finding& f : findings) lines.push_back(findingLine(f));
    EXPECT_EQ(lines,
              (Lines{"s.tab:2410: trade-codes: stored As Fl Lo Ni, the UWP gives Fl Ni: extra As Lo; Da needs an "
                     "amber zone",
                     "s.tab:2410: profile-range: government 0 outside 1 to 15 for population 6",
                     "s.tab:2410: tech-range: tech level 5 outside 7 to 12",
                     "s.tab:2410: importance: {Ix} \"{ 4 }\" where the rules give 0",
                     "s.tab:2410: allegiance-code: allegiance \"Caf\xe9\" is not two or four letters and digits",
                     "s.tab:2410: star-form: star 2 \"M3\" is not a spectral class O B A F G K M with a subtype "
                     "and a luminosity class, nor D, BD, BH, PSR or NS"}));
}

// Lines a reader dropped: an SBS line at a hex of the sector outside the subsector, one whose hex is none,
// and a sector file's line of another shape. A line kept with a notice and a second line for a hex are not
// unreadable.
TEST(CheckModern, LinesTheReadersDropped) {
    const std::string sbs = "Sub\r\nSector\r\n" + std::string(78, ' ') + "A\r\n" +
                            "Inside              0810  A788899C       213 Im G2 V\r\n"
                            "Below               0811  A788899C       213 Im G2 V\r\n"
                            "Beside              0901  A788899C       213 Im G2 V\r\n"
                            "Nowhere             ab12  A788899C       213 Im G2 V\r\n"
                            "Corner              3240  A788899C       213 Im G2 V\r\n"
                            "Past                3301  A788899C       213 Im G2 V\r\n"
                            "                    0902  A788899C       213 Im G2 V\r\n";
    SubsectorStore store;
    (void)readSbs(store, sbs);
    Lines lines;
    for (const Finding& f : checkSubsector(store, "a.sbs")) lines.push_back(findingLine(f));
    EXPECT_EQ(lines,
              (Lines{"a.sbs:0000: unreadable-line: \"Nowhere\": its hex is no hex of the sector; the line is "
                     "not read",
                     "a.sbs:0000: unreadable-line: \"Past\": its hex is no hex of the sector; the line is not read",
                     "a.sbs:0811: outside-subsector: \"Below\" lies outside subsector A",
                     "a.sbs:0901: outside-subsector: \"Beside\" lies outside subsector A",
                     "a.sbs:3240: outside-subsector: \"Corner\" lies outside subsector A"}));
    // The same line in an ARP file, which keeps its trade codes: the modern rules compare them.
    store.clear();
    store.subsectorLetter = "A";
    store.worlds[1] = store.worlds[2] = {};
    store.worlds[1].location = 101;
    store.worlds[1].name = "Kept";
    store.worlds[1].uwp = "A788899C";
    store.worlds[1].tradeCodes = "Ph Pa";
    store.worlds[2] = store.worlds[1];
    store.worlds[2].location = 102;
    store.worlds[2].name = "Moved";
    std::string arp = formatArp(store).value;
    arp.replace(arp.find("0102"), 4, "0811");
    SubsectorStore back;
    (void)readArp(back, arp);
    lines.clear();
    for (const Finding& f : checkSubsector(back, "a.arp", CheckRules::Modern)) lines.push_back(findingLine(f));
    EXPECT_EQ(lines, (Lines{"a.arp:0101: trade-codes: stored Ph Pa, the UWP gives Ph Pa Ri: missing Ri",
                            "a.arp:0811: outside-subsector: \"Moved\" lies outside subsector A"}));
    back.clear();
    (void)readSbs(back, formatSbs(store).value);  // SBS computes its trade codes: none to compare
    EXPECT_EQ(checkSubsector(back, "a.sbs", CheckRules::Modern), std::vector<Finding>{});
    const auto row = [](const char* hex, const char* uwp) {
        return std::string("K\t-\t") + hex + "\tW\t" + uwp + "\t\tPh Pa Ri\t\t213\tIm\tG2 V\r\n";
    };
    const auto read = readSector(
        "#\r\n\r\n\r\n\r\n\r\n\r\n\r\nSector\tSS\tHex\tName\tUWP\tBases\tRemarks\tZone\tPBG\tAllegiance\tStars\r\n" +
            row("0101", "A788899-C") + "K\t-\t0102\tShort\r\n" + row("0101", "A788899-C") + row("0103", "A7888U9-C") +
            row("01x4", "A788899-C"),
        "k");
    ASSERT_TRUE(read.ok());
    lines.clear();
    for (const Finding& f : checkSector(read->value, read->notices, "k.tab", CheckRules::Modern)) {
        lines.push_back(findingLine(f));
    }
    EXPECT_EQ(lines, (Lines{"k.tab:0000: unreadable-line: line 10: 4 fields where the header has 11",
                            "k.tab:0000: unreadable-line: line 13: the hex \"01x4\" is not four digits",
                            "k.tab:0101: duplicate-hex: a further line for this hex: \"W\" is skipped, \"W\" stays",
                            "k.tab:0103: profile-range: government 28 outside 3 to 15 for population 8; law level 9 "
                            "outside 23 to 33 for government 28"}));
}

// A subsector loaded from a sector file is checked as its file gives each world until the world is edited.
TEST(CheckModern, SubsectorOfALoadedSector) {
    const auto read = readSector(
        "Sector\tSS\tHex\tName\tUWP\tBases\tRemarks\tZone\tPBG\tAllegiance\tStars\r\n"
        "K\tB\t0901\tW\tA788899-C\tNS\tPh Pa Ri\t\t213\tImDd\tG2 V\r\n"
        "K\tA\t0101\tX\tA788899-C\tNS\tPh Pa\t\t213\tImDd\tG2 V\r\n",
        "k");
    ASSERT_TRUE(read.ok());
    SubsectorStore store;
    sectorToStore(read->value.sector, 1, store);
    EXPECT_EQ(checkSubsectorOfSector(store, read->value.sector, "k.tab"), std::vector<Finding>{});
    store.worlds[1].uwp = "A788699C";  // edited: the world as the store holds it now
    const std::vector<Finding> findings = checkSubsectorOfSector(store, read->value.sector, "k.tab");
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findingLine(findings[0]),
              "k.tab:0901: trade-codes: stored Ph Pa Ri, the UWP gives Ni Ag Ri: missing Ni Ag, extra Ph Pa");
}

}  // namespace
}  // namespace qelvar
