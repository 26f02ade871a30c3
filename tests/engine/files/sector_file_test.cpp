#include "files/sector_file.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>

#include "files/arp.h"
#include "files/loader.h"
#include "files/sbs.h"
#include "files/sector_fields.h"
#include "files/sector_formats.h"
#include "store/file_io.h"
#include "store/text.h"
#include "support/column_line.h"
#include "support/notices.h"
#include "support/sample_world.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

using testing::lineOf;
using testing::texts;

const std::string kHeader =
    "Sector\tSS\tHex\tName\tUWP\tBases\tRemarks\tZone\tPBG\tAllegiance\tStars\t{Ix}\t(Ex)\t[Cx]\tNobility\tW\tRU\r\n";

// A tab row in the writer's column order.
std::string tabRow(const std::string& hex, const std::string& name, const std::string& uwp, const std::string& bases,
                   const std::string& remarks, const std::string& allegiance = "Im", const std::string& stars = "G2 V",
                   const std::string& extra = "{ 1 }\t(A46+2)\t[1716]\tBc\t7\t90") {
    const int column = (hex[0] - '0') * 10 + hex[1] - '0';
    const int row = (hex[2] - '0') * 10 + hex[3] - '0';
    const char letter = static_cast<char>('A' + (column - 1) / 8 + 4 * ((row - 1) / 10));
    return "Kest\t" + std::string(1, letter) + "\t" + hex + "\t" + name + "\t" + uwp + "\t" + bases + "\t" + remarks +
           "\t\t103\t" + allegiance + "\t" + stars + "\t" + extra + "\r\n";
}

WithNotices<SectorRead> readOk(const std::string& bytes) {
    Result<WithNotices<SectorRead>> read = readSector(bytes, "Kestrel");
    EXPECT_TRUE(read.ok()) << (read.ok() ? "" : read.error());
    return read.ok() ? std::move(*read) : WithNotices<SectorRead>{};
}

TEST(SectorLines, EachLineKeepsItsOwnEnd) {
    for (const auto& [bytes, shown] :
         std::vector<std::pair<std::string, std::string>>{{"a\r\nb\nc\rd", "1a\r\n|2b\n|3c\r|4d|"},
                                                          {"a\r\n", "1a\r\n|"},
                                                          {"", ""},
                                                          {"\n\r\r\n", "1\n|2\r|3\r\n|"}}) {
        std::string got;
        for (const auto& line : sector_formats::physicalLines(bytes)) {
            got += std::to_string(line.number) + std::string(line.text) + std::string(line.end) + "|";
        }
        EXPECT_EQ(got, shown);
    }
}

TEST(SectorUwp, CommonDigitsByValue) {
    // The UWP as sector files write it, as stored, and the digits the store cannot hold.
    using Row = std::tuple<const char*, const char*, const char*>;
    for (const auto& [common, stored, unheld] :
         {Row{"A788899-C", "A788899C", ""}, Row{"BUV0TW?-Y", "BVW0TX?Z", ""}, Row{"C00000Z-U", "C00000?V", "Z"},
          Row{"X?????\?-?", "X???????", ""}}) {
        SCOPED_TRACE(common);
        std::string dropped;
        EXPECT_EQ(uwpFromSectorText(common, &dropped), stored);
        EXPECT_EQ(dropped, unheld);
        if (*unheld == '\0') {
            EXPECT_EQ(sectorUwpText(stored), common);
        }
    }
}

