#include "document/document.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "document/document_file.h"
#include "document/edits.h"
#include "document/metadata_names.h"
#include "document/store_edits.h"
#include "files/sbs.h"
#include "store/file_io.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "support/sector_text.h"
#include "support/temp_folder.h"

namespace qelvar {
namespace {

using testing::kKestrelMetadata;
using testing::tabSector;
using testing::tabWorld;

Hex hex(const char* text) { return *Hex::parse(text); }

// The lines of two texts that differ, as "-old" and "+new" (a same-length comparison line by line is
// enough here: the edits below keep every other line in place or add or drop one).
std::vector<std::string> changedLines(const std::string& before, const std::string& after) {
    const auto split = [](const std::string& text) {
        std::vector<std::string> lines;
        std::size_t start = 0;
        for (std::size_t lf; (lf = text.find('\n', start)) != std::string::npos; start = lf + 1)
            lines.push_back(text.substr(start, lf + 1 - start));
        if (start < text.size()) lines.push_back(text.substr(start));
        return lines;
    };
    const auto a = split(before), b = split(after);
    std::vector<std::string> out;
    std::size_t i = 0, j = 0;
    while (i < a.size() || j < b.size()) {
        if (i < a.size() && j < b.size() && a[i] == b[j]) {
            ++i, ++j;
        } else if (a.size() - i > b.size() - j) {
            out.push_back("-" + a[i++]);
        } else if (b.size() - j > a.size() - i) {
            out.push_back("+" + b[j++]);
        } else {
            out.push_back("-" + a[i++]);
            out.push_back("+" + b[j++]);
        }
    }
    return out;
}

class DocumentFiles : public testing::TempFolderTest {
protected:
    const std::string original = tabSector(
        {tabWorld("0101", "Alpha"), tabWorld("0105", "Beta"), tabWorld("0211", "Gamma"), tabWorld("0903", "Delta")});

