#pragma once
// The standard output of a helper tool the tests read results with (pdfinfo, pdftotext); empty when it
// cannot run.

#include <cstdio>
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

}  // namespace qelvar::testing
