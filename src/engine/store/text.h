#pragma once
// Text helpers shared by every format: the numeric value of a text, the plain number-to-text conversion,
// number patterns, blank trimming, column access and ASCII case mapping. All work on bytes; 8-bit bytes
// pass through unchanged.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace qelvar {

// Numeric value of a text: blanks are ignored, an optional sign, digits, an optional decimal part and an
// optional exponent are read, and reading stops at the first byte that cannot continue the number.
// A text without digits is 0.
double numericValue(std::string_view text);

// A double rounded to the nearest whole number (halves to even) and held in 16 bits, saturating at the
// ends of the range instead of wrapping.
std::int16_t toInt16(double value);

// The plain number-to-text conversion: a leading blank in place of the sign when the number is not
// negative, at most 15 significant digits, no trailing zeros ("6.45", " 101", "-3").
std::string numberText(double value);
// The same without the leading blank.
std::string bareNumberText(double value);
// The form a number takes when printed as a number: numberText followed by one blank.
std::string printedNumber(double value);

// Number patterns: "0000" (at least four digits, leading zeros), "####0" (plain whole number) and
// "###,###,###,##0" (whole number with comma thousands separators).
std::string formatFourDigits(long value);
std::string formatWhole(double value);
std::string formatThousands(double value);

// The one notion of a blank for trimming: a space, or the NUL of a field that was never filled.
constexpr bool isFieldBlank(char c) { return c == ' ' || c == '\0'; }

// Removes leading and trailing blanks.
std::string_view trimBlanks(std::string_view text);

// Characters first..last of a line, 1-based and inclusive; the part past the end of the line is empty.
std::string_view columns(std::string_view line, std::size_t first, std::size_t last);

std::string upperAscii(std::string_view text);
std::string lowerAscii(std::string_view text);

// A text and the 1-based column a writer reaches before writing it.
struct ColumnText {
    std::size_t column;
    std::string_view text;
};

// Writes each text after padding the line with spaces to its column, in order; a column already passed
// is not gone back to, the text simply follows.
void appendAtColumns(std::string& line, std::initializer_list<ColumnText> fields);

// Splits a file's bytes into lines. CR LF, a lone LF and a lone CR each end a line; a last line without
// an ending still counts, a file that ends with a line break gets no empty line after it.
std::vector<std::string_view> splitLines(std::string_view bytes);

// The words of a text: the runs between blanks (spaces and NULs), in order.
std::vector<std::string_view> blankWords(std::string_view text);

// A text as HTML or XML character data: & < > as entities (and " too when it stands in an attribute), a NUL
// (which no such file may hold) as a blank; other bytes as they are.
std::string escapeMarkup(std::string_view text, bool inAttribute = false);

}  // namespace qelvar
