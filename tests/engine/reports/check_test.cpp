// The check: one table row per rule and limit, the facts the readers leave, and generated subsectors
// (common rules) that must pass clean.
#include "reports/check.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

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

struct WorldRow {
    const char* uwp;
    std::vector<std::string> rules;               // every rule found, in order
    std::optional<const char*> storedCodes = {};  // the file's own trade codes; none: computed (SBS)
    const char* pag = "213";
    const char* allegiance = "Im";
    const char* zone = " ";
    const char* base = " ";
    const char* star2 = "";
};

std::vector<std::string> rulesOf(const std::vector<Finding>& findings) {
    std::vector<std::string> rules;
    for (const Finding& f : findings) rules.push_back(f.rule);
    return rules;
}

class CheckWorldTest : public ::testing::TestWithParam<WorldRow> {};

TEST_P(CheckWorldTest, FindsItsRules) {
    const WorldRow& row = GetParam();
    WorldRecord world;
    world.location = 101;
    world.uwp = row.uwp;
    world.pag = row.pag;
    world.allegiance = row.allegiance;
    world.zone = row.zone;
    world.base = row.base;
    world.star1 = "G2 V";
    world.star2 = row.star2;
    world.tradeCodes = row.storedCodes.value_or("");
    std::vector<Finding> findings;
    const auto stored = row.storedCodes ? std::optional<std::string_view>(*row.storedCodes) : std::nullopt;
    checkWorld(world, 101, stored, "f", findings);
    EXPECT_EQ(rulesOf(findings), row.rules) << row.uwp;
}

const std::vector<std::string> none;
const std::vector<std::string> form{"uwp-form"}, sizeZero{"size-zero"}, hydMax{"hydrographics-max"},
    popZero{"population-zero"}, pag{"pag-population"}, trade{"trade-codes"}, profile{"profile-range"},
    tech{"tech-range"};

INSTANTIATE_TEST_SUITE_P(
    Rules, CheckWorldTest,
    ::testing::Values(
        // A clean world: A788899C has tech at most 8 + 6 (starport A) = 14.
        WorldRow{"A788899C", none, "Ri"}, WorldRow{"?788899C", none, ""}, WorldRow{"A78?F99C", none},
        WorldRow{"        ", none}, WorldRow{"F788899C", form}, WorldRow{"A788I99C", form}, WorldRow{"A78 899C", form},
        WorldRow{"a788899C", form}, WorldRow{"X7888", form}, WorldRow{"X0000000", none, {}, "013"},
        WorldRow{"X0100000", sizeZero, {}, "013"}, WorldRow{"X0010000", sizeZero, {}, "013"},
        WorldRow{"X0060000", sizeZero, {}, "013"}, WorldRow{"A7AA899C", none}, WorldRow{"A7AB899C", hydMax},
        WorldRow{"A7880000", none, {}, "013"}, WorldRow{"A7880100", popZero, {}, "013"},
        WorldRow{"A7880010", popZero, {}, "013"}, WorldRow{"A7880001", popZero, {}, "013"},
        WorldRow{"A7880900", popZero, {}, "013"}, WorldRow{"A788899C", pag, {}, "013"},
        WorldRow{"A788899C", none, {}, " 13"}, WorldRow{"A788899C", none, {}, "113"},
        // Stored trade codes: compared as a set of the fifteen standard codes, the first five kept.
        WorldRow{"A788899C", trade, ""}, WorldRow{"A788899C", none, "Cp Ri"}, WorldRow{"A788899C", trade, "Ri Ag"},
        WorldRow{"X0200000", sizeZero, "As Ba De Lo Ni", "013"},
        WorldRow{"X0200000", {"size-zero", "trade-codes"}, "As Ba De Lo Po", "013"},
        // The profile's limits, each on both sides.
        WorldRow{"AA88899C", none}, WorldRow{"AB88899C", profile}, WorldRow{"AB88899C", none, {}, "213", "Hv"},
        WorldRow{"A278899C", none}, WorldRow{"A288899C", profile}, WorldRow{"A610899C", none},
        WorldRow{"A600899C", profile}, WorldRow{"A500899C", none}, WorldRow{"A727899C", none},
        WorldRow{"A728899C", profile}, WorldRow{"A761899C", none}, WorldRow{"A760899C", profile},
        WorldRow{"A750899C", none}, WorldRow{"A788A99C", none}, WorldRow{"A788B99C", profile},
        WorldRow{"A788389C", none}, WorldRow{"A788399C", profile}, WorldRow{"A788A59C", none},
        WorldRow{"A788A49C", profile}, WorldRow{"A78889EC", none}, WorldRow{"A78889FC", profile},
        WorldRow{"A788894C", none}, WorldRow{"A788893C", profile},
        // Tech level at its highest, then one above: 8 + the modifiers, or the atmosphere's minimum.
        WorldRow{"A788899E", none}, WorldRow{"A788899F", tech}, WorldRow{"A788899F", none, {}, "213", "As"},
        WorldRow{"B788899C", none}, WorldRow{"B788899D", tech}, WorldRow{"C788899A", none}, WorldRow{"C788899B", tech},
        WorldRow{"D7888998", none}, WorldRow{"E7888999", tech}, WorldRow{"X7888994", none}, WorldRow{"X7888995", tech},
        WorldRow{"A138899H", none}, WorldRow{"A138899J", tech}, WorldRow{"A488899F", none}, WorldRow{"A488899G", tech},
        WorldRow{"A7A8899F", none}, WorldRow{"A7A8899G", tech}, WorldRow{"A789899F", none}, WorldRow{"A789899G", tech},
        WorldRow{"A788500G", none}, WorldRow{"A788500H", tech}, WorldRow{"A788999G", none}, WorldRow{"A788999H", tech},
        WorldRow{"A788AA9J", none}, WorldRow{"A788AA9K", tech}, WorldRow{"A7888D9C", none}, WorldRow{"A7888D9D", tech},
        WorldRow{"X5008997", none}, WorldRow{"X5008996", tech}, WorldRow{"X5308996", none}, WorldRow{"X5308995", tech},
        WorldRow{"X5408995", none}, WorldRow{"X5408994", tech}, WorldRow{"X5508990", none}, WorldRow{"XAA58998", none},
        WorldRow{"XAA58997", tech}, WorldRow{"XAC78999", none}, WorldRow{"XAC78998", tech},
        // A size-0 world may hold the minimum its rolled atmosphere gave (at most 7).
        WorldRow{"X0008DD7", none}, WorldRow{"X0008DD8", tech},
        // Codes no table knows; a blank is never a finding.
        WorldRow{"A788899C", {"zone-code"}, {}, "213", "Im", "G"}, WorldRow{"A788899C", none, {}, "213", "Im", "R"},
        WorldRow{"A788899C", none, {}, "213", "Im", "A", "-"},
        WorldRow{"A788899C", {"base-code"}, {}, "213", "Im", " ", "1"}, WorldRow{"A788899C", none, {}, "213", "vg"},
        WorldRow{"A788899C", {"allegiance-code"}, {}, "213", "im"}, WorldRow{"A788899C", none, {}, "213", "  "},
        WorldRow{"A788899C", none, {}, "213", "Im", " ", " ", "K5 III"},
        WorldRow{"A788899C", {"star-form"}, {}, "213", "Im", " ", " ", "O5 V"}));

