#pragma once
// A line with texts placed at 1-based columns, built apart from the writers so that their output can be
// checked against the column tables.

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace qelvar::testing {

inline void place(std::string& line, std::size_t column, std::string_view text) {
    if (line.size() < column - 1 + text.size()) line.resize(column - 1 + text.size(), ' ');
    line.replace(column - 1, text.size(), text);
}

inline std::string lineAt(std::initializer_list<std::pair<std::size_t, std::string_view>> fields) {
    std::string line;
    for (const auto& [column, text] : fields) place(line, column, text);
    return line;
}

// The same from one text of "column:text" fields, each ended by '|': "1:Hollowmere|26:1701|".
inline std::string lineOf(std::string_view fields) {
    std::string line;
    for (std::size_t bar; (bar = fields.find('|')) != std::string_view::npos; fields.remove_prefix(bar + 1)) {
        const std::size_t colon = fields.find(':');
        place(line, std::stoul(std::string(fields.substr(0, colon))), fields.substr(colon + 1, bar - colon - 1));
    }
    return line;
}

}  // namespace qelvar::testing