TEST(SectorBases, LegacyLettersAndModernCodes) {
    // A legacy base letter, the allegiance it is read under and the modern codes it stands for.
    const std::tuple<char, const char*, const char*> rows[] = {
        {'A', "Im", "NS"}, {'B', "ImDd", "NW"}, {'F', "", "KM"},    {'H', "Im", "CK"}, {'J', "Im", "K"},
        {'U', "Im", "RT"}, {'W', "Im", "W"},    {'Y', "ZhCo", "D"}, {'X', "Zh", "W"},  {'Z', "Zh", "KM"},
        {'G', "Va", "K"},  {'L', "Hv", "K"},    {'P', "Dr", "K"},   {'Q', "Dr", "M"}};
    for (const auto& [legacy, allegiance, modern] : rows) {
        SCOPED_TRACE(std::string(1, legacy) + allegiance);
        EXPECT_EQ(modernBases(legacy, allegiance), modern);
        EXPECT_EQ(legacyBase(modern, allegiance), legacy);
    }
    EXPECT_EQ(modernBases('2', "Im"), "NS");
    EXPECT_EQ(legacyBase("SN", "Im"), 'A');
    EXPECT_EQ(modernBases('G', "Im"), std::nullopt);
    EXPECT_EQ(modernBases('Y', "Im"), std::nullopt);
    EXPECT_EQ(legacyBase("NSW", "Im"), std::nullopt);
}

TEST(SectorTab, BadLinesAreToldAndSkipped) {
    const std::string bytes = "# made by hand\r\n\r\n" + kHeader + tabRow("0101", "Alda", "A788899-C", "NS", "Ri") +
                              "Kest\tA\t0102\tShort\r\n" + tabRow("01x2", "Bad", "A788899-C", "", "") +
                              tabRow("3301", "Far", "A788899-C", "", "") +
                              tabRow("0101", "Twice", "B000000-0", "", "") + "# a comment\r\n" +
                              tabRow("2540", "Last", "C867A98-9", "KM", "Hi In");
    const auto read = readOk(bytes);
    EXPECT_EQ(texts(read.notices), (std::vector<std::string>{"line 5: 4 fields where the header has 17",
                                                             "line 6: the hex \"01x2\" is not four digits",
                                                             "line 7: the hex 3301 lies outside the sector",
                                                             "line 8: a second world at hex 0101; the first stays"}));
    const auto& worlds = read.value.sector.worlds;
    ASSERT_EQ(worlds.size(), 2u);
    EXPECT_EQ(std::string(worlds[0].record.name.trimmed()) + worlds[0].record.base.str(), "AldaA");
    // The second at sector hex 2540, location 110 of its subsector, from line 10, with its bases as a letter.
    EXPECT_EQ(std::to_string(worlds[1].column * 100 + worlds[1].row) + " " + std::to_string(worlds[1].record.location) +
                  " " + std::to_string(worlds[1].line) + " " + worlds[1].record.base.str(),
              "2540 110 10 F");
}

TEST(SectorTab, HexesInsideTheSectorAndTheHeaderThatMakesTheFormat) {
    std::string bytes = kHeader;
    for (const char* hex : {"0000", "0001", "0100", "3240", "3241", "3340", "0140"}) {
        bytes += tabRow(hex, "World", "A788899-C", "", "");
    }
    const auto read = readOk(bytes);
    std::vector<std::string> hexes;
    for (const SectorWorld& w : read.value.sector.worlds) hexes.push_back(formatFourDigits(w.column * 100 + w.row));
    EXPECT_EQ(hexes, (std::vector<std::string>{"3240", "0140"}));
    EXPECT_EQ(read.notices.size(), 5u);
    const std::string nine = "Hex\tName\tUWP\tBases\tRemarks\tZone\tPBG\tAllegiance\tStars\tW\n";
    EXPECT_EQ(readOk(nine + "0101\tAlda\tA788899-C\t\t\t\t103\tIm\tG2 V\t1\n").value.layout.format, SectorFormat::Tab);
    const std::string legacy = lineOf("1:Alda|15:0101|20:A788899-C|52:103|56:Im|") + "\n";
    EXPECT_EQ(readOk(nine.substr(nine.find('\t') + 1) + legacy).value.layout.format, SectorFormat::Legacy);
}

