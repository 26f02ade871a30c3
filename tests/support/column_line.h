#pragma once
// A line with texts placed at 1-based columns, built apart from the writers so that their output can be
// checked against the column tables.

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace qelvar::testing {

inline std::string lineAt(std::initializer_list<std::pair<std::size_t, std::string_view>> fields) {
    std::string line;
    for (const auto& [column, text] : fields) {
        if (line.size() < column - 1 + text.size()) line.resize(column - 1 + text.size(), ' ');
        line.replace(column - 1, text.size(), text);
    }
    return line;
}

}  // namespace qelvar::testing
