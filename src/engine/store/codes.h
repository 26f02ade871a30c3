#pragma once
// Extended-hex digits, subsector letters and UWP composition.

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "store/notice.h"

namespace qelvar {

inline constexpr std::string_view kExtendedHexDigits = "123456789ABCDEFGHJKLMNPQRSTVWXYZ";
inline constexpr int kNotADigit = -99;

// Value 1..32 of a one-character extended-hex digit (either case); -99 for anything else, "0" included.
int hexDigitValue(std::string_view text);
inline int hexDigitValue(char c) { return hexDigitValue(std::string_view(&c, 1)); }
// Whether c is one of the 32 digits (so "0" is not); callers ask this rather than testing for -99.
inline bool isExtendedHexDigit(char c) { return hexDigitValue(c) != kNotADigit; }

// 0 gives "0", 1..32 their digit, anything above 32 the text "-99".
std::string valueHexDigit(int value);

inline constexpr const char* kDuffLetterMessage = "DUFF SS LETTER";

// The location offset of a subsector letter: only the one-character upper-case letters A..P are known;
// anything else gives nothing, which the caller reports as "DUFF SS LETTER" and treats as offset 0.
std::optional<int> letterOffset(std::string_view letter);
// The same for a whole reading, writing or drawing: an unknown letter adds the "DUFF SS LETTER" notice
// and gives 0.
int letterOffsetOrReport(std::string_view letter, Notices& notices);
// The subsector's place in its sector (0 = A .. 15 = P); 0 for an unknown letter, which numbers as A does.
int subsectorIndexOrA(std::string_view letter);
// A hex of the subsector as the map beside it numbers it: four digits, in the sector's numbering when the
// letter is known ("0904" for 0104 of B).
std::string shownHex(std::string_view letter, int location);

// The UWP as shown and printed, "S-DAHPGL-T": a hyphen after the first and after the seventh character.
std::string hyphenatedUwp(std::string_view uwp);

// The numeric UWP values: [1..8] starport, size, atmosphere, hydrographics, population, government, law,
// tech; [0] is unused.
using UwpValues = std::array<int, 9>;

// The UWP from values[2..8] after the starport letter port. The values are clamped in place first (size 0
// clears atmosphere and hydrographics, hydrographics at most 10, nothing below 0), so that the trade codes
// are then those of the digits shown.
std::string composeUwp(UwpValues& values, const std::string& port);

}  // namespace qelvar