TEST(SectorTab, ColumnsByNameAndAliasesInAnyOrder) {
    const std::string bytes =
        "Name\tHex\tUWP\tB\tTrade Codes\tZ\tPBG\tAl\tStellar Data\t{ Ix }\tExtra\n"
        "Vorn\t1105\tA788899-C\tNS\tRi Cp\tA\t201\tVaDd\tK5 IV M1 V F0 D BD\t{ 2 }\tkept\n";
    const auto read = readOk(bytes);
    ASSERT_EQ(read.value.sector.worlds.size(), 1u);
    const WorldRecord& w = read.value.sector.worlds[0].record;
    EXPECT_EQ(w.allegiance.str() + w.zone.str() + w.gasGiant.str() + "|" + w.star1.str() + w.star2.str() +
                  w.star3.str() + "|" + w.tradeCodes.str() + "|" + std::string(w.notes.trimmed()),
              "VaAG|K5 IV M1 V  F0 D  |Ri             |Cp");
    EXPECT_EQ(read.value.sector.worlds[0].fields.at("{Ix}"), "{ 2 }");
    EXPECT_EQ(read.value.sector.extraColumns, std::vector<std::string>{"Extra"});
    const std::string tab = formatSector(read.value.sector, SectorFormat::Tab).value;
    EXPECT_NE(
        tab.find("\t1105\tVorn\tA788899-C\tNS\tRi Cp\tA\t201\tVaDd\tK5 IV M1 V F0 D BD\t{ 2 }\t\t\t\t\t\tkept\r\n"),
        std::string::npos);
}

TEST(SectorTab, AFileWithoutARequiredColumnOrAWorldIsUnreadable) {
    const std::string noColumns = "Hex\tName\tUWP\tRemarks\tPBG\tAllegiance\tStars\tW\tRU\tSector\n";
    for (const std::string& bytes : {noColumns, std::string(), kHeader, std::string("# nothing\r\n\r\n")}) {
        const Result<WithNotices<SectorRead>> read = readSector(bytes, "Kestrel");
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(read.error(), "cannot read the sector file \"Kestrel\": " +
                                    std::string(bytes == noColumns ? "it has no Bases and Zone columns"
                                                                   : "no world could be read from it"));
    }
}

TEST(SectorFormats, OwnFilesReadBackToTheSameBytesAndKeepEveryField) {
    const std::string tab =
        kHeader + tabRow("0101", "Alda", "A788899-C", "NS", "Ri Cp {Home}", "ImDd") +
        tabRow("1720", "Brannoch-Over-The-Water", "BUV0000-Y", "NSW", "As Ba", "Im", "M0 V M1 V M2 V M3 V") +
        tabRow("3240", "Zürich ☆", "E555555-5", "", "-", "Im", "", "\t\t\t\t\t");
    const Sector sector = readOk(tab).value.sector;
    EXPECT_EQ(formatSector(sector, SectorFormat::Tab).value, tab);
    // Fields a writer could not give back the same way: blanks around them, bases no legacy letter stands
    // for, lower-case stars and bases, remarks that are not the codes this program computes.
    const Sector odd =
        readOk(kHeader + tabRow("0102", " Cove ", "A788899-C", "KV", "De He Na Po Pi Pz", " Im ", "M1 Ib B3 v") +
               tabRow("0203", "Dell", "B000000-0", "r", "Lo", "Zh", "K0 IV", "\t\t\t\t\t") +
               tabRow("0304", "Edge", "X000000-0", "", "{Anomaly}"))
            .value.sector;
    for (const Sector* source : {&sector, &odd}) {
        for (const SectorFormat format : {SectorFormat::Tab, SectorFormat::Columns, SectorFormat::Legacy}) {
            SCOPED_TRACE(sectorFormatName(format));
            const WithNotices<std::string> first = formatSector(*source, format);
            const Sector again = readOk(first.value).value.sector;
            EXPECT_EQ(formatSector(again, format).value, first.value);
            if (format == SectorFormat::Columns) {
                EXPECT_FALSE(lossNotice(*source, again, -1, "columns").has_value());
                std::istringstream heading(first.value.substr(0, first.value.find('\r')));
                const std::vector<std::string> titles{std::istream_iterator<std::string>(heading), {}};
                EXPECT_EQ(std::vector<std::string>(titles.begin(), titles.begin() + 14),
                          (std::vector<std::string>{"Hex", "Name", "UWP", "Remarks", "{Ix}", "(Ex)", "[Cx]", "N", "B",
                                                    "Z", "PBG", "W", "A", "Stellar"}));
            }
        }
        SubsectorStore store, back, twice;
        sectorToStore(*source, 0, store);
        (void)readSbs(back, formatSbs(store).value);
        EXPECT_EQ(formatSbs(back).value, formatSbs(store).value);
        (void)readArp(twice, formatArp(store).value);
        EXPECT_EQ(formatArp(twice).value, formatArp(store).value);
    }
    // The remarks come back from SBS in their order, each once.
    SubsectorStore store, back;
    sectorToStore(odd, 0, store);
    (void)readSbs(back, formatSbs(store).value);
    Sector joined;
    storeIntoSector(back, joined);
    EXPECT_EQ(joined.worlds.at(0).record.name.trimmed(), "Cove");
    for (std::size_t i = 0; const char* remarks : {"De He Na Po Pi Pz", "Lo", "{Anomaly}"})
        EXPECT_EQ(fieldsToWrite(joined.worlds.at(i++)).at("Remarks"), remarks);
    EXPECT_EQ(texts(formatSector(sector, SectorFormat::Legacy).notices),
              (std::vector<std::string>{"3 worlds lose their sector, full names, several bases, four-letter "
                                        "allegiance, {Ix}, (Ex), [Cx], nobility, W and RU in the legacy sector "
                                        "format"}));
    EXPECT_EQ(splitLines(formatSector(sector, SectorFormat::Legacy).value).at(1),  // N, the first base, not NS's A
              "Brannoch-Over-1720 BUV0000-Y  N As Ba              103 Im M0 V M1 V M2 V M3 V");
}

