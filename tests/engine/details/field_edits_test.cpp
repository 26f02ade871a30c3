#include <gtest/gtest.h>

#include "store/subsector_store.h"
#include "details/description_table.h"
#include "details/field_edits.h"
#include "support/sample_world.h"

namespace qelvar {
namespace {

std::string lineFor(char prefix, const char* code) {
    for (const auto& row : descriptionTable().descriptionsForPrefix(prefix)) {
        if (row.code == code) return lookupLine(row);
    }
    return {};
}

TEST(FieldEdits, LookupLinesGiveTheCodeAndItsColon) {
    EXPECT_EQ(lineFor('A', "0"), "0: " + descriptionTable().entry(1).text);
    EXPECT_EQ(lookupLineValue(lineFor('Y', "Im")), "Im");
    EXPECT_EQ(lookupLineValue(""), "");
}

TEST(FieldEdits, CodeFieldsStoreTheirFirstCharacterUpperCased) {
    const struct {
        bool (*store)(WorldRecord&, const DialogAnswer&);
        DialogAnswer answer;
        std::string changed;  // base + zone + allegiance after the edit, empty when nothing changed
    } cases[] = {
        {storeZone, lookupLineValue(lineFor('Z', "A")), "NAVo"},
        {storeZone, "r", "NRVo"},
        {storeZone, "", "N Vo"},
        {storeBase, "\xe9", "\311AVo"},
        {storeAllegiance, "im", "NAim"},
        {storeAllegiance, "Vgx", "NAVg"},
        {storeAllegiance, std::nullopt, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.changed);
        WorldRecord w = testing::sampleWorld(101);
        EXPECT_EQ(c.store(w, c.answer), !c.changed.empty());
        EXPECT_EQ(w.base.str() + w.zone.str() + w.allegiance.str(), c.changed.empty() ? "NAVo" : c.changed);
    }
    EXPECT_EQ(upperCodePage("abz\xe0\xfe\xf7\xff\x9a\xdf"), "ABZ\xc0\xde\xf7\x9f\x8a\xdf");  // the code page's letters
}

TEST(FieldEdits, PagSetsTheGasGiantFlagFromItsThirdCharacter) {
    for (const auto& [answer, pagAndGas] : std::vector<std::pair<std::string, std::string>>{
             {"120", "120 "}, {"312", "312G"}, {"1", "1  G"}, {"ab0x", "AB0 "}}) {
        WorldRecord w = testing::sampleWorld(101);
        EXPECT_TRUE(storePag(w, answer));
        EXPECT_EQ(w.pag.str() + w.gasGiant.str(), pagAndGas) << answer;
    }
    WorldRecord w = testing::sampleWorld(101);
    EXPECT_FALSE(storePag(w, ""));
    EXPECT_EQ(w, testing::sampleWorld(101));
}

TEST(FieldEdits, InputBoxFieldsStoreAsTypedAndCut) {
    WorldRecord w = testing::sampleWorld(101);
    EXPECT_TRUE(storeName(w, "A name much longer than twenty"));
    EXPECT_EQ(w.name.str(), "A name much longer t");
    EXPECT_TRUE(storeNotes(w, std::string(70, 'n')));
    EXPECT_EQ(w.notes.str(), std::string(60, 'n'));
    EXPECT_TRUE(storeStar(w, 2, "k7 v extra"));
    EXPECT_FALSE(storeStar(w, 4, "G2 V"));
    EXPECT_EQ(w.star1.str() + w.star2.str() + w.star3.str(), "G2 V  k7 v eK5 III");
    EXPECT_FALSE(storeName(w, "") || storeNotes(w, "") || storeStar(w, 1, ""));
}

TEST(FieldEdits, UwpDigitReplacesOnePositionOnly) {
    WorldRecord w = testing::sampleWorld(101);
    const char* names[] = {"Starport",   "Size",       "Atmosphere", "Hydrographics",
                           "Population", "Government", "Law",        "Tech Level"};
    for (int option = 1; option <= 8; ++option) {
        const auto field = uwpDigitField(option);
        ASSERT_TRUE(field);
        EXPECT_EQ(field->fieldName + std::string(1, field->prefix) + std::to_string(field->position),
                  names[option - 1] + std::string(1, "SDAHPGLT"[option - 1]) + std::to_string(option));
    }
    EXPECT_TRUE(storeUwpDigit(w, 8, "f"));
    EXPECT_TRUE(storeUwpDigit(w, 1, "x:"));
    EXPECT_FALSE(storeUwpDigit(w, 3, std::nullopt));
    EXPECT_TRUE(storeUwpDigit(w, 3, ""));
    EXPECT_EQ(w.uwp.str(), "X788899F");
    EXPECT_FALSE(uwpDigitField(0));
    EXPECT_FALSE(uwpDigitField(9));  // "Abandon"
}

TEST(FieldEdits, PickBoxIsSizedByItsLongestText) {
    const PickBoxLayout uwp = pickBoxLayout(kUwpPickOptions, kUwpPickTitle);
    ASSERT_EQ(uwp.buttons.size(), 9u);
    EXPECT_EQ(uwp.buttons[8].caption, "Abandon");
    EXPECT_EQ(uwp.buttons[8].width, 150 + 100 * 25);  // the title has 25 characters, more than any option
    EXPECT_EQ(uwp.clientHeight, 4580);                // 500 a row and one more, less the title bar and the frame
    EXPECT_EQ(uwp.clientWidth, 3180);                 // 800 and 100 a character, less the frame
    EXPECT_EQ(uwp.buttons[0].left, 3180 / 2 - 2650 / 2);
    EXPECT_LT(uwp.buttons.back().top + 375, uwp.clientHeight);
    EXPECT_EQ(pickBoxLayout("a/a much longer option texts/b", "T").buttons[0].width, 150 + 100 * 26);

    std::string many = "1";
    for (int i = 2; i <= 25; ++i) many += "/" + std::to_string(i);
    const PickBoxLayout capped = pickBoxLayout(many, "Pick");
    ASSERT_EQ(capped.buttons.size(), 19u);
    EXPECT_EQ(capped.buttons[15].left, 360);

    const PickBoxLayout trailing = pickBoxLayout("Yes/", "Q");
    ASSERT_EQ(trailing.buttons.size(), 2u);
    EXPECT_EQ(trailing.buttons[1].caption, "");
}

}  // namespace
}  // namespace qelvar
