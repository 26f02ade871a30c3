#include "text_codec.h"

#include <QList>

#include "store/cp1252.h"

namespace qelvar {

QString fromBytes(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) text.append(QChar(static_cast<char16_t>(cp1252Character(static_cast<unsigned char>(c)))));
    return text;
}

std::string toBytes(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const char32_t c : text.toUcs4()) bytes.push_back(cp1252Byte(c));  // whole characters, not halves
    return bytes;
}

}  // namespace qelvar