TEST(SectorColumns, CutAtTheDashRuns) {
    const std::string bytes =
        "Hex  Name                 UWP       Remarks              {Ix} N B  Z PBG W A    Stellar\n"
        "---- -------------------- --------- -------------------- ---- - -- - --- - ---- -------\n"
        "0101 Alda                 A788899-C Ri                   {2}  - NS G 103 1 ImDd G2 V M1 V\n"
        "0102 Bent                 A788899-C Ri                  x{2}  - NS - 103 1 Im   G2 V\n";
    const auto read = readOk(bytes);
    EXPECT_EQ(read.value.layout.format, SectorFormat::Columns);
    EXPECT_EQ(texts(read.notices), std::vector<std::string>{"line 4: text between the columns before {Ix}"});
    ASSERT_EQ(read.value.sector.worlds.size(), 1u);
    const SectorWorld& world = read.value.sector.worlds[0];
    EXPECT_EQ(world.fields.at("Stars") + "|" + world.record.base.str() + world.record.zone.str(), "G2 V M1 V|A ");
}

TEST(SectorLegacy, GalacticColumnsForAWholeSector) {
    const std::string alda = "1:Alda|15:2540|20:A788899-C|33:Ri Cp|49:R|52:213|56:Zh|59:G2 V M1 V|";
    const auto read = readOk("# Kestrel\r\n$ dollar\r\n@ at\r\n" + lineOf(alda + "31:2|") + "\r\n" +
                             lineOf("1:Nowhere|15:0041|20:A788899-C|52:103|") + "\r\n");
    EXPECT_EQ(texts(read.notices), std::vector<std::string>{"line 5: the hex 0041 lies outside the sector"});
    ASSERT_EQ(read.value.sector.worlds.size(), 1u);
    const SectorWorld& world = read.value.sector.worlds[0];
    EXPECT_EQ(world.fields.at("Bases") + world.record.zone.str() + world.record.star2.str(), "NSRM1 V  ");
    EXPECT_EQ(formatSector(read.value.sector, SectorFormat::Legacy).value, lineOf(alda + "31:A|") + "\r\n");
}

