// Generation is checked over many seeded runs: rates within wide bounds, and rules that must hold for
// every world generated.
#include "generation/world_generation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>

#include "core/codes.h"
#include "core/subsector_store.h"
#include "core/trade.h"
#include "files/sbs.h"
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
void forEachWorld(const GenerationOptions& options, int runs,
                  const std::function<void(const WorldRecord&)>& visit, std::uint64_t seed = 1) {
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

GenerationOptions withFeatures(std::initializer_list<float> chances) {
    GenerationOptions options;
    auto chance = chances.begin();
    for (FeatureChance& feature : options.featureChances) feature.chance = *chance++;
    return options;
}

TEST(Generation, DensityGivesItsShareOfOccupiedHexes) {
    for (int density : kDensityChoices) {
        SCOPED_TRACE(density);
        GenerationOptions options;
        options.densityPercent = density;
        SubsectorStore store;
        Dice dice(density);
        int occupied = 0;
        constexpr int kRuns = 200;
        for (int run = 0; run < kRuns; ++run) {
            generateSubsector(store, options, dice);
            for (int slot = 1; slot <= kHexCount; ++slot) {
                const WorldRecord& world = store.worlds[static_cast<std::size_t>(slot)];
                if (world.occupied()) {
                    ++occupied;
                    ASSERT_EQ(world.location, store.hexCodeValue(slot));
                } else {
                    ASSERT_EQ(world.location, 0);
                    ASSERT_EQ(world.name.trimmed(), "");
                    ASSERT_EQ(world.uwp.trimmed(), "");
                }
            }
            for (int slot : {0, 81, 90}) ASSERT_EQ(store.worlds[static_cast<std::size_t>(slot)], WorldRecord{});
        }
        // 16000 hexes: the share is within a fifth of a percent or so of the density.
        EXPECT_NEAR(100.0 * occupied / (kRuns * kHexCount), density, 1.5);
    }
}

TEST(Generation, ARunReplacesEverythingButTheNames) {
    SubsectorStore store;
    store.subsectorName = "Kessa";
    store.sectorName = "Far Reach";
    store.unsavedChanges = 1;
    store.worlds[0].location = 999;
    Dice dice(3);
    GenerationOptions options;
    options.densityPercent = 4;
    generateSubsector(store, options, dice);
    EXPECT_EQ(store.subsectorName, "Kessa");
    EXPECT_EQ(store.sectorName, "Far Reach");
    EXPECT_EQ(store.unsavedChanges, 0);
    EXPECT_EQ(store.worlds[0].location, 0);
    EXPECT_EQ(store.subsectorLetter, "A");
}

TEST(Generation, EveryWorldIsWellFormed) {
    GenerationOptions options;
    options.oddAlienPercent = 50;
    int worlds = 0, withCompanion = 0, withSecondCompanion = 0, portA = 0, portX = 0;
    forEachWorld(options, 100, [&](const WorldRecord& w) {
        ++worlds;
        SCOPED_TRACE(w.name.str() + " " + w.uwp.str());
        ASSERT_NE(std::string_view("ABCDEX").find(port(w)), std::string_view::npos);
        for (std::size_t i = 2; i <= 8; ++i) ASSERT_TRUE(w.uwp.at(i) == '0' || hexDigitValue(w.uwp.at(i)) > 0);
        ASSERT_LE(digit(w, 4), 10);
        if (digit(w, 2) == 0) {
            ASSERT_EQ(w.uwp.str().substr(2, 2), "00");
        }
        const char p = w.pag.at(1), a = w.pag.at(2), g = w.pag.at(3);
        ASSERT_TRUE(p >= '1' && p <= '9') << w.pag.str();
        ASSERT_TRUE(a >= '0' && a <= '3') << w.pag.str();
        ASSERT_TRUE(g >= '0' && g <= '5') << w.pag.str();
        ASSERT_EQ(w.gasGiant.str(), g > '0' ? "G" : " ");
        ASSERT_NE(std::string_view(" AR").find(w.zone.at(1)), std::string_view::npos);
        ASSERT_EQ(w.facility.str(), "  ");
        // The trade codes and price are those of the digits shown, as a reader would recompute them.
        int values[9] = {0, hexDigitValue(port(w))};
        for (std::size_t i = 2; i <= 8; ++i) values[i] = digit(w, i);
        const TradeResult trade = tradeFor(values);
        ASSERT_EQ(w.tradeCodes.str(), FixedText<15>(trade.codes).str());
        ASSERT_EQ(w.cargoBase, trade.price);
        if (w.star2.trimmed().empty()) {
            ASSERT_TRUE(w.star3.trimmed().empty());
        }
        ASSERT_LE(digit(w, 2), 10);
        ASSERT_LE(digit(w, 5), 10);
        portA += port(w) == 'A';
        portX += port(w) == 'X';
        withCompanion += !w.star2.trimmed().empty();
        withSecondCompanion += !w.star3.trimmed().empty();
    });
    ASSERT_GT(worlds, 3000);
    // Starport A on 2-4 of 2D6 (6 in 36), X on 12 (1 in 36).
    EXPECT_NEAR(double(portA) / worlds, 6.0 / 36, 0.03);
    EXPECT_NEAR(double(portX) / worlds, 1.0 / 36, 0.012);
    // A companion on 8 or more on 2D6 (15 in 36), a second one on 12 (1 in 36).
    EXPECT_NEAR(double(withCompanion) / worlds, 15.0 / 36, 0.04);
    EXPECT_NEAR(double(withSecondCompanion) / worlds, 1.0 / 36, 0.012);
}

// A star text: class letter, decimal digit, a blank and a size class, blank-padded to six characters.
bool starForm(std::string_view star, std::string_view classes, std::string_view sizes) {
    const std::string_view text = star.substr(0, star.find_last_not_of(' ') + 1);
    if (star.size() != 6 || text.size() < 4 || text[2] != ' ') return false;
    if (classes.find(text[0]) == std::string_view::npos || text[1] < '0' || text[1] > '9') return false;
    const std::string size(text.substr(3));
    for (std::string_view allowed : {"II", "III", "IV", "V", "VI", "D"}) {
        if (size == allowed) return sizes.find(size) != std::string_view::npos || size == "D";
    }
    return false;
}

TEST(Stars, TextsTakeTheirFormsAndPrimariesAreNeverK) {
    Dice dice(5);
    int whiteDwarfs = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string primary = FixedText<6>(rollStar(1, dice)).str();
        ASSERT_TRUE(starForm(primary, "AMGF", "II III IV V VI D")) << primary;
        const std::string companion = FixedText<6>(rollStar(2 + i % 2, dice)).str();
        ASSERT_TRUE(starForm(companion, "AFGKM", "II III IV V VI D")) << companion;
        whiteDwarfs += companion.substr(3, 1) == "D";
    }
    // Companions are white dwarfs on 5 or 6 (9 in 36), primaries only on 12.
    EXPECT_NEAR(whiteDwarfs / 20000.0, 9.0 / 36, 0.02);
}

