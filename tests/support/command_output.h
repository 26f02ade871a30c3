#pragma once
// The standard output of a helper tool the tests read results with (pdfinfo, pdftotext); empty when it
// cannot run.

#include <cstdio>
#include <cstdlib>
#include <string>

namespace qelvar::testing {

inline std::string commandOutput(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

inline bool havePdfTools() { return !commandOutput("command -v pdfinfo pdftotext").empty(); }
// What pdfinfo says of a PDF file after `field` ("Page size:") up to the end of its line.
inline std::string pdfInfo(const std::string& pdf, const std::string& field) {
    const std::string info = commandOutput("pdfinfo '" + pdf + "' 2>/dev/null");
    const auto at = info.find(field);
    if (at == std::string::npos) return {};
    const auto from = at + field.size();
    return info.substr(from, info.find('\n', from) - from);
}
inline int pdfPages(const std::string& pdf) { return std::atoi(pdfInfo(pdf, "Pages:").c_str()); }
// The text of a PDF file laid out as on its pages.
inline std::string pdfText(const std::string& pdf) {
    return commandOutput("pdftotext -layout '" + pdf + "' - 2>/dev/null");
}

}  // namespace qelvar::testing