// Published legacy files put the hex at the 15th, 21st or 22nd character; a line is a world only where its
// hex and UWP stand in a world line's shape, with the other fields in their places after the UWP.
TEST(SectorLegacy, LinesFoundByTheShapeOfHexAndUwp) {
    const std::string rest = "|Ri Cp|R|213|Zh|G2 V M1 V|";
    struct Row {
        const char* fields;  // name, hex and UWP; then base, remarks, zone, PBG, allegiance and stars at their columns
        const char* read;    // name|hex|bases|remarks|zone|PBG|allegiance|stars, or the line's notice
    } rows[] = {
        {"1:Alda|15:2540|20:A788899-C|31:N|33:Ri Cp|49:R|52:213|56:Zh|63:G2 V M1 V|", "Alda|2540|N"},
        {"1:Twenty Characters N|21:2540|26:A788899-C|36:N|38:Ri Cp|56:R|58:213|62:Zh|65:G2 V M1 V|",
         "Twenty Characters N|2540|N"},
        {"22:2540|27:A788899-C|37:N|39:Ri Cp|59:R|61:213|65:Zh|68:G2 V M1 V|", "|2540|N"},
        {"1:Fourteen chars|15:2540|20:a788899-c|31:N|33:Ri Cp|49:R|52:213|56:Zh|59:G2 V M1 V|",
         "Fourteen chars|2540|N"},
        {"1:X5401 0139 X11|20:6 - Lo|", "line 1: no hex and UWP in the places of a world line"},
        {"1:Alda|20:A788899-|", "line 1: no hex and UWP in the places of a world line"},
        {"1:Alda|15:2x40|20:A788899-C|52:213|", "line 1: no hex and UWP in the places of a world line"},
        {"1:Alda|15:254x|20:A788899-C|52:213|", "line 1: no hex and UWP in the places of a world line"},
        {"1:Alda|15:2540|20:A788899-C|31:N|33:Ri Cp|49:R|51:213 Zh  G2 V M1 V|", "Alda|2540|N"},
        {"1:Alda|15:2540|20:A788899-C|31:N|33:Ri Cp|45:R|48:213|52:Zh|55:G2 V M1 V|", "Alda|2540|N"},  // PBG at 20
        {"1:Alda|15:2540|20:A788899-C|52:21|", "line 1: no PBG after the UWP"},
        {"1:Alda|15:2540|20:A788899-C|49:Q|52:213|56:Zh|", "line 1: the zone \"Q\" is not a travel zone"},
        {"1:Alda|15:2540|20:A788899-C|52:213|56:Zh!|",
         "line 1: the allegiance \"Zh!\" is not two to four letters and digits"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.fields);
        const Result<WithNotices<SectorRead>> read = readSector(lineOf(row.fields) + "\r\n", "Kestrel");
        if (!read.ok()) {
            EXPECT_EQ(read.error(), "cannot read the sector file \"Kestrel\": no world could be read from it (" +
                                        std::string(row.read) + ")");
            continue;
        }
        ASSERT_EQ(read->value.sector.worlds.size(), 1u);
        const SectorFields& f = read->value.sector.worlds[0].fields;
        EXPECT_EQ(f.at("Name") + "|2540|" + f.at("Bases"), row.read);
        EXPECT_EQ("|" + f.at("Remarks") + "|" + f.at("Zone") + "|" + f.at("PBG") + "|" + f.at("Allegiance") + "|" +
                      f.at("Stars") + "|",
                  rest);
    }
    // With a blank PBG, a line in the galactic files' places takes its fields from those places.
    const auto galactic = readOk(lineOf("1:Alda|15:2540|20:A788899-C|31:N|33:Ri Cp|49:R|56:Zh|59:G2 V M1 V|") + "\r\n");
    const SectorFields& g = galactic.value.sector.worlds.at(0).fields;
    EXPECT_EQ(g.at("Bases") + "|" + g.at("Remarks") + "|" + g.at("Zone") + "|" + g.at("PBG") + "|" +
                  g.at("Allegiance") + "|" + g.at("Stars"),
              "N|Ri Cp|R||Zh|G2 V M1 V");
    // A one-letter word more than three places before the PBG is a remark, not the zone.
    const auto far = readOk(lineOf("1:Alda|15:2540|20:A788899-C|33:Ri Cp|48:R|52:213|") + "\r\n");
    EXPECT_EQ(far.value.sector.worlds.at(0).fields.at("Zone"), "");
    // Text around the worlds is passed over; a bad line is told.
    for (const Row& row : rows) {
        if (row.read[0] != 'l') continue;
        const auto read =
            readOk("Kestrel Sector\r\nA: Alda   sec_a.dat\r\nWorld Name  Hex 0101 to 3240  UWP  B Remarks  Z PBG\r\n" +
                   lineOf(row.fields) + "\r\n" + lineOf(rows[0].fields) + "\r\n");
        EXPECT_EQ(texts(read.notices), std::vector<std::string>{"line 4" + std::string(row.read).substr(6)});
    }
}

