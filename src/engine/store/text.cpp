#include "store/text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace qelvar {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
// Digits of a whole, non-negative value with at most 15 significant digits, the rest zeros.
std::string wholeDigits(double magnitude) {
    magnitude = std::round(magnitude);
    if (magnitude < 1e15) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.0f", magnitude);
        return buf;
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", magnitude);  // d.ddddddddddddddde+XX
    std::string text(buf);
    const auto e = text.find('e');
    const int exponent = std::stoi(text.substr(e + 1));
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    if (exponent + 1 > static_cast<int>(digits.size())) digits.append(exponent + 1 - digits.size(), '0');
    return digits;
}

}  // namespace

double numericValue(std::string_view text) {
    // The number is gathered into a compact text of its own (blanks and line breaks dropped, a "d"
    // exponent written as "e") and then converted once, correctly rounded.
    std::string compact;
    compact.reserve(text.size() + 8);
    bool negative = false;
    bool anyDigit = false;
    int wholeSignificant = 0;  // whole digits from the first that is not zero
    enum class Stage { Sign, Whole, Fraction, ExponentSign, Exponent } stage = Stage::Sign;
    int exponent = 0;
    bool exponentNegative = false;
    bool exponentDigits = false;
    for (const char c : text) {
        if (isBlank(c) || c == '\n' || c == '\r') continue;
        if (stage == Stage::Sign) {
            stage = Stage::Whole;
            if (c == '+' || c == '-') {
                negative = c == '-';
                continue;
            }
        }
        if ((stage == Stage::Whole || stage == Stage::Fraction) && isDigit(c)) {
            anyDigit = true;
            if (stage == Stage::Whole && (c != '0' || wholeSignificant > 0)) ++wholeSignificant;
            compact.push_back(c);
            continue;
        }
        if (stage == Stage::Whole && c == '.') {
            stage = Stage::Fraction;
            compact.push_back('.');
            continue;
        }
        if ((stage == Stage::Whole || stage == Stage::Fraction) && (c == 'e' || c == 'E' || c == 'd' || c == 'D')) {
            stage = Stage::ExponentSign;
            continue;
        }
        if (stage == Stage::ExponentSign) {
            stage = Stage::Exponent;
            if (c == '+' || c == '-') {
                exponentNegative = c == '-';
                continue;
            }
        }
        if (stage == Stage::Exponent && isDigit(c)) {
            exponentDigits = true;
            exponent = std::min(exponent * 10 + (c - '0'), 9999);
            continue;
        }
        break;
    }
    if (!anyDigit) return 0;
    const int scale = exponentDigits ? (exponentNegative ? -exponent : exponent) : 0;
    compact += 'e' + std::to_string(scale);
    double value = 0;
    const auto [end, error] = std::from_chars(compact.data(), compact.data() + compact.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too large saturates; too small is zero.
        value = wholeSignificant + scale > 0 ? std::numeric_limits<double>::max() : 0;
    }
    return negative ? -value : value;
}

std::int16_t toInt16(double value) {
    if (std::isnan(value)) return 0;
    const double rounded = std::nearbyint(value);  // the default rounding mode rounds halves to even
    if (rounded <= std::numeric_limits<std::int16_t>::min()) return std::numeric_limits<std::int16_t>::min();
    if (rounded >= std::numeric_limits<std::int16_t>::max()) return std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(rounded);
}

std::string bareNumberText(double value) {
    if (value == 0) return "0";
    if (value == std::trunc(value) && std::fabs(value) < 1e15) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.0f", value);
        return buf;
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15G", value);  // %G drops trailing zeros and a bare decimal point itself
    std::string text(buf);
    const auto e = text.find('E');
    std::string mantissa = text.substr(0, e);
    std::string exponent = e == std::string::npos ? "" : text.substr(e);
    if (mantissa.rfind("0.", 0) == 0) mantissa.erase(0, 1);   // ".5", as the plain conversion writes it
    if (mantissa.rfind("-0.", 0) == 0) mantissa.erase(1, 1);  // "-.5"
    return mantissa + exponent;
}

std::string numberText(double value) { return value < 0 ? bareNumberText(value) : " " + bareNumberText(value); }

std::string printedNumber(double value) { return numberText(value) + " "; }

std::string formatFourDigits(long value) {
    char buf[32];
    if (value < 0) {
        std::snprintf(buf, sizeof buf, "-%04ld", -value);
    } else {
        std::snprintf(buf, sizeof buf, "%04ld", value);
    }
    return buf;
}

std::string formatWhole(double value) {
    const double rounded = std::round(value);
    const std::string digits = wholeDigits(std::fabs(rounded));
    return (rounded < 0 && digits != "0") ? "-" + digits : digits;
}

std::string formatThousands(double value) {
    const double rounded = std::round(value);
    const std::string digits = wholeDigits(std::fabs(rounded));
    std::string grouped;
    grouped.reserve(digits.size() + digits.size() / 3 + 1);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped.push_back(',');
        grouped.push_back(digits[i]);
    }
    return (rounded < 0 && digits != "0") ? "-" + grouped : grouped;
}

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isFieldBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isFieldBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view columns(std::string_view line, std::size_t first, std::size_t last) {
    if (first == 0 || first > line.size() || last < first) return {};
    return line.substr(first - 1, last - first + 1);
}

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

void appendAtColumns(std::string& line, std::initializer_list<ColumnText> fields) {
    for (const ColumnText& field : fields) {
        if (field.column > line.size() + 1) line.append(field.column - 1 - line.size(), ' ');
        line += field.text;
    }
}

std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n') continue;
        lines.push_back(bytes.substr(start, i - start));
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

std::vector<std::string_view> blankWords(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isFieldBlank(text[i])) ++i;
        const std::size_t start = i;
        while (i < text.size() && !isFieldBlank(text[i])) ++i;
        if (i > start) out.push_back(text.substr(start, i - start));
    }
    return out;
}

std::string escapeMarkup(std::string_view text, bool inAttribute) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += inAttribute ? "&quot;" : "\"";
                break;
            case '\0':
                out += ' ';
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace qelvar
