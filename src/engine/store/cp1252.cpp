#include "store/cp1252.h"

#include <utility>

namespace qelvar {

namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five bytes that have no character.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}  // namespace

char32_t cp1252Character(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F && kHighControls[byte - 0x80] != 0) return kHighControls[byte - 0x80];
    return byte;
}

char cp1252Byte(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) return static_cast<char>(character);
    for (int i = 0; i < 32; ++i) {
        const char16_t mapped = kHighControls[i];
        if (mapped == character || (mapped == 0 && character == static_cast<char32_t>(0x80 + i))) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

std::string terminalText(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char byte : bytes) {
        const char32_t c = cp1252Character(static_cast<unsigned char>(byte));
        const bool control = (c < 0x20 && c != '\n') || (c >= 0x7F && c <= 0x9F);
        appendUtf8(out, control ? U' ' : c);
    }
    return out;
}

namespace {

// The length of the well-formed UTF-8 sequence at i and its character; length 0 when it is not one.
std::pair<std::size_t, char32_t> utf8SequenceAt(std::string_view utf8, std::size_t i) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    char32_t c = length == 1 ? lead : length == 2 ? (lead & 0x1F) : length == 3 ? (lead & 0x0F) : (lead & 0x07);
    bool wellFormed = length > 0 && i + static_cast<std::size_t>(length) <= utf8.size();
    for (int k = 1; wellFormed && k < length; ++k) {
        const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
        wellFormed = (next & 0xC0) == 0x80;
        c = (c << 6) | (next & 0x3F);
    }
    const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (wellFormed && (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) wellFormed = false;
    return {wellFormed ? static_cast<std::size_t>(length) : 0, c};
}

}  // namespace

std::string utf8FromCp1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char byte : bytes) appendUtf8(out, cp1252Character(static_cast<unsigned char>(byte)));
    return out;
}

std::vector<std::size_t> utf8CharacterStarts(std::string_view utf8) {
    std::vector<std::size_t> starts;
    starts.reserve(utf8.size() + 1);
    for (std::size_t i = 0; i < utf8.size();) {
        starts.push_back(i);
        const std::size_t length = utf8SequenceAt(utf8, i).first;
        i += length == 0 ? 1 : length;
    }
    starts.push_back(utf8.size());
    return starts;
}

std::string cp1252FromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto [length, c] = utf8SequenceAt(utf8, i);
        out.push_back(length > 0 ? cp1252Byte(c) : '?');
        i += length > 0 ? length : 1;
    }
    return out;
}

}  // namespace qelvar