TEST(Check, MessagesNameTheValues) {
    WorldRecord world;
    world.uwp = "A788899C";
    world.tradeCodes = "Ri Ag";
    world.star2 = "O5 V";
    world.allegiance = "Im";
    std::vector<Finding> findings;
    checkWorld(world, 2410, world.tradeCodes.view(), "a.arp", findings);
    ASSERT_EQ(findings.size(), 2u);
    EXPECT_EQ(findingLine(findings[0]), "a.arp:2410: trade-codes: stored Ag Ri, the UWP gives Ri: extra Ag");
    EXPECT_EQ(findings[1].message, "star 2 \"O5 V\": spectral class \"O\" is not a known class");
    findings.clear();
    world.uwp = "A78829FH";
    world.tradeCodes = "";
    checkWorld(world, 101, world.tradeCodes.view(), "a", findings);
    EXPECT_EQ(findings[0].message, "stored none, the UWP gives Lo Ni: missing Lo Ni");
    EXPECT_EQ(findings[1].message, "government 9 above population + 5; law level 15 above government + 5");
    EXPECT_EQ(findings[2].message, "tech level 17 above 15");
}

// A galactic file for subsector B: a world outside it first (stored silently), one inside, a second line
// for the same hex, and a further world outside.
TEST(Check, ReadersLeaveDuplicateAndOutsideLines) {
    const std::string dat =
        "Subsector: Beta Sector: Far\r\n"
        "Outsider      0101 A788899-C  N Ri              A  213 Im\r\n"
        "First         1001 A788899-C    Ri                 213 Im\r\n"
        "Second        1001 A788899-C    Ri                 213 Im\r\n"
        "Far away      3240 A788899-C    Ri                 213 Im\r\n"
        "              3239 A788899-C    Ri                 213 Im\r\n";
    SubsectorStore store;
    const Notices notices = readDat(store, dat, "B");
    EXPECT_EQ(testing::texts(notices),
              (std::vector<std::string>{"DUPLICATE 1001 Second replaces First", "FAILED -699 2440"}));
    const auto findings = checkSubsector(store, "s.dat");
    std::vector<std::string> lines;
    for (const Finding& f : findings) lines.push_back(findingLine(f));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "s.dat:0101: outside-subsector: \"Outsider\" lies outside subsector B",
                         "s.dat:1001: duplicate-hex: a further line for this hex: \"Second\" replaces \"First\"",
                         "s.dat:3240: outside-subsector: \"Far away\" lies outside subsector B"}));
}

