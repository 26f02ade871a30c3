#pragma once
// Extended-hex digits, subsector letters and UWP composition.

#include <optional>
#include <string>
#include <string_view>

namespace qelvar {

class Prompter;
class SubsectorStore;

inline constexpr std::string_view EXTHEX_DIGITS = "123456789ABCDEFGHJKLMNPQRSTVWXYZ";
inline constexpr int kNotADigit = -99;

// Value 1..32 of a one-character extended-hex digit (either case); -99 for anything else, "0" included.
int hexDigitValue(std::string_view text);
inline int hexDigitValue(char c) { return hexDigitValue(std::string_view(&c, 1)); }

// 0 gives "0", 1..32 their digit, anything above 32 the text "-99".
std::string valueHexDigit(int value);

// The location offset of a subsector letter A..P (exact, upper case, one character), or nothing.
std::optional<int> locationOffsetOf(std::string_view letter);

inline constexpr const char* kDuffLetterMessage = "DUFF SS LETTER";

// As locationOffsetOf, but an unknown letter is reported with "DUFF SS LETTER" and gives 0.
int letterOffset(std::string_view letter, Prompter& prompter);

// Builds the UWP of worlds[workIndex] from uwpValues and the starport letter in uwpDigits[1].
void composeUwp(SubsectorStore& store);

}  // namespace qelvar