TEST(SectorTab, FieldsOfAnotherShapeMakeABadLine) {
    const auto read = readOk(
        kHeader + tabRow("0101", "Alda", "A78889-C", "", "") + tabRow("0102", "Bree", "A788899-C", "", "", "Imperium") +
        tabRow("0103", "Cole", "?788899-C", "", "", "", "") + tabRow("0104", "Dun", "A788899-C", "", ""));
    EXPECT_EQ(texts(read.notices),
              (std::vector<std::string>{"line 2: the UWP \"A78889-C\" is not a starport and seven digits",
                                        "line 3: the allegiance \"Imperium\" is not two to four letters and digits"}));
    EXPECT_EQ(read.value.sector.worlds.size(), 2u);
}

class SectorFiles : public testing::TempFolderTest {};

// A sector file is known by its name, or by its header whatever its name.
TEST_F(SectorFiles, KnownByTheHeaderWhateverTheName) {
    write("columns.txt", "Hex  Name UWP\r\n---- ---- ---------\r\n0101 Alda A788899-C\r\n");
    write("tab.dat2", kHeader);
    write("listing.txt", "Alda  0101 A788899-C\r\n");
    write("empty.tab", "");
    EXPECT_TRUE(isSectorFile(path("columns.txt")));
    EXPECT_TRUE(isSectorFile(path("tab.dat2")));
    EXPECT_FALSE(isSectorFile(path("listing.txt")));
    EXPECT_TRUE(isSectorFile(path("empty.tab")));
    EXPECT_EQ(sectorFormatFor("out.TXT"), SectorFormat::Columns);
    EXPECT_EQ(sectorFormatFor("out.sbs"), std::nullopt);  // no sector file by its name, nor an unknown choice
    EXPECT_EQ(sectorFormatFor("out.tab", "wide"), std::nullopt);
    EXPECT_FALSE(readSectorFile(path("empty.tab")).ok());
}

TEST_F(SectorFiles, SbsToTabToSbsIsByteIdentical) {
    for (const char* name : {"ostrel.sbs", "varnholt.sbs", "tamsin.sbs"}) {
        SCOPED_TRACE(name);
        const std::string sbs = *readFileBytes(std::string(QELVAR_SAMPLES) + "/" + name);
        SubsectorStore store;
        (void)readSbs(store, sbs);
        Sector sector;
        storeIntoSector(store, sector);
        ASSERT_TRUE(writeSectorFile(sector, path("s.tab"), SectorFormat::Tab).ok());
        const Result<WithNotices<SectorRead>> back = readSectorFile(path("s.tab"));
        ASSERT_TRUE(back.ok());
        SubsectorStore again;
        sectorToStore(back->value.sector, store.subsectorLetter[0] - 'A', again);
        EXPECT_EQ(formatSbs(again).value, sbs);
    }
}