TEST(Stars, EachSlotWritesOnlyItsOwnField) {
    for (int slot : {1, 2, 3}) {
        SCOPED_TRACE(slot);
        SubsectorStore store;
        store.workIndex = 17;
        WorldRecord& world = store.worlds[17];
        world.star1 = "old1";
        world.star2 = "old2";
        world.star3 = "old3";
        Dice dice(slot);
        generateStar(store, slot, dice);
        EXPECT_EQ(world.star1.trimmed() == "old1", slot != 1);
        EXPECT_EQ(world.star2.trimmed() == "old2", slot != 2);
        EXPECT_EQ(world.star3.trimmed() == "old3", slot != 3);
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
        if (percent == 0) {
            EXPECT_EQ(changed, 0);
            EXPECT_EQ(remarked, 0);
        } else {
            // Half the worlds roll 1D9: 1-3 Vargr, 4-6 a remark, 7-9 another allegiance.
            EXPECT_NEAR(double(vargr) / worlds, 0.5 / 3, 0.03);
            EXPECT_NEAR(double(remarked) / worlds, 0.5 / 3, 0.03);
            EXPECT_NEAR(double(changed) / worlds, 0.5 * 2 / 3, 0.04);
        }
    }
}

TEST(Generation, AslanGovernmentAndLawRanges) {
    GenerationOptions options;
    options.defaultAllegiance = "As";
    options.oddAlienPercent = 0;
    std::set<int> governments, laws;
    forEachWorld(options, 100, [&](const WorldRecord& w) {
        SCOPED_TRACE(w.uwp.str());
        if (digit(w, 5) == 0) {
            EXPECT_EQ(w.uwp.str().substr(5, 3), "000");
            return;
        }
        const char g = w.uwp.at(6);
        EXPECT_TRUE(g >= 'G' && g <= 'N') << g;  // 16 to 22
        governments.insert(digit(w, 6));
        laws.insert(digit(w, 7));
    });
    EXPECT_EQ(governments.size(), 7u);
    EXPECT_EQ(*laws.begin(), 2);
    EXPECT_EQ(*laws.rbegin(), 12);
}