    Document open(const std::string& name, const std::string& bytes, const std::string& metadata = kKestrelMetadata) {
        write(name, bytes);
        if (!metadata.empty()) write(name.substr(0, name.find('.')) + ".xml", metadata);
        Result<WithNotices<Document>> opened = openDocument(path(name));
        EXPECT_TRUE(opened.ok()) << (opened.ok() ? "" : opened.error());
        return opened.ok() ? std::move(opened->value) : Document();
    }
    // Applies the edits in order to a fresh document of the file, saves, and gives the file's bytes.
    std::string editAndSave(const std::string& file, std::vector<std::unique_ptr<Edit>> edits) {
        Document document = open("k.tab", file);
        for (auto& edit : edits) {
            const Result<> applied = edit->apply(document);
            EXPECT_TRUE(applied.ok()) << (applied.ok() ? "" : applied.error());
        }
        const Result<Notices> saved = saveDocument(document);
        EXPECT_TRUE(saved.ok()) << (saved.ok() ? "" : saved.error());
        return read("k.tab");
    }
};

template <class... E>
std::vector<std::unique_ptr<Edit>> edits(E... e) {
    std::vector<std::unique_ptr<Edit>> out;
    (out.push_back(std::make_unique<E>(std::move(e))), ...);
    return out;
}

TEST_F(DocumentFiles, OneFieldSetChangesOneLineAndNothingElse) {
    // Even a line out of the file's order stays where it is.
    const std::string file =
        tabSector({tabWorld("0211", "Gamma"), tabWorld("0101", "Alpha"), tabWorld("0105", "Beta")});
    const std::string after = editAndSave(file, edits(SetFieldEdit(hex("0211"), "uwp", "A788899-C")));
    EXPECT_EQ(changedLines(file, after), (std::vector<std::string>{"-" + tabWorld("0211", "Gamma"),
                                                                   "+" + tabWorld("0211", "Gamma", "A788899-C")}));
    EXPECT_EQ(read("k.xml"), kKestrelMetadata);
}

TEST_F(DocumentFiles, FieldsByTheirColumnNamesInAnyCase) {
    struct Row {
        const char* field;
        const char* value;
        std::string line;
    };
    const std::string row = tabWorld("0105", "Beta", "B563753-9", "\tred\r\n");  // and a column of its own
    std::string file = tabSector({tabWorld("0101", "Alpha", "B563753-9", "\tred\r\n"), row});
    file.replace(file.find("\tRU"), 3, "\tRU\tColour");
    const auto with = [&row](const std::string& old, const std::string& now) {
        std::string line = row;
        line.replace(line.find(old), old.size(), now);
        return line;
    };
    for (const Row& r : std::vector<Row>{{"name", "Béta Prime", with("Beta", "Béta Prime")},
                                         {"UWP", "a788899c", with("B563753-9", "A788899-C")},
                                         {"remarks", "Ni Cp", with("Ag Ga Ri Lt", "Ni Cp")},
                                         {"Allegiance", "CsIm", with("ImDd", "CsIm")},
                                         {"ix", "{ 3 }", with("{ 1 }", "{ 3 }")},
                                         {"Nobility", "BcC", with("\tBc\t", "\tBcC\t")},
                                         {"stars", "F7 V", with("K9 V M1 V", "F7 V")},
                                         {"colour", "blue", with("\tred", "\tblue")}}) {
        const std::string after = editAndSave(file, edits(SetFieldEdit(hex("0105"), r.field, r.value)));
        EXPECT_EQ(changedLines(file, after), (std::vector<std::string>{"-" + row, "+" + r.line})) << r.field;
    }
}

TEST_F(DocumentFiles, AddThenDeleteGivesBackTheBytes) {
    for (const std::string& file : {original, original.substr(0, original.size() - 2)}) {  // last line open too
        const SectorWorld added =
            worldFromFields(hex("1510"), {{"Sector", "Kest"}, {"Name", "Epsilon"}, {"UWP", "C400000-0"}});
        const std::string withNew = editAndSave(file, edits(AddWorldEdit(added)));
        EXPECT_EQ(changedLines(file, withNew).size(), file.ends_with("\n") ? 1u : 3u);
        EXPECT_NE(withNew.find("Kest\tB\t1510\tEpsilon\tC400000-0\t"), std::string::npos);
        EXPECT_EQ(editAndSave(withNew, edits(DeleteWorldEdit(hex("1510")))), file);
    }
}

TEST_F(DocumentFiles, NewLinesGoWhereTheFilesOrderPutsThem) {
    // By hex: 0104 between Alpha and Beta; in a file kept subsector by subsector, 0904 (B) after Delta.
    const auto newLineAfter = [&](const std::string& file, const char* at) {
        const std::string after = editAndSave(file, edits(AddWorldEdit(worldFromFields(hex(at), {{"Name", "New"}}))));
        const std::size_t line = after.find("\t" + std::string(at) + "\tNew");
        const std::size_t previous = after.rfind("\r\n", after.rfind("\r\n", line) - 1);
        return after.substr(previous + 2, 17);
    };
    EXPECT_EQ(newLineAfter(original, "0104"), "Kest\tA\t0101\tAlpha");
    EXPECT_EQ(newLineAfter(original, "1510"), "Kest\tB\t0903\tDelta");  // after the last
    const std::string bySubsector = tabSector(
        {tabWorld("0101", "Alpha"), tabWorld("0105", "Beta"), tabWorld("0903", "Delta"), tabWorld("0211", "Gamma")});
    EXPECT_EQ(newLineAfter(bySubsector, "0904"), "Kest\tB\t0903\tDelta");
    // A file both orders fit is taken as kept by hex.
    EXPECT_EQ(newLineAfter(tabSector({tabWorld("0101", "Alpha"), tabWorld("0111", "Gamma")}), "0901"),
              "Kest\tE\t0111\tGamma");
}

TEST_F(DocumentFiles, AMoveChangesOnlyTheHexOfItsLine) {
    const std::string after = editAndSave(original, edits(MoveWorldEdit(hex("0105"), hex("1720"))));
    std::string moved = tabWorld("0105", "Beta");
    moved.replace(0, 12, "Kest\tG\t1720\t");
    EXPECT_EQ(changedLines(original, after), (std::vector<std::string>{"-" + tabWorld("0105", "Beta"), "+" + moved}));
}

TEST_F(DocumentFiles, AnEditThatCannotApplyChangesNothing) {
    struct Row {
        std::function<std::unique_ptr<Edit>()> edit;
        const char* error;
    };
    const auto world = [](const char* at) { return worldFromFields(hex(at), {{"Name", "X"}}); };
    for (const Row& row : std::vector<Row>{
             {[] { return std::make_unique<SetFieldEdit>(hex("0102"), "UWP", "A788899-C"); },
              "there is no world at hex 0102"},
             {[] { return std::make_unique<SetFieldEdit>(hex("0101"), "Colour", "red"); },
              "there is no field \"Colour\""},
             {[] { return std::make_unique<SetFieldEdit>(hex("0101"), "UWP", "A78889"); },
              "the UWP \"A78889\" is not a starport and seven digits, such as A788899-C"},
             {[] { return std::make_unique<SetFieldEdit>(hex("0101"), "UWP", "AI88899-C"); },
              "the UWP \"AI88899-C\" has I where a digit belongs"},
             {[] { return std::make_unique<SetFieldEdit>(hex("0101"), "Name", "A\tB"); },
              "the name cannot hold a TAB or a line break"},
             {[&] { return std::make_unique<AddWorldEdit>(world("0105")); }, "the hex 0105 already holds Beta (0105)"},
             {[] { return std::make_unique<DeleteWorldEdit>(hex("3240")); }, "there is no world at hex 3240"},
             {[] { return std::make_unique<MoveWorldEdit>(hex("0101"), hex("0903")); },
              "the hex 0903 already holds Delta (0903)"},
             {[] { return std::make_unique<MoveWorldEdit>(hex("0102"), hex("0104")); },
              "there is no world at hex 0102"},
             {[] { return std::make_unique<RenameEdit>(-2, "X"); }, "there is no subsector -2"},
             {[] { return std::make_unique<RenameEdit>(16, "X"); }, "there is no subsector 16"}}) {
        Document document = open("k.tab", original);
        const auto edit = row.edit();
        const Result<> applied = edit->apply(document);
        ASSERT_FALSE(applied.ok()) << row.error;
        EXPECT_EQ(applied.error(), row.error);
        EXPECT_FALSE(document.differsFromFile()) << row.error;
    }
    for (const auto& [outside, text] : std::vector<std::pair<Hex, std::string>>{
             {{33, 1}, "3301"}, {{1, 41}, "0141"}, {{0, 10}, "0010"}, {{32, 0}, "3200"}}) {
        Document document = open("k.tab", original);
        EXPECT_EQ(MoveWorldEdit(hex("0101"), outside).apply(document).error(),
                  "the hex " + text + " lies outside the sector");
    }
}

TEST_F(DocumentFiles, RevertingEveryEditGivesTheDocumentBack) {
    Document document = open("k.tab", original);
    const Sector before = document.sector();
    auto all =
        edits(ChangeWorldEdit(worldFromFields(hex("0903"), {{"Name", "Dusk"}}), "Change Delta"),
              SetFieldEdit(hex("0101"), "UWP", "A788899-C"), DeleteWorldEdit(hex("0105")),
              AddWorldEdit(worldFromFields(hex("0102"), {{"Name", "New"}})), MoveWorldEdit(hex("0211"), hex("3240")),
              ReplaceSubsectorEdit(0, {worldFromFields(hex("0103"), {{"Name", "Fresh"}})}, "Cedar", "Generate A"),
              RenameEdit(0, "Birch"), RenameEdit(-1, "Kestrane"));
    std::vector<std::string> texts;
    for (auto& edit : all) {
        ASSERT_TRUE(edit->apply(document).ok());
        texts.push_back(edit->text());
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"Change Delta", "Change UWP of Alpha (0101)", "Delete world Beta (0105)",
                                               "Add world New (0102)", "Move Gamma (0211) to 3240", "Generate A",
                                               "Rename subsector A to Birch", "Rename the sector to Kestrane"}));
    EXPECT_EQ(all[1]->hexes(), std::vector<Hex>{hex("0101")});
    EXPECT_EQ(all[4]->hexes(), (std::vector<Hex>{hex("0211"), hex("3240")}));
    EXPECT_EQ(all[5]->hexes(), (std::vector<Hex>{hex("0101"), hex("0102"), hex("0103")}));  // the old worlds' too
    EXPECT_TRUE(document.differsFromFile());
    for (auto edit = all.rbegin(); edit != all.rend(); ++edit) (*edit)->revert(document);
    EXPECT_FALSE(document.differsFromFile());
    EXPECT_EQ(document.sector().worlds.size(), before.worlds.size());
    EXPECT_EQ(document.sector().worlds[1].record.name.trimmed(), "Beta");
    EXPECT_EQ(document.sector().subsectorNames[0], "Alder");
}