// Loaded without a chooser (as a batch does), the subsector is asked for, the first with worlds proposed.
TEST_F(SectorFiles, TheLoaderAsksForTheSubsector) {
    const struct {
        std::string rows;
        const char *answer, *proposed;
        LoadStatus status;
        const char* loaded;  // letter and first world's name
    } cases[] = {
        {tabRow("1701", "Cole", "C555555-5", "", "") + tabRow("2531", "Pike", "C555555-5", "", ""), "p", "C",
         LoadStatus::Loaded, "PPike"},
        {tabRow("0101", "Alda", "C555555-5", "", ""), "", "A", LoadStatus::Cancelled, ""},
        {tabRow("0101", "Alda", "C555555-5", "", ""), "q", "A", LoadStatus::Loaded, "AAlda"},  // as A, with a message
    };
    SubsectorStore store;  // one for all: a cancelled load leaves it empty
    for (const auto& c : cases) {
        SCOPED_TRACE(c.proposed);
        write("k.tab", kHeader + c.rows);
        testing::ScriptedPrompter prompter;
        prompter.inputAnswers.push_back(c.answer);
        EXPECT_EQ(loadSubsectorFile(store, prompter, path("k.tab")), c.status);
        EXPECT_EQ(prompter.prompts[0].text + " " + prompter.prompts[0].proposed,
                  "Give subsector letter " + std::string(c.proposed));
        EXPECT_EQ(store.subsectorLetter + std::string(store.worlds[1].name.trimmed()), c.loaded);
        EXPECT_EQ(prompter.messages().size(), *c.answer == 'q' ? 1u : 0u);
    }
    // The lines skipped are told in one message, the first twenty of them.
    std::string bad, told = "21 problems:";
    for (int line = 2; line <= 22; ++line) bad += tabRow("0102", "Bad", "A78889-C", "", "");
    for (int line = 2; line <= 21; ++line)
        told += "\r\nline " + std::to_string(line) + ": the UWP \"A78889-C\" is not a starport and seven digits";
    write("k.tab", kHeader + bad + tabRow("0101", "Alda", "C555555-5", "", ""));
    testing::ScriptedPrompter prompter;
    prompter.inputAnswers.push_back("a");
    EXPECT_EQ(loadSubsectorFile(store, prompter, path("k.tab")), LoadStatus::Loaded);
    EXPECT_EQ(prompter.messages(), std::vector<std::string>{told + "\r\n..."});
}

TEST_F(SectorFiles, JoinReplacesOnlyItsOwnRows) {
    const std::string before = "# kept\r\n" + kHeader + tabRow("0101", "Alda", "A788899-C", "NS", "Ri") +
                               tabRow("0901", "Bree", "B000000-0", "", "") + "# between\r\n" +
                               tabRow("0305", "Cole", "C555555-5", "", "", "ImDd") +
                               tabRow("0902", "Dun", "B000000-0", "", "");
    write("k.tab", before);
    Result<WithNotices<SectorRead>> read = readSectorFile(path("k.tab"));
    ASSERT_TRUE(read.ok());
    SubsectorStore store;
    sectorToStore(read->value.sector, 0, store);
    store.worlds[static_cast<std::size_t>(store.slotOfLocation(101))].name = "Alda Prime";
    store.worlds[static_cast<std::size_t>(store.slotOfLocation(810))] = store.worlds[1];
    store.worlds[static_cast<std::size_t>(store.slotOfLocation(810))].location = 810;
    store.subsectorName = "Ostrel";
    ASSERT_TRUE(joinIntoSectorFile(path("k.tab"), {&store}).ok());
    const std::string after = *readFileBytes(path("k.tab"));
    const std::string added = "\tA\t0810\tAlda Prime\tA788899-C\tNS\tRi\t\t103\tIm\tG2 V\t\t\t\t\t\t\r\n";
    EXPECT_EQ(after, "# kept\r\n" + kHeader + tabRow("0101", "Alda Prime", "A788899-C", "NS", "Ri") +
                         tabRow("0305", "Cole", "C555555-5", "", "", "ImDd") + added +
                         tabRow("0901", "Bree", "B000000-0", "", "") + "# between\r\n" +
                         tabRow("0902", "Dun", "B000000-0", "", ""));
    const Result<WithNotices<SectorRead>> names = readSectorFile(path("k.tab"));
    ASSERT_TRUE(names.ok());
    EXPECT_EQ(names->value.sector.subsectorNames[0], "Ostrel");
    EXPECT_EQ(names->value.sector.name, "k");
}

