#pragma once
// The options a generation run reads: what the options window's controls hold, with their defaults.
// The subsector and sector names are not among them: the window writes those straight to the store.

#include <array>
#include <string>
#include <string_view>

namespace qelvar {

// One row of the special-features table: a two-letter remark code and its chance in percent.
struct FeatureChance {
    std::string code;
    float chance = 0;
    bool operator==(const FeatureChance&) const = default;
};

struct GenerationOptions {
    std::string generateAsLetter = "A";
    int densityPercent = 50;
    std::string defaultAllegiance = "Im";
    int oddAlienPercent = 5;
    int techCap = kNoTechCap;
    bool depopulateOverCap = false;
    // In table order; "An" comes before "Rs", which leans on it.
    std::array<FeatureChance, 5> featureChances{{{"An", 1}, {"Rs", 1}, {"Pr", 1}, {"Ex", 1}, {"Mr", 1}}};

    static constexpr int kNoTechCap = 999;

    bool operator==(const GenerationOptions&) const = default;
};

// The values the options window offers, in its list order.
inline constexpr std::array<int, 5> kDensityChoices{4, 16, 33, 50, 66};
inline constexpr std::array<std::string_view, 6> kAllegianceChoices{"Im", "Va", "Zh", "As", "Na", "Hv"};
inline constexpr std::array<int, 11> kOddAlienChoices{0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50};
// The tech cap list: "Don't" (no cap), then 18 down to 0.
inline constexpr int kHighestTechCapChoice = 18;

// A feature row as the options window lists it: the code in columns 1-2, ten blanks, the chance as two
// digits in columns 13-14 and "%" in column 15 ("An          01%").
std::string featureRow(std::string_view code, int chance);
// The row read back: the code is its first two characters, the chance the numeric value of the text
// from column 13 on.
FeatureChance featureOfRow(std::string_view row);
// "Modify chance": the answer's numeric value, rounded to a whole number and written with at least two
// digits, replaces the two characters at columns 13-14 (an answer of 100 writes "10"); the rest of the
// row stays. An empty answer leaves the row as it is.
std::string rowWithChance(std::string_view row, std::string_view answer);

}  // namespace qelvar
