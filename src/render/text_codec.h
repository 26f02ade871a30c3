#pragma once
// Files hold Windows-1252 bytes; windows show QString. A character without a byte becomes '?'.

#include <QString>
#include <string>
#include <string_view>

namespace qelvar {

QString fromBytes(std::string_view bytes);
std::string toBytes(const QString& text);

}  // namespace qelvar
