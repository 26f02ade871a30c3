#pragma once
// Reads back the drawing operations a RecordingSurface wrote, so that tests can ask where things landed.

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace qelvar::testing {

struct Op {
    std::string kind;
    std::vector<std::string> fields;  // after the kind

    double number(std::size_t i) const { return std::strtod(fields.at(i).c_str(), nullptr); }
    bool at(double x, double y) const { return std::fabs(number(0) - x) < 1e-6 && std::fabs(number(1) - y) < 1e-6; }
    // text ops
    const std::string& colour() const { return fields.at(2); }
    const std::string& text() const { return fields.at(7); }
};

inline std::vector<Op> readOps(const std::string& recording) {
    std::vector<Op> ops;
    std::size_t start = 0;
    while (start < recording.size()) {
        std::size_t end = recording.find('\n', start);
        if (end == std::string::npos) end = recording.size();
        const std::string line = recording.substr(start, end - start);
        start = end + 1;
        Op op;
        std::size_t from = 0;
        for (;;) {
            const std::size_t tab = line.find('\t', from);
            const std::string field = line.substr(from, tab == std::string::npos ? std::string::npos : tab - from);
            if (op.kind.empty() && from == 0) {
                op.kind = field;
            } else {
                op.fields.push_back(field);
            }
            if (tab == std::string::npos) break;
            from = tab + 1;
        }
        ops.push_back(op);
    }
    return ops;
}

inline std::vector<Op> opsOfKind(const std::vector<Op>& ops, const std::string& kind) {
    std::vector<Op> found;
    for (const Op& op : ops) {
        if (op.kind == kind) found.push_back(op);
    }
    return found;
}

}  // namespace qelvar::testing
