#include "generation/world_generation.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "store/codes.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "store/trade.h"
#include "store/startup.h"
#include "generation/dice.h"
#include "generation/generation_options.h"
#include "generation/stars.h"
#include "seams/prompter.h"

namespace qelvar {

namespace {

// Starports in the order every DM table below lists them.
enum Port { A, B, C, D, E, X };
constexpr const char* kPortLetters[] = {"A", "B", "C", "D", "E", "X"};

Port rollStarport(Dice& dice) {
    const int roll = dice.rollDice(2, 6);
    if (roll <= 4) return A;
    if (roll <= 6) return B;
    if (roll <= 8) return C;
    if (roll == 9) return D;
    if (roll <= 11) return E;
    return X;
}

// The world being rolled, with its UWP values unclamped until they are composed.
struct Roll {
    Roll(Dice& d, std::string al) : dice(d), allegiance(std::move(al)) {}
    Dice& dice;
    std::string allegiance;
    Port port = X;
    int size = 0, atm = 0, hyd = 0, pop = 0, gov = 0, law = 0, tech = 0;
    std::string base = " ";
    std::string zone = " ";
    std::string remarks;

    int d(int count, int sides) { return dice.rollDice(count, sides); }
    bool remarksHold(std::string_view code) const { return remarks.find(code) != std::string::npos; }
};

void rollProfile(Roll& w) {
    const std::string& al = w.allegiance;
    const bool dr = al == "Dr" || al == "Ch";
    w.size = dr ? w.d(1, 6) : w.d(2, 6) - 2;
    w.atm = w.size + w.d(2, 6) - 7;
    w.hyd = w.atm + w.d(2, 6) - 7;
    w.pop = dr ? w.d(1, 6) + 2 : w.d(2, 6) - 2;
    if (al == "As") {
        w.gov = w.d(1, 7) + 15;
        w.law = w.d(2, 6);
    } else if (al == "Hv") {
        const int x = w.pop - w.d(1, 6);
        w.gov = x <= 2 ? x : x == 3 ? 6 : x <= 5 ? 26 : x <= 7 ? 27 : x == 8 ? 28 : 29;
        w.law = w.d(1, 6);
    } else if (dr) {
        const int roll = w.d(1, 6);
        w.gov = roll <= 2 ? 6 : roll <= 4 ? 7 : 21;
        w.law = w.gov + w.d(2, 6) - 6;
    } else {
        w.gov = w.pop + w.d(2, 6) - 7;
        if (al == "Va" && w.gov > 9) w.gov = 7;
        w.law = w.gov + w.d(2, 6) - 7;
    }
}

void rollTechLevel(Roll& w) {
    const std::string& al = w.allegiance;
    if (al == "Hv") {
        constexpr int kPortDm[] = {3, 2, 0, -1, -2, -2};
        w.tech = w.d(1, 6) + kPortDm[w.port];
        if (w.pop <= 3) {
            w.tech -= 3;
        } else if (w.pop <= 6) {
            w.tech -= 2;
        } else if (w.pop == 7) {
            w.tech -= 1;
        }
    } else if (al == "As") {
        constexpr int kPortDm[] = {3, 2, 0, 1, -1, -1};
        w.tech = w.d(1, 6) + 8 + kPortDm[w.port];
    } else if (al == "Dr") {
        w.tech = w.d(3, 6) - 2;
    } else {
        constexpr int kPortDm[] = {6, 4, 2, 0, 0, -4};
        int t = w.d(1, 8) + kPortDm[w.port];
        if (w.size < 2) ++t;
        if (w.size < 5) ++t;
        if (w.atm < 4) ++t;
        if (w.atm > 9) ++t;
        if (w.hyd > 8) ++t;
        if (w.pop < 6) ++t;
        if (w.pop == 9) t += 2;
        if (w.pop == 10) t += 4;
        if (w.gov == 0) ++t;
        if (w.gov == 5) ++t;
        if (w.gov == 13) t -= 2;
        w.tech = t;
    }
}

void rollHivianBase(Roll& w) {
    // Rows by 2D6 (2..12), columns by starport A..X; '-' is no base.
    constexpr const char* kTable[13] = {"",       "",       "EMMM--", "EMM---", "E-----", "E-----", "------",
                                        "------", "L-----", "L-----", "LLM---", "LLMM--", "FFFFMM"};
    const char base = kTable[w.d(2, 6)][w.port];
    if (base != '-') w.base = std::string(1, base);
}

void rollVargrBase(Roll& w) {
    if (w.d(2, 6) > 6) {
        w.base = "G";
        return;
    }
    constexpr int kPortDm[] = {-2, -1, 0, 1, 2, 3};
    if (w.d(2, 6) + kPortDm[w.port] > 8) w.base = "C";
}

void rollZhodaniBase(Roll& w) {
    if (w.port <= D) {
        constexpr int kPortDm[] = {2, 1, 0, 0};
        if (w.d(2, 6) + kPortDm[w.port] > 8) w.base = "Z";
    }
    if (w.port == A && w.d(2, 6) > 10) w.base = "Y";
    if (w.base == " " && w.d(2, 6) > 8) w.base = "X";
}

struct AslanBaseRow {
    int government;
    int portDm[6];
    int above;
};

void rollAslanBase(Roll& w) {
    constexpr AslanBaseRow kFirst[] = {
        {16, {0, -1, -2, -10, -10, -10}, 9},
        {17, {0, -1, -2, -3, -10, -10}, 6},
        {20, {0, -1, -2, -10, -10, -3}, 9},
        {22, {0, -1, -2, -3, -10, -10}, 7},
    };
    constexpr AslanBaseRow kSecond[] = {
        {16, {0, -1, -2, -10, -10, -10}, 8}, {17, {0, -1, -2, -3, -10, -10}, 5}, {18, {0, -1, -2, -10, -10, -3}, 5},
        {19, {0, -1, -2, -3, -10, -3}, 4},   {21, {0, -1, -2, -3, -10, -10}, 5}, {22, {0, -1, -2, -3, -10, -10}, 6},
    };
    const auto rowOf = [&](const auto& table) -> const AslanBaseRow* {
        for (const AslanBaseRow& row : table) {
            if (row.government == w.gov) return &row;
        }
        return nullptr;
    };
    if (const AslanBaseRow* row = rowOf(kFirst); row && w.d(2, 6) + row->portDm[w.port] > row->above) {
        w.base = "T";
    }
    if (const AslanBaseRow* row = rowOf(kSecond); row && w.d(2, 6) + row->portDm[w.port] > row->above) {
        if (w.gov == 16) {
            if (w.base == " ") w.base = "R";
        } else {
            w.base = w.base == "T" ? "U" : "R";
        }
    }
}

void rollCommonBase(Roll& w) {
    const int naval = w.d(2, 6);
    if (w.port == A || (w.port == B && naval > 8)) w.base = "N";
    if (w.port != X) {
        constexpr int kPortDm[] = {-3, -2, -1, 0, 0, 0};
        if (w.d(2, 6) + kPortDm[w.port] > 7) w.base = w.base == "N" ? "A" : "S";
    }
    if (w.base != "A" && w.base != "S") {
        constexpr int kPortDm[] = {0, 1, 2, 0, 0, 0};
        if (w.d(2, 6) + kPortDm[w.port] > 9) w.base = w.base == "N" ? "F" : "M";
    }
    if (w.allegiance == "Dr") {
        if (w.base == "F" || w.base == "N") w.base = "P";
        if (w.base == "M") w.base = "Q";
    }
}

void rollBase(Roll& w) {
    const std::string& al = w.allegiance;
    if (al == "Hv") {
        rollHivianBase(w);
    } else if (al == "Va") {
        rollVargrBase(w);
    } else if (al == "Zh") {
        rollZhodaniBase(w);
    } else if (al == "As") {
        rollAslanBase(w);
    } else {
        rollCommonBase(w);
    }
}

void rollZone(Roll& w) {
    if (w.allegiance == "Hv") {
        if (w.port == X) {
            w.zone = "R";
            w.remarks += "Nh ";
        }
        return;
    }
    if (w.pop > 0 && w.tech < 2) w.zone = "R";
    if (w.gov > 9 && w.law > 15) {
        // Government 10..15: the law level from which the zone is amber, and from which it is red.
        constexpr int kAmber[] = {20, 19, 18, 17, 17, 16};
        constexpr int kRed[] = {99, 99, 99, 19, 19, 18};
        if (w.gov <= 15) {
            if (w.law >= kAmber[w.gov - 10]) w.zone = "A";
            if (w.law >= kRed[w.gov - 10]) w.zone = "R";
        }
    }
}

void rollFeatures(Roll& w, const GenerationOptions& options) {
    for (const FeatureChance& feature : options.featureChances) {
        int roll = w.d(1, 100);
        if (feature.code == "Ex") roll = w.port == X ? roll - 10 : 100;
        if (roll <= feature.chance) {
            w.remarks += feature.code + " ";
        } else if (feature.code == "Rs" && w.remarksHold("An") && roll <= feature.chance + 25) {
            w.remarks += "Rs ";
        }
    }
}

int gasGiantCount(Dice& dice) {
    if (dice.rollDice(2, 6) >= 11) return 0;
    const int roll = dice.rollDice(2, 6);
    if (roll <= 3) return 1;
    if (roll <= 5) return 2;
    if (roll <= 7) return 3;
    if (roll <= 10) return 4;
    return 5;
}

int planetoidBeltCount(Dice& dice, int gasGiants) {
    if (dice.rollDice(2, 6) - gasGiants >= 7) return 0;
    const int roll = dice.rollDice(2, 6) - gasGiants;
    if (roll < 1) return 3;
    if (roll <= 6) return 2;
    return 1;
}

void generateHex(SubsectorStore& store, int k, const GenerationOptions& options, Dice& dice, int offset) {
    WorldRecord& world = store.worlds[static_cast<std::size_t>(k)];
    world.notes = "";
    world.star1 = "";
    world.star2 = "";
    world.star3 = "";
    world.tradeCodes = "";

    if (dice.rollDice(1, 100) > options.densityPercent) return;

    const int location = store.hexCodeValue(k);
    world.location = static_cast<std::int16_t>(location);
    Roll w{dice, options.defaultAllegiance};
    world.name = "S " + numberText(offset + location);

    if (dice.rollDice(1, 100) <= options.oddAlienPercent) {
        const int roll = dice.rollDice(1, 9);
        if (roll <= 3) {
            w.allegiance = "Va";
        } else if (roll <= 6) {
            w.remarks += roll <= 5 ? 'C' : 'D';
            w.remarks += static_cast<char>('0' + dice.rollDice(1, 10) - 1);
            w.remarks += ' ';
        } else if (roll <= 8) {
            w.allegiance = "Na";
        } else {
            w.allegiance = "As";
        }
    }

    w.port = rollStarport(dice);
    rollProfile(w);
    rollTechLevel(w);
    if (!options.depopulateOverCap && w.tech > options.techCap) w.tech = options.techCap;
    w.tech = std::max(w.tech, environmentalMinimum(w.atm));
    if (w.pop == 0) w.gov = w.law = w.tech = 0;
    rollBase(w);

    generateStar(world, 1, dice);
    const int companions = dice.rollDice(2, 6);
    if (companions >= 8) generateStar(world, 2, dice);
    if (companions == 12) generateStar(world, 3, dice);

    // The population multiplier is one digit, 1..9: one die of nine sides.
    const int multiplier = dice.rollDice(1, 9);
    const int gasGiants = gasGiantCount(dice);
    const int belts = planetoidBeltCount(dice, gasGiants);
    std::string pag{static_cast<char>('0' + multiplier), static_cast<char>('0' + belts),
                    static_cast<char>('0' + gasGiants)};
    world.gasGiant = gasGiants > 0 ? "G" : " ";

    rollZone(w);
    rollFeatures(w, options);
    if (w.gov == 6) w.remarks += "O: ";
    std::string notes = w.remarks;
    if ((w.remarksHold("Pr") || w.remarksHold("Ex")) && w.zone == " ") w.zone = w.pop < 6 ? "R" : "A";

    std::string allegiance = w.allegiance;
    std::string port = kPortLetters[w.port];
    if (options.depopulateOverCap && w.tech > options.techCap) {
        port = "X";
        w.pop = w.gov = w.law = w.tech = 0;
        w.base = " ";
        w.zone = " ";
        pag[0] = '0';
        allegiance = "Ui";
        notes.clear();
        world.name = "(Uninhabited)";
    }

    world.base = w.base;
    world.zone = w.zone;
    world.pag = pag;
    world.allegiance = allegiance;
    world.notes = notes;
    world.facility = "  ";

    UwpValues values{};
    values[2] = w.size;
    values[3] = w.atm;
    values[4] = w.hyd;
    values[5] = w.pop;
    values[6] = w.gov;
    values[7] = w.law;
    values[8] = w.tech;
    // The profile is composed first, so that the trade codes and the cargo price are those of the digits
    // the world shows (and that a reader recomputes them from), starport included.
    world.uwp = composeUwp(values, port);
    values[1] = hexDigitValue(port);
    classifyTrade(world, values);
}

}  // namespace

int environmentalMinimum(int atm) {
    if (atm < 3) return 7;
    switch (atm) {
        case 3:
            return 6;
        case 4:
        case 7:
        case 9:
            return 5;
        case 10:
        case 11:
            return 8;
        case 12:
            return 9;
        default:
            return 0;
    }
}

void generateSubsector(SubsectorStore& store, const GenerationOptions& options, Dice& dice) {
    dice.mixInTimeOfDay();
    store.clear();
    store.subsectorLetter = options.generateAsLetter;
    // The options offer only the letters A to P; anything else numbers the names as subsector A does.
    const int offset = letterOffset(options.generateAsLetter).value_or(0);
    for (int k = 1; k <= kHexCount; ++k) generateHex(store, k, options, dice, offset);
}

bool generateOnRequest(SubsectorStore& store, const GenerationOptions& options, Dice& dice, Prompter& prompter,
                       bool unsavedChanges) {
    if (unsavedChanges && !prompter.confirmDiscard(applicationTitle())) return false;
    const BusyPointer busy(prompter);
    generateSubsector(store, options, dice);
    return true;
}

}  // namespace qelvar
