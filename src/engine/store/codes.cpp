#include "store/codes.h"

#include <algorithm>

#include "store/text.h"

namespace qelvar {

int hexDigitValue(std::string_view text) {
    if (text.size() != 1) return kNotADigit;
    char c = text.front();
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const auto position = kExtendedHexDigits.find(c);
    return position == std::string_view::npos ? kNotADigit : static_cast<int>(position) + 1;
}

std::string valueHexDigit(int value) {
    if (value == 0) return "0";
    if (value > 32) return "-99";
    if (value < 0) return "0";  // callers clamp first; never index before the digit text
    return std::string(1, kExtendedHexDigits[static_cast<std::size_t>(value) - 1]);
}

std::optional<int> letterOffset(std::string_view letter) {
    if (letter.size() != 1 || letter.front() < 'A' || letter.front() > 'P') return std::nullopt;
    const int k = letter.front() - 'A';
    return (k % 4) * 800 + (k / 4) * 10;
}

int subsectorIndexOrA(std::string_view letter) { return letterOffset(letter) ? letter.front() - 'A' : 0; }

int letterOffsetOrReport(std::string_view letter, Notices& notices) {
    const auto offset = letterOffset(letter);
    if (!offset) notices.push_back({kDuffLetterMessage});
    return offset.value_or(0);
}

std::string shownHex(std::string_view letter, int location) {
    return formatFourDigits(letterOffset(letter).value_or(0) + location);
}

std::string hyphenatedUwp(std::string_view uwp) {
    std::string text(uwp.substr(0, 1));
    text += '-';
    text += uwp.substr(std::min<std::size_t>(1, uwp.size()), 6);
    text += '-';
    text += uwp.substr(std::min<std::size_t>(7, uwp.size()), 1);
    return text;
}

std::string composeUwp(UwpValues& values, const std::string& port) {
    if (values[2] == 0) {
        values[3] = 0;
        values[4] = 0;
    }
    if (values[4] > 10) values[4] = 10;
    std::string code = port;
    for (std::size_t i = 2; i <= 8; ++i) {
        if (values[i] < 0) values[i] = 0;
        code += valueHexDigit(values[i]);
    }
    return code;
}

}  // namespace qelvar