TEST(Generation, EachAllegianceBuildsItsOwnBases) {
    const struct {
        const char* allegiance;
        std::string bases;  // every base letter the allegiance gives, blank included
    } cases[] = {
        {"Im", " NSAMF"}, {"Na", " NSAMF"}, {"Va", " GC"}, {"Zh", " ZYX"},
        {"As", " TUR"},   {"Hv", " EMLF"},  {"Dr", " SAPQ"}, {"Ch", " NSAMF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.allegiance);
        GenerationOptions options;
        options.defaultAllegiance = c.allegiance;
        options.oddAlienPercent = 0;
        std::string seen;
        forEachWorld(options, 100, [&](const WorldRecord& w) {
            const char base = w.base.at(1);
            if (seen.find(base) == std::string::npos) seen += base;
        });
        std::sort(seen.begin(), seen.end());
        std::string expected = c.bases;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(seen, expected);
    }
}

TEST(Generation, DroyneWorldsHaveTheirOwnProfile) {
    GenerationOptions options;
    options.defaultAllegiance = "Dr";
    options.oddAlienPercent = 0;
    std::set<int> governments;
    forEachWorld(options, 50, [&](const WorldRecord& w) {
        SCOPED_TRACE(w.uwp.str());
        EXPECT_GE(digit(w, 2), 1);
        EXPECT_LE(digit(w, 2), 6);
        EXPECT_GE(digit(w, 5), 3);
        EXPECT_LE(digit(w, 5), 8);
        governments.insert(digit(w, 6));
        EXPECT_LE(digit(w, 8), 16);
    });
    EXPECT_EQ(governments, (std::set<int>{6, 7, 21}));
}

TEST(Generation, HivianZoneAndRemarkComeWithStarportX) {
    GenerationOptions options = withFeatures({0, 0, 0, 0, 0});
    options.defaultAllegiance = "Hv";
    options.oddAlienPercent = 0;
    int portX = 0;
    forEachWorld(options, 100, [&](const WorldRecord& w) {
        const bool x = port(w) == 'X';
        portX += x;
        EXPECT_EQ(w.zone.str(), x ? "R" : " ") << w.uwp.str();
        EXPECT_EQ(notesHold(w, "Nh "), x) << w.notes.str();
    });
    EXPECT_GT(portX, 50);
}

TEST(Generation, TechCapComesBeforeTheEnvironmentalMinimum) {
    GenerationOptions capped;
    capped.techCap = 5;
    int thinAir = 0;
    forEachWorld(capped, 150, [&](const WorldRecord& w) {
        SCOPED_TRACE(w.uwp.str());
        const int tech = digit(w, 8);
        if (digit(w, 5) == 0) return;
        EXPECT_LE(tech, 9);  // no minimum is above 9
        const int atmosphere = digit(w, 3);
        if (digit(w, 2) > 0 && atmosphere == 12) {
            ++thinAir;
            EXPECT_EQ(tech, 9);
        }
        if (atmosphere == 6 || atmosphere == 8) {  // breathable air needs nothing
            EXPECT_LE(tech, 5);
        }
    });
    EXPECT_GT(thinAir, 10);

    int aboveNine = 0;  // "Don't" caps nothing
    forEachWorld(GenerationOptions{}, 20, [&](const WorldRecord& w) { aboveNine += digit(w, 8) > 9; });
    EXPECT_GT(aboveNine, 50);
}

TEST(Generation, PopulationZeroClearsGovernmentLawAndTech) {
    int empty = 0;
    forEachWorld(GenerationOptions{}, 200, [&](const WorldRecord& w) {
        if (digit(w, 5) != 0) return;
        ++empty;
        EXPECT_EQ(w.uwp.str().substr(5, 3), "000") << w.uwp.str();
    });
    EXPECT_GT(empty, 100);
}

TEST(Generation, DepopulationLeavesUninhabitedWorlds) {
    GenerationOptions options;
    options.techCap = 0;
    options.depopulateOverCap = true;
    options.featureChances[0].chance = 50;
    int uninhabited = 0, kept = 0;
    forEachWorld(options, 50, [&](const WorldRecord& w) {
        SCOPED_TRACE(w.name.str() + " " + w.uwp.str());
        if (w.name.trimmed() != "(Uninhabited)") {
            ++kept;
            EXPECT_EQ(w.uwp.at(8), '0');
            return;
        }
        ++uninhabited;
        EXPECT_EQ(w.allegiance.str(), "Ui");
        EXPECT_EQ(port(w), 'X');
        EXPECT_EQ(w.uwp.str().substr(4, 4), "0000");
        EXPECT_EQ(w.pag.at(1), '0');
        EXPECT_EQ(w.base.str(), " ");
        EXPECT_EQ(w.zone.str(), " ");
        EXPECT_EQ(w.notes.trimmed(), "");
        EXPECT_FALSE(w.star1.trimmed().empty());
    });
    EXPECT_GT(uninhabited, 10 * kept);
}

TEST(Generation, FeaturesFollowTheirChances) {
    // "Mr" alone at 20 %.
    int worlds = 0, mining = 0;
    forEachWorld(withFeatures({0, 0, 0, 0, 20}), 100, [&](const WorldRecord& w) {
        ++worlds;
        mining += notesHold(w, "Mr ");
    });
    EXPECT_NEAR(double(mining) / worlds, 0.20, 0.03);

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
}

TEST(Generation, ExOnlyOnStarportXAndForbiddenWorldsAreZoned) {
    int portX = 0, forbidden = 0;
    forEachWorld(withFeatures({0, 0, 99, 99, 0}), 100, [&](const WorldRecord& w) {
        SCOPED_TRACE(w.uwp.str() + " " + w.notes.str());
        const bool x = port(w) == 'X';
        portX += x;
        EXPECT_EQ(notesHold(w, "Ex "), x);  // on X the roll less 10 is always within 99
        if (!notesHold(w, "Pr ")) return;  // 1 in 100 misses a chance of 99
        ++forbidden;
        EXPECT_NE(w.zone.str(), " ");
        if (digit(w, 5) < 6) {
            EXPECT_EQ(w.zone.str(), "R");
        }
    });
    EXPECT_GT(portX, 50);
    EXPECT_GT(forbidden, 3000);
    forEachWorld(GenerationOptions{}, 100, [&](const WorldRecord& w) {
        if (port(w) != 'X') {
            EXPECT_FALSE(notesHold(w, "Ex ")) << w.uwp.str();
        }
    });
}

TEST(Generation, NamesCarrySectorNumbersAndASavedSubsectorReloadsInPlace) {
    for (const char* letter : {"A", "B", "P"}) {
        SCOPED_TRACE(letter);
        GenerationOptions options;
        options.generateAsLetter = letter;
        options.featureChances = withFeatures({20, 20, 20, 20, 20}).featureChances;
        SubsectorStore store;
        Dice dice(9);
        generateSubsector(store, options, dice);
        const int offset = std::string("ABCDEFGHIJKLMNOP").find(letter[0]) % 4 * 800 +
                           std::string("ABCDEFGHIJKLMNOP").find(letter[0]) / 4 * 10;
        for (int slot = 1; slot <= kHexCount; ++slot) {
            const WorldRecord& w = store.worlds[static_cast<std::size_t>(slot)];
            if (w.occupied()) {
                EXPECT_EQ(w.name.trimmed(), "S  " + std::to_string(offset + w.location));
            }
        }

        const auto file = formatSbs(store);
        EXPECT_TRUE(file.notices.empty());
        SubsectorStore reloaded;
        EXPECT_TRUE(readSbs(reloaded, file.value).empty());
        EXPECT_EQ(reloaded.subsectorLetter, letter);
        for (int slot = 1; slot <= kHexCount; ++slot) {
            SCOPED_TRACE(slot);
            const WorldRecord& before = store.worlds[static_cast<std::size_t>(slot)];
            const WorldRecord& after = reloaded.worlds[static_cast<std::size_t>(slot)];
            ASSERT_EQ(after.location, before.location);
            if (!before.occupied()) continue;
            EXPECT_EQ(after.name, before.name);
            EXPECT_EQ(after.uwp, before.uwp);
            EXPECT_EQ(after.base, before.base);
            EXPECT_EQ(after.zone, before.zone);
            EXPECT_EQ(after.gasGiant, before.gasGiant);
            EXPECT_EQ(after.pag, before.pag);
            EXPECT_EQ(after.allegiance, before.allegiance);
            EXPECT_EQ(after.star1, before.star1);
            EXPECT_EQ(after.star2, before.star2);
            EXPECT_EQ(after.star3, before.star3);
            EXPECT_EQ(after.notes.trimmed(), before.notes.trimmed());
            EXPECT_EQ(after.tradeCodes, before.tradeCodes);
            EXPECT_EQ(after.cargoBase, before.cargoBase);
        }
    }
}

TEST(Generation, ASeedGivesTheSameSubsectorEveryTime) {
    const auto generated = [](std::uint64_t seed) {
        SubsectorStore store;
        Dice dice(seed);
        generateSubsector(store, GenerationOptions{}, dice);
        return store.worlds;
    };
    EXPECT_EQ(generated(1), generated(1));
    EXPECT_NE(generated(1), generated(2));
}

TEST(Generation, GenerateAsksBeforeDiscardingUnsavedChanges) {
    SubsectorStore store;
    store.appTitle = "Title";
    store.unsavedChanges = 1;
    store.worlds[1].location = 101;
    store.worlds[1].name = "Kept";
    const WorldRecord before = store.worlds[1];
    Dice dice(1);

    ScriptedPrompter refuse;
    refuse.yesNoAnswers = {false};
    EXPECT_FALSE(generateOnRequest(store, GenerationOptions{}, dice, refuse));
    ASSERT_EQ(refuse.prompts.size(), 1u);
    EXPECT_EQ(refuse.prompts[0].text, "You have unsaved changes, are you sure?");
    EXPECT_EQ(refuse.prompts[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(refuse.prompts[0].title, "Title");
    EXPECT_EQ(store.worlds[1], before);
    EXPECT_EQ(store.unsavedChanges, 1);
    EXPECT_EQ(refuse.busyDepth, 0);

    ScriptedPrompter accept;
    accept.yesNoAnswers = {true};
    EXPECT_TRUE(generateOnRequest(store, GenerationOptions{}, dice, accept));
    EXPECT_EQ(store.unsavedChanges, 0);
    EXPECT_NE(store.worlds[1], before);
    EXPECT_EQ(accept.busyDepth, 0);

    ScriptedPrompter silent;  // nothing unsaved: no question
    EXPECT_TRUE(generateOnRequest(store, GenerationOptions{}, dice, silent));
    EXPECT_TRUE(silent.prompts.empty());
}

}  // namespace
}  // namespace qelvar