TEST_F(DocumentFiles, SavingWithoutAnEditWritesTheSameBytes) {
    Document document = open("k.tab", original);
    ASSERT_TRUE(saveDocument(document).ok());
    EXPECT_EQ(read("k.tab"), original);
    EXPECT_EQ(read("k.xml"), kKestrelMetadata);
    // A save that cannot write says so, and the document stays unsaved.
    ASSERT_TRUE(SetFieldEdit(hex("0105"), "Name", "Bet").apply(document).ok());
    std::filesystem::remove(path("k.tab"));
    std::filesystem::create_directory(path("k.tab"));
    EXPECT_FALSE(saveDocument(document).ok());
    EXPECT_TRUE(document.differsFromFile());
}

TEST_F(DocumentFiles, OnlyTheRenamedElementsOfTheMetadataChange) {
    struct Row {
        int index;
        const char* name;
        std::string metadata;
    };
    const auto with = [](const std::string& old, const std::string& now) {
        std::string text = kKestrelMetadata;
        return text.replace(text.find(old), old.size(), now);
    };
    for (const Row& row : std::vector<Row>{
             {0, "Birch & <Co>", with(">Alder<", ">Birch &amp; &lt;Co&gt;<")},
             {-1, "Kestrane", with(">Kestrel<", ">Kestrane<")},
             {1, "Cedar", with("<Subsectors>", "<Subsectors>\n    <Subsector Index=\"B\">Cedar</Subsector>")}}) {
        Document document = open("k.tab", original);
        ASSERT_TRUE(RenameEdit(row.index, row.name).apply(document).ok());
        ASSERT_TRUE(saveDocument(document).ok());
        EXPECT_EQ(read("k.xml"), row.metadata) << row.name;
        EXPECT_EQ(read("k.tab"), original);
    }
    for (const std::string& unnamed : {with("<Name>Kestrel</Name>", "<Name/>"), with("\n  <Name>Kestrel</Name>", "")}) {
        Document document = open("k.tab", original, unnamed);
        ASSERT_TRUE(RenameEdit(-1, "Kestrane").apply(document).ok());
        ASSERT_TRUE(saveDocument(document).ok());
        EXPECT_EQ(read("k.xml"), with(">Kestrel<", ">Kestrane<"));  // the empty element opened up, or one put in
    }
    // In a file of CR LF lines, an added element's line ends so too.
    std::string crlf;
    for (const char c : kKestrelMetadata) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    Document document = open("k.tab", original, crlf);
    ASSERT_TRUE(RenameEdit(1, "Cedar").apply(document).ok());
    ASSERT_TRUE(saveDocument(document).ok());
    EXPECT_NE(read("k.xml").find("<Subsectors>\r\n    <Subsector Index=\"B\">Cedar</Subsector>\r\n"),
              std::string::npos);
    Sector renamed;
    renamed.subsectorNames[1] = "Cedar";
    EXPECT_FALSE(withNewNames("<Sector><Subsectors/></Sector>", Sector{}, renamed).ok());  // no place inside it
    EXPECT_FALSE(withNewNames("<Sector><Subsectors></Sector>", Sector{}, renamed).ok());   // no XML
}

