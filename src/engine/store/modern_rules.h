#pragma once
// The rules today's published sector data follows: the common extended digits, the profile read from a UWP,
// the trade codes a profile gives and the importance {Ix} of a world.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qelvar {

// The common extended digits: 0-9, A-H, J-N, P-Z (values 0..33); -1 for anything else (lower case too).
int commonDigitValue(char c);

// A UWP of the published data, "A788899-C" (also without the dash, 8 characters). An unknown digit (`?`, or
// `X`, which no digit place reaches) gives -1 for that value, an unknown starport '?'.
struct ProfileValues {
    char starport = '?';
    int size = -1, atmosphere = -1, hydrographics = -1, population = -1, government = -1, law = -1, tech = -1;

    // Whether every value is known.
    bool complete() const;
};
// Nothing when the text has no such shape: a starport letter or `?`, six digit places, an optional dash,
// a digit place.
std::optional<ProfileValues> readProfile(std::string_view uwp);

// Whether code stands in the remarks (space-separated) as a word of its own, or as the start of a word when
// prefixOnly ("Di" then matches "Di(Kaa)").
bool hasRemark(std::string_view remarks, std::string_view code, bool prefixOnly = false);

// Importance {Ix} by the modern rules, from the profile, the remarks (trade codes, space-separated) and
// the bases (letters, either case). An unknown value adds nothing.
int modernImportance(const ProfileValues& profile, std::string_view remarks, std::string_view bases);

// The trade codes the modern rules compute from a profile, in a fixed order: As De Fl Ga He Ic Oc Va Wa,
// Ba Di Lo Ni Ph Hi, Pa Ag Na Pi In Po Pr Ri. A code that needs an unknown value is not given.
inline constexpr std::string_view kModernTradeCodes[] = {"As", "De", "Fl", "Ga", "He", "Ic", "Oc", "Va",
                                                         "Wa", "Ba", "Di", "Lo", "Ni", "Ph", "Hi", "Pa",
                                                         "Ag", "Na", "Pi", "In", "Po", "Pr", "Ri"};
std::vector<std::string> modernTradeCodes(const ProfileValues& profile);
// The same as bits: bit i stands for kModernTradeCodes[i].
std::uint32_t modernTradeCodeBits(const ProfileValues& profile);

// The tech level modifier of the modern rules: starport, size, atmosphere, hydrographics, population and
// government each add theirs (unknown values add nothing).
int modernTechModifier(const ProfileValues& profile);

}  // namespace qelvar
