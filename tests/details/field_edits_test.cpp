#include <gtest/gtest.h>

#include "core/subsector_store.h"
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
    EXPECT_EQ(lookupLineValue(lineFor('Z', "A")), "A:");
    EXPECT_EQ(lookupLineValue(lineFor('Y', "Im")), "Im");
    EXPECT_EQ(lookupLineValue(""), "");
}

TEST(FieldEdits, CodeFieldsStoreTheirFirstCharacterUpperCased) {
    const struct {
        const char* name;
        bool (*store)(WorldRecord&, const DialogAnswer&);
        DialogAnswer answer;
        std::string base, zone, allegiance;
        bool changed;
    } cases[] = {
        {"zone from the lookup line", storeZone, lookupLineValue(lineFor('Z', "A")), "N", "A", "Vo", true},
        {"zone typed lower case", storeZone, "r", "N", "R", "Vo", true},
        {"zone emptied", storeZone, "", "N", " ", "Vo", true},
        {"zone cancelled", storeZone, std::nullopt, "N", "A", "Vo", false},
        {"base typed", storeBase, "ab", "A", "A", "Vo", true},
        {"base accented", storeBase, "\xe9", "\xc9", "A", "Vo", true},
        {"base cancelled", storeBase, std::nullopt, "N", "A", "Vo", false},
        {"allegiance from the lookup line", storeAllegiance, lookupLineValue(lineFor('Y', "Im")), "N", "A", "Im",
         true},
        {"allegiance keeps its case", storeAllegiance, "im", "N", "A", "im", true},
        {"allegiance cut to two", storeAllegiance, "Vgx", "N", "A", "Vg", true},
        {"allegiance cancelled", storeAllegiance, std::nullopt, "N", "A", "Vo", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WorldRecord w = testing::sampleWorld(101);
        EXPECT_EQ(c.store(w, c.answer), c.changed);
        EXPECT_EQ(w.base.str(), c.base);
        EXPECT_EQ(w.zone.str(), c.zone);
        EXPECT_EQ(w.allegiance.str(), c.allegiance);
    }
}

TEST(FieldEdits, PagSetsTheGasGiantFlagFromItsThirdCharacter) {
    const struct {
        const char* answer;
        const char* pag;
        const char* gas;
    } cases[] = {{"120", "120", " "}, {"312", "312", "G"}, {"1", "1  ", "G"}, {"ab0x", "AB0", " "}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        WorldRecord w = testing::sampleWorld(101);
        EXPECT_TRUE(storePag(w, c.answer));
        EXPECT_EQ(w.pag.str(), c.pag);
        EXPECT_EQ(w.gasGiant.str(), c.gas);
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
    EXPECT_FALSE(storeStar(w, 1, ""));
    EXPECT_TRUE(storeStar(w, 2, "k7 v extra"));
    EXPECT_FALSE(storeStar(w, 4, "G2 V"));
    EXPECT_EQ(w.star1.str(), "G2 V  ");
    EXPECT_EQ(w.star2.str(), "k7 v e");
    EXPECT_EQ(w.star3.str(), "K5 III");
    EXPECT_FALSE(storeName(w, ""));
    EXPECT_FALSE(storeNotes(w, ""));
}

TEST(FieldEdits, UwpDigitReplacesOnePositionOnly) {
    WorldRecord w = testing::sampleWorld(101);
    const auto tech = uwpDigitField(8);
    ASSERT_TRUE(tech);
    EXPECT_EQ(tech->prefix, 'T');
    EXPECT_STREQ(tech->fieldName, "Tech Level");
    EXPECT_TRUE(storeUwpDigit(w, tech->position, "f"));
    EXPECT_EQ(w.uwp.str(), "A788899F");
    EXPECT_TRUE(storeUwpDigit(w, 1, "x:"));
    EXPECT_EQ(w.uwp.str(), "X788899F");
    EXPECT_FALSE(storeUwpDigit(w, 3, std::nullopt));
    EXPECT_TRUE(storeUwpDigit(w, 3, ""));
    EXPECT_EQ(w.uwp.str(), "X788899F");
    EXPECT_FALSE(uwpDigitField(0));
    EXPECT_FALSE(uwpDigitField(9));  // "Abandon"
    EXPECT_EQ(uwpDigitField(1)->prefix, 'S');
    EXPECT_EQ(uwpDigitField(2)->prefix, 'D');
}

TEST(FieldEdits, UpperCaseFollowsTheCodePage) {
    EXPECT_EQ(upperCodePage("abz\xe0\xfe\xf7\xff\x9a\xdf"), "ABZ\xc0\xde\xf7\x9f\x8a\xdf");
}

TEST(FieldEdits, PickBoxIsSizedByItsLongestText) {
    const PickBoxLayout uwp = pickBoxLayout(kUwpPickOptions, kUwpPickTitle);
    ASSERT_EQ(uwp.buttons.size(), 9u);
    EXPECT_EQ(uwp.buttons[7].caption, "Tech");
    EXPECT_EQ(uwp.buttons[8].caption, "Abandon");
    // The title has 25 characters, more than any option.
    for (std::size_t i = 0; i < uwp.buttons.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(uwp.buttons[i].width, 150 + 100 * 25);
        EXPECT_EQ(uwp.buttons[i].height, 375);
        EXPECT_EQ(uwp.buttons[i].top, 120 + 480 * static_cast<int>(i));
        EXPECT_EQ(uwp.buttons[i].left, uwp.clientWidth / 2 - uwp.buttons[i].width / 2);
    }
    EXPECT_LT(uwp.buttons.back().top + 375, uwp.clientHeight);

    const PickBoxLayout wide = pickBoxLayout("a/a much longer option texts/b", "T");
    EXPECT_EQ(wide.buttons[0].width, 150 + 100 * 26);

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