TEST_F(DocumentFiles, ASecondSaveStartsFromTheFirst) {
    Document document = open("k.tab", original);
    ASSERT_TRUE(AddWorldEdit(worldFromFields(hex("0102"), {{"Name", "New"}})).apply(document).ok());
    ASSERT_TRUE(saveDocument(document).ok());
    SetFieldEdit rename(hex("0105"), "Name", "Bet");
    ASSERT_TRUE(rename.apply(document).ok());
    ASSERT_TRUE(saveDocument(document).ok());
    const std::string saved = read("k.tab");
    EXPECT_EQ(changedLines(original, saved).size(), 3u);
    rename.revert(document);
    ASSERT_TRUE(saveDocument(document).ok());
    EXPECT_EQ(changedLines(original, read("k.tab")).size(), 1u);
    // Saved without worlds, the file takes a new one after its header.
    Document lone = open("k.tab", tabSector({tabWorld("0101", "Alpha")}));
    ASSERT_TRUE(DeleteWorldEdit(hex("0101")).apply(lone).ok());
    ASSERT_TRUE(saveDocument(lone).ok());
    ASSERT_TRUE(AddWorldEdit(worldFromFields(hex("0101"), {{"Name", "Alpha"}})).apply(lone).ok());
    ASSERT_TRUE(saveDocument(lone).ok());
    EXPECT_TRUE(read("k.tab").starts_with(tabSector({})));
    // A world put before the first one moves that one's line down: the next save still finds its line and
    // leaves it as it was, down to its line end.
    const std::string beta = tabWorld("0105", "Beta"), lf = beta.substr(0, beta.size() - 2) + "\n";
    Document first = open("k.tab", tabSector({lf, tabWorld("0211", "Gamma")}));
    ASSERT_TRUE(AddWorldEdit(worldFromFields(hex("0101"), {{"Name", "New"}})).apply(first).ok());
    ASSERT_TRUE(saveDocument(first).ok());
    ASSERT_TRUE(SetFieldEdit(hex("0211"), "Name", "Gam").apply(first).ok());
    ASSERT_TRUE(saveDocument(first).ok());
    const std::string again = read("k.tab");
    EXPECT_TRUE(again.find(lf) != std::string::npos && again.find("Beta") == again.rfind("Beta")) << again;
}

