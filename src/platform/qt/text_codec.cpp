#include "platform/qt/text_codec.h"

namespace qelvar {

namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five bytes that have no character.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

}  // namespace

QString fromBytes(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F && kHighControls[b - 0x80] != 0) {
            text.append(QChar(kHighControls[b - 0x80]));
        } else {
            text.append(QChar(static_cast<char16_t>(b)));  // the rest is Latin-1, the undefined five kept as is
        }
    }
    return text;
}

std::string toBytes(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF) || (u >= 0x80 && u <= 0x9F && kHighControls[u - 0x80] == 0)) {
            bytes.push_back(static_cast<char>(u));
            continue;
        }
        char out = '?';
        for (int i = 0; i < 32; ++i) {
            if (kHighControls[i] == u) {
                out = static_cast<char>(0x80 + i);
                break;
            }
        }
        bytes.push_back(out);
    }
    return bytes;
}

}  // namespace qelvar
