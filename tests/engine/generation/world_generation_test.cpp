// Generation is checked over many seeded runs: rates within wide bounds, and rules that must hold for
// every world generated.
#include "generation/world_generation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>

#include "store/codes.h"
#include "store/startup.h"
#include "store/subsector_store.h"
#include "files/sbs.h"
#include "store/file_io.h"
#include "store/text.h"
#include "generation/dice.h"
#include "generation/generation_options.h"
#include "generation/stars.h"
#include "support/scripted_prompter.h"

namespace qelvar {
namespace {

using testing::ScriptedPrompter;

// The value of the i-th UWP digit, "0" counting 0.
int digit(const WorldRecord& world, std::size_t i) {
    const int value = hexDigitValue(world.uwp.at(i));
    return value == kNotADigit ? 0 : value;
}
char port(const WorldRecord& world) { return world.uwp.at(1); }
bool notesHold(const WorldRecord& world, std::string_view code) {
    return world.notes.view().find(code) != std::string_view::npos;
}

// Generates `runs` subsectors and shows every occupied world to visit.
void forEachWorld(const GenerationOptions& options, int runs, const std::function<void(const WorldRecord&)>& visit,
                  std::uint64_t seed = 1) {
    SubsectorStore store;
    Dice dice(seed);
    for (int run = 0; run < runs; ++run) {
        generateSubsector(store, options, dice);
        for (int slot = 1; slot <= kHexCount; ++slot) {
            const WorldRecord& world = store.worlds[static_cast<std::size_t>(slot)];
            if (world.occupied()) visit(world);
        }
    }
}

GenerationOptions withFeatures(std::initializer_list<float> chances, const char* allegiance = "Im") {
    GenerationOptions options;
    auto chance = chances.begin();
    for (FeatureChance& feature : options.featureChances) feature.chance = *chance++;
    options.defaultAllegiance = allegiance;
    options.oddAlienPercent = 0;
    return options;
}

TEST(Generation, DensityGivesItsShareOfOccupiedHexesAndARunKeepsOnlyTheNames) {
    for (int density : kDensityChoices) {
        SCOPED_TRACE(density);
        GenerationOptions options;
        options.densityPercent = density;
        SubsectorStore store;
        store.subsectorName = "Kessa";
        store.worlds[0].location = 999;
        Dice dice(density);
        int occupied = 0;
        constexpr int kRuns = 200;
        for (int run = 0; run < kRuns; ++run) {
            generateSubsector(store, options, dice);
            for (int slot = 1; slot <= kHexCount; ++slot) {
                const WorldRecord& world = store.worlds[static_cast<std::size_t>(slot)];
                occupied += world.occupied();
                ASSERT_EQ(world.location, world.occupied() ? store.hexCodeValue(slot) : 0);
                ASSERT_TRUE(world.occupied() || (world.name.trimmed().empty() && world.uwp.trimmed().empty()));
            }
            for (int slot : {0, 81, 90}) ASSERT_EQ(store.worlds[static_cast<std::size_t>(slot)], WorldRecord{});
        }
        EXPECT_NEAR(100.0 * occupied / (kRuns * kHexCount), density, 1.5);
        EXPECT_EQ(store.subsectorName, "Kessa");
        EXPECT_EQ(store.subsectorLetter, "A");
    }
}

TEST(Generation, EveryWorldIsWellFormed) {
    GenerationOptions options;
    options.oddAlienPercent = 50;
    int worlds = 0, withCompanion = 0, withSecondCompanion = 0, portA = 0, portX = 0, empty = 0;
    forEachWorld(options, 100, [&](const WorldRecord& w) {
        ++worlds;
        SCOPED_TRACE(w.name.str() + " " + w.uwp.str());
        ASSERT_NE(std::string_view("ABCDEX").find(port(w)), std::string_view::npos);
        for (std::size_t i = 2; i <= 8; ++i) ASSERT_TRUE(w.uwp.at(i) == '0' || hexDigitValue(w.uwp.at(i)) > 0);
        ASSERT_LE(std::max({digit(w, 2), digit(w, 4), digit(w, 5)}), 10);
        ASSERT_TRUE(digit(w, 2) > 0 || w.uwp.str().substr(2, 2) == "00");   // no size, no atmosphere
        ASSERT_TRUE(digit(w, 5) > 0 || w.uwp.str().substr(5, 3) == "000");  // no people, no government, law or tech
        empty += digit(w, 5) == 0;
        const char p = w.pag.at(1), a = w.pag.at(2), g = w.pag.at(3);
        ASSERT_TRUE(p >= '1' && p <= '9' && a >= '0' && a <= '3' && g >= '0' && g <= '5') << w.pag.str();
        ASSERT_EQ(w.gasGiant.str(), g > '0' ? "G" : " ");
        ASSERT_NE(std::string_view(" AR").find(w.zone.at(1)), std::string_view::npos);
        ASSERT_EQ(w.facility.str(), "  ");
        ASSERT_FALSE(w.star2.trimmed().empty() && !w.star3.trimmed().empty());
        portA += port(w) == 'A';
        portX += port(w) == 'X';
        withCompanion += !w.star2.trimmed().empty();
        withSecondCompanion += !w.star3.trimmed().empty();
    });
    ASSERT_GT(worlds, 3000);
    EXPECT_GT(empty, 50);
    // Starport A on 2-4 of 2D6 (6 in 36), X on 12; a companion on 8 or more (15 in 36), a second on 12.
    EXPECT_NEAR(double(portA) / worlds, 6.0 / 36, 0.03);
    EXPECT_NEAR(double(portX) / worlds, 1.0 / 36, 0.012);
    EXPECT_NEAR(double(withCompanion) / worlds, 15.0 / 36, 0.04);
    EXPECT_NEAR(double(withSecondCompanion) / worlds, 1.0 / 36, 0.012);
}

// A star text: class letter, decimal digit, a blank and a size class, blank-padded to six characters.
bool starForm(std::string_view star, std::string_view classes) {
    const std::string_view text = star.substr(0, star.find_last_not_of(' ') + 1);
    if (star.size() != 6 || text.size() < 4 || text[2] != ' ') return false;
    if (classes.find(text[0]) == std::string_view::npos || text[1] < '0' || text[1] > '9') return false;
    const std::set<std::string_view> sizes{"II", "III", "IV", "V", "VI", "D"};
    return sizes.contains(text.substr(3));
}

TEST(Stars, TextsTakeTheirFormsPrimariesAreNeverKAndEachSlotWritesOnlyItsField) {
    Dice dice(5);
    int whiteDwarfs = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string primary = FixedText<6>(rollStar(1, dice)).str();
        ASSERT_TRUE(starForm(primary, "AMGF")) << primary;
        const std::string companion = FixedText<6>(rollStar(2 + i % 2, dice)).str();
        ASSERT_TRUE(starForm(companion, "AFGKM")) << companion;
        whiteDwarfs += companion.substr(3, 1) == "D";
    }
    EXPECT_NEAR(whiteDwarfs / 20000.0, 9.0 / 36, 0.02);  // companions are white dwarfs on 5 or 6