TEST_F(DocumentFiles, ColumnAndLegacyFilesChangeInTheirOwnColumns) {
    const std::string columns =
        "Hex  Name        UWP       Remarks              {Ix} (Ex) [Cx] N B Z PBG W A    Stellar\n"
        "---- ----------- --------- -------------------- ---- ---- ---- - - - --- - ---- ------------\n"
        "0105 Beta        B563753-9 Ag Ni                               - - - 023   NaXX M7 IV M5 V\n"
        "0110 Gamma       X200000-0 Lo Ni Va                            - - - 000   NaXX\n";
    const std::string legacy =
        "Beta          0105 B563753-9  A Ag Ni            G  103 Im G2 V\n"
        "Gamma         0110 X200000-0    Lo Ni Va              Im\n";
    for (const auto& [file, line] : std::vector<std::pair<std::string, std::string>>{
             {columns, "0110 Gamma       X200000-0 Lo Ni Va                            - - - 000   NaXX"},
             {legacy, "Gamma         0110 X200000-0    Lo Ni Va              Im"}}) {
        const std::string after = editAndSave(file, edits(SetFieldEdit(hex("0105"), "Name", "Bêta")));
        const auto changed = changedLines(file, after);
        ASSERT_EQ(changed.size(), 2u);
        EXPECT_EQ(changed[1].substr(1, 12), file == columns ? "0105 Bêta  " : "Bêta       ");
        EXPECT_NE(after.find(line + "\n"), std::string::npos);
    }
}