TEST(Check, SecondLinesOfSbsAndArpAreToldAndFound) {
    const std::string world = "A788899C       213 Im G2 V";
    SubsectorStore store;
    const std::string sbs = "Sub\r\nSector\r\n" + std::string(78, ' ') + "C\r\n" + "One                 1701  " +
                            world + "\r\nTwo                 1701  " + world + "\r\n";
    EXPECT_EQ(testing::texts(readSbs(store, sbs)), std::vector<std::string>{"DUPLICATE 1701 Two replaces One"});
    EXPECT_FALSE(store.readFacts.tradeCodesFromFile);
    EXPECT_EQ(rulesOf(checkSubsector(store, "c.sbs")), std::vector<std::string>{"duplicate-hex"});
    store.clear();
    EXPECT_TRUE(store.readFacts.duplicates.empty());
    store.worlds[1].location = 101;
    store.worlds[1].uwp = "A788899C";
    store.worlds[1].tradeCodes = "Ri";
    store.subsectorLetter = "A";
    store.worlds[1].name = "One";
    store.worlds[2] = store.worlds[1];
    store.worlds[2].location = 102;
    store.worlds[2].tradeCodes = "Ag";
    SubsectorStore back;
    EXPECT_EQ(readArp(back, formatArp(store).value).size(), 0u);
    EXPECT_EQ(rulesOf(checkSubsector(back, "a.arp")), std::vector<std::string>{"trade-codes"});
    std::string twice = formatArp(store).value;
    twice.insert(twice.find("One"),
                 twice.substr(twice.find("One"), twice.find("\r\n", twice.find("One")) - twice.find("One") + 2));
    back.clear();
    EXPECT_EQ(testing::texts(readArp(back, twice)), std::vector<std::string>{"DUPLICATE 0101 One replaces One"});
}

// Subsectors generated with the common rules give no finding, as the store holds them and read back
// from an ARP file, which keeps the trade codes.
TEST(Check, GeneratedSubsectorsPassClean) {
    const auto options = [](int density, const char* allegiance, int techCap, bool depopulate, int oddAliens) {
        GenerationOptions o;
        o.densityPercent = density;
        o.defaultAllegiance = allegiance;
        o.techCap = techCap;
        o.depopulateOverCap = depopulate;
        o.oddAlienPercent = oddAliens;
        return o;
    };
    const GenerationOptions runs[] = {options(66, "Im", GenerationOptions::kNoTechCap, false, 5),
                                      options(66, "Na", 5, false, 50), options(66, "Im", 9, true, 0)};
    for (const GenerationOptions& o : runs) {
        for (std::uint64_t seed = 1; seed <= 150; ++seed) {
            SubsectorStore store;
            Dice dice(seed);
            generateSubsector(store, o, dice);
            EXPECT_EQ(checkSubsector(store, "generated"), std::vector<Finding>{}) << seed;
            SubsectorStore back;
            (void)readArp(back, formatArp(store).value);
            EXPECT_EQ(checkSubsector(back, "generated.arp"), std::vector<Finding>{}) << seed;
        }
    }
}

}  // namespace
}  // namespace qelvar

namespace qelvar {
namespace {

// A whole sector: every subsector's worlds at their sector hexes, trade codes from the remarks, and the second
// line for a hex that its reader skipped; in hex order whatever the order of the lines.
TEST(Check, SectorFindingsInSectorHexOrder) {
    const auto row = [](const char* hex, const char* name, const char* uwp, const char* remarks, const char* al) {
        return std::string("K\t-\t") + hex + "\t" + name + "\t" + uwp + "\t\t" + remarks + "\t\t213\t" + al +
               "\tG2 V\r\n";
    };
    const std::string tab =
        "Sector\tSS\tHex\tName\tUWP\tBases\tRemarks\tZone\tPBG\tAllegiance\tStars\r\n" +
        row("3240", "Last", "A788899-C", "Ag Cp", "Im") + row("0101", "First", "A788899-C", "Ri", "Im") +
        row("0905", "Middle", "X000000-0", "As Ba Lo Ni Va", "Zz") + row("0101", "Again", "A788899-C", "Ri", "Im");
    const auto read = readSector(tab, "k");
    ASSERT_TRUE(read.ok());
    std::vector<std::string> lines;
    for (const Finding& f : checkSector(read->value, "k.tab")) lines.push_back(findingLine(f));
    EXPECT_EQ(lines,
              (std::vector<std::string>{
                  "k.tab:0101: duplicate-hex: a further line for this hex: \"Again\" is skipped, \"First\" stays",
                  "k.tab:0905: allegiance-code: allegiance \"Zz\" is not a known allegiance",
                  "k.tab:3240: trade-codes: stored Ag, the UWP gives Ri: missing Ri, extra Ag"}));
}

}  // namespace
}  // namespace qelvar