    for (int slot : {1, 2, 3}) {
        SCOPED_TRACE(slot);
        WorldRecord world;
        world.star1 = world.star2 = world.star3 = "old";
        generateStar(world, slot, dice);
        EXPECT_EQ(world.star1.trimmed() == "old", slot != 1);
        EXPECT_EQ(world.star2.trimmed() == "old", slot != 2);
        EXPECT_EQ(world.star3.trimmed() == "old", slot != 3);
    }
}

TEST(Generation, OddAliensChangeAllegianceOrAddRemarksOnlyWhenAllowed) {
    for (int percent : {0, 50}) {
        SCOPED_TRACE(percent);
        GenerationOptions options = withFeatures({0, 0, 0, 0, 0});
        options.oddAlienPercent = percent;
        int worlds = 0, changed = 0, vargr = 0, remarked = 0;
        forEachWorld(options, 100, [&](const WorldRecord& w) {
            ++worlds;
            changed += w.allegiance.str() != "Im";
            vargr += w.allegiance.str() == "Va";
            const char first = w.notes.at(1);
            if (first == 'C' || first == 'D') {
                ++remarked;
                EXPECT_TRUE(w.notes.at(2) >= '0' && w.notes.at(2) <= '9' && w.notes.at(3) == ' ') << w.notes.str();
            }
        });
        // Half the worlds roll 1D9: 1-3 Vargr, 4-6 a remark, 7-9 another allegiance.
        EXPECT_NEAR(double(vargr) / worlds, percent / 300.0, 0.03);
        EXPECT_NEAR(double(remarked) / worlds, percent / 300.0, 0.03);
        EXPECT_NEAR(double(changed) / worlds, percent / 150.0, 0.04);
    }
}

TEST(Generation, EachAllegianceBuildsItsOwnBasesAndGovernments) {
    const struct {
        const char* allegiance;
        std::string bases;          // every base letter the allegiance gives, blank included
        std::set<int> governments;  // those of populated worlds; empty: not checked
    } cases[] = {
        {"Im", " NSAMF", {}},
        {"Na", " NSAMF", {}},
        {"Va", " GC", {}},
        {"Zh", " ZYX", {}},
        {"As", " TUR", {16, 17, 18, 19, 20, 21, 22}},
        {"Hv", " EMLF", {}},
        {"Dr", " SAPQ", {6, 7, 21}},
        {"Ch", " NSAMF", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.allegiance);
        std::set<char> seen;
        std::set<int> governments, laws;
        forEachWorld(withFeatures({0, 0, 0, 0, 0}, c.allegiance), 100, [&](const WorldRecord& w) {
            seen.insert(w.base.at(1));
            if (digit(w, 5) > 0) governments.insert(digit(w, 6)), laws.insert(digit(w, 7));
            if (std::string(c.allegiance) == "Dr") {
                EXPECT_TRUE(digit(w, 2) >= 1 && digit(w, 2) <= 6 && digit(w, 5) >= 3 && digit(w, 5) <= 8)
                    << w.uwp.str();
            }
            if (std::string(c.allegiance) == "Hv") {  // zone and remark come with starport X
                EXPECT_EQ(w.zone.str(), port(w) == 'X' ? "R" : " ") << w.uwp.str();
                EXPECT_EQ(notesHold(w, "Nh "), port(w) == 'X') << w.notes.str();
            }
        });
        EXPECT_EQ(seen, std::set<char>(c.bases.begin(), c.bases.end()));
        if (!c.governments.empty()) {
            EXPECT_EQ(governments, c.governments);
        }
        if (std::string(c.allegiance) == "As") {
            EXPECT_EQ(std::pair(*laws.begin(), *laws.rbegin()), std::pair(2, 12));
        }
    }
}

TEST(Generation, RollsGiveTheirRates) {
    // Starport C: a scout base on 2D6 - 1 above 7 (10 in 36); else a military base on 2D6 + 2 above 9 (15 in 36).
    int portC = 0, military = 0;
    forEachWorld(withFeatures({0, 0, 0, 0, 0}), 300, [&](const WorldRecord& w) {
        portC += port(w) == 'C';
        military += port(w) == 'C' && w.base.at(1) == 'M';
    });
    EXPECT_NEAR(double(military) / portC, 26.0 / 36 * 15.0 / 36, 0.025);
    // Hivian tech levels: 1D6 and the starport's DM, less 3 for population 1-3 and 2 for 4-6 (breathable air
    // sets no minimum).
    double tech[2] = {0, 0};
    int worlds[2] = {0, 0};
    forEachWorld(withFeatures({0, 0, 0, 0, 0}, "Hv"), 300, [&](const WorldRecord& w) {
        const int population = digit(w, 5), atmosphere = digit(w, 3);
        if (population == 0 || population > 6 || (atmosphere != 5 && atmosphere != 6 && atmosphere != 8)) return;
        tech[population > 3] += digit(w, 8);
        ++worlds[population > 3];
    });
    EXPECT_LT(tech[0] / worlds[0], tech[1] / worlds[1] - 0.4);
}

TEST(Generation, TechCapComesBeforeTheEnvironmentalMinimumAndDepopulationEmptiesWorlds) {
    GenerationOptions capped;
    capped.techCap = 5;
    int thinAir = 0;
    forEachWorld(capped, 150, [&](const WorldRecord& w) {
        SCOPED_TRACE(w.uwp.str());
        const int tech = digit(w, 8), atmosphere = digit(w, 3);
        if (digit(w, 5) == 0) return;
        if (digit(w, 2) > 0 && atmosphere == 12) {
            ++thinAir;
            EXPECT_EQ(tech, 9);
        }
        // No minimum is above 9, and breathable air needs none.
        EXPECT_LE(tech, atmosphere == 6 || atmosphere == 8 ? 5 : 9);
    });
    EXPECT_GT(thinAir, 10);
    int aboveNine = 0;  // "Don't" caps nothing
    forEachWorld(GenerationOptions{}, 20, [&](const WorldRecord& w) { aboveNine += digit(w, 8) > 9; });
    EXPECT_GT(aboveNine, 50);

    GenerationOptions depopulate = withFeatures({50, 0, 0, 0, 0});
    depopulate.techCap = 0;
    depopulate.depopulateOverCap = true;
    int uninhabited = 0, kept = 0;
    forEachWorld(depopulate, 50, [&](const WorldRecord& w) {
        SCOPED_TRACE(w.name.str() + " " + w.uwp.str());
        if (w.name.trimmed() != "(Uninhabited)") {
            ++kept;
            EXPECT_EQ(w.uwp.at(8), '0');
            return;
        }
        ++uninhabited;
        EXPECT_EQ(w.allegiance.str() + port(w) + w.uwp.str().substr(4, 4) + w.pag.at(1) + w.base.str() + w.zone.str() +
                      "|" + std::string(w.notes.trimmed()),
                  "UiX00000  |");
        EXPECT_FALSE(w.star1.trimmed().empty());
    });
    EXPECT_GT(uninhabited, 10 * kept);
}

TEST(Generation, TravelZonesFollowTheLawLevelAndTheTechLevel) {
    // Governments 13 to 15 are amber from law level 17, 17 and 16, red from 19, 19 and 18 (lower governments
    // never reach their thresholds); otherwise a people below tech level 2 makes the zone red.
    constexpr int kAmber[] = {17, 17, 16}, kRed[] = {19, 19, 18};
    GenerationOptions options = withFeatures({0, 0, 0, 0, 0});
    options.densityPercent = 100;
    int atThreshold = 0;
    forEachWorld(options, 1000, [&](const WorldRecord& w) {
        const int gov = digit(w, 6), law = digit(w, 7), row = std::clamp(gov - 13, 0, 2);
        const bool ruled = gov >= 13 && gov <= 15;
        if (notesHold(w, "Ex ")) return;  // zoned with the remark, which a chance of 0 still gives on starport X
        const char* zone = ruled && law >= kRed[row]            ? "R"
                           : ruled && law >= kAmber[row]        ? "A"
                           : digit(w, 5) > 0 && digit(w, 8) < 2 ? "R"
                                                                : " ";
        ASSERT_EQ(w.zone.str(), zone) << w.uwp.str();
        atThreshold += ruled && (law == kAmber[row] || law == kRed[row]);
    });
    EXPECT_GT(atThreshold, 20);
}

TEST(Generation, FeaturesFollowTheirChances) {
    // "Rs" at 10 %, or 35 % on a world that already has "An".
    int withAn = 0, withoutAn = 0, rsWithAn = 0, rsWithoutAn = 0;
    forEachWorld(withFeatures({50, 10, 0, 0, 0}), 150, [&](const WorldRecord& w) {
        const bool an = notesHold(w, "An ");
        (an ? withAn : withoutAn)++;
        (an ? rsWithAn : rsWithoutAn) += notesHold(w, "Rs ");
        if (an && notesHold(w, "Rs ")) {
            EXPECT_LT(w.notes.view().find("An "), w.notes.view().find("Rs "));
        }
    });
    EXPECT_NEAR(double(rsWithAn) / withAn, 0.35, 0.04);
    EXPECT_NEAR(double(rsWithoutAn) / withoutAn, 0.10, 0.03);

    int portX = 0, forbidden = 0;  // "Ex" only on starport X; forbidden worlds are zoned
    forEachWorld(withFeatures({0, 0, 99, 99, 0}), 100, [&](const WorldRecord& w) {
        SCOPED_TRACE(w.uwp.str() + " " + w.notes.str());
        portX += port(w) == 'X';
        EXPECT_EQ(notesHold(w, "Ex "), port(w) == 'X');  // on X the roll less 10 is always within 99
        if (!notesHold(w, "Pr ")) return;                // 1 in 100 misses a chance of 99
        ++forbidden;
        EXPECT_TRUE(w.zone.str() == "R" || (w.zone.str() == "A" && digit(w, 5) >= 6));
    });
    EXPECT_GT(portX, 50);
    EXPECT_GT(forbidden, 3000);
}

TEST(Generation, NamesCarrySectorNumbersAndASavedSubsectorReloadsInPlace) {
    for (const char* letter : {"A", "B", "P"}) {
        SCOPED_TRACE(letter);
        GenerationOptions options = withFeatures({20, 20, 20, 20, 20});
        options.oddAlienPercent = 20;
        options.generateAsLetter = letter;
        SubsectorStore store;
        Dice dice(9);
        generateSubsector(store, options, dice);
        const int index = letter[0] - 'A', offset = index % 4 * 800 + index / 4 * 10;

        const auto file = formatSbs(store);
        EXPECT_TRUE(file.notices.empty());
        SubsectorStore reloaded;
        EXPECT_TRUE(readSbs(reloaded, file.value).empty());
        EXPECT_EQ(reloaded.subsectorLetter, letter);
        for (int slot = 1; slot <= kHexCount; ++slot) {
            SCOPED_TRACE(slot);
            const WorldRecord& before = store.worlds[static_cast<std::size_t>(slot)];
            WorldRecord after = reloaded.worlds[static_cast<std::size_t>(slot)];
            ASSERT_EQ(after.location, before.location);
            if (!before.occupied()) continue;
            EXPECT_EQ(before.name.trimmed(), "S  " + std::to_string(offset + before.location));
            EXPECT_EQ(after.notes.trimmed(), before.notes.trimmed());
            after.notes = before.notes;
            after.facility = before.facility;
            EXPECT_EQ(after, before);
        }
    }
}

// Seeded subsectors as the generator makes them, the rules above holding: the order and the use of every
// roll are part of the product (a seed gives the same subsector on every machine and in every version), so
// a changed roll shows here even where the rates above cannot see it. After a deliberate change to the
// rolls, QELVAR_WRITE_GOLDEN=1 writes the files afresh.
TEST(Generation, SeededSubsectorsKeepEveryRoll) {
    constexpr int kUncapped = GenerationOptions::kNoTechCap;
    const std::pair<const char*, int> rows[] = {{"Im", kUncapped}, {"Va", 12}, {"Zh", 9},  {"As", 15},
                                                {"Na", 5},         {"Hv", 8},  {"Dr", 10}, {"Ch", 11}};
    for (const auto& [allegiance, techCap] : rows) {
        SCOPED_TRACE(allegiance);
        GenerationOptions options = withFeatures({20, 20, 20, 20, 20}, allegiance);
        options.oddAlienPercent = 50;
        options.densityPercent = 66;
        options.techCap = techCap;
        options.depopulateOverCap = techCap < 9;
        SubsectorStore store;
        Dice dice(2026);
        std::string generated;
        // The Aslan base tables have rows that few worlds reach.
        for (int run = 0; run < (std::string_view(allegiance) == "As" ? 40 : 10); ++run) {
            generateSubsector(store, options, dice);
            generated += formatSbs(store).value;
        }
        const std::string path = std::string(QELVAR_TEST_DATA) + "/generation/" + allegiance + ".sbs";
        if (std::getenv("QELVAR_WRITE_GOLDEN")) {
            ASSERT_TRUE(writeFileAtomically(path, generated).ok());
        }
        const auto expected = readFileBytes(path);
        ASSERT_TRUE(expected.ok()) << expected.error();
        const auto want = splitLines(*expected), got = splitLines(generated);
        for (std::size_t i = 0; i < std::min(want.size(), got.size()); ++i) ASSERT_EQ(got[i], want[i]) << "line " << i;
        EXPECT_EQ(got.size(), want.size());
    }
}

TEST(Generation, GenerateAsksBeforeDiscardingUnsavedChanges) {
    SubsectorStore store;
    store.worlds[1].location = 101;
    const WorldRecord before = store.worlds[1];
    Dice dice(1);

    ScriptedPrompter refuse;
    refuse.yesNoAnswers = {false};
    EXPECT_FALSE(generateOnRequest(store, GenerationOptions{}, dice, refuse, true));
    ASSERT_EQ(refuse.prompts.size(), 1u);
    EXPECT_EQ(refuse.prompts[0].text, "You have unsaved changes, are you sure?");
    EXPECT_EQ(refuse.prompts[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(refuse.prompts[0].title, applicationTitle());
    EXPECT_EQ(store.worlds[1], before);
    EXPECT_EQ(refuse.busyDepth, 0);

    ScriptedPrompter accept;
    accept.yesNoAnswers = {true};
    EXPECT_TRUE(generateOnRequest(store, GenerationOptions{}, dice, accept, true));
    EXPECT_NE(store.worlds[1], before);
    EXPECT_EQ(accept.busyDepth, 0);

    ScriptedPrompter silent;  // nothing unsaved: no question
    EXPECT_TRUE(generateOnRequest(store, GenerationOptions{}, dice, silent, false));
    EXPECT_TRUE(silent.prompts.empty());
}

}  // namespace
}  // namespace qelvar