TEST_F(DocumentFiles, ASubsectorFileIsOneSubsectorOfASector) {
    SubsectorStore store;
    store.subsectorLetter = "F";
    store.subsectorName = "Fenwick";
    store.worlds[1].name = " Hollowmere";  // a blank the fields would trim
    store.worlds[1].location = 101;
    store.worlds[1].uwp = "A788899C";
    write("f.sbs", formatSbs(store).value);
    Result<WithNotices<Document>> opened = openDocument(path("f.sbs"));
    ASSERT_TRUE(opened.ok());
    Document& document = opened->value;
    EXPECT_NE(document.worldAt(hex("0911")), nullptr);
    EXPECT_EQ(document.hexText(hex("0911")), "0101");
    EXPECT_EQ(AddWorldEdit(worldFromFields(hex("0101"), {{"Name", "Out"}})).apply(document).error(),
              "the hex 0101 lies outside subsector F");
    // Each field of the record takes only its own part of it.
    for (const auto& [field, value] : {std::pair{"UWP", "C400000-0"},
                                       {"PBG", "712"},
                                       {"Stars", "G2 V M1 V K0 D"},
                                       {"Bases", "N"},
                                       {"Zone", "A"},
                                       {"Allegiance", "Zh"},
                                       {"Remarks", "Xy"}}) {
        ASSERT_TRUE(SetFieldEdit(hex("0911"), field, value).apply(document).ok()) << field;
    }
    EXPECT_EQ(document.worldAt(hex("0911"))->record.tradeCodes.trimmed(), "Ba Lo Ni Va");  // the new UWP's
    ASSERT_TRUE(saveDocument(document).ok());
    EXPECT_EQ(splitLines(read("f.sbs")).at(3),
              " Hollowmere         0911  C4000000 N G A 712 Zh G2 V   M1 V   K0 D    - Xy");
    SubsectorStore back;
    (void)readSbs(back, read("f.sbs"));
    EXPECT_EQ(back.subsectorName, "Fenwick");
}

TEST_F(DocumentFiles, FilesWithoutWorldsOrLetterAreRefused) {
    write("empty.tab", "");
    write("header.tab", tabSector({}));
    write("g.dat", "Alpha         0101 A788899-C\n");
    write("none.sbs",
          "Tamsin Gate\r\nKestrane Reach\r\nName                 Hex  SDAHPGLT I G Z PAG Al Star 1 Star 2 "
          "Star 3 Notes SS=P\r\n");
    for (const auto& [name, error] :
         std::vector<std::pair<std::string, std::string>>{{"empty.tab", "no world could be read"},
                                                          {"header.tab", "no world could be read"},
                                                          {"g.dat", "no subsector letter for"},
                                                          {"none.sbs", "holds no world line that can be read"},
                                                          {"missing.sbs", "missing.sbs"}}) {
        const Result<WithNotices<Document>> opened = openDocument(path(name));
        ASSERT_FALSE(opened.ok()) << name;
        EXPECT_NE(opened.error().find(error), std::string::npos) << opened.error();
    }
    // Not even offered to a reader: not text (a NUL, or more than one control byte in twenty).
    for (const auto& [bytes, refused] :
         std::vector<std::pair<std::string, bool>>{{"", true},
                                                   {std::string("a\0b", 3), true},
                                                   {"\r\n\t\x1a", false},
                                                   {std::string(38, 'a') + "\f\f", false},
                                                   {std::string(37, 'a') + "\f\f", true}}) {
        write("t.sbs", bytes);
        EXPECT_EQ(refusedForLoading(path("t.sbs")).has_value(), refused) << bytes.size();
    }
    EXPECT_EQ(refusedForLoading(path("t.sbs")), "\"t.sbs\" holds no world line that can be read");
}

TEST_F(DocumentFiles, AWorldAsOneTabLineAndBack) {
    Document document = open("k.tab", original);
    const std::string line = worldTabLine(document, hex("0105"));
    EXPECT_EQ(line + "\r\n", tabWorld("0105", "Beta"));
    const Result<SectorWorld> copied =
        worldFromTabLine(document, hex("1720"), "\t\t\t" + line.substr(line.find("Beta")));
    ASSERT_TRUE(copied.ok());
    EXPECT_EQ(copied->fields.at("Sector"), "Kest");
    EXPECT_EQ(copied->fields.at("RU"), "-180");
    EXPECT_FALSE(worldFromTabLine(document, hex("1720"), line + "\textra").ok());
}