// New rows after a last line without its end start a line of their own; a value wider than its column is cut
// and said.
TEST_F(SectorFiles, JoinIntoColumnsEndsTheLastLineAndTellsWhatWasCut) {
    const std::string head =
        "Hex  Name       UWP       Remarks {Ix} N B  Z PBG W A    Stellar\n"
        "---- ---------- --------- ------- ---- - -- - --- - ---- -------\n"
        "0101 Alda       A788899-C Ri      {2}  - NS - 103 1 ImDd G2 V";
    write("k.sec", head);
    SubsectorStore store;
    store.subsectorLetter = "B";
    store.worlds[1] = testing::sampleWorld(101);
    store.worlds[1].name = "Hollowmere Prime";
    const Result<Notices> joined = joinIntoSectorFile(path("k.sec"), {&store});
    ASSERT_TRUE(joined.ok());
    EXPECT_EQ(texts(*joined),
              std::vector<std::string>{"some values were cut to fit the columns of \"" + path("k.sec") + "\""});
    EXPECT_EQ(readFileBytes(path("k.sec"))->substr(0, head.size() + 27), head + "\n0901 Hollowmere A788899-C ");
}

TEST_F(SectorFiles, LossToSbsIsToldOncePerFile) {
    const Sector sector =
        readOk(kHeader + tabRow("0101", "Alda", "A788899-C", "NS", "Ri", "ImDd", "G2 V", "\t\t\t\t\t") +
               tabRow("0102", "Bree", "A788899-C", "NS", "Ri", "ImDd", "G2 V", "\t\t\t\t\t") +
               tabRow("0103", "Cole", "A788899-C", "NS", "Ri", "Im", "G2 V", "\t\t\t\t\t"))
            .value.sector;
    SubsectorStore store, back;
    sectorToStore(sector, 0, store);
    (void)readSbs(back, formatSbs(store).value);
    const auto lost = subsectorLossNotice(sector, 0, back, "SBS");
    ASSERT_TRUE(lost.has_value());
    EXPECT_EQ(lost->text, "3 worlds lose their sector and four-letter allegiance in SBS");
    EXPECT_FALSE(subsectorLossNotice(sector, 1, back, "SBS").has_value());
    // A column the program does not know is named by its title.
    const Sector owned = readOk(kHeader.substr(0, kHeader.size() - 2) + "\tOwner\r\n" +
                                tabRow("0101", "Alda", "A788899-C", "NS", "Ri", "Im", "G2 V", "\t\t\t\t\t\tRoyal"))
                             .value.sector;
    sectorToStore(owned, 0, store);
    (void)readSbs(back, formatSbs(store).value);
    EXPECT_EQ(subsectorLossNotice(owned, 0, back, "SBS")->text, "1 world loses its sector and Owner in SBS");

    Sector one = sector;
    one.worlds.resize(1);
    one.worlds[0].record.base = "G";  // no modern code stands for G outside the V allegiances
    const WithNotices<std::string> tab = formatSector(one, SectorFormat::Tab);
    EXPECT_EQ(texts(tab.notices), std::vector<std::string>{"1 world keeps a base letter with no modern code: G"});
    one.worlds.push_back(sector.worlds[1]);
    one.worlds.back().column = 9;  // in subsector B, not counted for A
    EXPECT_EQ(lossNotice(one, Sector{}, 0, "ARP")->text,
              "1 world loses its sector, full names, UWP digits, several bases, remarks, PBG, four-letter allegiance "
              "and stars in ARP");
}

}  // namespace
}  // namespace qelvar
