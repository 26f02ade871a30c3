// The check: every rule at its limits, the facts the readers leave, whole sectors, and generated subsectors
// (common rules) that must pass clean.
#include "reports/check.h"

#include <gtest/gtest.h>

#include "files/arp.h"
#include "files/dat.h"
#include "files/sbs.h"
#include "files/sector_file.h"
#include "generation/dice.h"
#include "generation/generation_options.h"
#include "generation/world_generation.h"
#include "store/subsector_store.h"
#include "support/notices.h"

namespace qelvar {
namespace {

using Lines = std::vector<std::string>;

WorldRecord world(const char* uwp, const char* allegiance = "Im") {
    WorldRecord w;
    w.location = 101;
    w.uwp = uwp;
    w.allegiance = allegiance;
    w.pag = "213";
    w.star1 = "G2 V";
    return w;
}
Lines rulesOf(const std::vector<Finding>& findings) {
    Lines rules;
    for (const Finding& f : findings) rules.push_back(f.rule);
    return rules;
}
Lines rulesOf(const WorldRecord& w, std::optional<std::string_view> storedCodes = {}) {
    std::vector<Finding> findings;
    checkWorld(w, 101, storedCodes, "f", findings);
    return rulesOf(findings);
}
Lines linesOf(const std::vector<Finding>& findings) {
    Lines lines;
    for (const Finding& f : findings) lines.push_back(findingLine(f));
    return lines;
}

// For each rule, pairs "within>beyond" apart by '|': a UWP at a limit without the finding, and the next one
// past it with only that finding.
TEST(Check, EachUwpRuleAtItsLimits) {
    const std::pair<std::string, std::string> limits[] = {
        {"uwp-form", "A788899C>F788899C|?788899C>A788I99C|A78?F99C>A78 899C|        >a788899C|A788899C>X7888"},
        {"size-zero", "X0000000>X0100000|X0000000>X0010000|X0000000>X0060000"},
        {"hydrographics-max", "A7AA899C>A7AB899C"},
        {"population-zero", "A7880000>A7880100|A7880000>A7880010|A7880000>A7880001|A7880000>A7880900"},
        {"profile-range",
         "AA88899C>AB88899C|A278899C>A288899C|A500899C>A600899C|A610899C>A600899C|"
         "A727899C>A728899C|A750899C>A760899C|A761899C>A760899C|A788A99C>A788B99C|"
         "A788389C>A788399C|A788A59C>A788A49C|A78889EC>A78889FC|A788894C>A788893C"},
        // 8 + the modifiers of each value, or the atmosphere's minimum; a size-0 world may keep the minimum
        // its rolled atmosphere gave (at most 7).
        {"tech-range",
         "A788899E>A788899F|B788899C>B788899D|C788899A>C788899B|D7888998>D7888999|"
         "E7888998>E7888999|X7888994>X7888995|A138899H>A138899J|A488899F>A488899G|"
         "A7A8899F>A7A8899G|A789899F>A789899G|A788500G>A788500H|A788999G>A788999H|"
         "A788AA9J>A788AA9K|A7888D9C>A7888D9D|X5008997>X5008996|X5308996>X5308995|"
         "X5408995>X5408994|X5508990>X5508995|XAA58998>XAA58997|XAC78999>XAC78998|X0008DD7>X0008DD8|X0008DD0>X0008DD8|"
         "A278899F>A278899G|A588899E>A588899F|A748899E>A748899F|A798899E>A798899F|A788699E>A788699F"}};
    for (const auto& [rule, pairs] : limits) {
        for (std::string_view rest = pairs; !rest.empty();) {
            const std::string_view pair = rest.substr(0, rest.find('|'));
            rest.remove_prefix(std::min(rest.size(), pair.size() + 1));
            const std::string within(pair.substr(0, pair.find('>'))), beyond(pair.substr(pair.find('>') + 1));
            EXPECT_EQ(rulesOf(world(within.c_str())), Lines{}) << within;
            EXPECT_EQ(rulesOf(world(beyond.c_str())), Lines{rule}) << beyond;
        }
    }
    EXPECT_EQ(rulesOf(world("AB88899F", "Hv")), Lines{});  // allegiances with their own rules
    EXPECT_EQ(rulesOf(world("A788899F", "As")), Lines{});
}

TEST(Check, PagTradeCodesAndCodesNoTableKnows) {
    WorldRecord w = world("A788899C");
    for (const char* pag : {" 13", "0", "013", "113"}) {  // the last, right, stays for what follows
        w.pag = pag;
        EXPECT_EQ(rulesOf(w), pag[0] == '0' ? Lines{"pag-population"} : Lines{}) << pag;
    }
    WorldRecord empty = world("A7880000");
    empty.pag = "013";
    EXPECT_EQ(rulesOf(empty), Lines{});  // no multiplier for population 0 is right
    // Stored trade codes: a set of the fifteen standard codes, of which the profile keeps the first five.
    for (const auto& [codes, rules] :
         {std::pair{"Ri", Lines{}}, {"Cp Ri", Lines{}}, {"", Lines{"trade-codes"}}, {"Ri Ag", Lines{"trade-codes"}}})
        EXPECT_EQ(rulesOf(w, codes), rules) << codes;
    EXPECT_EQ(rulesOf(world("X0200000"), "As Ba De Lo Ni"), Lines{"size-zero"});
    EXPECT_EQ(rulesOf(world("X0200000"), "As Ba De Lo Po"), (Lines{"size-zero", "trade-codes"}));
    const struct {
        const char *zone, *base, *allegiance, *star, *rule;
    } rows[] = {{"A", "-", "vg", "K5 III", nullptr},     {"R", " ", "  ", "", nullptr},
                {"G", " ", "Im", "", "zone-code"},       {" ", "1", "Im", "", "base-code"},
                {" ", " ", "im", "", "allegiance-code"}, {" ", " ", "Im", "O5 V", "star-form"}};
    for (const auto& row : rows) {
        WorldRecord coded = world("A788899C", row.allegiance);
        coded.zone = row.zone;
        coded.base = row.base;
        coded.star2 = row.star;
        EXPECT_EQ(rulesOf(coded), row.rule ? Lines{row.rule} : Lines{}) << row.zone << row.base << row.allegiance;
    }
    w.star1 = w.star3 = "Q1 V";
    EXPECT_EQ(rulesOf(w), (Lines{"star-form", "star-form"}));
}

TEST(Check, MessagesNameTheValues) {
    WorldRecord w = world("A78829FH");
    w.star2 = "O5 V";
    std::vector<Finding> findings;
    checkWorld(w, 2410, "Ri Ag", "a.arp", findings);
    EXPECT_EQ(linesOf(findings),
              (Lines{"a.arp:2410: trade-codes: stored Ag Ri, the UWP gives Lo Ni: missing Lo Ni, extra Ag Ri",
                     "a.arp:2410: profile-range: government 9 above population + 5; law level 15 above government + 5",
                     "a.arp:2410: tech-range: tech level 17 above 15",
                     "a.arp:2410: star-form: star 2 \"O5 V\": spectral class \"O\" is not a known class"}));
}

// A galactic file for subsector B: a world outside it first (stored silently), one inside, a second line
// for the same hex, a further world outside and a nameless one.
TEST(Check, ReadersTellAndLeaveSecondAndOutsideLines) {
    const std::string dat =
        "Subsector: Beta Sector: Far\r\n"
        "Outsider      0101 A788899-C  N Ri              A  213 Im\r\n"
        "First         1001 A788899-C    Ri                 213 Im\r\n"
        "Second        1001 A788899-C    Ag                 213 Im\r\n"
        "Far away      3240 A788899-C    Ri                 213 Im\r\n"
        "              3239 A788899-C    Ri                 213 Im\r\n";
    SubsectorStore store;
    EXPECT_EQ(testing::texts(readDat(store, dat, "B")),
              (Lines{"DUPLICATE 1001 Second replaces First", "FAILED -699 2440"}));
    EXPECT_EQ(linesOf(checkSubsector(store, "s.dat")),
              (Lines{"s.dat:0101: outside-subsector: \"Outsider\" lies outside subsector B",
                     "s.dat:1001: trade-codes: stored Ag, the UWP gives Ri: missing Ri, extra Ag",
                     "s.dat:1001: duplicate-hex: a further line for this hex: \"Second\" replaces \"First\"",
                     "s.dat:3240: outside-subsector: \"Far away\" lies outside subsector B"}));
    store.clear();
    EXPECT_EQ(checkSubsector(store, "s.dat"), std::vector<Finding>{});
    store.subsectorLetter = "?";  // an unknown letter counts as A
    store.worlds[1] = world("F788899C");
    EXPECT_EQ(checkSubsector(store, "s")[0].hex, 101);
    // SBS computes trade codes; ARP keeps its own.
    store.subsectorLetter = "C";
    store.worlds[1] = world("A788899C");
    store.worlds[1].tradeCodes = "Ag";
    store.worlds[1].name = "One";
    std::string sbs = formatSbs(store).value, arp = formatArp(store).value;
    sbs += sbs.substr(sbs.rfind("\r\n", sbs.size() - 3) + 2);
    SubsectorStore back;
    EXPECT_EQ(testing::texts(readSbs(back, sbs)), Lines{"DUPLICATE 1701 One replaces One"});
    EXPECT_EQ(rulesOf(checkSubsector(back, "c.sbs")), Lines{"duplicate-hex"});
    back.clear();
    EXPECT_EQ(testing::texts(readArp(back, arp + arp.substr(arp.rfind("\r\n", arp.size() - 3) + 2))),
              Lines{"DUPLICATE 1701 One replaces One"});
    EXPECT_EQ(rulesOf(checkSubsector(back, "c.arp")), (Lines{"trade-codes", "duplicate-hex"}));
}

// A whole sector: worlds at their sector hexes, trade codes from the remarks, the second line for a hex that
// its reader skipped; in hex order whatever the order of the lines.
TEST(Check, SectorFindingsInSectorHexOrder) {
    const auto row = [](const char* hex, const char* name, const char* uwp, const char* remarks, const char* al) {
        return std::string("K\t-\t") + hex + "\t" + name + "\t" + uwp + "\t\t" + remarks + "\t\t213\t" + al +
               "\tG2 V\r\n";
    };
    const auto read = readSector(
        "Sector\tSS\tHex\tName\tUWP\tBases\tRemarks\tZone\tPBG\tAllegiance\tStars\r\n" +
            row("3240", "Last", "A788899-C", "Ag Cp", "Im") + row("0101", "First", "A788899-C", "Ri", "Im") +
            row("0905", "Middle", "X000000-0", "As Ba Lo Ni Va", "Zz") + row("0101", "Again", "A788899-C", "Ri", "Im"),
        "k");
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(linesOf(checkSector(read->value, read->notices, "k.tab", CheckRules::Classic)),
              (Lines{"k.tab:0101: duplicate-hex: a further line for this hex: \"Again\" is skipped, \"First\" stays",
                     "k.tab:0905: allegiance-code: allegiance \"Zz\" is not a known allegiance",
                     "k.tab:3240: trade-codes: stored Ag, the UWP gives Ri: missing Ri, extra Ag"}));
}

// Subsectors generated with the common rules give no finding, as the store holds them and read back from an
// ARP file, which keeps the trade codes.
TEST(Check, GeneratedSubsectorsPassClean) {
    GenerationOptions options[3];
    options[1].defaultAllegiance = "Na";
    options[1].oddAlienPercent = 50;
    options[1].techCap = 5;
    options[2].techCap = 9;
    options[2].depopulateOverCap = true;
    for (GenerationOptions o : options) {
        o.densityPercent = 66;
        for (std::uint64_t seed = 1; seed <= 150; ++seed) {
            SubsectorStore store, back;
            Dice dice(seed);
            generateSubsector(store, o, dice);
            EXPECT_EQ(linesOf(checkSubsector(store, "generated")), Lines{}) << seed;
            (void)readArp(back, formatArp(store).value);
            EXPECT_EQ(linesOf(checkSubsector(back, "generated.arp")), Lines{}) << seed;
        }
    }
}

}  // namespace
}  // namespace qelvar