TEST(UwpField, BothFormsAndTheirDigits) {
    for (const auto& [typed, text] : std::vector<std::pair<const char*, const char*>>{{"A788899-C", "A788899-C"},
                                                                                      {" b5637u9-x ", "B5637U9-X"},
                                                                                      {"A788899C", "A788899-C"},
                                                                                      {"X000000V", "X000000-U"},
                                                                                      {"?7888?\?-?", "?7888?\?-?"}}) {
        const Result<std::string> got = uwpFieldText(typed);
        ASSERT_TRUE(got.ok()) << typed;
        EXPECT_EQ(*got, text);
    }
    for (const char* typed : {"", "A788899-", "A788899-CC", "7788899-C", "A7888O9-C", "A788899+C"}) {
        EXPECT_FALSE(uwpFieldText(typed).ok()) << typed;
    }
}

TEST(HexNumbers, SectorAndSubsectorNumbering) {
    EXPECT_EQ(Hex::parse(" 3240 "), (Hex{32, 40}));
    for (const char* outside : {"0000", "3301", "0141", "101", "01a1"}) EXPECT_FALSE(Hex::parse(outside)) << outside;
    EXPECT_EQ(Hex::inSubsector(5, 101), (Hex{9, 11}));
    for (const auto& [index, location] : {std::pair{5, 111}, {5, 901}, {5, 100}, {5, 1}, {-1, 101}, {16, 101}})
        EXPECT_FALSE(Hex::inSubsector(index, location)) << index << " " << location;
    EXPECT_EQ((Hex{9, 11}).localNumber(), 101);
    EXPECT_EQ((Hex{32, 40}).subsectorLetter(), 'P');
    EXPECT_EQ((Hex{1, 5}).text(), "0105");
}

class StoreIntoSectorFile : public testing::TempFolderTest {};

TEST_F(StoreIntoSectorFile, OnlyTheLinesOfTheStoresChangedWorldsAreWritten) {
    const std::string original = tabSector(
        {tabWorld("0101", "Alpha"), tabWorld("0105", "Beta"), tabWorld("0211", "Gamma"), tabWorld("0903", "Delta")});
    write("k.tab", original);
    write("k.xml", kKestrelMetadata);
    const auto read = [this] { return *readFileBytes(path("k.tab")); };
    SubsectorStore store;
    sectorToStore(openDocument(path("k.tab"))->value.sector(), 0, store);
    store.refreshStatistics();
    ASSERT_TRUE(saveStoreIntoSectorFile(path("k.tab"), store).ok());
    EXPECT_EQ(read(), original);
    EXPECT_EQ(*readFileBytes(path("k.xml")), kKestrelMetadata);

    store.worlds[static_cast<std::size_t>(store.slotOfLocation(105))].uwp = "A788899C";
    store.worlds[static_cast<std::size_t>(store.slotOfLocation(101))].clear();
    WorldRecord& added = store.worlds[static_cast<std::size_t>(store.slotOfLocation(110))];
    added.name = "New";
    added.location = 110;
    ASSERT_TRUE(saveStoreIntoSectorFile(path("k.tab"), store).ok());
    std::string beta = tabWorld("0105", "Beta");
    beta.replace(beta.find("B563753-9"), 9, "A788899-C");
    EXPECT_EQ(changedLines(original, read()),
              (std::vector<std::string>{"-" + tabWorld("0101", "Alpha"), "+" + beta, "-" + tabWorld("0105", "Beta"),
                                        "+Kest\tA\t0110\tNew\t\t\t\t\t\t\t\t\t\t\t\t\t\r\n"}));
    EXPECT_EQ(*readFileBytes(path("k.xml")), kKestrelMetadata);
}

}  // namespace
}  // namespace qelvar
